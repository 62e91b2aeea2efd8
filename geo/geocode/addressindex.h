#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geo/geocode/keyfilter.h"
#include "geo/map/compiledmap.h"

namespace geo {

// A town as the geocoder knows it: a place of the map, or a town name of addresses and
// streets that has no place. Two places of one name stay two towns.
struct IndexedTown {
  std::string_view name;
  std::string key;
  std::int32_t place = -1;  // its place record, -1 when only addresses and streets name it
  Point centre;
  std::uint32_t population = 0;
  std::vector<std::string_view> postalCodes;               // most used first
  std::unordered_map<std::string, std::uint32_t> streets;  // street key -> street entry
  std::uint32_t addressCount = 0;
};

// One street of one town; it may run through several postal codes.
struct IndexedStreet {
  std::uint32_t town = 0;
  std::string_view name;
  std::string key;
  std::vector<std::uint32_t> addresses;  // by house number
  std::vector<std::int32_t> numbers;     // the leading number of each of them, for searching
  std::vector<std::uint32_t> records;    // its street records (lines)
};

// A name that stands for a part of a town: an address's district, a suburb, or a village
// whose addresses carry the name of the municipality.
struct DistrictAlias {
  std::uint32_t town = 0;
  std::string_view name;
};

// The part of a town under one postal code, with a point to show for it.
struct PostalArea {
  std::uint32_t town = 0;
  std::string_view code;
  Point point;
};

struct NearestStreet {
  std::uint32_t record = 0;
  Point point;  // the nearest point of its line
  double distance = 0;
};

// Search structures over the addresses, streets and places of a compiled map, built in
// a few passes on the first use of a map and stored beside it (`geocoder.zepgeo`, checked
// like the map and bound to its identity), so that later starts read them back. The map
// must outlive the index: names are views into it.
class AddressIndex {
 public:
  explicit AddressIndex(const CompiledMap& map);
  ~AddressIndex();
  AddressIndex(const AddressIndex&) = delete;
  AddressIndex& operator=(const AddressIndex&) = delete;

  const CompiledMap& map() const { return map_; }
  const std::vector<IndexedTown>& towns() const { return towns_; }
  const std::vector<IndexedStreet>& streets() const { return streets_; }
  std::uint32_t streetOfAddress(std::uint32_t address) const { return addressStreet_[address]; }
  // The street entry of a street record, or nothing for a street without a town.
  std::optional<std::uint32_t> streetOfRecord(std::uint32_t record) const;

  std::span<const std::uint32_t> townsNamed(const std::string& key) const;
  std::span<const DistrictAlias> districtsNamed(const std::string& key) const;
  std::span<const PostalArea> postalAreas(std::string_view code) const;
  // Streets of that key, those of larger towns first (population, then addresses).
  std::span<const std::uint32_t> streetsNamed(const std::string& key) const;
  // Population and address count of a street's town, from a compact array: searches rank
  // hundreds of streets of a common name by it.
  std::pair<std::uint32_t, std::uint32_t> townSizeOfStreet(std::uint32_t street) const {
    return streetTownSize_[street];
  }
  // All town and district keys, and all street keys, for typo-tolerant scans.
  const std::vector<std::string>& placeKeys() const { return placeKeys_; }
  const std::vector<std::string>& streetKeys() const { return streetKeys_; }
  // Positions in placeKeys() and streetKeys() of the keys that may be within `edits` of key.
  std::vector<std::uint32_t> placeKeysNear(std::string_view key, int edits) const {
    return placeKeyFilter_.candidates(key, edits);
  }
  std::vector<std::uint32_t> streetKeysNear(std::string_view key, int edits) const {
    return streetKeyFilter_.candidates(key, edits);
  }

  // The postal area of a town under a code, if the town has that code.
  const PostalArea* postalArea(std::uint32_t town, std::string_view code) const;

  // Nearest address and nearest street line within a distance in map units.
  std::optional<std::uint32_t> nearestAddress(Point p, double maxUnits) const;
  std::optional<NearestStreet> nearestStreet(Point p, double maxUnits) const;

 private:
  class Builder;
  class Grid;
  class Store;  // the stored form, in addressindexstore.cpp

  // What searches need beyond the index proper: worked out after building or reading it.
  void prepareSearch();

  const CompiledMap& map_;
  std::vector<IndexedTown> towns_;
  std::vector<IndexedStreet> streets_;
  std::vector<std::uint32_t> addressStreet_;
  std::vector<std::int64_t> recordStreet_;  // -1 for streets without a town
  std::unordered_map<std::string, std::vector<std::uint32_t>> townsByKey_;
  std::unordered_map<std::string, std::vector<DistrictAlias>> districtsByKey_;
  std::unordered_map<std::string, std::vector<PostalArea>> postalAreas_;
  std::unordered_map<std::string, std::vector<std::uint32_t>> streetsByKey_;
  std::vector<std::string> placeKeys_;
  std::vector<std::string> streetKeys_;
  KeyFilter placeKeyFilter_;
  KeyFilter streetKeyFilter_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> streetTownSize_;
  std::unique_ptr<Grid> addressGrid_;
  std::unique_ptr<Grid> segmentGrid_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> segments_;  // record, index in Points
};

}  // namespace geo
