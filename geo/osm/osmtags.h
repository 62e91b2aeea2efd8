#pragma once

#include <optional>
#include <osmium/osm/tag.hpp>
#include <string>

#include "geo/map/mapformat.h"

namespace geo::osm {

// How the import reads OpenStreetMap tags.

// Road class 0 (motorway) to 7 (service roads, tracks) of a highway value; nothing for
// highways that are not roads (footways, steps, construction, ...).
std::optional<int> roadClass(const char* highway);

// Whether cars may use the way: the most specific of motorcar, motor_vehicle, vehicle and
// access decides; tracks are closed unless opened explicitly.
bool carAccess(const osmium::TagList& tags);

struct Directions {
  bool forward = true;
  bool backward = true;
};
// oneway=yes/1/true, oneway=-1/reverse, roundabouts and motorways. Reversible lanes are
// closed both ways, having no fixed direction.
Directions carDirections(const osmium::TagList& tags);

struct CarRoad {
  int roadClass = 0;
  Directions directions;
};
std::optional<CarRoad> carRoad(const osmium::TagList& tags);

// Name shown for a road: its name, else its reference number ("B 85").
std::string roadName(const osmium::TagList& tags);

// Areas that make roads inside them town roads: residential, commercial, retail and
// industrial land use, and the outlines of settlements and their districts.
bool isBuiltUpArea(const osmium::TagList& tags);

// Drawing layer of a closed area; nothing when it is not drawn.
std::optional<FeatureKind> areaKind(const osmium::TagList& tags);
// Drawing layer of a line (roads and paths excluded); nothing when it is not drawn.
std::optional<FeatureKind> lineKind(const osmium::TagList& tags);

std::optional<PlaceKind> placeKind(const char* place);
bool isSettlement(PlaceKind kind);  // city, town, village or hamlet
bool isDistrict(PlaceKind kind);    // suburb or quarter

// Detail level (0 coarse .. 3 close up) at which a feature starts being drawn.
int roadLevel(int roadClass);
int lineLevel(FeatureKind kind, const osmium::TagList& tags);
int areaLevel(FeatureKind kind, double largestSideMetres);
int placeLevel(PlaceKind kind);

// The country code used by the geocoder: "D" for Germany, also when the data gives none.
std::string countryCode(const char* addrCountry);

}  // namespace geo::osm
