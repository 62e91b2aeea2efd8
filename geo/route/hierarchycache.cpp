#include "geo/route/hierarchycache.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>

#include "geo/map/mapwriter.h"

namespace geo {

namespace {

constexpr std::array<char, 8> kMagic = {'Z', 'E', 'P', 'C', 'H', '\r', '\n', 0};
// Goes up whenever the file layout or the way edge weights are computed changes.
constexpr std::uint32_t kFormatVersion = 1;

struct Header {
  std::array<char, 8> magic;
  std::uint32_t version;
  std::uint32_t timeFactor;
  std::array<std::uint16_t, 16> speedsKmh;
  MapIdentity map;
  std::uint32_t nodeCount;
  std::uint32_t edgeCount;  // of the map's graph
  std::uint64_t upArcCount;
  std::uint64_t downArcCount;
  std::uint32_t payloadCrc;
  std::uint32_t headerCrc;  // over this header with the field set to 0
};
static_assert(sizeof(Header) == 96);

Header headerFor(const CompiledMap& map, const RouteOptions& options) {
  Header h{};
  h.magic = kMagic;
  h.version = kFormatVersion;
  h.timeFactor = static_cast<std::uint32_t>(options.timeFactor);
  h.speedsKmh = options.profile.speedsKmh;
  h.map = map.identity();
  h.nodeCount = static_cast<std::uint32_t>(map.nodes().size());
  h.edgeCount = static_cast<std::uint32_t>(map.edges().size());
  return h;
}

std::uint32_t headerCrcOf(Header h) {
  h.headerCrc = 0;
  return crc32Of(&h, sizeof h);
}

// Part of the file name: different tables get different files, so switching between two
// profiles does not rebuild each time.
std::string keyOf(const RouteOptions& options) {
  std::uint32_t hash = crc32Of(options.profile.speedsKmh.data(), sizeof options.profile.speedsKmh);
  hash ^= static_cast<std::uint32_t>(options.timeFactor) * 0x9E3779B1u;
  char text[9];
  std::snprintf(text, sizeof text, "%08x", hash);
  return std::string(text) + "-" + std::to_string(options.timeFactor);
}

template <typename T>
std::span<const char> bytesOf(std::span<const T> items) {
  return {reinterpret_cast<const char*>(items.data()), items.size_bytes()};
}

template <typename T>
bool readInto(std::ifstream& in, std::vector<T>& items, std::size_t count, std::uint32_t& crc) {
  items.resize(count);
  const auto bytes = static_cast<std::streamsize>(count * sizeof(T));
  if (!in.read(reinterpret_cast<char*>(items.data()), bytes)) return false;
  crc = crc32Continue(crc, items.data(), count * sizeof(T));
  return true;
}

}  // namespace

HierarchyCache::HierarchyCache(const CompiledMap& map, const RouteOptions& options)
    : map_(map),
      options_(options),
      path_(
          (std::filesystem::path(map.rootDirectory()) / ("hierarchy-" + keyOf(options) + ".zepch"))
              .string()) {}

std::optional<ContractionHierarchy> HierarchyCache::load(std::string& why) const {
  std::ifstream in(path_, std::ios::binary);
  if (!in) {
    why = "keine gespeicherte Hierarchie: " + path_;
    return std::nullopt;
  }
  Header stored{};
  const Header expected = headerFor(map_, options_);
  if (!in.read(reinterpret_cast<char*>(&stored), sizeof stored) ||
      stored.headerCrc != headerCrcOf(stored) || stored.magic != kMagic) {
    why = "gespeicherte Hierarchie beschädigt: " + path_;
    return std::nullopt;
  }
  if (stored.version != expected.version || !(stored.map == expected.map) ||
      stored.speedsKmh != expected.speedsKmh || stored.timeFactor != expected.timeFactor ||
      stored.nodeCount != expected.nodeCount || stored.edgeCount != expected.edgeCount) {
    why =
        "gespeicherte Hierarchie gehört zu einer anderen Karte, Version oder "
        "Geschwindigkeitstabelle: " +
        path_;
    return std::nullopt;
  }
  const std::size_t n = stored.nodeCount;
  const std::uintmax_t expectedSize =
      sizeof(Header) + (3 * n + 2) * sizeof(std::uint32_t) +
      (stored.upArcCount + stored.downArcCount) * sizeof(ContractionHierarchy::Arc);
  std::error_code ec;
  if (std::filesystem::file_size(path_, ec) != expectedSize || ec) {
    why = "gespeicherte Hierarchie unvollständig: " + path_;
    return std::nullopt;
  }
  ContractionHierarchy::Arrays arrays;
  std::uint32_t crc = 0;
  if (!readInto(in, arrays.rank, n, crc) || !readInto(in, arrays.upFirst, n + 1, crc) ||
      !readInto(in, arrays.downFirst, n + 1, crc) ||
      !readInto(in, arrays.upArcs, stored.upArcCount, crc) ||
      !readInto(in, arrays.downArcs, stored.downArcCount, crc) || crc != stored.payloadCrc) {
    why = "gespeicherte Hierarchie beschädigt: " + path_;
    return std::nullopt;
  }
  auto hierarchy = ContractionHierarchy::fromArrays(std::move(arrays), stored.edgeCount);
  if (!hierarchy) why = "gespeicherte Hierarchie ist in sich widersprüchlich: " + path_;
  return hierarchy;
}

bool HierarchyCache::save(const ContractionHierarchy& hierarchy, std::string& error) const {
  Header header = headerFor(map_, options_);
  header.upArcCount = hierarchy.upArcList().size();
  header.downArcCount = hierarchy.downArcList().size();
  const std::array<std::span<const char>, 5> parts = {
      bytesOf(hierarchy.ranks()), bytesOf(hierarchy.upOffsets()), bytesOf(hierarchy.downOffsets()),
      bytesOf(hierarchy.upArcList()), bytesOf(hierarchy.downArcList())};
  std::uint32_t crc = 0;
  for (const auto& part : parts) {
    crc = crc32Continue(crc, part.data(), part.size());
  }
  header.payloadCrc = crc;
  header.headerCrc = headerCrcOf(header);

  // A name of its own per process: two programs on one map never write into one file.
  const std::string temporary = path_ + "." + std::to_string(::getpid()) + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    for (const auto& part : parts)
      out.write(part.data(), static_cast<std::streamsize>(part.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      error = "Hierarchie kann nicht gespeichert werden: " + temporary;
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path_, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    error = "Hierarchie kann nicht gespeichert werden: " + path_;
    return false;
  }
  return true;
}

}  // namespace geo
