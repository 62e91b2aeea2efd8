#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "geo/geocode/addressindex.h"
#include "geo/map/compiledmap.h"

namespace geo {

struct GeocodeQuery {
  std::string country;
  std::string postalCode;
  std::string town;
  std::string district;
  std::string street;  // may end in the house number
};

// What a candidate's reference point id refers to; ids are positions in the compiled map's
// arrays (towns without a place record: in the geocoder's town list, built the same way
// every time from the same map).
enum class ReferenceTable : int { Address = 1, Street = 2, Place = 3, Town = 4, PostalArea = 5 };

// Search flags: what the search had to do to find a candidate.
inline constexpr std::uint32_t kPostalCodeCorrected = 1;
inline constexpr std::uint32_t kTownCorrected = 2;
inline constexpr std::uint32_t kDistrictCorrected = 4;
inline constexpr std::uint32_t kStreetCorrected = 8;
// The map lacks the number; a neighbour of the street stands in.
inline constexpr std::uint32_t kHouseNumberReplaced = 16;
// The town stands in for a street it does not have.
inline constexpr std::uint32_t kStreetNotFound = 32;
inline constexpr std::uint32_t kPostalCodeAdded = 64;
inline constexpr std::uint32_t kTownAdded = 128;

// How exact a hit is, from a house as asked down to a whole postal area.
enum class AddressClass : int {
  HouseNumber = 1,
  OtherHouseNumber = 2,
  Street = 3,
  Town = 4,
  PostalArea = 5
};

// A street gives a number once: two points of one number, street and postal code are one
// house mapped twice (say as a building and on an interpolation line), unless they lie so far
// apart (metres) that the name must belong to two streets.
inline constexpr double kSameHouseMetres = 1000;

struct GeocodeCandidate {
  ReferenceTable table = ReferenceTable::Address;
  std::uint32_t reference = 0;
  Point point;
  std::string country;
  std::string postalCode;
  std::string town;
  std::string district;
  std::string street;  // "@" when the hit is a town or a postal area
  std::string houseNumber;
  std::uint32_t flags = 0;
  int goodness = 0;  // 0..100, higher is better
  std::uint32_t population = 0;
  int metresFromTownCentre = 0;
  int degreesFromTownCentre = 0;  // 0 north, clockwise
  AddressClass classification = AddressClass::HouseNumber;
};

struct GeocodeResult {
  int code = 0;                              // 0 nothing, 1 one clear hit, 2 several candidates
  GeocodeQuery corrected;                    // the query with the texts of a clear hit
  std::vector<GeocodeCandidate> candidates;  // best first
};

// A candidate as result rows 0 to 18: reference table, reference point, x, y, country,
// postal code, town, district, street, house number, search flags, goodness, (row 12
// unused), then reference id high part (the table) and low part (the id), population,
// metres and degrees from the town centre, and the address class.
inline constexpr std::size_t kResultRowCount = 19;
using ResultValue = std::variant<std::monostate, std::int64_t, std::string>;
std::array<ResultValue, kResultRowCount> resultRows(const GeocodeCandidate& candidate);
// Station field names the rows fill; row 12 fills none and has an empty name.
extern const std::array<const char*, kResultRowCount> kResultRowFields;

// Address search and reverse lookup on a compiled map. The search structures are built in
// memory on construction; the map must outlive the geocoder. Searches are const and may run
// on several threads at once.
class Geocoder {
 public:
  explicit Geocoder(const CompiledMap& map);

  GeocodeResult search(const GeocodeQuery& query) const;
  // The address at or nearest to a point, else the nearest street, else the town around
  // it; empty when nothing is near.
  std::vector<GeocodeCandidate> reverse(Point point) const;

  const AddressIndex& index() const { return index_; }

 private:
  class Search;  // one address search, in geocodersearch.cpp

  GeocodeCandidate addressCandidate(std::uint32_t address) const;
  GeocodeCandidate streetCandidate(std::uint32_t street, std::string_view postalCode) const;
  GeocodeCandidate townCandidate(std::uint32_t town, std::string_view postalCode) const;
  void describeTownPosition(GeocodeCandidate& candidate, std::uint32_t town) const;

  const CompiledMap& map_;
  AddressIndex index_;
  std::vector<std::string> countries_;  // country keys of the map, most used first
};

}  // namespace geo
