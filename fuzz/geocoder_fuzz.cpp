// Address searches on the demo map: "country|postal code|town|district|street and number",
// and a reverse lookup at a point of the map chosen by the text.

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/geocode/geocoder.h"
#include "geo/map/compiledmap.h"
#include "geo/osm/demoregion.h"
#include "geo/osm/osmimport.h"
#include "geo/tests/tempdir.h"

namespace {

struct DemoMap {
  DemoMap() {
    std::string error;
    if (!geo::writeDemoRegion(folder.file("demo.osm"), error) ||
        !geo::importOsm(folder.file("demo.osm"), folder.file("map"), error) ||
        !(map = geo::CompiledMap::open(folder.file("map"), error))) {
      std::fprintf(stderr, "demo map: %s\n", error.c_str());
      std::abort();
    }
    geocoder = std::make_unique<geo::Geocoder>(*map);
  }
  geo::testing::TempDir folder;
  std::unique_ptr<geo::CompiledMap> map;
  std::unique_ptr<geo::Geocoder> geocoder;
};

const DemoMap& TheDemoMap() {
  static const DemoMap demo;
  return demo;
}

// A point inside the map's bounds (and a little around them) picked by the text.
geo::Point PointFor(std::string_view text, const geo::Box& bounds) {
  const std::size_t hash = std::hash<std::string_view>{}(text);
  const std::int64_t width = std::int64_t{bounds.maxX} - bounds.minX + 2000;
  const std::int64_t height = std::int64_t{bounds.maxY} - bounds.minY + 2000;
  return {static_cast<std::int32_t>(bounds.minX - 1000 + std::int64_t(hash % width)),
          static_cast<std::int32_t>(bounds.minY - 1000 + std::int64_t((hash >> 32) % height))};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  TheDemoMap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DemoMap& demo = TheDemoMap();
  const std::string_view text = zepfuzz::Bytes(data, size);
  const auto fields = zepfuzz::Fields(text, '|', 5);
  const geo::GeocodeResult result =
      demo.geocoder->search({fields[0], fields[1], fields[2], fields[3], fields[4]});
  // The code says how many candidates there are: none, one clear one, or several.
  if ((result.code == 0) != result.candidates.empty()) std::abort();
  demo.geocoder->reverse(PointFor(text, demo.map->bounds()));
  return 0;
}
