#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geo/map/mapformat.h"
#include "geo/map/rtree.h"

namespace geo {

// A compiled map, memory-mapped read-only. Opening checks magic, version, sizes, checksums
// and every reference between the sections, so the accessors can trust the data.
class CompiledMap {
 public:
  // Opens the map in a map root folder. On failure returns nothing and puts the reason into
  // error (German, for the user).
  static std::unique_ptr<CompiledMap> open(const std::string& rootDirectory, std::string& error);
  static std::string filePath(const std::string& rootDirectory);

  ~CompiledMap();
  CompiledMap(const CompiledMap&) = delete;
  CompiledMap& operator=(const CompiledMap&) = delete;

  std::uint32_t version() const { return version_; }
  // The folder the map was opened from; caches made from the map are kept there.
  const std::string& rootDirectory() const { return rootDirectory_; }
  // Tells this map file from any other: the header checksum covers every section's checksum.
  MapIdentity identity() const { return identity_; }
  Box bounds() const { return meta_.bounds; }
  std::string_view sourceName() const { return text(meta_.source); }

  std::string_view text(std::uint32_t id) const;

  std::span<const Point> nodes() const { return nodes_; }
  std::span<const EdgeRecord> edges() const { return edges_; }
  std::span<const EdgeRecord> edgesFrom(std::uint32_t node) const;
  std::span<const Point> points(PointRange range) const;
  std::span<const PointRange> ranges(PointRange range) const;
  // Full drawing line of an edge from its source to its target node.
  std::vector<Point> edgeGeometry(const EdgeRecord& edge) const;

  std::span<const AddressRecord> addresses() const { return addresses_; }
  std::span<const StreetRecord> streets() const { return streets_; }
  std::span<const PlaceRecord> places() const { return places_; }
  std::span<const FeatureRecord> features() const { return features_; }

  // Ids of the drawing features in the box that are meant to be drawn at this scale (map
  // units per pixel), coarse levels first.
  std::vector<std::uint32_t> featuresIn(const Box& box, double unitsPerPixel) const;
  // Coarsest scale at which features of a detail level are still drawn.
  static double maxUnitsPerPixel(int level);

 private:
  CompiledMap() = default;
  class Loader;

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::uint32_t version_ = 0;
  std::string rootDirectory_;
  MapIdentity identity_{};
  MetaRecord meta_{};
  std::string_view strings_;
  std::span<const Point> points_;
  std::span<const Point> nodes_;
  std::span<const std::uint32_t> nodeEdges_;
  std::span<const EdgeRecord> edges_;
  std::span<const AddressRecord> addresses_;
  std::span<const StreetRecord> streets_;
  std::span<const PointRange> ranges_;
  std::span<const PlaceRecord> places_;
  std::span<const FeatureRecord> features_;
  std::vector<RTreeView> featureTrees_;  // one per detail level
};

}  // namespace geo
