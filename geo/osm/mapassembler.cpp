#include "geo/osm/mapassembler.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <tuple>

#include "geo/osm/namedpoints.h"
#include "geo/osm/roadgraph.h"

namespace geo::osm {

namespace {

// Most frequent value per key, for filling what the data leaves open.
class Tally {
 public:
  void count(const std::string& key, const std::string& value) {
    if (!value.empty()) ++counts_[key][value];
  }
  std::string mostCommon(const std::string& key) const {
    const auto found = counts_.find(key);
    if (found == counts_.end()) return {};
    return std::max_element(found->second.begin(), found->second.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
  }

 private:
  std::map<std::string, std::map<std::string, int>> counts_;
};

std::string streetTownKey(const std::string& street, const std::string& town) {
  return street + '\x1f' + town;
}

struct AddressTallies {
  Tally postalByStreetTown, postalByTown;
};

AddressEntry completed(const RawAddress& raw, const LocalityResolver& locality) {
  AddressEntry a{raw.country, raw.postalCode,  raw.town, raw.district,
                 raw.street,  raw.houseNumber, raw.point};
  if (a.postalCode.empty()) a.postalCode = locality.postalCode(a.point);
  if (a.town.empty()) a.town = locality.town(a.point);
  if (a.district.empty()) a.district = locality.district(a.point);
  if (a.district == a.town) a.district.clear();
  return a;
}

std::optional<int> plainNumber(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<int> interpolationStep(const std::string& scheme) {
  if (scheme == "odd" || scheme == "even") return 2;
  if (scheme == "all") return 1;
  const auto step = plainNumber(scheme);
  return step && *step > 0 ? step : std::nullopt;
}

// Numbers strictly between two numbered ends of an interpolation line, placed along it.
void interpolate(const RawInterpolation& line, std::size_t from, std::size_t to,
                 const RawAddress& a, const RawAddress& b, int step, std::vector<RawAddress>& out) {
  const auto n1 = plainNumber(a.houseNumber);
  const auto n2 = plainNumber(b.houseNumber);
  constexpr int kMaxHouses = 1000;  // anything longer is a tagging mistake
  if (!n1 || !n2 || *n1 == *n2 || std::abs(*n2 - *n1) / step > kMaxHouses) return;
  Line piece;
  for (std::size_t k = from; k <= to; ++k) piece.push_back(line.nodes[k].point);
  const int direction = *n2 > *n1 ? step : -step;
  for (int n = *n1 + direction; direction > 0 ? n < *n2 : n > *n2; n += direction) {
    RawAddress house = a.street.empty() ? b : a;
    house.houseNumber = std::to_string(n);
    house.point = pointAlong(piece, double(n - *n1) / (*n2 - *n1));
    house.located = true;
    house.complete = true;
    out.push_back(std::move(house));
  }
}

std::vector<RawAddress> expandInterpolations(OsmContent& content) {
  std::vector<RawAddress> houses;
  for (const RawInterpolation& line : content.interpolations) {
    const auto step = interpolationStep(line.scheme);
    if (!step) continue;
    std::optional<std::size_t> previous;
    for (std::size_t i = 0; i < line.nodes.size(); ++i) {
      if (!content.addressOfNode.contains(line.nodes[i].id)) continue;
      if (previous) {
        RawAddress& a = content.addresses[content.addressOfNode.at(line.nodes[*previous].id)];
        RawAddress& b = content.addresses[content.addressOfNode.at(line.nodes[i].id)];
        // A bare number at one end takes the street of the other end.
        if (a.street.empty() && !b.street.empty()) a.street = b.street, a.complete = true;
        if (b.street.empty() && !a.street.empty()) b.street = a.street, b.complete = true;
        interpolate(line, *previous, i, a, b, *step, houses);
      }
      previous = i;
    }
  }
  return houses;
}

// Whatever is still missing comes from the nearest address (within about 2 km) that has it.
void fillFromNearestNeighbour(std::vector<AddressEntry>& addresses) {
  constexpr double kReach = 3000;  // map units
  ReachSet neighbours;
  bool anyMissing = false;
  for (std::uint32_t i = 0; i < addresses.size(); ++i) {
    const AddressEntry& a = addresses[i];
    if (!a.town.empty() && !a.postalCode.empty()) {
      neighbours.add(a.point, kReach, i);
    } else {
      anyMissing = true;
    }
  }
  if (!anyMissing) return;
  neighbours.build();
  for (AddressEntry& a : addresses) {
    if (!a.town.empty() && !a.postalCode.empty()) continue;
    const auto nearest = neighbours.nearest(a.point);
    if (!nearest) continue;
    const AddressEntry& neighbour = addresses[nearest->value];
    if (a.town.empty()) a.town = neighbour.town;
    if (a.postalCode.empty()) a.postalCode = neighbour.postalCode;
  }
}

std::vector<AddressEntry> addAddresses(OsmContent& content, MapBuilder& builder,
                                       AddressTallies& tallies) {
  auto houses = expandInterpolations(content);
  std::vector<AddressEntry> addresses;
  auto take = [&](RawAddress raw) {
    if (!raw.complete) return;
    if (!raw.located) {
      if (raw.memberBounds.empty()) return;
      raw.point = {raw.memberBounds.minX / 2 + raw.memberBounds.maxX / 2,
                   raw.memberBounds.minY / 2 + raw.memberBounds.maxY / 2};
    }
    addresses.push_back(completed(raw, content.locality));
  };
  for (const RawAddress& raw : content.addresses) take(raw);
  for (RawAddress& raw : houses) take(std::move(raw));

  for (const AddressEntry& a : addresses) {
    tallies.postalByStreetTown.count(streetTownKey(a.street, a.town), a.postalCode);
    tallies.postalByTown.count(a.town, a.postalCode);
    if (!a.district.empty()) tallies.postalByTown.count(a.district, a.postalCode);
  }
  for (AddressEntry& a : addresses) {
    // Without a postal code area, the neighbours in the same street tell it.
    if (a.postalCode.empty()) {
      a.postalCode = tallies.postalByStreetTown.mostCommon(streetTownKey(a.street, a.town));
    }
    if (a.postalCode.empty()) a.postalCode = tallies.postalByTown.mostCommon(a.town);
  }
  fillFromNearestNeighbour(addresses);
  for (const AddressEntry& a : addresses) builder.addAddress(a);
  return addresses;
}

// A street takes town and postal code from the nearest address in it; streets without
// addresses from their surroundings or, failing those, the nearest address of any street.
void addStreets(const OsmContent& content, const std::vector<AddressEntry>& addresses,
                const AddressTallies& tallies, MapBuilder& builder) {
  NamedPointIndex addressesByStreet(3000);  // map units, about 2 km
  const std::string anyStreet;              // files every address a second time, under no name
  for (std::uint32_t i = 0; i < addresses.size(); ++i) {
    addressesByStreet.add(addresses[i].street, addresses[i].point, i);
    addressesByStreet.add(anyStreet, addresses[i].point, i);
  }
  std::map<std::tuple<std::string, std::string, std::string>, StreetEntry> streets;
  for (const NamedLine& line : content.streetLines) {
    std::string town, postal;
    if (const auto nearest = addressesByStreet.nearest(line.name, line.line)) {
      town = addresses[*nearest].town;
      postal = addresses[*nearest].postalCode;
    } else {
      const Point middle = pointAlong(line.line, 0.5);
      town = content.locality.town(middle);
      postal = content.locality.postalCode(middle);
      if (postal.empty()) postal = tallies.postalByTown.mostCommon(town);
      const auto neighbour = addressesByStreet.nearest(anyStreet, line.line);
      if (postal.empty() && neighbour) postal = addresses[*neighbour].postalCode;
    }
    StreetEntry& street = streets[{line.name, town, postal}];
    street.name = line.name;
    street.town = town;
    street.postalCode = postal;
    street.parts.push_back(line.line);
  }
  for (const auto& [key, street] : streets) builder.addStreet(street);
}

void addPlaces(const OsmContent& content, const AddressTallies& tallies, MapBuilder& builder) {
  std::map<std::string, int> nodePlaces;
  for (const RawPlace& place : content.places) {
    if (!place.fromOutline) ++nodePlaces[place.name];
  }
  for (const RawPlace& raw : content.places) {
    // An outline named like a place point describes the same place.
    if (raw.fromOutline && nodePlaces.contains(raw.name)) continue;
    PlaceEntry place{raw.name, raw.postalCode, {}, raw.kind, raw.population, raw.centre};
    if (place.postalCode.empty()) place.postalCode = content.locality.postalCode(raw.centre);
    if (place.postalCode.empty()) place.postalCode = tallies.postalByTown.mostCommon(raw.name);
    if (isDistrict(raw.kind)) {
      place.town = content.locality.town(raw.centre);
      if (place.town == place.name) place.town.clear();
    }
    builder.addPlace(place);
    builder.addFeature({FeatureKind::PlaceLabel,
                        static_cast<std::uint8_t>(raw.kind),
                        0,
                        static_cast<std::uint8_t>(placeLevel(raw.kind)),
                        raw.name,
                        {{raw.centre}}});
  }
}

}  // namespace

void assembleMap(OsmContent& content, MapBuilder& builder, const Progress& progress) {
  for (const RawPlace& place : content.places) {
    if (!place.fromOutline) content.locality.addPlaceCentre(place.name, place.kind, place.centre);
  }
  content.locality.build();
  content.builtUpAreas.build();
  progress("Straßennetz: " + std::to_string(content.roads.size()) + " befahrbare Wege");
  buildRoadGraph(content.roads, content.builtUpAreas, builder);
  // What has gone into the builder is let go at once: the import's peak then stays near the
  // size of the map it writes instead of twice that.
  std::vector<RawRoad>().swap(content.roads);
  progress("Straßennetz: " + std::to_string(builder.nodeCount()) + " Knoten, " +
           std::to_string(builder.edgeCount()) + " Kanten");
  AddressTallies tallies;
  const auto addresses = addAddresses(content, builder, tallies);
  progress("Adressen: " + std::to_string(builder.addressCount()));
  addStreets(content, addresses, tallies, builder);
  addPlaces(content, tallies, builder);
  for (FeatureEntry& feature : content.features) {
    builder.addFeature(feature);
    feature = {};
  }
  progress("Zeichenobjekte: " + std::to_string(content.features.size()));
  std::vector<FeatureEntry>().swap(content.features);
}

}  // namespace geo::osm
