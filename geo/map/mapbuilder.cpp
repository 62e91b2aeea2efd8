#include "geo/map/mapbuilder.h"

#include <algorithm>
#include <cstring>

#include "geo/map/mapwriter.h"
#include "geo/map/rtree.h"

namespace geo {

StringPool::StringPool() : bytes_{0} { ids_.emplace("", 0); }

std::uint32_t StringPool::id(std::string_view text) {
  const auto found = ids_.find(std::string(text));
  if (found != ids_.end()) return found->second;
  // A text with an inner zero byte would be cut short on reading; keep what reads back.
  const std::string stored(text.substr(0, text.find('\0')));
  const auto id = static_cast<std::uint32_t>(bytes_.size());
  bytes_.insert(bytes_.end(), stored.begin(), stored.end());
  bytes_.push_back(0);
  ids_.emplace(std::string(text), id);
  return id;
}

std::uint32_t MapBuilder::addNode(Point p) {
  nodes_.push_back(p);
  bounds_.extend(p);
  return static_cast<std::uint32_t>(nodes_.size() - 1);
}

PointRange MapBuilder::addPoints(std::span<const Point> points) {
  const PointRange range{static_cast<std::uint32_t>(points_.size()),
                         static_cast<std::uint32_t>(points.size())};
  points_.insert(points_.end(), points.begin(), points.end());
  return range;
}

PointRange MapBuilder::addParts(const std::vector<Line>& parts) {
  std::vector<PointRange> partRanges;
  for (const Line& part : parts) partRanges.push_back(addPoints(part));
  const PointRange range{static_cast<std::uint32_t>(ranges_.size()),
                         static_cast<std::uint32_t>(partRanges.size())};
  ranges_.insert(ranges_.end(), partRanges.begin(), partRanges.end());
  return range;
}

void MapBuilder::addRoad(const RoadSegment& s) {
  const PointRange shape = addPoints(s.inner);
  const std::uint32_t name = strings_.id(s.name);
  const bool oneWay = s.forward != s.backward;
  const auto flags =
      static_cast<std::uint8_t>((oneWay ? kEdgeOneWay : 0) | (s.builtUp ? kEdgeBuiltUp : 0));
  const auto length = static_cast<float>(s.lengthMetres);
  if (s.forward) {
    edges_.push_back({s.from, s.to, length, name, shape, s.roadClass, flags, 0});
  }
  if (s.backward) {
    edges_.push_back({s.to, s.from, length, name, shape, s.roadClass,
                      static_cast<std::uint8_t>(flags | kEdgeReversed), 0});
  }
  bounds_.extend(boundsOf(s.inner));
}

void MapBuilder::addAddress(const AddressEntry& a) {
  addresses_.push_back({strings_.id(a.country), strings_.id(a.postalCode), strings_.id(a.town),
                        strings_.id(a.district), strings_.id(a.street), strings_.id(a.houseNumber),
                        a.point});
  bounds_.extend(a.point);
}

void MapBuilder::addStreet(const StreetEntry& s) {
  const Box box = boundsOf(s.parts);
  streets_.push_back({strings_.id(s.name), strings_.id(s.town), strings_.id(s.postalCode), 0,
                      addParts(s.parts), box});
  bounds_.extend(box);
}

void MapBuilder::addPlace(const PlaceEntry& p) {
  places_.push_back({strings_.id(p.name),
                     strings_.id(p.postalCode),
                     strings_.id(p.town),
                     p.population,
                     p.centre,
                     p.kind,
                     {}});
  bounds_.extend(p.centre);
}

void MapBuilder::addFeature(const FeatureEntry& f) {
  const Box box = boundsOf(f.rings);
  features_.push_back({f.kind, f.detail, f.flags,
                       static_cast<std::uint8_t>(std::min<int>(f.level, kDetailLevels - 1)),
                       strings_.id(f.name), addParts(f.rings), box});
  bounds_.extend(box);
}

std::vector<std::uint8_t> MapBuilder::featureIndex() const {
  std::vector<std::uint32_t> words{static_cast<std::uint32_t>(kDetailLevels),
                                   PackedRTree::kNodeSize};
  for (int level = 0; level < kDetailLevels; ++level) {
    std::vector<std::pair<Box, std::uint32_t>> items;
    for (std::uint32_t i = 0; i < features_.size(); ++i) {
      if (features_[i].level == level) items.emplace_back(features_[i].bounds, i);
    }
    const PackedRTree tree = PackedRTree::build(std::move(items));
    words.push_back(tree.itemCount);
    words.push_back(static_cast<std::uint32_t>(tree.boxes.size()));
    const std::size_t at = words.size();
    words.resize(at + tree.boxes.size() * (sizeof(Box) / sizeof(std::uint32_t)));
    if (!tree.boxes.empty()) {
      std::memcpy(words.data() + at, tree.boxes.data(), tree.boxes.size() * sizeof(Box));
    }
    words.insert(words.end(), tree.indices.begin(), tree.indices.end());
  }
  std::vector<std::uint8_t> bytes(words.size() * sizeof(std::uint32_t));
  std::memcpy(bytes.data(), words.data(), bytes.size());
  return bytes;
}

bool MapBuilder::write(const std::string& directory, std::string& error) {
  std::stable_sort(edges_.begin(), edges_.end(),
                   [](const EdgeRecord& a, const EdgeRecord& b) { return a.source < b.source; });
  std::vector<std::uint32_t> nodeEdges(nodes_.size() + 1, 0);
  for (const EdgeRecord& e : edges_) ++nodeEdges[e.source + 1];
  for (std::size_t i = 1; i < nodeEdges.size(); ++i) nodeEdges[i] += nodeEdges[i - 1];

  MapWriter writer;
  writer.addArray(SectionId::Meta, std::vector<MetaRecord>{{bounds_, source_, 0}});
  writer.addBytes(SectionId::Strings, strings_.bytes());
  writer.addArray(SectionId::Points, points_);
  writer.addArray(SectionId::Nodes, nodes_);
  writer.addArray(SectionId::NodeEdges, nodeEdges);
  writer.addArray(SectionId::Edges, edges_);
  writer.addArray(SectionId::Addresses, addresses_);
  writer.addArray(SectionId::Streets, streets_);
  writer.addArray(SectionId::Ranges, ranges_);
  writer.addArray(SectionId::Places, places_);
  writer.addArray(SectionId::Features, features_);
  writer.addBytes(SectionId::FeatureIndex, featureIndex());
  return writer.write(directory, error);
}

}  // namespace geo
