#include "webapp/request.h"

#include <algorithm>
#include <charconv>

namespace webapp {

namespace {
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4)
      length = 4;
    else if (lead >= 0xE0)
      length = 3;
    else if (lead >= 0xC2 && lead <= 0xDF)
      length = 2;
    else if (lead >= 0x80)
      return false;
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

std::string decodeUrlPart(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%') {
      const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
      const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
      if (low < 0) throw BadRequest("Die Adresse enthält eine ungültige %-Kodierung.");
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  const bool control = std::any_of(out.begin(), out.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  if (control || !isValidUtf8(out)) throw BadRequest("Die Adresse enthält unzulässige Zeichen.");
  return out;
}

std::vector<std::string> queryParameters(std::string_view query) {
  std::vector<std::string> parameters;
  std::size_t start = 0;
  while (true) {
    const auto end = query.find('&', start);
    parameters.push_back(decodeUrlPart(query.substr(start, end - start)));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parameters;
}

std::int64_t parseNumber(std::string_view text, std::string_view what) {
  std::int64_t value = 0;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (text.empty() || error != std::errc() || stop != end)
    throw BadRequest(std::string(what) + " muss eine ganze Zahl sein.");
  return value;
}

std::int64_t parseNumberInRange(std::string_view text, std::string_view what, std::int64_t min,
                                std::int64_t max) {
  const std::int64_t value = parseNumber(text, what);
  if (value < min || value > max)
    throw BadRequest(std::string(what) + " liegt außerhalb des zulässigen Bereichs (" +
                     std::to_string(min) + " bis " + std::to_string(max) + ").");
  return value;
}

}  // namespace webapp
