#include "geo/osm/osmtags.h"

#include <array>
#include <cstring>
#include <string_view>

namespace geo::osm {

namespace {

bool equals(const char* value, std::string_view expected) {
  return value != nullptr && expected == value;
}

template <std::size_t N>
bool oneOf(const char* value, const std::array<std::string_view, N>& list) {
  if (value == nullptr) return false;
  for (std::string_view item : list) {
    if (item == value) return true;
  }
  return false;
}

bool isRoadLink(std::string_view highway, std::string_view base) {
  return highway == base ||
         (highway.size() == base.size() + 5 && highway.substr(0, base.size()) == base &&
          highway.substr(base.size()) == "_link");
}

}  // namespace

std::optional<int> roadClass(const char* highway) {
  if (highway == nullptr) return std::nullopt;
  const std::string_view h(highway);
  static constexpr std::array<std::string_view, 5> kMain = {"motorway", "trunk", "primary",
                                                            "secondary", "tertiary"};
  for (int i = 0; i < 5; ++i) {
    if (isRoadLink(h, kMain[i])) return i;
  }
  if (h == "unclassified" || h == "residential" || h == "road") return 5;
  if (h == "living_street") return 6;
  if (h == "service" || h == "track") return 7;
  return std::nullopt;
}

bool carAccess(const osmium::TagList& tags) {
  static constexpr std::array<std::string_view, 12> kClosed = {
      "no",  "private", "agricultural", "forestry", "agricultural;forestry", "emergency",
      "psv", "bus",     "military",     "permit",   "use_sidepath",          "disabled"};
  for (const char* key : {"motorcar", "motor_vehicle", "vehicle", "access"}) {
    if (const char* value = tags[key]) return !oneOf(value, kClosed);
  }
  return !equals(tags["highway"], "track");
}

Directions carDirections(const osmium::TagList& tags) {
  const char* oneway = tags["oneway"];
  if (oneOf(oneway, std::array<std::string_view, 3>{"yes", "true", "1"})) return {true, false};
  if (oneOf(oneway, std::array<std::string_view, 2>{"-1", "reverse"})) return {false, true};
  if (oneOf(oneway, std::array<std::string_view, 2>{"reversible", "alternating"})) {
    return {false, false};
  }
  if (oneOf(oneway, std::array<std::string_view, 3>{"no", "false", "0"})) return {true, true};
  if (oneOf(tags["junction"], std::array<std::string_view, 2>{"roundabout", "circular"}) ||
      equals(tags["highway"], "motorway")) {
    return {true, false};
  }
  return {true, true};
}

std::optional<CarRoad> carRoad(const osmium::TagList& tags) {
  const auto cls = roadClass(tags["highway"]);
  if (!cls || equals(tags["area"], "yes") || !carAccess(tags)) return std::nullopt;
  const Directions directions = carDirections(tags);
  if (!directions.forward && !directions.backward) return std::nullopt;
  return CarRoad{*cls, directions};
}

std::string roadName(const osmium::TagList& tags) {
  if (const char* name = tags["name"]) return name;
  if (const char* ref = tags["ref"]) return ref;
  return {};
}

bool isBuiltUpArea(const osmium::TagList& tags) {
  if (oneOf(tags["landuse"],
            std::array<std::string_view, 4>{"residential", "commercial", "retail", "industrial"})) {
    return true;
  }
  const auto place = placeKind(tags["place"]);
  return place && (isSettlement(*place) || isDistrict(*place));
}

std::optional<FeatureKind> areaKind(const osmium::TagList& tags) {
  const char* building = tags["building"];
  if (building && !equals(building, "no")) return FeatureKind::Building;
  const char* landuse = tags["landuse"];
  const char* natural = tags["natural"];
  if (equals(natural, "water") || equals(tags["waterway"], "riverbank") ||
      oneOf(landuse, std::array<std::string_view, 2>{"reservoir", "basin"})) {
    return FeatureKind::Water;
  }
  if (equals(landuse, "forest") || equals(natural, "wood")) return FeatureKind::Forest;
  if (oneOf(tags["leisure"], std::array<std::string_view, 2>{"park", "garden"}) ||
      oneOf(landuse, std::array<std::string_view, 4>{"grass", "recreation_ground", "village_green",
                                                     "allotments"})) {
    return FeatureKind::Park;
  }
  if (oneOf(landuse, std::array<std::string_view, 5>{"farmland", "meadow", "orchard", "vineyard",
                                                     "farmyard"})) {
    return FeatureKind::Farmland;
  }
  if (oneOf(landuse,
            std::array<std::string_view, 4>{"residential", "commercial", "retail", "industrial"})) {
    return FeatureKind::Residential;
  }
  return std::nullopt;
}

std::optional<FeatureKind> lineKind(const osmium::TagList& tags) {
  if (oneOf(tags["railway"], std::array<std::string_view, 6>{"rail", "light_rail", "narrow_gauge",
                                                             "subway", "tram", "preserved"})) {
    return FeatureKind::Railway;
  }
  if (oneOf(tags["waterway"],
            std::array<std::string_view, 5>{"river", "stream", "canal", "ditch", "drain"})) {
    return FeatureKind::Waterway;
  }
  return std::nullopt;
}

std::optional<PlaceKind> placeKind(const char* place) {
  if (place == nullptr) return std::nullopt;
  const std::string_view p(place);
  if (p == "city") return PlaceKind::City;
  if (p == "town") return PlaceKind::Town;
  if (p == "village") return PlaceKind::Village;
  if (p == "hamlet" || p == "isolated_dwelling") return PlaceKind::Hamlet;
  if (p == "suburb" || p == "borough") return PlaceKind::Suburb;
  if (p == "quarter" || p == "neighbourhood") return PlaceKind::Quarter;
  if (p == "locality") return PlaceKind::Locality;
  return std::nullopt;
}

bool isSettlement(PlaceKind kind) {
  return kind == PlaceKind::City || kind == PlaceKind::Town || kind == PlaceKind::Village ||
         kind == PlaceKind::Hamlet;
}

bool isDistrict(PlaceKind kind) { return kind == PlaceKind::Suburb || kind == PlaceKind::Quarter; }

int roadLevel(int roadClass) {
  if (roadClass <= 2) return 0;
  if (roadClass <= 4) return 1;
  if (roadClass <= 6) return 2;
  return 3;
}

int lineLevel(FeatureKind kind, const osmium::TagList& tags) {
  if (kind == FeatureKind::Railway) return equals(tags["railway"], "rail") ? 1 : 2;
  if (kind == FeatureKind::Waterway) {
    return oneOf(tags["waterway"], std::array<std::string_view, 2>{"river", "canal"}) ? 1 : 2;
  }
  return 3;
}

int areaLevel(FeatureKind kind, double largestSideMetres) {
  if (kind == FeatureKind::Building) return 3;
  if (largestSideMetres > 5000)
    return kind == FeatureKind::Water || kind == FeatureKind::Forest ? 0 : 1;
  if (largestSideMetres > 1000) return 1;
  return 2;
}

int placeLevel(PlaceKind kind) {
  switch (kind) {
    case PlaceKind::City:
    case PlaceKind::Town:
      return 0;
    case PlaceKind::Village:
      return 1;
    case PlaceKind::Hamlet:
    case PlaceKind::Suburb:
      return 2;
    default:
      return 3;
  }
}

std::string countryCode(const char* addrCountry) {
  if (addrCountry == nullptr || *addrCountry == '\0') return "D";
  const std::string_view code(addrCountry);
  return code == "DE" || code == "de" ? "D" : std::string(code);
}

}  // namespace geo::osm
