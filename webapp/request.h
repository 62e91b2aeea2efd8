#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace webapp {

// A request the application refuses; the message is German and shown on the error page.
class BadRequest : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Percent escapes decoded and "+" read as a blank; a broken escape, a NUL byte or text that
// is not UTF-8 is refused.
std::string decodeUrlPart(std::string_view text);

// The "&"-separated positional parameters of a raw query string, each decoded.
std::vector<std::string> queryParameters(std::string_view query);

// A whole decimal number and nothing else; what names the value in the error message.
std::int64_t parseNumber(std::string_view text, std::string_view what);
std::int64_t parseNumberInRange(std::string_view text, std::string_view what, std::int64_t min,
                                std::int64_t max);

bool isValidUtf8(std::string_view text);

}  // namespace webapp
