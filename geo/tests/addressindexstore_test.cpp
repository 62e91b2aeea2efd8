#include "geo/geocode/addressindexstore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "geo/geocode/geocoder.h"
#include "geo/geocode/geocodervariants.h"
#include "geo/map/mapwriter.h"
#include "geo/tests/importedmaps.h"

namespace geo {
namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every address by its own texts and by the variants dispatchers type, answered alike.
void expectSameAnswers(const CompiledMap& map, const Geocoder& a, const Geocoder& b) {
  for (const AddressRecord& address : map.addresses()) {
    const GeocodeQuery clean = addressQuery(map, address);
    std::vector<GeocodeQuery> queries = addressVariants(clean);
    queries.push_back(clean);
    for (const GeocodeQuery& q : queries) {
      const GeocodeResult x = a.search(q), y = b.search(q);
      ASSERT_EQ(x.code, y.code) << q.town << " " << q.street;
      ASSERT_EQ(x.candidates.size(), y.candidates.size()) << q.town << " " << q.street;
      for (std::size_t i = 0; i < x.candidates.size(); ++i) {
        EXPECT_EQ(resultRows(x.candidates[i]), resultRows(y.candidates[i]));
      }
    }
    EXPECT_EQ(a.reverse(address.point).size(), b.reverse(address.point).size());
  }
}

// The same file claiming another map's identity, with a header checksum that fits.
std::string anotherMap(std::string file) {
  constexpr std::size_t kHeaderSize = 48, kIdentityAt = 16, kCrcAt = 44;
  file[kIdentityAt] ^= 1;
  std::memset(file.data() + kCrcAt, 0, sizeof(std::uint32_t));
  const std::uint32_t crc = crc32Of(file.data(), kHeaderSize);
  std::memcpy(file.data() + kCrcAt, &crc, sizeof crc);
  return file;
}

class AddressIndexStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    demo_ = testing::importDemoRegion();
    ASSERT_TRUE(demo_->map);
    file_ = (fs::path(demo_->map->rootDirectory()) / "geocoder.zepgeo").string();
  }
  std::unique_ptr<testing::ImportedMap> demo_;
  std::string file_;
};

TEST_F(AddressIndexStoreTest, FirstUseStoresTheIndexAndLaterOnesReadItWithTheSameAnswers) {
  ASSERT_FALSE(fs::exists(file_));
  const Geocoder built(*demo_->map);
  ASSERT_TRUE(fs::exists(file_));
  const std::string stored = contentOf(file_);
  const Geocoder loaded(*demo_->map);
  EXPECT_EQ(contentOf(file_), stored);  // read, not written again
  expectSameAnswers(*demo_->map, built, loaded);
  for (const auto& entry : fs::directory_iterator(demo_->map->rootDirectory())) {
    EXPECT_FALSE(entry.path().string().ends_with(".part")) << entry.path();
  }
}

// A damaged, cut or foreign file is never read: the index is built anew and stored again.
TEST_F(AddressIndexStoreTest, RebuildsInsteadOfTrustingABadFile) {
  const Geocoder built(*demo_->map);
  const std::string good = contentOf(file_);
  const auto size = good.size();
  struct Case {
    const char* what;
    std::function<std::string(std::string)> spoil;
  };
  const std::vector<Case> cases = {
      {"payload byte", [](std::string s) { return s[s.size() - 5] ^= 1, s; }},
      {"header byte", [](std::string s) { return s[9] ^= 1, s; }},
      {"cut short", [&](std::string s) { return s.substr(0, size - 8); }},
      {"empty", [](std::string) { return std::string(); }},
      {"another map", anotherMap},
  };
  for (const Case& c : cases) {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << c.spoil(good);
    const Geocoder again(*demo_->map);
    EXPECT_EQ(contentOf(file_), good) << c.what;
    expectSameAnswers(*demo_->map, built, again);
  }
}

}  // namespace
}  // namespace geo
