#include "geo/geocode/geocodervariants.h"

#include <array>
#include <cctype>
#include <span>
#include <string_view>
#include <utility>

namespace geo {

namespace {

std::string replaced(std::string text, std::string_view from, std::string_view to) {
  for (auto pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
  return text;
}

std::string withReplacements(std::string text,
                             std::span<const std::pair<const char*, const char*>> pairs) {
  for (const auto& [from, to] : pairs) text = replaced(std::move(text), from, to);
  return text;
}

std::string asciiLower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

constexpr std::array<std::pair<const char*, const char*>, 7> kUmlautsWithE = {
    {{"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"}}};
constexpr std::array<std::pair<const char*, const char*>, 7> kUmlautsPlain = {
    {{"ä", "a"}, {"ö", "o"}, {"ü", "u"}, {"Ä", "A"}, {"Ö", "O"}, {"Ü", "U"}, {"ß", "ss"}}};
constexpr std::array<std::pair<const char*, const char*>, 4> kAbbreviations = {
    {{"straße", "str."}, {"Straße", "Str."}, {"strasse", "str."}, {"-", " "}}};

// "12a" becomes "12 a".
std::string spacedNumber(const std::string& number) {
  std::size_t digits = 0;
  while (digits < number.size() && std::isdigit(static_cast<unsigned char>(number[digits]))) {
    ++digits;
  }
  if (digits == 0 || digits == number.size()) return number;
  return number.substr(0, digits) + " " + number.substr(digits);
}

// Two neighbouring ASCII letters in the middle swapped, or nothing when there are none.
std::string swappedLetters(const std::string& text) {
  for (std::size_t i = text.size() / 2; i + 1 < text.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
    if (std::isalpha(a) && std::isalpha(b) && a != b && a < 0x80 && b < 0x80) {
      std::string typo = text;
      std::swap(typo[i], typo[i + 1]);
      return typo;
    }
  }
  return {};
}

std::string withNumber(const std::string& street, const std::string& number) {
  return number.empty() ? street : street + " " + number;
}

}  // namespace

GeocodeQuery addressQuery(const CompiledMap& map, const AddressRecord& a) {
  return {std::string(map.text(a.country)), std::string(map.text(a.postalCode)),
          std::string(map.text(a.town)), std::string(map.text(a.district)),
          withNumber(std::string(map.text(a.street)), std::string(map.text(a.houseNumber)))};
}

std::vector<GeocodeQuery> addressVariants(const GeocodeQuery& clean) {
  std::vector<GeocodeQuery> variants;
  GeocodeQuery q = clean;
  q.town = asciiLower(withReplacements(clean.town, kUmlautsWithE));
  q.street = asciiLower(withReplacements(clean.street, kUmlautsWithE));
  variants.push_back(q);

  // The house number stays apart from the street name while that is abbreviated.
  const auto lastBlank = clean.street.rfind(' ');
  const bool hasNumber = lastBlank != std::string::npos &&
                         std::isdigit(static_cast<unsigned char>(clean.street[lastBlank + 1]));
  const std::string name = hasNumber ? clean.street.substr(0, lastBlank) : clean.street;
  const std::string number = hasNumber ? clean.street.substr(lastBlank + 1) : "";
  q = clean;
  q.street = withNumber(withReplacements(withReplacements(name, kUmlautsPlain), kAbbreviations),
                        spacedNumber(number));
  variants.push_back(q);

  q = clean;
  q.postalCode.clear();
  variants.push_back(q);
  q = clean;
  q.town.clear();
  q.district.clear();
  variants.push_back(q);

  if (name.size() >= 10) {
    if (std::string typo = swappedLetters(name); !typo.empty()) {
      q = clean;
      q.street = withNumber(typo, number);
      variants.push_back(q);
    }
  }
  if (clean.town.size() >= 7) {
    if (std::string typo = swappedLetters(clean.town); !typo.empty()) {
      q = clean;
      q.town = typo;
      variants.push_back(q);
    }
  }
  return variants;
}

bool namesAddress(const CompiledMap& map, const GeocodeCandidate& c, const AddressRecord& a) {
  return c.classification == AddressClass::HouseNumber && c.street == map.text(a.street) &&
         c.houseNumber == map.text(a.houseNumber) && c.town == map.text(a.town) &&
         c.postalCode == map.text(a.postalCode) &&
         mapDistanceMetres(c.point, a.point) < kSameHouseMetres;
}

}  // namespace geo
