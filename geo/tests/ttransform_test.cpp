#include "geo/map/ttransform.h"

#include <gtest/gtest.h>

#include "geo/map/coords.h"

namespace {

TPoint MercatorOfGps(int X, int Y) {
  const geo::Point map = geo::gpsToMap({X, Y});
  return {map.x, map.y};
}

TEST(TTransformTest, ConvertsBetweenGpsAndMercator) {
  const TTransform transform;
  const TPoint gps{1340000, 5252000};
  const TPoint mercator = transform.TransGPSToMercator(gps);
  EXPECT_EQ(mercator, MercatorOfGps(1340000, 5252000));
  EXPECT_NEAR(mercator.X, 1491681, 2);
  EXPECT_NEAR(mercator.Y, 6894700, 2);
  const TPoint back = transform.TransMercatorToGPS(mercator);
  EXPECT_NEAR(back.X, gps.X, 1);
  EXPECT_NEAR(back.Y, gps.Y, 1);
  EXPECT_EQ(transform.Trans(mercator, 3, 4), back);
}

TEST(TTransformTest, MapAndMercatorAreTheSameValues) {
  const TTransform transform;
  EXPECT_EQ(transform.Trans({1200000, 6500000}, 0, 3), (TPoint{1200000, 6500000}));
}

TEST(TTransformTest, PixelsAndUnknownFormatsLeaveThePoint) {
  const TTransform transform;
  for (const auto& [source, dest] : {std::pair{1, 3}, {3, 1}, {2, 3}, {4, 9}})
    EXPECT_EQ(transform.Trans({100, 200}, source, dest), (TPoint{100, 200})) << source << dest;
}

struct GpsTextCase {
  const char* Latitude;
  const char* Longitude;
  int X;  // GPS units the texts must give
  int Y;
};

TEST(TTransformTest, ReadsGpsTextsWithPointOrComma) {
  const TTransform transform;
  const GpsTextCase cases[] = {
      {"50.5", "8,25", 825000, 5050000},
      {"50.12345", "8.00001", 800001, 5012345},
      {"50,12345", " 8.00001 ", 800001, 5012345},
      {"-33.9", "-70.7", -7070000, -3390000},
      {"+52.52", "13.4", 1340000, 5252000},
      {"50.123456", "7.999999", 799999, 5012345},  // fractions of units are dropped
      {"abc", "8.5", 850000, 0},
      {"", "8.5", 850000, 0},
      {"50.5.1", "8.5", 850000, 0},  // only the first point is a decimal separator
      {"50.5", "8,5,1", 0, 5050000},
      {"1e400", "8.5", 850000, 0},
  };
  for (const GpsTextCase& c : cases) {
    EXPECT_EQ(transform.TransGPSStringToMercator(c.Latitude, c.Longitude), MercatorOfGps(c.X, c.Y))
        << c.Latitude << " / " << c.Longitude;
  }
}

TEST(TTransformTest, DegreesBeyondTheEarthStayInsideTheIntegerRange) {
  const TTransform transform;
  const TPoint point = transform.TransGPSStringToMercator("99999999999", "-99999999999");
  EXPECT_EQ(point, MercatorOfGps(-2147483647, 2147483647));
}

}  // namespace
