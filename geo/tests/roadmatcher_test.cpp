#include "geo/route/roadmatcher.h"

#include <gtest/gtest.h>

#include "geo/map/geometry.h"
#include "geo/tests/importedmaps.h"
#include "geo/tests/roadsketch.h"

namespace geo {
namespace {

// A main road along y = 1000 and, 40 m north of it, a parallel side road joined to it at
// both ends: a noisy track along the main road lies partly nearer to the side road.
class ParallelRoads : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto a = sketch_.at(0, 1000), b = sketch_.at(2000, 1000);
    const auto c = sketch_.at(200, 1040), d = sketch_.at(1800, 1040);
    const auto ac = sketch_.at(200, 1000), bd = sketch_.at(1800, 1000);
    sketch_.road({a, ac, 2, false, false, "Hauptstraße"});
    sketch_.road({ac, bd, 2, false, false, "Hauptstraße"});
    sketch_.road({bd, b, 2, false, false, "Hauptstraße"});
    sketch_.road({ac, c, 7});
    sketch_.road({c, d, 7, false, false, "Parallelweg"});
    sketch_.road({d, bd, 7});
    map_ = sketch_.open();
    router_ = std::make_unique<Router>(*map_);
  }

  testing::RoadSketch sketch_;
  std::unique_ptr<CompiledMap> map_;
  std::unique_ptr<Router> router_;
};

TEST_F(ParallelRoads, NoisyTrackStaysOnTheRoadItFollows) {
  // Every 100 m, alternately 8 m south and 24 m north of the main road: several points lie
  // nearer to the side road, yet hopping over would make the way far longer than the track.
  std::vector<Point> track;
  for (int i = 0; i <= 16; ++i) track.push_back({150 + 100 * i, 1000 + (i % 2 ? 24 : -8)});
  const MatchResult match = matchTrack(*router_, track, {});
  ASSERT_TRUE(match.ok) << match.error;
  EXPECT_EQ(match.unmatchedPoints, 0u);
  EXPECT_EQ(match.route.distanceMetres(), 1600u);
  for (const RoadPosition& p : match.route.waypoints) EXPECT_EQ(p.point.y, 1000);
  // 1600 m of primary road outside built-up areas at 80 km/h.
  EXPECT_EQ(match.route.durationSeconds(), 72u);
}

TEST_F(ParallelRoads, TrackAlongTheSideRoadIsMatchedToIt) {
  std::vector<Point> track;
  for (int i = 0; i <= 10; ++i) track.push_back({400 + 100 * i, 1040 + (i % 2 ? 5 : -5)});
  const MatchResult match = matchTrack(*router_, track, {});
  ASSERT_TRUE(match.ok) << match.error;
  for (const RoadPosition& p : match.route.waypoints) EXPECT_EQ(p.point.y, 1040);
  EXPECT_EQ(match.route.distanceMetres(), 1000u);
}

TEST_F(ParallelRoads, PointsFarFromRoadsAreLeftOutAndCounted) {
  const Point track[] = {{300, 1000}, {900, 1500}, {600, 1000}};
  const MatchResult match = matchTrack(*router_, track, {});
  ASSERT_TRUE(match.ok) << match.error;
  EXPECT_EQ(match.unmatchedPoints, 1u);
  EXPECT_EQ(match.matchedPoints, (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(match.route.distanceMetres(), 300u);
}

TEST_F(ParallelRoads, UnusableTracksGiveReasons) {
  struct Case {
    std::vector<Point> track;
    const char* error;
  };
  const Case cases[] = {
      {{{300, 1000}}, "Für den Straßenabgleich sind mindestens zwei Spurpunkte nötig."},
      {{{300, 5000}, {400, 5000}}, "Kein Spurpunkt liegt in der Nähe einer befahrbaren Straße."},
      {{{300, 1000}, {300, 1001}}, "Die Spur bewegt sich auf keiner Straße weiter."},
  };
  for (const Case& c : cases) {
    const MatchResult match = matchTrack(*router_, c.track, {});
    EXPECT_FALSE(match.ok);
    EXPECT_EQ(match.error, c.error);
  }
}

// A track recorded along a real route, one point about every 40 m, each a few metres off
// the road: matched, it gives back the route.
TEST(RoadMatching, TrackAlongARouteInNorthBayreuthGivesTheRouteBack) {
  const auto bayreuth = testing::importNorthBayreuth();
  if (!bayreuth) GTEST_SKIP() << "north Bayreuth extract not in " << ZEP_SHARED_DATA_DIR;
  ASSERT_TRUE(bayreuth->map);
  const Router router(*bayreuth->map);
  const Point ends[] = {gpsToMap({1150000, 5000000}), gpsToMap({1158000, 5003000})};
  const RouteResult driven = router.route(ends, {});
  ASSERT_TRUE(driven.ok) << driven.error;
  ASSERT_GT(driven.distanceMetres(), 3000u);

  std::vector<Point> track;
  const double step = 40.0 / mapDistanceMetres(ends[0], {ends[0].x + 1000, ends[0].y}) * 1000;
  const double length = mapLength(driven.geometry);
  for (int i = 0; i * step <= length; ++i) {
    const Point p = pointAlong(driven.geometry, i * step / length);
    const int off = i % 2 ? 6 : -6;
    track.push_back({p.x + off, p.y - off});
  }
  const MatchResult match = matchTrack(router, track, {});
  ASSERT_TRUE(match.ok) << match.error;
  EXPECT_EQ(match.unmatchedPoints, 0u);
  EXPECT_NEAR(match.route.distanceMetres(), driven.distanceMetres(),
              0.03 * driven.distanceMetres());
  EXPECT_NEAR(match.route.durationSeconds(), driven.durationSeconds(),
              0.05 * driven.durationSeconds());
}

}  // namespace
}  // namespace geo
