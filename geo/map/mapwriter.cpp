#include "geo/map/mapwriter.h"

#include <zlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace geo {

namespace {

constexpr std::uint64_t kAlignment = 8;

std::uint64_t aligned(std::uint64_t offset) {
  return (offset + kAlignment - 1) / kAlignment * kAlignment;
}

}  // namespace

std::uint32_t crc32Of(const void* data, std::size_t size) { return crc32Continue(0, data, size); }

std::uint32_t crc32Continue(std::uint32_t start, const void* data, std::size_t size) {
  // zlib takes at most 4 GB per call.
  uLong crc = start;
  const auto* bytes = static_cast<const Bytef*>(data);
  while (size > 0) {
    const auto chunk = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    crc = crc32(crc, bytes, chunk);
    bytes += chunk;
    size -= chunk;
  }
  return static_cast<std::uint32_t>(crc);
}

void MapWriter::addBytes(SectionId id, std::vector<std::uint8_t> bytes) {
  sections_.push_back({id, std::move(bytes)});
}

bool MapWriter::write(const std::string& directory, std::string& error) const {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(directory, ec);
  if (ec) {
    error = "Kartenordner kann nicht angelegt werden: " + directory + " (" + ec.message() + ")";
    return false;
  }

  std::vector<SectionEntry> table;
  std::uint64_t offset = aligned(sizeof(FileHeader) + sections_.size() * sizeof(SectionEntry));
  for (const auto& section : sections_) {
    table.push_back({static_cast<std::uint32_t>(section.id),
                     crc32Of(section.bytes.data(), section.bytes.size()), offset,
                     section.bytes.size()});
    offset = aligned(offset + section.bytes.size());
  }

  FileHeader header{};
  header.magic = kMapMagic;
  header.version = kMapFormatVersion;
  header.sectionCount = static_cast<std::uint32_t>(table.size());
  header.fileSize = offset;
  std::vector<std::uint8_t> head(sizeof(FileHeader) + table.size() * sizeof(SectionEntry));
  std::memcpy(head.data(), &header, sizeof header);
  if (!table.empty()) {
    std::memcpy(head.data() + sizeof header, table.data(), table.size() * sizeof(SectionEntry));
  }
  header.headerCrc = crc32Of(head.data(), head.size());
  std::memcpy(head.data(), &header, sizeof header);

  const fs::path target = fs::path(directory) / kMapFileName;
  const fs::path temporary = fs::path(directory) / (std::string(kMapFileName) + ".part");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    const std::vector<char> padding(kAlignment, 0);
    out.write(reinterpret_cast<const char*>(head.data()),
              static_cast<std::streamsize>(head.size()));
    std::uint64_t written = head.size();
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      out.write(padding.data(), static_cast<std::streamsize>(table[i].offset - written));
      out.write(reinterpret_cast<const char*>(sections_[i].bytes.data()),
                static_cast<std::streamsize>(sections_[i].bytes.size()));
      written = table[i].offset + sections_[i].bytes.size();
    }
    out.write(padding.data(), static_cast<std::streamsize>(offset - written));
    out.close();
    if (!out) {
      error = "Kartendatei kann nicht geschrieben werden: " + temporary.string();
      fs::remove(temporary, ec);
      return false;
    }
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    error =
        "Kartendatei kann nicht angelegt werden: " + target.string() + " (" + ec.message() + ")";
    return false;
  }
  return true;
}

}  // namespace geo
