#include "geo/geocode/textnormal.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <span>
#include <vector>

namespace geo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return c >= 'a' && c <= 'z'; }

// Latin letters from U+00C0 to U+017F without their accents; "" marks a separator.
const char* foldLatin(char32_t c) {
  static const char* const kLatin1[64] = {
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};
  if (c >= 0xC0 && c <= 0xFF) return kLatin1[c - 0xC0];
  struct Range {
    char32_t last;
    const char* letters;
  };
  // Latin Extended-A comes in runs of one base letter; each entry ends such a run.
  static const Range kExtendedA[] = {
      {0x105, "a"}, {0x10D, "c"},  {0x111, "d"}, {0x11B, "e"}, {0x123, "g"}, {0x127, "h"},
      {0x131, "i"}, {0x133, "ij"}, {0x135, "j"}, {0x138, "k"}, {0x142, "l"}, {0x14B, "n"},
      {0x151, "o"}, {0x153, "oe"}, {0x159, "r"}, {0x161, "s"}, {0x167, "t"}, {0x173, "u"},
      {0x175, "w"}, {0x178, "y"},  {0x17E, "z"}, {0x17F, "s"}};
  if (c >= 0x100 && c <= 0x17F) {
    for (const Range& r : kExtendedA) {
      if (c <= r.last) return r.letters;
    }
  }
  if (c == 0x1E9E) return "ss";  // capital sharp s
  return "";
}

// Reads one UTF-8 character; broken sequences come back as U+FFFD one byte at a time.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos++]);
  if (lead < 0x80) return lead;
  int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (more < 0 || pos + more > text.size()) return 0xFFFD;
  char32_t c = lead & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (next & 0x3F);
  }
  pos += more;
  return c;
}

struct Word {
  std::string letters;
  bool dotted = false;  // written with a dot after it, as abbreviations are
};

std::vector<Word> foldedWords(std::string_view text) {
  std::vector<Word> words(1);
  auto endWord = [&](bool dot) {
    if (words.back().letters.empty()) return;
    words.back().dotted = dot;
    words.emplace_back();
  };
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = nextCodePoint(text, pos);
    if (c < 0x80 && std::isalnum(static_cast<int>(c))) {
      words.back().letters += static_cast<char>(std::tolower(static_cast<int>(c)));
      continue;
    }
    const char* folded = c < 0x80 ? "" : foldLatin(c);
    if (*folded) {
      words.back().letters += folded;
    } else {
      endWord(c == '.');
    }
  }
  if (words.back().letters.empty()) words.pop_back();
  return words;
}

bool endsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// Spells out the usual abbreviations of street names.
void expandAbbreviations(std::vector<Word>& words) {
  if (words.size() > 1 && words[0].letters == "st") words[0].letters = "sankt";
  for (Word& w : words) {
    if (endsWith(w.letters, "str")) {
      w.letters += "asse";
    } else if (w.dotted && endsWith(w.letters, "pl")) {
      w.letters += "atz";
    }
  }
}

// "Müller" folds to "muller" and "Mueller" must meet it: a, o, u drop a following e.
std::string withoutUmlautE(const std::string& joined) {
  std::string out;
  out.reserve(joined.size());
  for (std::size_t i = 0; i < joined.size(); ++i) {
    out += joined[i];
    const char c = joined[i];
    if ((c == 'a' || c == 'o' || c == 'u') && i + 1 < joined.size() && joined[i + 1] == 'e') ++i;
  }
  return out;
}

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<std::string_view> blankSeparated(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto start = text.find_first_not_of(" \t", pos);
    if (start == std::string_view::npos) break;
    auto end = text.find_first_of(" \t", start);
    if (end == std::string_view::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    pos = end;
  }
  return words;
}

std::string joined(const std::vector<std::string_view>& words, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to; ++i) {
    if (!out.empty()) out += ' ';
    out += words[i];
  }
  return out;
}

}  // namespace

std::string matchKey(std::string_view text) {
  std::vector<Word> words = foldedWords(text);
  expandAbbreviations(words);
  std::string all;
  for (const Word& w : words) all += w.letters;
  return withoutUmlautE(all);
}

StreetAndNumber splitHouseNumber(std::string_view text) {
  const std::vector<std::string_view> words = blankSeparated(trimmed(text));
  for (std::size_t i = words.size(); i-- > 0;) {
    if (isDigit(words[i][0])) return {joined(words, 0, i), joined(words, i, words.size())};
  }
  if (words.empty()) return {};
  // "Hauptstr.12" or "Hauptstraße12a": digits glued to the end of the name.
  const std::string_view last = words.back();
  const auto digit = last.find_first_of("0123456789");
  if (digit != std::string_view::npos && digit > 0) {
    std::string street = joined(words, 0, words.size() - 1);
    if (!street.empty()) street += ' ';
    street += last.substr(0, digit);
    return {street, std::string(last.substr(digit))};
  }
  return {joined(words, 0, words.size()), ""};
}

std::string houseNumberKey(std::string_view number) {
  std::string folded;
  for (const char c : trimmed(number)) {
    folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  // Blanks, hyphens and dots between the number and its letter carry no meaning.
  std::string key;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const char c = folded[i];
    const bool separator = c == ' ' || c == '-' || c == '.' || c == '\t';
    if (separator && !key.empty() && isDigit(key.back()) && i + 1 < folded.size() &&
        (isLetter(folded[i + 1]) || folded[i + 1] == ' ')) {
      continue;
    }
    if (c == ' ' && !key.empty() && isLetter(key.back())) continue;
    key += c;
  }
  return key;
}

int houseNumberValue(std::string_view number) {
  number = trimmed(number);
  if (number.empty() || !isDigit(number[0])) return -1;
  int value = 0;
  for (std::size_t i = 0; i < number.size() && isDigit(number[i]) && value < 100000; ++i) {
    value = value * 10 + (number[i] - '0');
  }
  return value;
}

std::string countryKey(std::string_view country) {
  std::string code;
  for (const char c : trimmed(country)) {
    code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (code.empty() || code == "DE" || code == "DEU" || code == "DEUTSCHLAND" || code == "GERMANY") {
    return "D";
  }
  if (code == "AT" || code == "AUT") return "A";
  if (code == "CHE") return "CH";
  return code;
}

int boundedEditDistance(std::string_view a, std::string_view b, int limit) {
  const int n = static_cast<int>(a.size());
  const int m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  // Three rows of the optimal string alignment table: two back for the swap. Names are
  // short, so the rows live on the stack and a scan over thousands of names allocates nothing.
  constexpr int kShort = 64;
  std::array<int, 3 * kShort> rows;
  std::vector<int> longRows(m + 1 > kShort ? 3 * (m + 1) : 0);
  int* base = longRows.empty() ? rows.data() : longRows.data();
  const int width = longRows.empty() ? kShort : m + 1;
  std::span<int> before(base, m + 1), previous(base + width, m + 1),
      current(base + 2 * width, m + 1);
  for (int j = 0; j <= m; ++j) previous[j] = j;
  for (int i = 1; i <= n; ++i) {
    current[0] = i;
    int rowBest = current[0];
    for (int j = 1; j <= m; ++j) {
      const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      int d = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d = std::min(d, before[j - 2] + 1);
      }
      current[j] = d;
      rowBest = std::min(rowBest, d);
    }
    if (rowBest > limit) return limit + 1;
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return std::min(previous[m], limit + 1);
}

int allowedTypos(std::string_view key) {
  static constexpr std::string_view kGenericEndings[] = {
      "strasse", "weg", "platz", "gasse", "allee", "ring", "damm", "steig", "pfad"};
  std::size_t length = key.size();
  for (const std::string_view ending : kGenericEndings) {
    if (key.size() > ending.size() && endsWith(key, ending)) length = key.size() - ending.size();
  }
  if (length < 4) return 0;
  return length < 8 ? 1 : 2;
}

}  // namespace geo
