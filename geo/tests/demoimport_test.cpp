#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <osmium/io/any_input.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/visitor.hpp>
#include <set>

#include "geo/map/compiledmap.h"
#include "geo/osm/demoregion.h"
#include "geo/osm/osmcollector.h"
#include "geo/osm/osmimport.h"
#include "geo/route/graphcomponents.h"
#include "geo/tests/importedmaps.h"
#include "geo/tests/tempdir.h"

namespace geo {
namespace {

using testing::TempDir;

// The demo region, written and imported once for all tests here.
class DemoImport : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    demo_ = testing::importDemoRegion().release();
    map_ = demo_->map.get();
    ASSERT_TRUE(map_);
  }
  static void TearDownTestSuite() { delete demo_; }

  static std::string text(std::uint32_t id) { return std::string(map_->text(id)); }
  static std::vector<const EdgeRecord*> edgesNamed(const std::string& name) {
    std::vector<const EdgeRecord*> found;
    for (const EdgeRecord& e : map_->edges()) {
      if (text(e.name) == name) found.push_back(&e);
    }
    return found;
  }
  static const AddressRecord* address(const std::string& street, const std::string& number) {
    for (const AddressRecord& a : map_->addresses()) {
      if (text(a.street) == street && text(a.houseNumber) == number) return &a;
    }
    return nullptr;
  }

  static testing::ImportedMap* demo_;
  static CompiledMap* map_;
};

testing::ImportedMap* DemoImport::demo_ = nullptr;
CompiledMap* DemoImport::map_ = nullptr;

// (street, house number) of every object with a full address in an OSM file.
class AddressCounter : public osmium::handler::Handler {
 public:
  void osm_object(const osmium::OSMObject& object) {
    if (!osm::hasCompleteAddress(object.tags())) return;
    const char* street = object.tags()["addr:street"];
    addresses.insert(
        {street ? street : object.tags()["addr:place"], object.tags()["addr:housenumber"]});
  }
  std::multiset<std::pair<std::string, std::string>> addresses;
};

std::multiset<std::pair<std::string, std::string>> addressesIn(const std::string& file) {
  AddressCounter counter;
  osmium::io::Reader reader(file);
  osmium::apply(reader, counter);
  return counter.addresses;
}

TEST(DemoRegion, IsTheSameOnEveryRun) { EXPECT_EQ(demoRegionOsm(), demoRegionOsm()); }

TEST_F(DemoImport, EveryAddressedObjectBecomesAnAddressPoint) {
  const auto expected = addressesIn(demo_->dir.file("demo.osm"));
  ASSERT_GT(expected.size(), 300u);
  std::multiset<std::pair<std::string, std::string>> imported;
  for (const AddressRecord& a : map_->addresses()) {
    imported.insert({text(a.street), text(a.houseNumber)});
  }
  for (const auto& item : expected) {
    EXPECT_GE(imported.count(item), expected.count(item)) << item.first << " " << item.second;
  }
  // Beyond those, the interpolation line of Waldstraße adds the even numbers 4 to 38.
  EXPECT_EQ(imported.size(), expected.size() + 18);
  for (int n = 4; n <= 38; n += 2) {
    EXPECT_TRUE(address("Waldstraße", std::to_string(n))) << n;
  }
  EXPECT_FALSE(address("Waldstraße", "3"));
  EXPECT_TRUE(address("Hauptstraße", "12a"));

  // The town hall is a multipolygon with a courtyard; its address sits inside the outline.
  const AddressRecord* townHall = address("Marktplatz", "10");
  ASSERT_TRUE(townHall);
  const auto building = std::find_if(
      map_->features().begin(), map_->features().end(),
      [](const FeatureRecord& f) { return f.kind == FeatureKind::Building && f.rings.count == 2; });
  ASSERT_NE(building, map_->features().end());
  EXPECT_TRUE(building->bounds.contains(townHall->point));
}

TEST_F(DemoImport, AddressesGetPostalCodeTownAndDistrictFromTheirSurroundings) {
  std::map<std::string, int> byPostalCode;
  for (const AddressRecord& a : map_->addresses()) {
    EXPECT_EQ(text(a.country), "D");
    ++byPostalCode[text(a.postalCode)];
    const bool northOfRiver = a.point.y > gpsToMap({1093000, 5021090}).y;
    const bool inVillage = text(a.town) == "Eichenbrunn";
    EXPECT_EQ(text(a.postalCode), northOfRiver ? "96202" : "96201")
        << text(a.street) << " " << text(a.houseNumber);
    EXPECT_EQ(text(a.district), northOfRiver && !inVillage ? "Mühlbach" : "")
        << text(a.street) << " " << text(a.houseNumber);
  }
  EXPECT_EQ(byPostalCode.size(), 2u);
  const AddressRecord* village = address("Dorfstraße", "1");
  ASSERT_TRUE(village);
  EXPECT_EQ(text(village->town), "Eichenbrunn");
  const AddressRecord* bridgeNorth = address("Brückenstraße", "15");
  ASSERT_TRUE(bridgeNorth);
  EXPECT_EQ(text(bridgeNorth->town), "Lindenau");
  EXPECT_EQ(text(bridgeNorth->district), "Mühlbach");
}

TEST_F(DemoImport, OneWayStreetsHaveEdgesInOneDirectionOnly) {
  const auto uferweg = edgesNamed("Uferweg");  // drawn west to east, oneway=yes
  ASSERT_FALSE(uferweg.empty());
  for (const EdgeRecord* e : uferweg) {
    EXPECT_TRUE(e->flags & kEdgeOneWay);
    EXPECT_GT(map_->nodes()[e->target].x, map_->nodes()[e->source].x);
  }
  const auto rosenweg = edgesNamed("Rosenweg");  // drawn south to north, oneway=-1
  ASSERT_FALSE(rosenweg.empty());
  for (const EdgeRecord* e : rosenweg) {
    EXPECT_LT(map_->nodes()[e->target].y, map_->nodes()[e->source].y);
  }
  const auto lindenallee = edgesNamed("Lindenallee");
  EXPECT_EQ(std::count_if(lindenallee.begin(), lindenallee.end(),
                          [](const EdgeRecord* e) { return e->flags & kEdgeOneWay; }),
            0);
}

TEST_F(DemoImport, RoadClassesAndBuiltUpAreas) {
  struct Case {
    const char* name;
    int roadClass;
    bool builtUp;
  };
  for (const Case& c : {Case{"Hauptstraße", 2, true}, Case{"B 303", 2, false},
                        Case{"A 79", 0, false}, Case{"B 79", 1, false}, Case{"Marktplatz", 6, true},
                        Case{"Dorfstraße", 5, true}, Case{"Schillerstraße", 5, true}}) {
    const auto edges = edgesNamed(c.name);
    ASSERT_FALSE(edges.empty()) << c.name;
    for (const EdgeRecord* e : edges) {
      EXPECT_EQ(e->roadClass, c.roadClass) << c.name;
      EXPECT_EQ((e->flags & kEdgeBuiltUp) != 0, c.builtUp) << c.name;
    }
  }
  // The country road runs mostly through open country: 3.3 km from town to village.
  double rural = 0, total = 0;
  for (const EdgeRecord* e : edgesNamed("Eichenbrunner Straße")) {
    total += e->lengthMetres;
    if (!(e->flags & kEdgeBuiltUp)) rural += e->lengthMetres;
  }
  EXPECT_NEAR(total / 2, std::hypot(2800.0, 1700.0), 30);  // both directions
  EXPECT_GT(rural / total, 0.8);
}

TEST_F(DemoImport, EveryRoadNodeCanReachEveryOther) {
  const auto components = stronglyConnectedComponents(*map_);
  EXPECT_EQ(largestComponentSize(components), map_->nodes().size());
}

TEST_F(DemoImport, StreetsAndPlaces) {
  std::set<std::string> names;
  for (const StreetRecord& s : map_->streets()) {
    names.insert(text(s.name));
    EXPECT_FALSE(text(s.town).empty()) << text(s.name);
    EXPECT_FALSE(text(s.postalCode).empty()) << text(s.name);
  }
  EXPECT_GE(names.size(), 30u);
  for (const char* name : {"Äußere Bahnhofstraße", "Ölmühlweg", "Am Mühlbach", "Kirchplatz",
                           "Marktplatz", "Gärtnerstraße"}) {
    EXPECT_TRUE(names.contains(name)) << name;
  }

  std::map<std::string, const PlaceRecord*> places;
  for (const PlaceRecord& p : map_->places()) places[text(p.name)] = &p;
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places["Lindenau"]->kind, PlaceKind::Town);
  EXPECT_EQ(places["Lindenau"]->population, 8400u);
  EXPECT_EQ(text(places["Lindenau"]->postalCode), "96201");
  EXPECT_EQ(places["Mühlbach"]->kind, PlaceKind::Suburb);
  EXPECT_EQ(text(places["Mühlbach"]->town), "Lindenau");
  EXPECT_EQ(text(places["Mühlbach"]->postalCode), "96202");
  EXPECT_EQ(places["Eichenbrunn"]->kind, PlaceKind::Village);
  EXPECT_EQ(text(places["Eichenbrunn"]->postalCode), "96202");
}

TEST_F(DemoImport, DrawingLayersByScale) {
  std::map<FeatureKind, int> kinds;
  for (const FeatureRecord& f : map_->features()) ++kinds[f.kind];
  for (FeatureKind kind :
       {FeatureKind::Road, FeatureKind::Railway, FeatureKind::Waterway, FeatureKind::Water,
        FeatureKind::Forest, FeatureKind::Park, FeatureKind::Farmland, FeatureKind::Residential,
        FeatureKind::Building, FeatureKind::PlaceLabel}) {
    EXPECT_GT(kinds[kind], 0) << static_cast<int>(kind);
  }
  const auto bridges =
      std::count_if(map_->features().begin(), map_->features().end(),
                    [](const FeatureRecord& f) { return f.flags & kFeatureBridge; });
  EXPECT_EQ(bridges, 3);

  auto kindsIn = [](const Box& box, double unitsPerPixel) {
    std::set<FeatureKind> found;
    for (std::uint32_t id : map_->featuresIn(box, unitsPerPixel)) {
      EXPECT_TRUE(map_->features()[id].bounds.intersects(box));
      found.insert(map_->features()[id].kind);
    }
    return found;
  };
  const Point centre = gpsToMap({1093000, 5020900});
  const Box town{centre.x - 1500, centre.y - 1500, centre.x + 1500, centre.y + 1500};
  const auto close = kindsIn(town, 2);
  EXPECT_TRUE(close.contains(FeatureKind::Building));
  EXPECT_TRUE(close.contains(FeatureKind::Road));
  const auto overview = kindsIn(town, 300);
  EXPECT_FALSE(overview.contains(FeatureKind::Building));
  EXPECT_TRUE(overview.contains(FeatureKind::Road));  // the through road
  EXPECT_TRUE(overview.contains(FeatureKind::PlaceLabel));
}

TEST_F(DemoImport, ImportIsRepeatable) {
  std::string error;
  ASSERT_TRUE(importOsm(demo_->dir.file("demo.osm"), demo_->dir.file("again"), error)) << error;
  auto bytes = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(bytes(CompiledMap::filePath(demo_->dir.file("map"))),
            bytes(CompiledMap::filePath(demo_->dir.file("again"))));
}

// Compressed XML and PBF give the same map as plain XML.
TEST_F(DemoImport, ReadsEveryInputFormat) {
  for (const char* name : {"demo.osm.gz", "demo.osm.bz2", "demo.osm.pbf"}) {
    {
      osmium::io::Reader reader(demo_->dir.file("demo.osm"));
      osmium::io::Writer writer(osmium::io::File(demo_->dir.file(name)),
                                osmium::io::overwrite::allow);
      while (osmium::memory::Buffer buffer = reader.read()) writer(std::move(buffer));
      writer.close();
      reader.close();
    }
    std::string error;
    const std::string out = demo_->dir.file(std::string(name) + ".map");
    ASSERT_TRUE(importOsm(demo_->dir.file(name), out, error)) << name << ": " << error;
    const auto map = CompiledMap::open(out, error);
    ASSERT_TRUE(map) << name << ": " << error;
    EXPECT_EQ(map->sourceName(), name);
    EXPECT_EQ(map->nodes().size(), map_->nodes().size()) << name;
    EXPECT_EQ(map->edges().size(), map_->edges().size()) << name;
    EXPECT_EQ(map->addresses().size(), map_->addresses().size()) << name;
    EXPECT_EQ(map->features().size(), map_->features().size()) << name;
    EXPECT_EQ(map->bounds(), map_->bounds()) << name;
  }
}

TEST(OsmImport, FailsWithAMessage) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(importOsm(dir.file("fehlt.osm"), dir.file("map"), error));
  EXPECT_NE(error.find("nicht gefunden"), std::string::npos) << error;

  std::ofstream(dir.file("kaputt.osm")) << "<osm><node id=\"1\" lat=\"50\"";
  error.clear();
  EXPECT_FALSE(importOsm(dir.file("kaputt.osm"), dir.file("map"), error));
  EXPECT_NE(error.find("fehlgeschlagen"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(CompiledMap::filePath(dir.file("map"))));

  std::ofstream(dir.file("leer.osm")) << "<?xml version=\"1.0\"?>\n<osm version=\"0.6\"></osm>\n";
  error.clear();
  EXPECT_FALSE(importOsm(dir.file("leer.osm"), dir.file("map"), error));
  EXPECT_NE(error.find("keine verwertbaren Kartendaten"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(CompiledMap::filePath(dir.file("map"))));
}

}  // namespace
}  // namespace geo
