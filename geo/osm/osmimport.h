#pragma once

#include <functional>
#include <string>

namespace geo {

// Compiles an OpenStreetMap file (.osm, .osm.gz, .osm.bz2, .osm.pbf) into a compiled map in
// outputDirectory. On failure returns false with the reason in error; progress, when set,
// receives a line per step.
bool importOsm(const std::string& inputFile, const std::string& outputDirectory, std::string& error,
               const std::function<void(const std::string&)>& progress = {});

}  // namespace geo
