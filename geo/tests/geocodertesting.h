#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "geo/geocode/geocoder.h"
#include "geo/geocode/geocodervariants.h"
#include "geo/map/compiledmap.h"

namespace geo::testing {

inline std::string describe(const GeocodeQuery& q) {
  std::ostringstream out;
  out << '[' << q.country << '|' << q.postalCode << '|' << q.town << '|' << q.district << '|'
      << q.street << ']';
  return out.str();
}

inline std::string describe(const GeocodeResult& r) {
  std::ostringstream out;
  out << "code " << r.code;
  for (std::size_t i = 0; i < r.candidates.size() && i < 3; ++i) {
    const GeocodeCandidate& c = r.candidates[i];
    out << "; " << c.postalCode << ' ' << c.town << ", " << c.street << ' ' << c.houseNumber << " ("
        << c.goodness << ')';
  }
  return out.str();
}

// Searches every address of the map by its own texts, by its variants and at its point,
// and counts what misses. Failures are reported one by one.
struct AddressSweep {
  std::size_t addresses = 0;
  std::size_t notClear = 0;
  std::size_t variants = 0;
  std::size_t variantsNotFirst = 0;
  // Found among equally good first candidates: the map holds the same house under two towns,
  // and the variant left the town out.
  std::size_t variantsTied = 0;
  std::size_t reverseMissed = 0;

  static bool tiedForFirst(const CompiledMap& map, const GeocodeResult& r, const AddressRecord& a) {
    if (r.code != 2) return false;
    for (const GeocodeCandidate& c : r.candidates) {
      if (c.goodness != r.candidates.front().goodness) return false;
      if (namesAddress(map, c, a)) return true;
    }
    return false;
  }

  void run(const CompiledMap& map, const Geocoder& geocoder) {
    for (const AddressRecord& a : map.addresses()) {
      ++addresses;
      const GeocodeQuery clean = addressQuery(map, a);
      const GeocodeResult exact = geocoder.search(clean);
      if (exact.code != 1 || !namesAddress(map, exact.candidates.front(), a) ||
          exact.candidates.front().goodness != 100) {
        ++notClear;
        ADD_FAILURE() << describe(clean) << " gives " << describe(exact);
      }
      for (const GeocodeQuery& variant : addressVariants(clean)) {
        ++variants;
        const GeocodeResult found = geocoder.search(variant);
        if (!found.candidates.empty() && namesAddress(map, found.candidates.front(), a)) continue;
        if (tiedForFirst(map, found, a)) {
          ++variantsTied;
        } else {
          ++variantsNotFirst;
          ADD_FAILURE() << describe(variant) << " gives " << describe(found);
        }
      }
      const auto back = geocoder.reverse(a.point);
      if (back.size() != 1 || !namesAddress(map, back.front(), a)) {
        ++reverseMissed;
        ADD_FAILURE() << "reverse at " << describe(clean) << " gives "
                      << (back.empty() ? "nothing" : back.front().street);
      }
    }
  }
};

}  // namespace geo::testing
