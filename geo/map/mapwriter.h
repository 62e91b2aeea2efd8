#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "geo/map/mapformat.h"

namespace geo {

// Collects the sections of a compiled map and writes them as one file with header, section
// table and checksums. The file appears under its final name only when complete.
class MapWriter {
 public:
  void addBytes(SectionId id, std::vector<std::uint8_t> bytes);

  template <typename Record>
  void addArray(SectionId id, const std::vector<Record>& records) {
    std::vector<std::uint8_t> bytes(records.size() * sizeof(Record));
    if (!bytes.empty()) std::memcpy(bytes.data(), records.data(), bytes.size());
    addBytes(id, std::move(bytes));
  }

  // Writes <directory>/map.zepmap, creating the directory when needed.
  bool write(const std::string& directory, std::string& error) const;

 private:
  struct Section {
    SectionId id;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Section> sections_;
};

std::uint32_t crc32Of(const void* data, std::size_t size);
// The checksum of earlier bytes (crc) continued over more; crc32Of is this from 0.
std::uint32_t crc32Continue(std::uint32_t crc, const void* data, std::size_t size);

}  // namespace geo
