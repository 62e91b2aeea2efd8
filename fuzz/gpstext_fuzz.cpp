// GPS positions as the web application writes them ("latitude|longitude" in decimal degrees,
// point or comma), turned into map coordinates and back.

#include <cstdlib>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/map/ttransform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = zepfuzz::Fields(zepfuzz::Bytes(data, size), '|', 2);
  const TTransform transform;
  const TPoint map = transform.TransGPSStringToMercator(fields[0], fields[1]);
  const TPoint gps = transform.TransMercatorToGPS(map);
  // Where a GPS unit spans only a few map metres, the way back must land where it started.
  const bool moderate = std::abs(gps.X) <= 18000000 && std::abs(gps.Y) <= 7000000;
  const TPoint again = transform.TransGPSToMercator(gps);
  if (moderate && (std::abs(static_cast<long long>(again.X) - map.X) > 8 ||
                   std::abs(static_cast<long long>(again.Y) - map.Y) > 8)) {
    std::abort();
  }
  for (int source = -1; source <= 5; ++source) {
    for (int dest = -1; dest <= 5; ++dest) transform.Trans(map, source, dest);
  }
  return 0;
}
