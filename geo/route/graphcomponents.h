#pragma once

#include <cstdint>
#include <vector>

#include "geo/map/compiledmap.h"

namespace geo {

// Strongly connected components of the road graph (edges followed in their driving
// direction): component number per node. A router snaps only to the largest one, since from
// anywhere else some destinations cannot be reached or left.
std::vector<std::uint32_t> stronglyConnectedComponents(const CompiledMap& map);

// Number of nodes in the largest component (0 for an empty graph).
std::size_t largestComponentSize(const std::vector<std::uint32_t>& components);

}  // namespace geo
