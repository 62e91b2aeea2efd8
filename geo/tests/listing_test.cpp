#include "geo/route/listing.h"

#include <gtest/gtest.h>

#include "geo/tests/importedmaps.h"
#include "geo/tests/roadsketch.h"

namespace geo {
namespace {

double kilometresOf(const std::string& text) {
  std::string s = text;
  for (char& c : s) {
    if (c == ',') c = '.';
  }
  return std::stod(s);
}

TEST(Listing, ColumnsComeInTheOrderOfTheirTypeCodes) {
  const auto& columns = listingColumns();
  ASSERT_EQ(columns.size(), 29u);
  for (std::size_t i = 1; i < columns.size(); ++i) EXPECT_LT(columns[i - 1].code, columns[i].code);
  EXPECT_STREQ(columns[0].name, "Comment");
  EXPECT_STREQ(columns[3].name, "Desription");
  EXPECT_STREQ(columns.back().name, "DirectionType");
  // Readers of the listing find the symbol in the tenth and the description in the fourth
  // column.
  EXPECT_EQ(listingColumnIndex(10), 9);
  EXPECT_EQ(listingColumnIndex(4), 3);
  EXPECT_EQ(listingColumnIndex(13), -1);
}

class DemoListing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { demo_ = testing::importDemoRegion().release(); }
  static void TearDownTestSuite() { delete demo_; }
  static testing::ImportedMap* demo_;
};
testing::ImportedMap* DemoListing::demo_ = nullptr;

TEST_F(DemoListing, TwoWaypointRouteHasFlagRowsFirstAndLastAndGrowingKilometres) {
  ASSERT_TRUE(demo_->map);
  const Router router(*demo_->map);
  const Point points[] = {{1216000, 6480000}, {1222000, 6484000}};
  const RouteResult route = router.route(points, {});
  ASSERT_TRUE(route.ok) << route.error;
  const std::string labels[] = {"Kunde Meier", "Kunde Schulz"};
  const std::vector<ListingRow> rows = routeListing(*demo_->map, route, {}, labels);
  ASSERT_GE(rows.size(), 3u);

  const int symbol = listingColumnIndex(10), description = listingColumnIndex(4);
  const int km = listingColumnIndex(7), diffKm = listingColumnIndex(5);
  EXPECT_EQ(rows.front()[symbol].rfind("#flag", 0), 0u);
  EXPECT_EQ(rows.back()[symbol].rfind("#flag", 0), 0u);
  EXPECT_EQ(rows.front()[description], "Kunde Meier");
  EXPECT_EQ(rows.back()[description], "Kunde Schulz");
  double previous = 0, sumOfSteps = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), listingColumns().size());
    if (i > 0 && i + 1 < rows.size()) {
      EXPECT_EQ(rows[i][symbol].find("flag"), std::string::npos) << i;
    }
    const double now = kilometresOf(rows[i][km]);
    EXPECT_GE(now, previous) << i;
    previous = now;
    sumOfSteps += kilometresOf(rows[i][diffKm]);
  }
  EXPECT_GT(previous, 0.5);
  EXPECT_NEAR(previous, route.distanceMetres() / 1000.0, 0.011);
  EXPECT_NEAR(sumOfSteps, previous, 0.01 * rows.size());
}

TEST(Listing, TurnsAndStreetChangesBecomeRowsWithTheirDirection) {
  // West to east along Lindenweg, then left (north) into Birkenweg.
  testing::RoadSketch sketch;
  const auto a = sketch.at(0, 1000), b = sketch.at(500, 1000), c = sketch.at(1000, 1000);
  const auto d = sketch.at(1000, 1600);
  sketch.road({a, b, 5, false, true, "Lindenweg"});
  sketch.road({b, c, 5, false, true, "Lindenweg"});
  sketch.road({c, d, 4, false, false, "Birkenweg"});
  const auto map = sketch.open();
  const Router router(*map);
  const Point points[] = {{100, 1000}, {1000, 1500}};
  const RouteResult route = router.route(points, {});
  ASSERT_TRUE(route.ok) << route.error;
  const std::vector<ListingRow> rows = routeListing(*map, route, {}, {});
  // Waypoint, start on Lindenweg, turn into Birkenweg, waypoint.
  ASSERT_EQ(rows.size(), 4u);
  const auto value = [&](std::size_t row, int code) { return rows[row][listingColumnIndex(code)]; };
  EXPECT_EQ(value(0, 4), "Wegpunkt 1");
  EXPECT_EQ(value(1, 4), "Losfahren auf Lindenweg");
  EXPECT_EQ(value(1, 2), "O");
  EXPECT_EQ(value(2, 4), "Links abbiegen auf Birkenweg");
  EXPECT_EQ(value(2, 6), "links");
  EXPECT_EQ(value(2, 10), "#links");
  EXPECT_EQ(value(2, 17), "90");
  EXPECT_EQ(value(2, 2), "N");
  EXPECT_EQ(value(2, 3), "1000,1000");
  EXPECT_EQ(value(2, 7), "0,90");
  EXPECT_EQ(value(2, 24), "außerorts");
  EXPECT_EQ(value(1, 24), "innerorts");
  EXPECT_EQ(value(3, 7), "1,40");
  EXPECT_EQ(value(3, 5), "0,50");
  // 900 m at 20 km/h in town, then 500 m at 50 km/h: 162 s + 36 s.
  EXPECT_EQ(value(3, 11), "00:03:18");
  EXPECT_EQ(value(3, 10), "#flag2");
}

}  // namespace
}  // namespace geo
