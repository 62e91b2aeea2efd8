#pragma once

#include <vector>

#include "geo/map/mapbuilder.h"
#include "geo/map/polygonset.h"
#include "geo/osm/osmcontent.h"

namespace geo::osm {

// Splits the car roads at every node they share (and at their ends) and adds the pieces to
// the builder as edges. A piece counts as built-up when its middle lies in a built-up area,
// and always on living streets.
void buildRoadGraph(const std::vector<RawRoad>& roads, const PolygonSet& builtUpAreas,
                    MapBuilder& builder);

}  // namespace geo::osm
