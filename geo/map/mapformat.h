#pragma once

// On-disk layout of a compiled map. All numbers are little-endian; every section starts at a
// multiple of 8 bytes and holds an array of one of the records below (or raw bytes).
//
// file   := FileHeader, SectionEntry[sectionCount], sections...
// Every section carries a CRC-32 of its bytes; the header carries one of itself and the
// section table. A new section kind (say, a routing hierarchy) gets a new id and a version
// bump, so older programs refuse the file instead of misreading it.

#include <array>
#include <bit>
#include <cstdint>

#include "geo/map/coords.h"

static_assert(std::endian::native == std::endian::little, "compiled maps are little-endian");

namespace geo {

inline constexpr std::array<char, 8> kMapMagic = {'Z', 'E', 'P', 'M', 'A', 'P', '\r', '\n'};
inline constexpr std::uint32_t kMapFormatVersion = 1;
inline constexpr const char* kMapFileName = "map.zepmap";

struct FileHeader {
  std::array<char, 8> magic;
  std::uint32_t version;
  std::uint32_t sectionCount;
  std::uint64_t fileSize;
  std::uint32_t headerCrc;  // over header (with this field 0) and section table
  std::uint32_t reserved;
};
static_assert(sizeof(FileHeader) == 32);

// What files derived from a map (caches beside it) record to know they belong to it.
struct MapIdentity {
  std::uint32_t headerCrc = 0;
  std::uint32_t version = 0;
  std::uint64_t fileSize = 0;
  friend bool operator==(const MapIdentity&, const MapIdentity&) = default;
};
static_assert(sizeof(MapIdentity) == 16);

struct SectionEntry {
  std::uint32_t id;
  std::uint32_t crc;
  std::uint64_t offset;
  std::uint64_t size;
};
static_assert(sizeof(SectionEntry) == 24);

enum class SectionId : std::uint32_t {
  Meta = 1,
  Strings = 2,       // zero-terminated UTF-8 texts; a text id is its byte offset, 0 is ""
  Points = 3,        // Point[], shared by edge shapes, streets and drawing features
  Nodes = 4,         // Point[] of the road graph nodes
  NodeEdges = 5,     // uint32[nodeCount + 1]: edges leaving node n are [v[n], v[n + 1])
  Edges = 6,         // EdgeRecord[], sorted by source node
  Addresses = 7,     // AddressRecord[]
  Streets = 8,       // StreetRecord[]
  Ranges = 9,        // PointRange[]: parts of streets and rings of features
  Places = 10,       // PlaceRecord[]
  Features = 11,     // FeatureRecord[]
  FeatureIndex = 12  // packed R-trees over the features, one per detail level
};

struct MetaRecord {
  Box bounds;            // map coordinates of everything in the file
  std::uint32_t source;  // text id: name of the imported file
  std::uint32_t reserved;
};

struct PointRange {
  std::uint32_t first;
  std::uint32_t count;
};

enum EdgeFlags : std::uint8_t {
  kEdgeOneWay = 1,    // the road may be driven in this direction only
  kEdgeBuiltUp = 2,   // inside a built-up area (town speeds)
  kEdgeReversed = 4,  // shape points are stored in the other direction
};

struct EdgeRecord {
  std::uint32_t source;
  std::uint32_t target;
  float lengthMetres;
  std::uint32_t name;      // text id of the street name
  PointRange shape;        // inner points from source to target (see kEdgeReversed)
  std::uint8_t roadClass;  // 0 motorway ... 7 service/track
  std::uint8_t flags;
  std::uint16_t reserved;
};
static_assert(sizeof(EdgeRecord) == 28);

struct AddressRecord {
  std::uint32_t country;
  std::uint32_t postalCode;
  std::uint32_t town;
  std::uint32_t district;
  std::uint32_t street;
  std::uint32_t houseNumber;
  Point point;
};

struct StreetRecord {
  std::uint32_t name;
  std::uint32_t town;
  std::uint32_t postalCode;
  std::uint32_t reserved;
  PointRange parts;  // into Ranges, each a polyline in Points
  Box bounds;
};

enum class PlaceKind : std::uint8_t { City, Town, Village, Hamlet, Suburb, Quarter, Locality };

struct PlaceRecord {
  std::uint32_t name;
  std::uint32_t postalCode;
  std::uint32_t town;  // for districts the town they belong to, else 0
  std::uint32_t population;
  Point centre;
  PlaceKind kind;
  std::array<std::uint8_t, 3> reserved;
};

enum class FeatureKind : std::uint8_t {
  Road,  // detail = road class, name, kFeatureOneWay
  Path,  // ways not open to cars
  Railway,
  Waterway,
  Water,        // area
  Forest,       // area
  Park,         // area
  Farmland,     // area
  Residential,  // area
  Building,     // area
  PlaceLabel,   // one point, name, detail = PlaceKind
};

enum FeatureFlags : std::uint8_t {
  kFeatureArea = 1,    // rings are closed outlines (outer and inner, fill even-odd)
  kFeatureOneWay = 2,  // arrows along the drawing direction
  kFeatureBridge = 4,
  kFeatureTunnel = 8,
};

struct FeatureRecord {
  FeatureKind kind;
  std::uint8_t detail;
  std::uint8_t flags;
  std::uint8_t level;  // detail level: 0 always drawn ... kDetailLevels - 1 only close up
  std::uint32_t name;
  PointRange rings;  // into Ranges
  Box bounds;
};
static_assert(sizeof(FeatureRecord) == 32);

inline constexpr int kDetailLevels = 4;

}  // namespace geo
