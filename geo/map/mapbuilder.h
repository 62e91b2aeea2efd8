#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "geo/map/geometry.h"
#include "geo/map/mapformat.h"

namespace geo {

// Texts are stored once; an id is the text's byte offset, id 0 the empty text.
class StringPool {
 public:
  StringPool();
  std::uint32_t id(std::string_view text);
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::unordered_map<std::string, std::uint32_t> ids_;
};

struct RoadSegment {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  Line inner;  // points between the two nodes
  double lengthMetres = 0;
  std::string name;
  std::uint8_t roadClass = 0;
  bool forward = true;   // may be driven from -> to
  bool backward = true;  // may be driven to -> from
  bool builtUp = false;
};

struct AddressEntry {
  std::string country, postalCode, town, district, street, houseNumber;
  Point point;
};

struct StreetEntry {
  std::string name, town, postalCode;
  std::vector<Line> parts;
};

struct PlaceEntry {
  std::string name, postalCode, town;
  PlaceKind kind = PlaceKind::Town;
  std::uint32_t population = 0;
  Point centre;
};

struct FeatureEntry {
  FeatureKind kind = FeatureKind::Road;
  std::uint8_t detail = 0;
  std::uint8_t flags = 0;
  std::uint8_t level = 0;
  std::string name;
  std::vector<Line> rings;
};

// Turns plain map content into the sections of a compiled map.
class MapBuilder {
 public:
  std::uint32_t addNode(Point p);
  void addRoad(const RoadSegment& segment);
  void addAddress(const AddressEntry& address);
  void addStreet(const StreetEntry& street);
  void addPlace(const PlaceEntry& place);
  void addFeature(const FeatureEntry& feature);
  void setSourceName(std::string_view name) { source_ = strings_.id(name); }

  std::size_t nodeCount() const { return nodes_.size(); }
  std::size_t edgeCount() const { return edges_.size(); }
  std::size_t addressCount() const { return addresses_.size(); }
  bool empty() const { return nodes_.empty() && addresses_.empty() && features_.empty(); }

  bool write(const std::string& directory, std::string& error);

 private:
  PointRange addPoints(std::span<const Point> points);
  PointRange addParts(const std::vector<Line>& parts);
  void includeInBounds(const Box& box) { bounds_.extend(box); }
  std::vector<std::uint8_t> featureIndex() const;

  StringPool strings_;
  std::uint32_t source_ = 0;
  Box bounds_;
  std::vector<Point> points_;
  std::vector<PointRange> ranges_;
  std::vector<Point> nodes_;
  std::vector<EdgeRecord> edges_;
  std::vector<AddressRecord> addresses_;
  std::vector<StreetRecord> streets_;
  std::vector<PlaceRecord> places_;
  std::vector<FeatureRecord> features_;
};

}  // namespace geo
