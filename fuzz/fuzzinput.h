#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Helpers shared by the fuzz targets: the input as bytes and split into fields.
namespace zepfuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The pieces of text between separators; a missing piece is empty.
inline std::vector<std::string> Fields(std::string_view text, char separator, std::size_t count) {
  std::vector<std::string> fields(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t end = text.find(separator);
    fields[i] = std::string(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return fields;
}

}  // namespace zepfuzz
