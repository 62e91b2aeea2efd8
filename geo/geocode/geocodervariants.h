#pragma once

#include <string>
#include <vector>

#include "geo/geocode/geocoder.h"
#include "geo/map/compiledmap.h"

namespace geo {

// The query that names an address point exactly as the map stores it.
GeocodeQuery addressQuery(const CompiledMap& map, const AddressRecord& address);

// The same address as dispatchers type it: lower case with "ae" for "ä", umlauts without
// dots, "Str." and blanks for hyphens, "12 a" for "12a", without postal code, without town,
// and with one typo in a long street or town name. Used to check and measure the search.
std::vector<GeocodeQuery> addressVariants(const GeocodeQuery& clean);

// The candidate names the address: same street, number, town and postal code, at its point
// or at another point of the same house.
bool namesAddress(const CompiledMap& map, const GeocodeCandidate& candidate,
                  const AddressRecord& address);

}  // namespace geo
