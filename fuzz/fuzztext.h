#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

namespace zepfuzz {

// The input as the text a page or a statement would be: UTF-8, invalid bytes replaced.
inline QString Text(const std::uint8_t* data, std::size_t size) {
  return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace zepfuzz
