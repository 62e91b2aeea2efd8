#include "geo/route/hierarchycache.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "geo/map/mapwriter.h"
#include "geo/route/router.h"
#include "geo/tests/importedmaps.h"

namespace geo {
namespace {

namespace fs = std::filesystem;

bool sameArrays(const ContractionHierarchy& a, const ContractionHierarchy& b) {
  const auto equal = [](auto x, auto y) {
    return x.size() == y.size() &&
           std::equal(x.begin(), x.end(), y.begin(), [](const auto& p, const auto& q) {
             return std::memcmp(&p, &q, sizeof p) == 0;
           });
  };
  return equal(a.ranks(), b.ranks()) && equal(a.upOffsets(), b.upOffsets()) &&
         equal(a.downOffsets(), b.downOffsets()) && equal(a.upArcList(), b.upArcList()) &&
         equal(a.downArcList(), b.downArcList());
}

void flipByteAt(const std::string& path, std::uintmax_t offset) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  const char byte = static_cast<char>(file.get() ^ 0x5A);
  file.seekp(static_cast<std::streamoff>(offset));
  file.put(byte);
}

// Another format version with a header checksum that fits it.
void rewriteVersion(const std::string& path, std::uint32_t version) {
  constexpr std::size_t kHeaderSize = 96, kVersionAt = 8, kCrcAt = 92;
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  std::array<char, kHeaderSize> header{};
  file.read(header.data(), header.size());
  std::memcpy(header.data() + kVersionAt, &version, sizeof version);
  std::memset(header.data() + kCrcAt, 0, sizeof(std::uint32_t));
  const std::uint32_t crc = crc32Of(header.data(), header.size());
  std::memcpy(header.data() + kCrcAt, &crc, sizeof crc);
  file.seekp(0);
  file.write(header.data(), header.size());
}

std::size_t filesIn(const std::string& directory, const std::string& ending) {
  std::size_t count = 0;
  for (const auto& entry : fs::directory_iterator(directory)) {
    count += entry.path().string().ends_with(ending);
  }
  return count;
}

class HierarchyCacheTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { demo_ = testing::importDemoRegion().release(); }
  static void TearDownTestSuite() { delete demo_; }
  void SetUp() override {
    ASSERT_TRUE(demo_ && demo_->map);
    for (const auto& entry : fs::directory_iterator(demo_->map->rootDirectory())) {
      if (entry.path().extension() == ".zepch") fs::remove(entry.path());
    }
  }
  const CompiledMap& map() const { return *demo_->map; }

  static testing::ImportedMap* demo_;
};

testing::ImportedMap* HierarchyCacheTest::demo_ = nullptr;

TEST_F(HierarchyCacheTest, FirstStartStoresTheHierarchyAndTheSecondReadsItBack) {
  const RouteOptions options;
  const HierarchyCache cache(map(), options);
  std::string why;
  EXPECT_FALSE(cache.load(why));
  EXPECT_NE(why.find("keine gespeicherte Hierarchie"), std::string::npos) << why;

  const auto built = Router(map()).hierarchy(options);
  ASSERT_TRUE(fs::exists(cache.path()));
  EXPECT_EQ(filesIn(map().rootDirectory(), ".part"), 0u);
  const auto loaded = cache.load(why);
  ASSERT_TRUE(loaded) << why;
  EXPECT_TRUE(sameArrays(*built, *loaded));
  EXPECT_TRUE(sameArrays(*built, *Router(map()).hierarchy(options)));
}

TEST_F(HierarchyCacheTest, EachProfileAndTimeFactorHasItsOwnFile) {
  RouteOptions fast, shortest, mode9;
  shortest.timeFactor = 0;
  mode9.profile = Profile::forMode(9);
  const Router router(map());
  for (const RouteOptions& options : {fast, shortest, mode9}) router.hierarchy(options);
  EXPECT_EQ(filesIn(map().rootDirectory(), ".zepch"), 3u);
  std::string why;
  for (const RouteOptions& options : {fast, shortest, mode9}) {
    EXPECT_TRUE(HierarchyCache(map(), options).load(why)) << why;
  }
}

// A damaged, cut, foreign or stale file is refused with a reason, and the next start builds
// and stores a good one in its place.
TEST_F(HierarchyCacheTest, RefusesEveryFileItCannotTrustAndRebuildsIt) {
  RouteOptions options, other;
  other.profile = Profile::forMode(1);
  const HierarchyCache cache(map(), options);
  const auto reference = Router(map()).hierarchy(options);
  Router(map()).hierarchy(other);
  const std::string otherFile = HierarchyCache(map(), other).path();
  const std::string good = cache.path() + ".good";
  fs::copy_file(cache.path(), good);
  const auto size = fs::file_size(good);

  struct Case {
    const char* what;
    std::function<void()> spoil;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"payload byte", [&] { flipByteAt(cache.path(), size - 7); }, "beschädigt"},
      {"header byte", [&] { flipByteAt(cache.path(), 20); }, "beschädigt"},
      {"cut short", [&] { fs::resize_file(cache.path(), size - 24); }, "unvollständig"},
      {"empty", [&] { fs::resize_file(cache.path(), 0); }, "beschädigt"},
      {"other format version", [&] { rewriteVersion(cache.path(), 2); }, "Version"},
      {"other speed table",
       [&] { fs::copy_file(otherFile, cache.path(), fs::copy_options::overwrite_existing); },
       "anderen Karte"},
  };
  for (const Case& c : cases) {
    fs::copy_file(good, cache.path(), fs::copy_options::overwrite_existing);
    c.spoil();
    std::string why;
    EXPECT_FALSE(cache.load(why)) << c.what;
    EXPECT_NE(why.find(c.reason), std::string::npos) << c.what << ": " << why;
    EXPECT_TRUE(sameArrays(*reference, *Router(map()).hierarchy(options))) << c.what;
    EXPECT_TRUE(cache.load(why)) << c.what << ": " << why;
  }
  fs::remove(good);
}

TEST_F(HierarchyCacheTest, AHierarchyOfAnotherMapIsNotUsed) {
  const RouteOptions options;
  Router(map()).hierarchy(options);
  // The same roads under another source name: equal counts, another map file.
  testing::ImportedMap other;
  std::string error;
  ASSERT_TRUE(writeDemoRegion(other.dir.file("renamed.osm"), error)) << error;
  ASSERT_TRUE(importOsm(other.dir.file("renamed.osm"), other.dir.file("map"), error)) << error;
  other.map = CompiledMap::open(other.dir.file("map"), error);
  ASSERT_TRUE(other.map) << error;
  ASSERT_FALSE(other.map->identity() == map().identity());
  ASSERT_EQ(other.map->edges().size(), map().edges().size());

  const HierarchyCache foreign(*other.map, options);
  fs::copy_file(HierarchyCache(map(), options).path(), foreign.path());
  std::string why;
  EXPECT_FALSE(foreign.load(why));
  EXPECT_NE(why.find("anderen Karte"), std::string::npos) << why;
  Router(*other.map).hierarchy(options);
  EXPECT_TRUE(foreign.load(why)) << why;
}

}  // namespace
}  // namespace geo
