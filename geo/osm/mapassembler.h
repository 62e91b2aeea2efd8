#pragma once

#include <functional>
#include <string>

#include "geo/map/mapbuilder.h"
#include "geo/osm/osmcontent.h"

namespace geo::osm {

using Progress = std::function<void(const std::string&)>;

// Compiles what the collector gathered: fills missing postal codes, towns and districts from
// the surroundings, expands interpolation lines, groups streets, builds the road graph.
void assembleMap(OsmContent& content, MapBuilder& builder, const Progress& progress);

}  // namespace geo::osm
