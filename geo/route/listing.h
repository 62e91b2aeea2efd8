#pragma once

#include <span>
#include <string>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/route/profile.h"
#include "geo/route/router.h"

namespace geo {

struct ListingColumn {
  int code;
  const char* name;
};

// The columns of a route listing, by ascending type code.
const std::vector<ListingColumn>& listingColumns();
// Position of a column code in a listing row, -1 when there is no such column.
int listingColumnIndex(int code);

// One value per column of listingColumns().
using ListingRow = std::vector<std::string>;

// Turn-by-turn rows of a route: one per waypoint (symbol "#flag<n>", the label as
// description) and one per manoeuvre between them; kilometres and times add up from the
// start. Labels missing for a waypoint read "Wegpunkt <n>".
std::vector<ListingRow> routeListing(const CompiledMap& map, const RouteResult& route,
                                     const RouteOptions& options,
                                     std::span<const std::string> labels);

}  // namespace geo
