#include "geo/map/ttransform.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {
constexpr int kMercator = 3;
constexpr int kGps = 4;

std::string TrimBlanks(const std::string& S) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(S.begin(), S.end(), isBlank);
  const auto last = std::find_if_not(S.rbegin(), S.rend(), isBlank).base();
  return first < last ? std::string(first, last) : std::string();
}

// The text read with "," as the decimal separator after its first "." became one; a text
// with any other "." or further characters is no number and reads as 0.
double ReadDegrees(std::string Text) {
  if (const auto dot = Text.find('.'); dot != std::string::npos) Text[dot] = ',';
  Text = TrimBlanks(Text);
  if (Text.empty() || Text.find('.') != std::string::npos) return 0;
  std::replace(Text.begin(), Text.end(), ',', '.');
  const char* begin = Text.data() + (Text.front() == '+' ? 1 : 0);
  const char* end = Text.data() + Text.size();
  double value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return 0;
  return value;
}

// Degrees to whole GPS units, the fraction dropped. The nudge keeps 50.12345 at 5012345
// although the binary value lies a hair below; out-of-range degrees stay inside 32 bits.
int GpsUnits(double Degrees) {
  constexpr double kLimit = std::numeric_limits<int>::max();
  const double units = Degrees * 100000.0;
  const double nudged = units + std::copysign(1e-6, units);
  return static_cast<int>(std::trunc(std::clamp(nudged, -kLimit, kLimit)));
}
}  // namespace

TPoint TTransform::Trans(TPoint Point, int SourceFmt, int DestFmt) const {
  geo::Point point{Point.X, Point.Y};
  if (!m_Transform.convert(point, SourceFmt, DestFmt)) return Point;
  return {point.x, point.y};
}

TPoint TTransform::TransMercatorToGPS(TPoint Point) const { return Trans(Point, kMercator, kGps); }

TPoint TTransform::TransGPSToMercator(TPoint Point) const { return Trans(Point, kGps, kMercator); }

TPoint TTransform::TransGPSStringToMercator(std::string Latitude, std::string Longitude) const {
  const TPoint gps{GpsUnits(ReadDegrees(std::move(Longitude))),
                   GpsUnits(ReadDegrees(std::move(Latitude)))};
  return TransGPSToMercator(gps);
}
