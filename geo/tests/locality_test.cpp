#include "geo/osm/locality.h"

#include <gtest/gtest.h>

namespace geo {
namespace {

std::vector<Line> square(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  return {{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}};
}

// A town centre at the origin, a district centre 3000 units east, a village 20000 units north,
// a postal code area with a hole and a nested smaller one.
class Locality : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<Line> withHole = square(-5000, -5000, 5000, 5000);
    withHole.push_back(square(-1000, -1000, 1000, 1000).front());
    resolver.addPostalArea("11111", withHole);
    resolver.addPostalArea("22222", square(2000, 2000, 3000, 3000));
    resolver.addPlaceCentre("Altstadt", PlaceKind::Town, {0, 0});
    resolver.addPlaceCentre("Neudorf", PlaceKind::Suburb, {3000, 0});
    resolver.addPlaceCentre("Weiler", PlaceKind::Village, {0, 20000});
    resolver.build();
  }
  LocalityResolver resolver;
};

TEST_F(Locality, PostalCodeOfTheSmallestAreaOutsideHoles) {
  EXPECT_EQ(resolver.postalCode({4000, 4000}), "11111");
  EXPECT_EQ(resolver.postalCode({2500, 2500}), "22222");  // nested inside 11111
  EXPECT_EQ(resolver.postalCode({0, 0}), "");             // in the hole
  EXPECT_EQ(resolver.postalCode({9000, 0}), "");
}

TEST_F(Locality, TownAndDistrictFromNearestCentres) {
  struct Case {
    Point p;
    const char* town;
    const char* district;
  };
  for (const Case& c :
       {Case{{500, 0}, "Altstadt", ""},                            // nearer the town centre
        Case{{2500, 0}, "Altstadt", "Neudorf"},                    // nearer the district centre
        Case{{0, 19000}, "Weiler", ""}, Case{{0, 12000}, "", ""},  // beyond every reach
        Case{{5500, 0}, "Altstadt", ""}}) {                        // beyond the district's reach
    EXPECT_EQ(resolver.town(c.p), c.town) << c.p.x << "," << c.p.y;
    EXPECT_EQ(resolver.district(c.p), c.district) << c.p.x << "," << c.p.y;
  }
}

}  // namespace
}  // namespace geo
