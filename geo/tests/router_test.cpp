#include "geo/route/router.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geo/tests/importedmaps.h"
#include "geo/tests/roadsketch.h"

namespace geo {
namespace {

using testing::RoadSketch;

TEST(Profile, SpeedSlotsFollowTheDrivingOptionsOrder) {
  struct Case {
    std::uint8_t roadClass;
    bool builtUp;
    double standard, mode1, mode9;
  };
  const Case cases[] = {
      {0, false, 130, 140, 10}, {0, true, 120, 135, 7}, {1, true, 65, 70, 2},
      {1, false, 100, 125, 7},  {2, true, 35, 35, 2},   {2, false, 80, 85, 7},
      {5, true, 20, 20, 2},     {5, false, 30, 40, 7},  {6, true, 15, 18, 2},
      {6, false, 16, 16, 5},    {7, true, 10, 9, 3},    {7, false, 5, 5, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.roadClass) << (c.builtUp ? " inside" : " outside"));
    EXPECT_EQ(Profile::standard().speedKmh(c.roadClass, c.builtUp), c.standard);
    EXPECT_EQ(Profile::forMode(1).speedKmh(c.roadClass, c.builtUp), c.mode1);
    EXPECT_EQ(Profile::forMode(9).speedKmh(c.roadClass, c.builtUp), c.mode9);
  }
  EXPECT_EQ(Profile::forMode(0), Profile::standard());
  EXPECT_EQ(Profile::forMode(7), Profile::standard());
  EXPECT_EQ(Profile::forMode(2).speedKmh(1, false), 100);
}

TEST(Profile, CostMixesTimeAndDistanceByTheTimeFactor) {
  // 1000 m of unclassified road outside built-up areas: 120 s at 30 km/h; the distance part
  // counts the metres as driven at 50 km/h, 72 s.
  const EdgeRecord edge{0, 1, 1000.0f, 0, {0, 0}, 5, 0, 0};
  struct Case {
    int timeFactor;
    std::uint32_t cost;
  };
  for (const Case& c :
       {Case{100, 12000}, Case{0, 7200}, Case{50, 9600}, Case{255, 12000}, Case{-3, 7200}}) {
    const Weight w = edgeWeight(edge, {Profile::standard(), c.timeFactor});
    EXPECT_EQ(w.cost, c.cost) << c.timeFactor;
    EXPECT_EQ(w.millis, 120000u);
    EXPECT_EQ(w.centimetres, 100000u);
  }
  // A speed of 0 in a table does not close the road or divide by zero.
  Profile stopped = Profile::standard();
  stopped.speedsKmh.fill(0);
  EXPECT_EQ(edgeWeight(edge, {stopped, 100}).millis, 3600000u);
}

// A square block whose southern side is one-way eastwards.
class OneWayBlock : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto a = sketch_.at(0, 1000), b = sketch_.at(1000, 1000);
    const auto c = sketch_.at(1000, 2000), d = sketch_.at(0, 2000);
    sketch_.road({a, b, 5, true});
    sketch_.road({b, c});
    sketch_.road({c, d});
    sketch_.road({d, a});
    map_ = sketch_.open();
    router_ = std::make_unique<Router>(*map_);
  }

  std::uint32_t metres(Point from, Point to) {
    const Point points[] = {from, to};
    const RouteResult route = router_->route(points, {});
    EXPECT_TRUE(route.ok) << route.error;
    return route.distanceMetres();
  }

  RoadSketch sketch_;
  std::unique_ptr<CompiledMap> map_;
  std::unique_ptr<Router> router_;
};

TEST_F(OneWayBlock, OneWayStreetIsDrivenOnlyInItsDirection) {
  EXPECT_EQ(metres({100, 990}, {900, 990}), 800u);
  // Backwards along the one-way street: round the block, 100 + 3 x 1000 + 100.
  EXPECT_EQ(metres({900, 990}, {100, 990}), 3200u);
  // The two-way sides work both ways along the same road.
  EXPECT_EQ(metres({1010, 1200}, {1010, 1700}), 500u);
  EXPECT_EQ(metres({1010, 1700}, {1010, 1200}), 500u);
  EXPECT_EQ(metres({100, 990}, {100, 1010}), 0u);
}

TEST_F(OneWayBlock, SnapsToTheNearestRoadAndDrawsFromSnapToSnap) {
  const auto snapped = router_->snap({400, 960});
  ASSERT_TRUE(snapped);
  EXPECT_EQ(snapped->point, (Point{400, 1000}));
  EXPECT_NEAR(snapped->fraction, 0.4, 1e-9);
  EXPECT_NEAR(snapped->distanceMetres, 40, 0.1);
  EXPECT_FALSE(snapped->twoWay());

  const Point points[] = {{400, 960}, {1050, 1500}};
  const RouteResult route = router_->route(points, {});
  ASSERT_TRUE(route.ok) << route.error;
  EXPECT_EQ(route.geometry.front(), (Point{400, 1000}));
  EXPECT_EQ(route.geometry.back(), (Point{1000, 1500}));
  EXPECT_EQ(route.geometry.size(), 3u);  // over the corner b
  EXPECT_EQ(route.distanceMetres(), 1100u);
}

TEST_F(OneWayBlock, SeveralWaypointsAddUpTheirLegs) {
  const Point points[] = {{100, 990}, {900, 990}, {100, 990}};
  const RouteResult route = router_->route(points, {});
  ASSERT_TRUE(route.ok) << route.error;
  ASSERT_EQ(route.legs.size(), 2u);
  EXPECT_EQ(route.legs[0].weight.metres(), 800u);
  EXPECT_EQ(route.legs[1].weight.metres(), 3200u);
  EXPECT_EQ(route.distanceMetres(), 4000u);
  // 4000 m of unclassified road outside built-up areas at 30 km/h.
  EXPECT_EQ(route.durationSeconds(), 480u);
  EXPECT_EQ(route.durationTensOfSeconds(), 48u);
}

TEST_F(OneWayBlock, RefusesTooFewWaypointsAndTooLargeMatricesWithAReason) {
  const Point one[] = {{100, 990}};
  const RouteResult route = router_->route(one, {});
  EXPECT_FALSE(route.ok);
  EXPECT_EQ(route.error, "Für eine Route sind mindestens zwei Wegpunkte nötig.");

  const std::vector<Point> many(RouteMatrix::kMaxPoints + 1, Point{100, 990});
  const RouteMatrix matrix = router_->matrix(many, {});
  EXPECT_FALSE(matrix.ok);
  EXPECT_EQ(matrix.error, "Höchstens 4000 Punkte je Entfernungsmatrix zulässig.");
  EXPECT_TRUE(matrix.seconds.empty());
}

// From s to t either straight along a 2000 m unclassified road or over m along 2828 m of
// primary road.
struct ChoiceCase {
  const char* name;
  bool primaryBuiltUp;
  int timeFactor;
  int profileMode;
  std::uint32_t metres;
  std::uint32_t seconds;
};

class RouteChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(RouteChoice, PicksTheCheapestWayForProfileAndTimeFactor) {
  const ChoiceCase& c = GetParam();
  RoadSketch sketch;
  const auto s = sketch.at(0, 1000), m = sketch.at(1000, 2000), t = sketch.at(2000, 1000);
  sketch.road({s, t, 5});
  sketch.road({s, m, 2, false, c.primaryBuiltUp});
  sketch.road({m, t, 2, false, c.primaryBuiltUp});
  const auto map = sketch.open();
  const Router router(*map);
  const Point points[] = {{0, 1000}, {2000, 1000}};
  const RouteResult route = router.route(points, {Profile::forMode(c.profileMode), c.timeFactor});
  ASSERT_TRUE(route.ok) << route.error;
  EXPECT_EQ(route.distanceMetres(), c.metres);
  EXPECT_EQ(route.durationSeconds(), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RouteChoice,
    ::testing::Values(ChoiceCase{"FastestTakesThePrimaryRoad", false, 100, 0, 2828, 127},
                      ChoiceCase{"ShortestTakesTheStraightRoad", false, 0, 0, 2000, 240},
                      ChoiceCase{"TimeFactorAbove100CountsAs100", false, 255, 0, 2828, 127},
                      ChoiceCase{"MixedStillPrefersThePrimaryRoad", false, 50, 0, 2828, 127},
                      ChoiceCase{"BuiltUpPrimaryIsSlower", true, 100, 0, 2000, 240},
                      ChoiceCase{"ProfileWithEqualSpeedsTakesTheShorter", false, 100, 9, 2000,
                                 1029}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Router, OneWayRoadDrawnAgainstItsDirectionIsDrivenTheRightWay) {
  // The northern side bends over (500, 2200) and is drawn west to east but driven east to
  // west; the other sides are two-way.
  RoadSketch sketch;
  const auto a = sketch.at(0, 1000), b = sketch.at(1000, 1000);
  const auto c = sketch.at(1000, 2000), d = sketch.at(0, 2000);
  sketch.road({a, b});
  sketch.road({b, c});
  sketch.road({d, c, 5, true, false, "", {{500, 2200}}, true});
  sketch.road({d, a});
  const auto map = sketch.open();
  const Router router(*map);

  // Both points lie on the road, halfway along each of its two straight pieces.
  const double piece = std::hypot(500.0, 200.0);
  const Point westwards[] = {{750, 2100}, {250, 2100}};
  const RouteResult along = router.route(westwards, {});
  ASSERT_TRUE(along.ok) << along.error;
  ASSERT_EQ(along.geometry.size(), 3u);
  EXPECT_EQ(along.geometry[1], (Point{500, 2200}));
  EXPECT_GT(along.geometry.front().x, along.geometry.back().x);
  EXPECT_NEAR(along.distanceMetres(), piece, 1);

  const Point eastwards[] = {{250, 2100}, {750, 2100}};
  const RouteResult around = router.route(eastwards, {});
  ASSERT_TRUE(around.ok) << around.error;
  EXPECT_NEAR(around.distanceMetres(), piece + 3000, 1);
}

TEST(Router, SnapsOnlyToTheConnectedRoadNetwork) {
  RoadSketch sketch;
  const auto a = sketch.at(0, 1000), b = sketch.at(1000, 1000), c = sketch.at(1000, 2000);
  sketch.road({a, b});
  sketch.road({b, c});
  sketch.road({c, a});
  // A road nobody can drive onto, next to the second waypoint.
  const auto i = sketch.at(3000, 1000), j = sketch.at(3000, 1500);
  sketch.road({i, j});
  const auto map = sketch.open();
  const Router router(*map);
  const Point points[] = {{100, 1000}, {3010, 1200}};
  const RouteResult route = router.route(points, {});
  ASSERT_TRUE(route.ok) << route.error;
  EXPECT_EQ(route.waypoints[1].point, (Point{1000, 1200}));
  EXPECT_NEAR(route.waypoints[1].distanceMetres, 2010, 5);  // ground metres, not map units
}

TEST(Router, MapWithoutRoadsGivesAReason) {
  testing::TempDir dir;
  MapBuilder builder;
  builder.addAddress({"D", "95444", "Bayreuth", "", "Markt", "1", {10, 10}});
  std::string error;
  ASSERT_TRUE(builder.write(dir.path(), error)) << error;
  const auto map = CompiledMap::open(dir.path(), error);
  ASSERT_TRUE(map) << error;
  const Router router(*map);
  const Point points[] = {{0, 0}, {20, 20}};
  const RouteResult route = router.route(points, {});
  EXPECT_FALSE(route.ok);
  EXPECT_EQ(route.error, "Die Karte enthält keine befahrbaren Straßen.");
  EXPECT_FALSE(router.matrix(points, {}).ok);
}

// Random points near road nodes, a little off the road.
std::vector<Point> pointsNearRoads(const CompiledMap& map, std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> node(0, map.nodes().size() - 1);
  std::uniform_int_distribution<int> offset(-60, 60);
  std::vector<Point> points;
  for (std::size_t i = 0; i < count; ++i) {
    const Point p = map.nodes()[node(random)];
    points.push_back({p.x + offset(random), p.y + offset(random)});
  }
  return points;
}

void expectMatrixEqualsSingleRoutes(const CompiledMap& map, std::size_t count,
                                    const RouteOptions& options) {
  const Router router(map);
  const std::vector<Point> points = pointsNearRoads(map, count, 7);
  const RouteMatrix matrix = router.matrix(points, options);
  ASSERT_TRUE(matrix.ok) << matrix.error;
  ASSERT_EQ(matrix.size, count);
  for (std::size_t a = 0; a < count; ++a) {
    EXPECT_EQ(matrix.secondsAt(a, a), 0u);
    for (std::size_t b = 0; b < count; ++b) {
      const Point pair[] = {points[a], points[b]};
      const RouteResult route = router.route(pair, options);
      ASSERT_TRUE(route.ok) << route.error;
      ASSERT_EQ(matrix.secondsAt(a, b), route.durationSeconds()) << a << " -> " << b;
      ASSERT_EQ(matrix.metresAt(a, b), route.distanceMetres()) << a << " -> " << b;
    }
  }
}

TEST(RouterMatrix, EqualsSingleRoutesOnTheDemoMap) {
  const auto demo = testing::importDemoRegion();
  ASSERT_TRUE(demo->map);
  expectMatrixEqualsSingleRoutes(*demo->map, 40, {});
  expectMatrixEqualsSingleRoutes(*demo->map, 15, {Profile::forMode(9), 0});
}

TEST(RouterMatrix, EqualsSingleRoutesInNorthBayreuth) {
  const auto bayreuth = testing::importNorthBayreuth();
  if (!bayreuth) GTEST_SKIP() << "north Bayreuth extract not in " << ZEP_SHARED_DATA_DIR;
  ASSERT_TRUE(bayreuth->map);
  expectMatrixEqualsSingleRoutes(*bayreuth->map, 60, {});
  expectMatrixEqualsSingleRoutes(*bayreuth->map, 20, {Profile::forMode(2), 30});
}

}  // namespace
}  // namespace geo
