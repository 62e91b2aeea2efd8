#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "geo/map/mapbuilder.h"
#include "geo/map/polygonset.h"
#include "geo/osm/locality.h"
#include "geo/osm/osmtags.h"

namespace geo::osm {

// What the import keeps from an OpenStreetMap file before it is compiled.

struct WayNode {
  std::int64_t id = 0;
  Point point;
  double lon = 0;
  double lat = 0;
};

struct RawRoad {
  std::vector<WayNode> nodes;
  CarRoad road;
  std::string name;
  bool livingStreet = false;
};

// Tag values as given; empty fields are filled from the surroundings later.
struct RawAddress {
  std::string country, postalCode, town, district, street, houseNumber;
  Point point;
  Box memberBounds;  // relations: where their member ways lie, if no outline comes together
  bool located = false;
  bool complete = false;  // false for bare house numbers at the ends of interpolation lines
};

struct RawInterpolation {
  std::vector<WayNode> nodes;
  std::string scheme;  // odd, even, all or a step width
};

struct RawPlace {
  std::string name, postalCode;
  PlaceKind kind = PlaceKind::Town;
  std::uint32_t population = 0;
  Point centre;
  bool fromOutline = false;
};

struct NamedLine {
  std::string name;
  Line line;
};

struct OsmContent {
  std::vector<RawRoad> roads;
  std::vector<RawAddress> addresses;
  std::unordered_map<std::int64_t, std::uint32_t> addressOfNode;
  std::unordered_map<std::int64_t, std::uint32_t> addressOfRelation;
  std::unordered_map<std::int64_t, std::vector<std::uint32_t>> addressesOfMemberWay;
  std::vector<RawInterpolation> interpolations;
  std::vector<RawPlace> places;
  std::vector<NamedLine> streetLines;
  std::vector<FeatureEntry> features;
  LocalityResolver locality;
  PolygonSet builtUpAreas;
};

}  // namespace geo::osm
