#include "geo/osm/osmcollector.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string_view>

#include "geo/osm/osmtags.h"

namespace geo::osm {

namespace {

std::string tagOr(const osmium::TagList& tags, const char* key, const char* fallbackKey = nullptr) {
  if (const char* value = tags[key]) return value;
  if (fallbackKey) {
    if (const char* value = tags[fallbackKey]) return value;
  }
  return {};
}

// Splits a way's nodes into runs with known locations (extracts cut some nodes away).
std::vector<std::vector<WayNode>> locatedRuns(const osmium::WayNodeList& nodes) {
  std::vector<std::vector<WayNode>> runs(1);
  for (const auto& ref : nodes) {
    const osmium::Location location = ref.location();
    if (!location.valid()) {
      if (!runs.back().empty()) runs.emplace_back();
      continue;
    }
    const double lon = location.lon_without_check();
    const double lat = location.lat_without_check();
    // A node listed twice in a row adds nothing but a zero-length piece.
    if (!runs.back().empty() && runs.back().back().id == ref.ref()) continue;
    runs.back().push_back({ref.ref(), lonLatToMap(lon, lat), lon, lat});
  }
  std::erase_if(runs, [](const auto& run) { return run.size() < 2; });
  return runs;
}

Line pointsOf(const std::vector<WayNode>& run) {
  Line line;
  line.reserve(run.size());
  for (const WayNode& n : run) line.push_back(n.point);
  return line;
}

Line ringPoints(const osmium::NodeRefList& ring) {
  Line line;
  line.reserve(ring.size());
  for (const auto& ref : ring) {
    if (ref.location().valid()) {
      line.push_back(
          lonLatToMap(ref.location().lon_without_check(), ref.location().lat_without_check()));
    }
  }
  return line;
}

double largestSideMetres(const Box& box) {
  const Point centreGps = mapToGps({box.minX / 2 + box.maxX / 2, box.minY / 2 + box.maxY / 2});
  const double scale = std::cos(centreGps.y / kGpsUnitsPerDegree * std::numbers::pi / 180.0);
  return std::max(double(box.maxX) - box.minX, double(box.maxY) - box.minY) * scale;
}

std::uint32_t populationOf(const osmium::TagList& tags) {
  const char* value = tags["population"];
  if (!value) return 0;
  char* end = nullptr;
  const unsigned long n = std::strtoul(value, &end, 10);
  return end != value ? static_cast<std::uint32_t>(std::min(n, 0xFFFFFFFFul)) : 0;
}

}  // namespace

bool hasCompleteAddress(const osmium::TagList& tags) {
  return tags["addr:housenumber"] && (tags["addr:street"] || tags["addr:place"]);
}

void OsmCollector::collectAddress(const osmium::TagList& tags, Point point, bool located) {
  RawAddress a;
  a.country = countryCode(tags["addr:country"]);
  a.postalCode = tagOr(tags, "addr:postcode");
  a.town = tagOr(tags, "addr:city");
  a.district = tagOr(tags, "addr:suburb", "addr:district");
  a.street = tagOr(tags, "addr:street", "addr:place");
  a.houseNumber = tagOr(tags, "addr:housenumber");
  a.point = point;
  a.located = located;
  a.complete = hasCompleteAddress(tags);
  content_.addresses.push_back(std::move(a));
}

void OsmCollector::collectPlace(const osmium::TagList& tags, Point centre, bool fromOutline) {
  const auto kind = placeKind(tags["place"]);
  const char* name = tags["name"];
  if (!kind || !name || !*name) return;
  content_.places.push_back({name, tagOr(tags, "postal_code", "addr:postcode"), *kind,
                             populationOf(tags), centre, fromOutline});
}

void OsmCollector::addressRelation(const osmium::Relation& relation) {
  if (!hasCompleteAddress(relation.tags())) return;
  const auto index = static_cast<std::uint32_t>(content_.addresses.size());
  collectAddress(relation.tags(), {}, false);
  content_.addressOfRelation.emplace(relation.id(), index);
  for (const auto& member : relation.members()) {
    if (member.type() == osmium::item_type::way) {
      content_.addressesOfMemberWay[member.ref()].push_back(index);
    }
  }
}

void OsmCollector::node(const osmium::Node& node) {
  const auto& tags = node.tags();
  if (tags.empty() || !node.location().valid()) return;
  const Point point =
      lonLatToMap(node.location().lon_without_check(), node.location().lat_without_check());
  if (tags["place"]) collectPlace(tags, point, false);
  // Bare house numbers are kept too: interpolation lines may give their street.
  if (tags["addr:housenumber"]) {
    content_.addressOfNode.emplace(node.id(),
                                   static_cast<std::uint32_t>(content_.addresses.size()));
    collectAddress(tags, point, true);
  }
}

void OsmCollector::addLineFeature(FeatureKind kind, std::uint8_t detail, std::uint8_t flags,
                                  int level, const std::string& name,
                                  const std::vector<WayNode>& run) {
  content_.features.push_back(
      {kind, detail, flags, static_cast<std::uint8_t>(level), name, {pointsOf(run)}});
}

void OsmCollector::collectHighway(const osmium::Way& way,
                                  const std::vector<std::vector<WayNode>>& runs) {
  const auto& tags = way.tags();
  const std::string name = roadName(tags);
  const auto road = carRoad(tags);
  const auto cls = roadClass(tags["highway"]);
  const bool drawn = !tags.has_tag("area", "yes");
  std::uint8_t flags = 0;
  if (tags["bridge"] && !tags.has_tag("bridge", "no")) flags |= kFeatureBridge;
  if (tags["tunnel"] && !tags.has_tag("tunnel", "no")) flags |= kFeatureTunnel;
  const bool isStreet = cls || tags.has_tag("highway", "pedestrian");
  for (const auto& run : runs) {
    if (road) {
      content_.roads.push_back({run, *road, name, tags.has_tag("highway", "living_street")});
    }
    if (isStreet && tags["name"]) content_.streetLines.push_back({tags["name"], pointsOf(run)});
    if (!drawn) continue;
    if (road) {
      const bool oneWay = road->directions.forward != road->directions.backward;
      auto drawnRun = run;
      // Arrows follow the drawing direction, so draw backward one-ways reversed.
      if (!road->directions.forward) std::reverse(drawnRun.begin(), drawnRun.end());
      addLineFeature(FeatureKind::Road, static_cast<std::uint8_t>(road->roadClass),
                     flags | (oneWay ? kFeatureOneWay : 0), roadLevel(road->roadClass), name,
                     drawnRun);
    } else if (cls) {
      addLineFeature(FeatureKind::Road, static_cast<std::uint8_t>(*cls), flags, roadLevel(*cls),
                     name, run);
    } else {
      addLineFeature(FeatureKind::Path, 0, flags, 3, name, run);
    }
  }
}

void OsmCollector::way(const osmium::Way& way) {
  const auto& tags = way.tags();
  const auto runs = locatedRuns(way.nodes());

  if (const auto members = content_.addressesOfMemberWay.find(way.id());
      members != content_.addressesOfMemberWay.end()) {
    for (const auto& run : runs) {
      for (std::uint32_t index : members->second) {
        content_.addresses[index].memberBounds.extend(boundsOf(pointsOf(run)));
      }
    }
  }
  if (runs.empty()) return;

  if (tags["highway"]) collectHighway(way, runs);
  if (const auto kind = lineKind(tags)) {
    for (const auto& run : runs) {
      addLineFeature(*kind, 0, 0, lineLevel(*kind, tags), tagOr(tags, "name"), run);
    }
  }
  if (hasCompleteAddress(tags)) {
    const Line line = pointsOf(runs.front());
    const bool closed = way.nodes().size() > 3 && way.is_closed() && runs.size() == 1;
    collectAddress(tags, closed ? centroid(line) : pointAlong(line, 0.5), true);
  }
  if (const char* scheme = tags["addr:interpolation"]) {
    for (const auto& run : runs) content_.interpolations.push_back({run, scheme});
  }
}

void OsmCollector::area(const osmium::Area& area) {
  const auto& tags = area.tags();
  std::vector<Line> rings;
  Line firstOuter;
  for (const auto& outer : area.outer_rings()) {
    rings.push_back(ringPoints(outer));
    if (firstOuter.empty()) firstOuter = rings.back();
    for (const auto& inner : area.inner_rings(outer)) rings.push_back(ringPoints(inner));
  }
  std::erase_if(rings, [](const Line& ring) { return ring.size() < 3; });
  if (rings.empty()) return;
  const Box box = boundsOf(rings);

  if (!area.from_way()) {
    const auto relationAddress = content_.addressOfRelation.find(area.orig_id());
    if (relationAddress != content_.addressOfRelation.end()) {
      RawAddress& a = content_.addresses[relationAddress->second];
      a.point = centroid(firstOuter);
      a.located = true;
    }
  }
  if (isBuiltUpArea(tags)) content_.builtUpAreas.add(rings, 0);
  if (tags.has_tag("boundary", "postal_code")) {
    const std::string code = tagOr(tags, "postal_code", "addr:postcode");
    if (!code.empty()) content_.locality.addPostalArea(code, rings);
  }
  if (const auto place = placeKind(tags["place"]); place && tags["name"]) {
    if (isSettlement(*place)) content_.locality.addSettlementArea(tags["name"], rings);
    if (isDistrict(*place)) content_.locality.addDistrictArea(tags["name"], rings);
    collectPlace(tags, centroid(firstOuter), true);
  }
  if (const auto kind = areaKind(tags)) {
    const std::string name =
        *kind == FeatureKind::Building ? tagOr(tags, "addr:housenumber") : tagOr(tags, "name");
    content_.features.push_back(
        {*kind, 0, kFeatureArea,
         static_cast<std::uint8_t>(areaLevel(*kind, largestSideMetres(box))), name,
         std::move(rings)});
  }
}

}  // namespace geo::osm
