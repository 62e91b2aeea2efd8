#include "geo/osm/synthregion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>
#include <random>

#include "geo/map/compiledmap.h"
#include "geo/osm/osmcollector.h"
#include "geo/osm/osmimport.h"
#include "geo/route/graphcomponents.h"
#include "geo/route/router.h"
#include "geo/tests/plaindijkstra.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

constexpr std::uint64_t kSmallRegion = 40000;  // road nodes: a few towns, a second to make

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

SynthRegionSummary writeRegion(const std::string& path, std::uint64_t seed) {
  SynthRegionSummary summary;
  std::string error;
  EXPECT_TRUE(writeSyntheticRegion(path, {kSmallRegion, seed}, summary, error)) << error;
  return summary;
}

TEST(SynthRegion, SameOptionsGiveTheSameFileAndAnotherSeedAnotherRegion) {
  TempDir dir;
  const SynthRegionSummary first = writeRegion(dir.file("a.osm.pbf"), 7);
  writeRegion(dir.file("b.osm.pbf"), 7);
  writeRegion(dir.file("c.osm.pbf"), 8);
  const std::string a = contentOf(dir.file("a.osm.pbf"));
  EXPECT_GT(a.size(), 100000u);
  EXPECT_EQ(a, contentOf(dir.file("b.osm.pbf")));
  EXPECT_NE(a, contentOf(dir.file("c.osm.pbf")));
  EXPECT_GE(first.roadNodes, kSmallRegion);
  EXPECT_LT(first.roadNodes, kSmallRegion * 3 / 2);
  // Only the finished file is left: no temporary ways file, no ".part".
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 3u);
}

TEST(SynthRegion, AFailedRunLeavesNoFile) {
  TempDir dir;
  const std::string path = dir.file("missing/region.osm.pbf");
  SynthRegionSummary summary;
  std::string error;
  EXPECT_FALSE(writeSyntheticRegion(path, {kSmallRegion, 1}, summary, error));
  EXPECT_NE(error.find("Region kann nicht geschrieben werden"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
}

// What the file holds, counted the way the import reads it.
struct TagCounter : osmium::handler::Handler {
  void way(const osmium::Way& way) {
    const auto& tags = way.tags();
    if (const char* highway = tags["highway"]) {
      ++highways[highway];
      oneWays += tags.has_tag("oneway", "yes") || tags.has_tag("oneway", "-1");
      bridges += tags.has_tag("bridge", "yes");
      closed += tags.has_tag("access", "private") || tags["motor_vehicle"] != nullptr;
    }
    buildings += tags["building"] != nullptr;
    rivers += tags.has_tag("waterway", "river");
    landuse += tags["landuse"] != nullptr;
  }
  void osm_object(const osmium::OSMObject& object) {
    if (!osm::hasCompleteAddress(object.tags())) return;
    ++addresses;
    withPostcode += object.tags()["addr:postcode"] != nullptr;
    umlauts += std::string_view(object.tags()["addr:city"]).find("\xC3") != std::string::npos;
  }
  std::map<std::string, std::size_t> highways;
  std::size_t oneWays = 0, bridges = 0, closed = 0, buildings = 0, rivers = 0, landuse = 0;
  std::size_t addresses = 0, withPostcode = 0, umlauts = 0;
};

// One small region, generated and imported once for the tests below.
class SmallRegion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    summary_ = writeRegion(dir_->file("region.osm.pbf"), 3);
    std::string error;
    ASSERT_TRUE(importOsm(dir_->file("region.osm.pbf"), dir_->file("map"), error)) << error;
    map_ = CompiledMap::open(dir_->file("map"), error).release();
    ASSERT_TRUE(map_) << error;
  }
  static void TearDownTestSuite() {
    delete map_;
    delete dir_;
  }

  static TempDir* dir_;
  static CompiledMap* map_;
  static SynthRegionSummary summary_;
};

TempDir* SmallRegion::dir_ = nullptr;
CompiledMap* SmallRegion::map_ = nullptr;
SynthRegionSummary SmallRegion::summary_;

TEST_F(SmallRegion, HoldsWhatARealGermanRegionHolds) {
  TagCounter counter;
  osmium::io::Reader reader(dir_->file("region.osm.pbf"));
  osmium::apply(reader, counter);
  reader.close();
  for (const char* kind : {"motorway", "motorway_link", "primary", "secondary", "tertiary",
                           "unclassified", "residential", "living_street", "service", "track"}) {
    EXPECT_GT(counter.highways[kind], 0u) << kind;
  }
  EXPECT_GT(counter.highways["residential"], counter.highways["primary"]);
  EXPECT_GT(counter.oneWays, 0u);
  EXPECT_GT(counter.bridges, 0u);
  EXPECT_GT(counter.closed, 0u);
  EXPECT_GT(counter.rivers, 0u);
  EXPECT_GT(counter.landuse, 0u);
  EXPECT_GT(counter.buildings, counter.addresses);  // garages have no address
  EXPECT_EQ(counter.addresses, summary_.addresses);
  EXPECT_EQ(counter.withPostcode, counter.addresses);
  EXPECT_GT(counter.umlauts, 0u);
}

TEST_F(SmallRegion, ImportKeepsEveryAddressWithTownAndPostalCode) {
  EXPECT_EQ(map_->addresses().size(), summary_.addresses);
  const Box bounds = map_->bounds();
  for (const AddressRecord& a : map_->addresses()) {
    EXPECT_TRUE(bounds.contains(a.point));
    EXPECT_EQ(map_->text(a.country), "D");
    EXPECT_FALSE(map_->text(a.town).empty());
    EXPECT_EQ(map_->text(a.postalCode).size(), 5u);
  }
  EXPECT_GT(map_->streets().size(), 100u);
  EXPECT_GT(map_->places().size(), 5u);
}

TEST_F(SmallRegion, NearlyAllRoadNodesAreConnectedBothWays) {
  const auto components = stronglyConnectedComponents(*map_);
  const std::size_t largest = largestComponentSize(components);
  // Dead-end tracks closed to cars and private driveways lie outside, as in real data.
  EXPECT_GT(static_cast<double>(largest) / map_->nodes().size(), 0.9)
      << largest << " of " << map_->nodes().size();
  std::size_t builtUp = 0;
  for (const EdgeRecord& e : map_->edges()) builtUp += (e.flags & kEdgeBuiltUp) ? 1 : 0;
  EXPECT_GT(builtUp, map_->edges().size() / 4);
  EXPECT_LT(builtUp, map_->edges().size());
}

TEST_F(SmallRegion, RoutesEqualPlainDijkstra) {
  const RouteOptions options;
  std::vector<GraphArc> arcs;
  const auto edges = map_->edges();
  for (std::uint32_t id = 0; id < edges.size(); ++id) {
    arcs.push_back({edges[id].source, edges[id].target, edgeWeight(edges[id], options), id});
  }
  const Router router(*map_);
  const auto hierarchy = router.hierarchy(options);
  const auto nodeCount = static_cast<std::uint32_t>(map_->nodes().size());
  std::mt19937 random(5);
  for (int source = 0; source < 4; ++source) {
    const std::uint32_t from = random() % nodeCount;
    const std::vector<Weight> expected = testing::dijkstra(nodeCount, arcs, from);
    for (int target = 0; target < 50; ++target) {
      const std::uint32_t to = random() % nodeCount;
      const SearchEndpoint start{from, {}}, end{to, {}};
      EXPECT_EQ(hierarchy->shortestPath({&start, 1}, {&end, 1}).weight, expected[to])
          << from << " -> " << to;
    }
  }
}

}  // namespace
}  // namespace geo
