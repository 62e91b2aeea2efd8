#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace geo {

// Picks from a list of folded names those that may lie within a number of edits of a name,
// without computing any edit distance: an edit changes the length by at most one and adds
// or removes at most one kind of letter (a swap of neighbours neither). What passes still
// needs the real distance; what fails is surely too far. With a million addresses this
// turns a scan over every street name into a few integer tests per name.
class KeyFilter {
 public:
  KeyFilter() = default;
  explicit KeyFilter(const std::vector<std::string>& keys);

  // Positions (in the list given) of the names that may be within `edits` of key, ascending.
  std::vector<std::uint32_t> candidates(std::string_view key, int edits) const;

 private:
  struct Entry {
    std::uint64_t letters;  // one bit per kind of byte (folded into 64)
    std::uint32_t length;
    std::uint32_t position;
  };
  static std::uint64_t lettersOf(std::string_view key);

  std::vector<Entry> byLength_;             // sorted by length, then position
  std::vector<std::uint32_t> lengthStart_;  // first entry of each length
};

}  // namespace geo
