// OpenStreetMap XML as the map import reads it. A file the import accepts must give a map
// that the loader opens again: the import may refuse input, never write a damaged map.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz/fuzzinput.h"
#include "geo/map/compiledmap.h"
#include "geo/osm/osmimport.h"
#include "geo/tests/tempdir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const geo::testing::TempDir folder;
  const std::string input = folder.file("input.osm");
  const std::string output = folder.file("map");
  std::ofstream(input, std::ios::binary) << zepfuzz::Bytes(data, size);
  std::string error;
  if (!geo::importOsm(input, output, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (!geo::CompiledMap::open(output, error)) {
    std::fprintf(stderr, "imported map refused: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
