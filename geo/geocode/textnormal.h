#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace geo {

// German address texts as a dispatcher types them, folded so that spellings of one name meet:
// case, umlauts with or without "e" and ß, accents, blanks, hyphens and dots, and the ways of
// writing "Straße" ("Str.", "str", "Strasse") and a leading "St." for "Sankt".
// "Müllerstraße", "muellerstrasse" and "Mullerstr." all give "mullerstrasse".
std::string matchKey(std::string_view text);

struct StreetAndNumber {
  std::string street;
  std::string number;  // empty when the text ends in no house number
};

// Splits a street text at its house number: the last word starting with a digit and what
// follows it ("Weg 7 b" gives "Weg" and "7 b"), or digits glued to the name ("Hauptstr.12").
StreetAndNumber splitHouseNumber(std::string_view text);

// A house number folded for comparison: "12 A", "12a" and "12-a" give "12a".
std::string houseNumberKey(std::string_view number);
// The leading integer of a house number, or -1 when it starts with no digit.
int houseNumberValue(std::string_view number);

// Country codes as the map stores them: "DE", "DEU" and "" become "D", and so on.
std::string countryKey(std::string_view country);

// Edit distance counting a swap of neighbours as one edit; anything above limit comes back
// as limit + 1, which keeps a scan over many names cheap.
int boundedEditDistance(std::string_view a, std::string_view b, int limit);
// How many typos a folded name may carry and still be recognised: none up to 3 letters, one
// up to 7, two from 8. A generic ending ("strasse", "weg", ...) does not count, so that
// "Bergstraße" is not taken for "Burgstraße" when it is merely missing.
int allowedTypos(std::string_view key);

}  // namespace geo
