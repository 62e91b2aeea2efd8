#pragma once

#include <osmium/handler.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/relation.hpp>
#include <osmium/osm/way.hpp>

#include "geo/osm/osmcontent.h"

namespace geo::osm {

// True for objects that carry a full address: a house number and a street (or, for
// addresses without street, a place name).
bool hasCompleteAddress(const osmium::TagList& tags);

// Reads the objects of an OpenStreetMap file into OsmContent. Relations come in a first
// pass (before their member ways); nodes, ways and assembled areas in the second.
class OsmCollector : public osmium::handler::Handler {
 public:
  explicit OsmCollector(OsmContent& content) : content_(content) {}

  // First pass: relations that carry an address.
  void addressRelation(const osmium::Relation& relation);
  void node(const osmium::Node& node);
  void way(const osmium::Way& way);
  void area(const osmium::Area& area);

 private:
  void collectHighway(const osmium::Way& way, const std::vector<std::vector<WayNode>>& runs);
  void collectAddress(const osmium::TagList& tags, Point point, bool located);
  void collectPlace(const osmium::TagList& tags, Point centre, bool fromOutline);
  void addLineFeature(FeatureKind kind, std::uint8_t detail, std::uint8_t flags, int level,
                      const std::string& name, const std::vector<WayNode>& run);

  OsmContent& content_;
};

}  // namespace geo::osm
