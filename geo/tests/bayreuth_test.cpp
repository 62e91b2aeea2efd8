#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <osmium/io/any_input.hpp>
#include <osmium/visitor.hpp>
#include <set>

#include "geo/map/compiledmap.h"
#include "geo/osm/osmcollector.h"
#include "geo/osm/osmimport.h"
#include "geo/route/graphcomponents.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

const std::string kExtract = std::string(ZEP_SHARED_DATA_DIR) + "/osm/north-bayreuth.osm.gz";

// The real extract of north Bayreuth, imported once for all tests here.
class BayreuthImport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(kExtract)) return;
    dir_ = new TempDir();
    std::string error;
    ASSERT_TRUE(importOsm(kExtract, dir_->file("map"), error)) << error;
    map_ = CompiledMap::open(dir_->file("map"), error).release();
    ASSERT_TRUE(map_) << error;
  }
  static void TearDownTestSuite() {
    delete map_;
    delete dir_;
    map_ = nullptr;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (!std::filesystem::exists(kExtract)) GTEST_SKIP() << "no OSM extract at " << kExtract;
    ASSERT_TRUE(map_);
  }

  static TempDir* dir_;
  static CompiledMap* map_;
};

TempDir* BayreuthImport::dir_ = nullptr;
CompiledMap* BayreuthImport::map_ = nullptr;

using AddressKey = std::tuple<std::string, std::string, std::string>;  // street, number, postcode

class AddressCounter : public osmium::handler::Handler {
 public:
  void osm_object(const osmium::OSMObject& object) {
    const auto& tags = object.tags();
    if (!osm::hasCompleteAddress(tags)) return;
    const char* street = tags["addr:street"] ? tags["addr:street"] : tags["addr:place"];
    const char* postcode = tags["addr:postcode"];
    addresses.insert({street, tags["addr:housenumber"], postcode ? postcode : ""});
  }
  std::multiset<AddressKey> addresses;
};

TEST_F(BayreuthImport, EveryAddressedObjectBecomesAnAddressPoint) {
  AddressCounter counter;
  osmium::io::Reader reader(kExtract);
  osmium::apply(reader, counter);
  ASSERT_GT(counter.addresses.size(), 700u);

  std::multiset<AddressKey> imported;
  const Box bounds = map_->bounds();
  for (const AddressRecord& a : map_->addresses()) {
    imported.insert({std::string(map_->text(a.street)), std::string(map_->text(a.houseNumber)),
                     std::string(map_->text(a.postalCode))});
    EXPECT_TRUE(bounds.contains(a.point));
    EXPECT_EQ(map_->text(a.country), "D");
  }
  std::size_t missing = 0;
  for (const auto& key : counter.addresses) {
    // A given postal code is kept; a missing one may have been filled in.
    const auto& [street, number, postcode] = key;
    const bool found = postcode.empty() ? std::any_of(imported.begin(), imported.end(),
                                                      [&](const AddressKey& k) {
                                                        return std::get<0>(k) == street &&
                                                               std::get<1>(k) == number;
                                                      })
                                        : imported.count(key) >= counter.addresses.count(key);
    if (!found) {
      ++missing;
      ADD_FAILURE() << street << " " << number << " " << postcode;
    }
  }
  EXPECT_EQ(missing, 0u);
}

TEST_F(BayreuthImport, LargestStronglyConnectedComponentHoldsNearlyAllRoadNodes) {
  const auto components = stronglyConnectedComponents(*map_);
  const std::size_t largest = largestComponentSize(components);
  EXPECT_GT(static_cast<double>(largest) / map_->nodes().size(), 0.9)
      << largest << " of " << map_->nodes().size();

  // The extract cuts the motorways A 9 and A 70 at its border; their carriageways are one-way
  // dead ends there and cannot belong. Of all other nodes nearly every one does.
  std::vector<bool> onMotorway(map_->nodes().size(), false);
  for (const EdgeRecord& e : map_->edges()) {
    if (e.roadClass == 0) onMotorway[e.source] = onMotorway[e.target] = true;
  }
  const auto others =
      static_cast<std::size_t>(std::count(onMotorway.begin(), onMotorway.end(), false));
  EXPECT_GT(static_cast<double>(largest) / others, 0.95) << largest << " of " << others;
}

TEST_F(BayreuthImport, CountsAndBoundsArePlausible) {
  EXPECT_GT(map_->nodes().size(), 500u);
  EXPECT_GT(map_->edges().size(), 2 * map_->nodes().size() * 9 / 10);
  EXPECT_GT(map_->streets().size(), 100u);
  EXPECT_GT(map_->places().size(), 10u);
  EXPECT_GT(map_->features().size(), 5000u);

  // Inside the extract's box: lon 11.3993..11.6747, lat 49.8832..50.0959.
  const Box bounds = map_->bounds();
  const Point southWest = mapToGps({bounds.minX, bounds.minY});
  const Point northEast = mapToGps({bounds.maxX, bounds.maxY});
  EXPECT_GE(southWest.x, 1139930 - 2);
  EXPECT_GE(southWest.y, 4988320 - 2);
  EXPECT_LE(northEast.x, 1167470 + 2);
  EXPECT_LE(northEast.y, 5009590 + 2);
  EXPECT_GT(northEast.x - southWest.x, 10000);  // covers more than a tenth of a degree
  EXPECT_GT(northEast.y - southWest.y, 5000);

  // Town roads and country roads both occur; every address has a postal code and a town.
  std::size_t builtUp = 0;
  for (const EdgeRecord& e : map_->edges()) builtUp += (e.flags & kEdgeBuiltUp) ? 1 : 0;
  EXPECT_GT(builtUp, map_->edges().size() / 4);
  EXPECT_LT(builtUp, map_->edges().size());
  std::size_t inBindlach = 0;
  for (const AddressRecord& a : map_->addresses()) {
    EXPECT_FALSE(map_->text(a.town).empty());
    EXPECT_EQ(map_->text(a.postalCode).size(), 5u);
    inBindlach += map_->text(a.town) == "Bindlach";
  }
  EXPECT_GT(inBindlach, map_->addresses().size() / 2);
}

// The geocoder finds an address's street under the address's own town and postal code.
TEST_F(BayreuthImport, StreetsTakeTownAndPostalCodeOfTheirAddresses) {
  std::set<std::tuple<std::string_view, std::string_view, std::string_view>> streets;
  std::set<std::string_view> names;
  for (const StreetRecord& s : map_->streets()) {
    streets.insert({map_->text(s.name), map_->text(s.town), map_->text(s.postalCode)});
    names.insert(map_->text(s.name));
  }
  // Addresses named after a hamlet, or in streets the extract lacks, have no street to match.
  std::size_t withStreet = 0, matched = 0;
  for (const AddressRecord& a : map_->addresses()) {
    if (!names.contains(map_->text(a.street))) continue;
    ++withStreet;
    matched +=
        streets.contains({map_->text(a.street), map_->text(a.town), map_->text(a.postalCode)});
  }
  EXPECT_GT(withStreet, map_->addresses().size() / 2);
  EXPECT_GT(static_cast<double>(matched) / withStreet, 0.99) << matched << " of " << withStreet;
}

}  // namespace
}  // namespace geo
