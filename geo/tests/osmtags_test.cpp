#include "geo/osm/osmtags.h"

#include <gtest/gtest.h>

#include <osmium/builder/attr.hpp>
#include <osmium/memory/buffer.hpp>
#include <osmium/osm/node.hpp>

namespace geo::osm {
namespace {

using TagInit = std::initializer_list<std::pair<const char*, const char*>>;

// A node carrying the tags, kept alive with its buffer.
class Tagged {
 public:
  explicit Tagged(TagInit tags) {
    using namespace osmium::builder::attr;
    offset_ = osmium::builder::add_node(buffer_, _id(1), _tags(tags));
  }
  const osmium::TagList& tags() const { return buffer_.get<osmium::Node>(offset_).tags(); }

 private:
  osmium::memory::Buffer buffer_{1024, osmium::memory::Buffer::auto_grow::yes};
  std::size_t offset_ = 0;
};

struct RoadCase {
  TagInit tags;
  bool car;
  int roadClass;
  bool forward;
  bool backward;
};

TEST(OsmTags, CarRoadsClassesAndDirections) {
  const RoadCase cases[] = {
      {{{"highway", "motorway"}}, true, 0, true, false},
      {{{"highway", "motorway"}, {"oneway", "no"}}, true, 0, true, true},
      {{{"highway", "motorway_link"}}, true, 0, true, true},
      {{{"highway", "trunk_link"}, {"oneway", "yes"}}, true, 1, true, false},
      {{{"highway", "primary"}}, true, 2, true, true},
      {{{"highway", "secondary"}, {"junction", "roundabout"}}, true, 3, true, false},
      {{{"highway", "tertiary"}, {"oneway", "-1"}}, true, 4, false, true},
      {{{"highway", "residential"}, {"oneway", "true"}}, true, 5, true, false},
      {{{"highway", "unclassified"}}, true, 5, true, true},
      {{{"highway", "living_street"}}, true, 6, true, true},
      {{{"highway", "service"}}, true, 7, true, true},
      {{{"highway", "track"}}, false, 0, false, false},
      {{{"highway", "track"}, {"motor_vehicle", "yes"}}, true, 7, true, true},
      {{{"highway", "footway"}}, false, 0, false, false},
      {{{"highway", "cycleway"}}, false, 0, false, false},
      {{{"highway", "construction"}}, false, 0, false, false},
      {{{"highway", "residential"}, {"access", "private"}}, false, 0, false, false},
      {{{"highway", "residential"}, {"access", "no"}, {"motor_vehicle", "destination"}},
       true,
       5,
       true,
       true},
      {{{"highway", "residential"}, {"motor_vehicle", "no"}, {"motorcar", "yes"}},
       true,
       5,
       true,
       true},
      {{{"highway", "residential"}, {"vehicle", "no"}}, false, 0, false, false},
      {{{"highway", "service"}, {"access", "agricultural;forestry"}}, false, 0, false, false},
      {{{"highway", "primary"}, {"oneway", "reversible"}}, false, 0, false, false},
      {{{"highway", "pedestrian"}, {"area", "yes"}}, false, 0, false, false},
  };
  for (const RoadCase& c : cases) {
    const Tagged tagged(c.tags);
    const auto road = carRoad(tagged.tags());
    std::string label;
    for (const auto& [k, v] : c.tags) label += std::string(k) + "=" + v + " ";
    ASSERT_EQ(road.has_value(), c.car) << label;
    if (!road) continue;
    EXPECT_EQ(road->roadClass, c.roadClass) << label;
    EXPECT_EQ(road->directions.forward, c.forward) << label;
    EXPECT_EQ(road->directions.backward, c.backward) << label;
  }
}

TEST(OsmTags, BuiltUpAreas) {
  const struct {
    TagInit tags;
    bool builtUp;
  } cases[] = {
      {{{"landuse", "residential"}}, true}, {{{"landuse", "industrial"}}, true},
      {{{"landuse", "retail"}}, true},      {{{"landuse", "commercial"}}, true},
      {{{"place", "village"}}, true},       {{{"place", "suburb"}}, true},
      {{{"landuse", "farmland"}}, false},   {{{"landuse", "forest"}}, false},
      {{{"place", "locality"}}, false},     {{{"boundary", "postal_code"}}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isBuiltUpArea(Tagged(c.tags).tags()), c.builtUp) << c.tags.begin()->second;
  }
}

TEST(OsmTags, DrawingLayers) {
  EXPECT_EQ(areaKind(Tagged({{"building", "yes"}}).tags()), FeatureKind::Building);
  EXPECT_EQ(areaKind(Tagged({{"building", "no"}, {"landuse", "forest"}}).tags()),
            FeatureKind::Forest);
  EXPECT_EQ(areaKind(Tagged({{"natural", "water"}}).tags()), FeatureKind::Water);
  EXPECT_EQ(areaKind(Tagged({{"leisure", "park"}}).tags()), FeatureKind::Park);
  EXPECT_EQ(areaKind(Tagged({{"landuse", "meadow"}}).tags()), FeatureKind::Farmland);
  EXPECT_EQ(areaKind(Tagged({{"landuse", "retail"}}).tags()), FeatureKind::Residential);
  EXPECT_FALSE(areaKind(Tagged({{"boundary", "postal_code"}}).tags()));
  EXPECT_EQ(lineKind(Tagged({{"railway", "rail"}}).tags()), FeatureKind::Railway);
  EXPECT_FALSE(lineKind(Tagged({{"railway", "abandoned"}}).tags()));
  EXPECT_EQ(lineKind(Tagged({{"waterway", "stream"}}).tags()), FeatureKind::Waterway);
}

TEST(OsmTags, CountryCodeDefaultsToGermany) {
  EXPECT_EQ(countryCode(nullptr), "D");
  EXPECT_EQ(countryCode(""), "D");
  EXPECT_EQ(countryCode("DE"), "D");
  EXPECT_EQ(countryCode("AT"), "AT");
}

}  // namespace
}  // namespace geo::osm
