#include "geo/map/coords.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geo/map/transform.h"
#include "geo/map/viewport.h"

namespace geo {
namespace {

TEST(Coordinates, KnownMercatorValues) {
  EXPECT_EQ(lonLatToMap(0, 0), (Point{0, 0}));
  // EPSG:3857 of lon 10 / lat 50: x = R * lon, y = R * ln(tan(pi/4 + lat/2)), R = 6378137.
  EXPECT_EQ(lonLatToMap(10, 50), (Point{1113195, 6446276}));
  EXPECT_EQ(gpsToMap({1000000, 5000000}), (Point{1113195, 6446276}));
  EXPECT_EQ(lonLatToMap(-180, 0).x, -20037508);
  // Beyond the Mercator square latitudes are held at its edge instead of running off.
  EXPECT_EQ(lonLatToMap(0, 90).y, lonLatToMap(0, kMaxLatitude).y);
  EXPECT_EQ(lonLatToMap(0, 90).y, 20037508);
}

TEST(Coordinates, GpsToMapAndBackWithinOneHundredThousandthDegree) {
  for (int lon = -18000000; lon <= 18000000; lon += 1234567) {
    for (int lat = -8500000; lat <= 8500000; lat += 987654) {
      const Point gps{lon, lat};
      const Point back = mapToGps(gpsToMap(gps));
      EXPECT_LE(std::abs(back.x - gps.x), 1) << lon << " " << lat;
      EXPECT_LE(std::abs(back.y - gps.y), 1) << lon << " " << lat;
    }
  }
}

TEST(Coordinates, GroundDistanceIsNotMercatorDistance) {
  // One degree of longitude at 50 degrees north is about 71.5 km on the ground.
  EXPECT_NEAR(distanceMetres(10, 50, 11, 50), 71.5e3, 0.3e3);
  EXPECT_NEAR(mapDistanceMetres(lonLatToMap(10, 50), lonLatToMap(11, 50)), 71.5e3, 0.3e3);
}

TEST(Viewport, SectionFillsWindowAroundItsCentre) {
  Viewport view(800, 600);
  ASSERT_TRUE(view.showSection({1000000, 6000000, 1008000, 6006000}));
  EXPECT_DOUBLE_EQ(view.unitsPerPixel(), 10.0);
  EXPECT_EQ(view.pixelToMap({400, 300}), (Point{1004000, 6003000}));
  EXPECT_EQ(view.pixelToMap({0, 0}), (Point{1000000, 6006000}));  // upper left = north-west
  EXPECT_EQ(view.pixelToMap({800, 600}), (Point{1008000, 6000000}));
  EXPECT_EQ(view.section(), (Box{1000000, 6000000, 1008000, 6006000}));
}

TEST(Viewport, ZoomAndDegenerateSections) {
  Viewport view(100, 100);
  ASSERT_TRUE(view.showSection({0, 0, 1000, 1000}));
  EXPECT_TRUE(view.zoom(0.5));
  EXPECT_EQ(view.section(), (Box{250, 250, 750, 750}));
  EXPECT_FALSE(view.zoom(0));
  EXPECT_FALSE(view.zoom(-2));
  EXPECT_FALSE(view.showSection({0, 0, 0, 1000}));
  EXPECT_FALSE(view.showSection({10, 10, 0, 0}));
  EXPECT_EQ(view.section(), (Box{250, 250, 750, 750}));
}

TEST(Viewport, RotationTurnsTheMapCounterClockwise) {
  Viewport view(200, 200);
  ASSERT_TRUE(view.showSection({0, 0, 2000, 2000}));
  view.setRotation(std::numbers::pi / 2);
  // East of the centre now shows above it, north shows to its left.
  EXPECT_EQ(view.mapToPixel({1500, 1000}), (Point{100, 50}));
  EXPECT_EQ(view.mapToPixel({1000, 1500}), (Point{50, 100}));
  EXPECT_EQ(view.pixelToMap({100, 50}), (Point{1500, 1000}));
}

TEST(Viewport, PixelsAndMapRoundTripAtAnyRotation) {
  for (double degrees : {0.0, 30.0, 90.0, 180.0, -45.0, 271.0}) {
    Viewport view(640, 480);
    ASSERT_TRUE(view.showSection({1200000, 6400000, 1232000, 6424000}));
    view.setRotation(degrees * std::numbers::pi / 180);
    for (Point pixel : {Point{0, 0}, Point{639, 0}, Point{320, 240}, Point{17, 463}}) {
      const Point back = view.mapToPixel(view.pixelToMap(pixel));
      EXPECT_LE(std::abs(back.x - pixel.x), 1) << degrees;
      EXPECT_LE(std::abs(back.y - pixel.y), 1) << degrees;
    }
    const Point map{1210000, 6410000};
    const Point again = view.pixelToMap(view.mapToPixel(map));
    EXPECT_LE(std::abs(again.x - map.x), 50) << degrees;  // one pixel is 50 units here
    EXPECT_LE(std::abs(again.y - map.y), 50) << degrees;
  }
}

TEST(Transform, ConvertsBetweenAllFormats) {
  Viewport view(1000, 1000);
  ASSERT_TRUE(view.showSection({1100000, 6400000, 1110000, 6410000}));
  const Transform transform(&view);
  const Point gps{1000000, 5000000};
  const Point map = gpsToMap(gps);
  const Point pixel = view.mapToPixel(map);
  struct Case {
    Point from;
    int source;
    int dest;
    Point expected;
  };
  const Case cases[] = {
      {gps, 4, 3, map},   {gps, 4, 0, map},   {map, 3, 4, gps},   {map, 0, 4, gps},
      {map, 0, 3, map},   {map, 3, 0, map},   {map, 0, 1, pixel}, {pixel, 1, 0, map},
      {pixel, 1, 4, gps}, {gps, 4, 1, pixel}, {gps, 4, 4, gps},
  };
  for (const Case& c : cases) {
    Point p = c.from;
    EXPECT_TRUE(transform.convert(p, c.source, c.dest)) << c.source << "->" << c.dest;
    if (c.source == 1 || c.dest == 1) {
      // A pixel is ten map units (and fewer GPS units) wide here.
      EXPECT_LE(std::abs(p.x - c.expected.x), 10) << c.source << "->" << c.dest;
      EXPECT_LE(std::abs(p.y - c.expected.y), 10) << c.source << "->" << c.dest;
    } else {
      EXPECT_EQ(p, c.expected) << c.source << "->" << c.dest;
    }
  }
}

TEST(Transform, RefusesUnknownFormatsAndPixelsWithoutView) {
  const Transform transform;
  for (auto [source, dest] :
       {std::pair{2, 3}, std::pair{4, 5}, std::pair{1, 0}, std::pair{0, 1}, std::pair{-1, 4}}) {
    Point p{123, 456};
    EXPECT_FALSE(transform.convert(p, source, dest)) << source << "->" << dest;
    EXPECT_EQ(p, (Point{123, 456}));
  }
}

}  // namespace
}  // namespace geo
