// Any bytes as the map file of a map folder. The first byte chooses whether the target first
// writes the right file size and checksums into the bytes: without that nearly every input
// stops at the checksums, with it the checks of the sections' contents are reached. A map
// the loader accepts must be safe to read everywhere, geocoder included.

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzzinput.h"
#include "geo/geocode/geocoder.h"
#include "geo/map/compiledmap.h"
#include "geo/map/mapformat.h"
#include "geo/map/mapwriter.h"
#include "geo/tests/tempdir.h"

namespace {

template <typename Record>
bool ReadRecord(const std::vector<std::uint8_t>& bytes, std::size_t offset, Record& record) {
  if (offset + sizeof(Record) > bytes.size()) return false;
  std::memcpy(&record, bytes.data() + offset, sizeof(Record));
  return true;
}

// Writes size and checksums as the map writer would, wherever the section table allows.
void Reseal(std::vector<std::uint8_t>& bytes) {
  geo::FileHeader header{};
  if (!ReadRecord(bytes, 0, header)) return;
  header.fileSize = bytes.size();
  header.headerCrc = 0;
  const std::size_t count = header.sectionCount;
  if (count > (bytes.size() - sizeof header) / sizeof(geo::SectionEntry)) return;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = sizeof header + i * sizeof(geo::SectionEntry);
    geo::SectionEntry entry{};
    ReadRecord(bytes, at, entry);
    if (entry.offset > bytes.size() || entry.size > bytes.size() - entry.offset) continue;
    entry.crc = geo::crc32Of(bytes.data() + entry.offset, entry.size);
    std::memcpy(bytes.data() + at, &entry, sizeof entry);
  }
  std::memcpy(bytes.data(), &header, sizeof header);
  const std::size_t headEnd = sizeof header + count * sizeof(geo::SectionEntry);
  header.headerCrc = geo::crc32Of(bytes.data(), headEnd);
  std::memcpy(bytes.data(), &header, sizeof header);
}

void ReadEverything(const geo::CompiledMap& map) {
  std::size_t sum = 0;
  for (const auto& edge : map.edges()) {
    sum += map.edgeGeometry(edge).size() + map.text(edge.name).size();
    sum += map.edgesFrom(edge.source).size();
  }
  for (const auto& street : map.streets()) {
    for (const auto& part : map.ranges(street.parts)) sum += map.points(part).size();
  }
  for (const auto& feature : map.features()) {
    for (const auto& ring : map.ranges(feature.rings)) sum += map.points(ring).size();
  }
  for (int level = 0; level < geo::kDetailLevels; ++level)
    sum += map.featuresIn(map.bounds(), geo::CompiledMap::maxUnitsPerPixel(level)).size();
  const geo::Geocoder geocoder(map);
  for (const auto& address : map.addresses()) {
    const geo::GeocodeQuery query{
        std::string(map.text(address.country)),
        std::string(map.text(address.postalCode)),
        std::string(map.text(address.town)),
        {},
        std::string(map.text(address.street)) + " " + std::string(map.text(address.houseNumber))};
    sum += geocoder.search(query).candidates.size();
    sum += geocoder.reverse(address.point).size();
  }
  if (sum == static_cast<std::size_t>(-1)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const geo::testing::TempDir folder;
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  if (data[0] & 1) Reseal(bytes);
  std::ofstream(geo::CompiledMap::filePath(folder.path()), std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  std::string error;
  const auto map = geo::CompiledMap::open(folder.path(), error);
  if (!map) {
    if (error.empty()) std::abort();
    return 0;
  }
  ReadEverything(*map);
  return 0;
}
