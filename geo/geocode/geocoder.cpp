#include "geo/geocode/geocoder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <unordered_map>

#include "geo/geocode/textnormal.h"

namespace geo {

namespace {

// Reverse lookup reaches, in metres on the ground.
constexpr double kAddressReach = 100;
constexpr double kStreetReach = 300;

double placeReachMetres(const CompiledMap& map, const IndexedTown& town) {
  if (town.place < 0) return 2000;
  switch (map.places()[town.place].kind) {
    case PlaceKind::City:
      return 15000;
    case PlaceKind::Town:
      return 6000;
    case PlaceKind::Village:
      return 3000;
    default:
      return 1200;
  }
}

// Near the poles a metre grows to thousands of map units; no map of ours lies there.
double unitsPerMetre(Point p) {
  double lon = 0, lat = 0;
  mercatorToLonLat({double(p.x), double(p.y)}, lon, lat);
  return std::min(10.0, 1.0 / std::cos(lat * std::numbers::pi / 180));
}

// Everything the reverse lookup finds lies inside the map's bounds, and no reach is longer
// than this (map units), so a point farther out is answered at once.
constexpr double kOutsideReachUnits = 50000;

bool withinReach(const Box& bounds, Point p) {
  if (bounds.empty()) return false;
  const double dx = std::max({double(bounds.minX) - p.x, 0.0, double(p.x) - bounds.maxX});
  const double dy = std::max({double(bounds.minY) - p.y, 0.0, double(p.y) - bounds.maxY});
  return dx <= kOutsideReachUnits && dy <= kOutsideReachUnits;
}

}  // namespace

Geocoder::Geocoder(const CompiledMap& map) : map_(map), index_(map) {
  // Counted by text first: a million addresses share a handful of country texts.
  std::unordered_map<std::uint32_t, std::size_t> byText;
  for (const AddressRecord& a : map.addresses()) ++byText[a.country];
  std::map<std::string, std::size_t> uses;
  for (const auto& [text, n] : byText) uses[countryKey(map.text(text))] += n;
  for (const auto& [country, n] : uses) countries_.push_back(country);
  std::stable_sort(countries_.begin(), countries_.end(),
                   [&](const auto& a, const auto& b) { return uses[a] > uses[b]; });
}

std::vector<GeocodeCandidate> Geocoder::reverse(Point point) const {
  if (!withinReach(map_.bounds(), point)) return {};
  const double scale = unitsPerMetre(point);
  if (const auto a = index_.nearestAddress(point, kAddressReach * scale)) {
    GeocodeCandidate c = addressCandidate(*a);
    c.goodness = 100 - std::min(50, static_cast<int>(mapDistanceMetres(point, c.point) / 2));
    return {c};
  }
  if (const auto s = index_.nearestStreet(point, kStreetReach * scale)) {
    const StreetRecord& record = map_.streets()[s->record];
    GeocodeCandidate c;
    if (const auto street = index_.streetOfRecord(s->record)) {
      c = streetCandidate(*street, map_.text(record.postalCode));
    } else {
      c.table = ReferenceTable::Street;
      c.street = map_.text(record.name);
      c.classification = AddressClass::Street;
    }
    c.reference = s->record;
    c.point = s->point;
    c.postalCode = map_.text(record.postalCode);
    if (!countries_.empty()) c.country = countries_.front();
    c.goodness = 60 - std::min(30, static_cast<int>(s->distance / scale / 10));
    return {c};
  }
  const auto& towns = index_.towns();
  std::optional<std::uint32_t> nearest;
  double nearestMetres = 0;
  for (std::uint32_t t = 0; t < towns.size(); ++t) {
    const double metres = mapDistanceMetres(point, towns[t].centre);
    if (metres <= placeReachMetres(map_, towns[t]) && (!nearest || metres < nearestMetres)) {
      nearest = t;
      nearestMetres = metres;
    }
  }
  if (!nearest) return {};
  GeocodeCandidate c = townCandidate(*nearest, "");
  if (!countries_.empty()) c.country = countries_.front();
  c.goodness = 30;
  return {c};
}

GeocodeCandidate Geocoder::addressCandidate(std::uint32_t address) const {
  const AddressRecord& a = map_.addresses()[address];
  GeocodeCandidate c;
  c.table = ReferenceTable::Address;
  c.reference = address;
  c.point = a.point;
  c.country = map_.text(a.country);
  c.postalCode = map_.text(a.postalCode);
  c.town = map_.text(a.town);
  c.district = map_.text(a.district);
  c.street = map_.text(a.street);
  c.houseNumber = map_.text(a.houseNumber);
  c.classification = AddressClass::HouseNumber;
  describeTownPosition(c, index_.streets()[index_.streetOfAddress(address)].town);
  return c;
}

// A street is shown at its middle house, in the asked postal code when it has houses there,
// else at the middle of its first line.
GeocodeCandidate Geocoder::streetCandidate(std::uint32_t streetId,
                                           std::string_view postalCode) const {
  const IndexedStreet& street = index_.streets()[streetId];
  GeocodeCandidate c;
  c.table = street.records.empty() ? ReferenceTable::Address : ReferenceTable::Street;
  c.street = street.name;
  c.town = index_.towns()[street.town].name;
  c.classification = AddressClass::Street;
  if (!street.addresses.empty()) {
    std::vector<std::uint32_t> houses;
    for (const std::uint32_t a : street.addresses) {
      if (map_.text(map_.addresses()[a].postalCode) == postalCode) houses.push_back(a);
    }
    if (houses.empty()) houses = street.addresses;
    const AddressRecord& middle = map_.addresses()[houses[houses.size() / 2]];
    c.reference = houses[houses.size() / 2];
    c.point = middle.point;
    c.postalCode = map_.text(middle.postalCode);
    c.district = map_.text(middle.district);
  }
  if (!street.records.empty()) {
    const StreetRecord& record = map_.streets()[street.records.front()];
    c.reference = street.records.front();
    if (street.addresses.empty()) {
      const auto parts = map_.ranges(record.parts);
      const auto line = parts.empty() ? std::span<const Point>{} : map_.points(parts.front());
      c.point = line.empty()
                    ? Point{static_cast<std::int32_t>(
                                (std::int64_t(record.bounds.minX) + record.bounds.maxX) / 2),
                            static_cast<std::int32_t>(
                                (std::int64_t(record.bounds.minY) + record.bounds.maxY) / 2)}
                    : line[line.size() / 2];
      c.postalCode = map_.text(record.postalCode);
    }
  }
  describeTownPosition(c, street.town);
  return c;
}

GeocodeCandidate Geocoder::townCandidate(std::uint32_t townId, std::string_view postalCode) const {
  const IndexedTown& town = index_.towns()[townId];
  GeocodeCandidate c;
  c.table = town.place >= 0 ? ReferenceTable::Place : ReferenceTable::Town;
  c.reference = town.place >= 0 ? static_cast<std::uint32_t>(town.place) : townId;
  c.town = town.name;
  c.street = std::string(1, '@');  // no street; a plain literal upsets GCC 12 (-Wrestrict)
  c.classification = AddressClass::Town;
  c.point = town.centre;
  const PostalArea* area = index_.postalArea(townId, postalCode);
  if (!area && !town.postalCodes.empty())
    area = index_.postalArea(townId, town.postalCodes.front());
  if (area) {
    c.postalCode = area->code;
    // A town's own point is its centre; a part of it under another code, that part.
    if (town.place < 0 || area->code != town.postalCodes.front()) c.point = area->point;
  }
  describeTownPosition(c, townId);
  return c;
}

void Geocoder::describeTownPosition(GeocodeCandidate& c, std::uint32_t townId) const {
  const IndexedTown& town = index_.towns()[townId];
  c.population = town.population;
  c.metresFromTownCentre = static_cast<int>(std::lround(mapDistanceMetres(c.point, town.centre)));
  const double degrees =
      std::atan2(double(c.point.x) - town.centre.x, double(c.point.y) - town.centre.y) * 180 /
      std::numbers::pi;
  c.degreesFromTownCentre = (static_cast<int>(std::lround(degrees)) + 360) % 360;
}

const std::array<const char*, kResultRowCount> kResultRowFields = {"REFTABLE",
                                                                   "REFPNTID",
                                                                   "XCOORD",
                                                                   "YCOORD",
                                                                   "LKZ",
                                                                   "PLZ",
                                                                   "TOWN",
                                                                   "TOWN2",
                                                                   "STREET",
                                                                   "HOUSENR",
                                                                   "SearchFlags",
                                                                   "Goodness",
                                                                   "",
                                                                   "REFPNTIDHIGH",
                                                                   "REFPNTIDLOW",
                                                                   "POPULATION",
                                                                   "DISTANCEFROMTOWNCENTER",
                                                                   "ANGLEFROMTOWNCENTER",
                                                                   "ADDRESSCLASSIFICATION"};

std::array<ResultValue, kResultRowCount> resultRows(const GeocodeCandidate& c) {
  const auto table = static_cast<std::int64_t>(c.table);
  return {table,
          std::int64_t{c.reference},
          std::int64_t{c.point.x},
          std::int64_t{c.point.y},
          c.country,
          c.postalCode,
          c.town,
          c.district,
          c.street,
          c.houseNumber,
          std::int64_t{c.flags},
          std::int64_t{c.goodness},
          std::monostate{},
          table,
          std::int64_t{c.reference},
          std::int64_t{c.population},
          std::int64_t{c.metresFromTownCentre},
          std::int64_t{c.degreesFromTownCentre},
          static_cast<std::int64_t>(c.classification)};
}

}  // namespace geo
