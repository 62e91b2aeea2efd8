#pragma once

#include <cstdint>
#include <string>

namespace geo {

struct SynthRegionOptions {
  std::uint64_t roadNodes = 100000;  // the region grows until its roads have this many nodes
  std::uint64_t seed = 1;
};

struct SynthRegionSummary {
  std::uint64_t roadNodes = 0;  // nodes of highway ways
  std::uint64_t nodes = 0;
  std::uint64_t ways = 0;
  std::uint64_t addresses = 0;
  std::uint64_t buildings = 0;
  std::uint64_t settlements = 0;
};

// Writes a made-up German region as an OpenStreetMap file (format from the file name, say
// .osm.pbf): towns, villages and hamlets with street grids, houses with addresses and postal
// codes, districts in the cities, country roads, federal roads and motorways with junctions,
// one-way streets, closed roads, rivers with bridges, land use. The same options give the
// same file. The file appears under its name only when complete.
bool writeSyntheticRegion(const std::string& path, const SynthRegionOptions& options,
                          SynthRegionSummary& summary, std::string& error);

}  // namespace geo
