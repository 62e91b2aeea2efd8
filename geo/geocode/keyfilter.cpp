#include "geo/geocode/keyfilter.h"

#include <algorithm>
#include <bit>

namespace geo {

std::uint64_t KeyFilter::lettersOf(std::string_view key) {
  std::uint64_t letters = 0;
  for (const char c : key) letters |= std::uint64_t{1} << (static_cast<unsigned char>(c) % 64);
  return letters;
}

KeyFilter::KeyFilter(const std::vector<std::string>& keys) {
  for (std::uint32_t i = 0; i < keys.size(); ++i) {
    byLength_.push_back({lettersOf(keys[i]), static_cast<std::uint32_t>(keys[i].size()), i});
  }
  std::sort(byLength_.begin(), byLength_.end(), [](const Entry& a, const Entry& b) {
    return a.length != b.length ? a.length < b.length : a.position < b.position;
  });
  const std::uint32_t longest = byLength_.empty() ? 0 : byLength_.back().length;
  lengthStart_.assign(longest + 2, 0);
  std::uint32_t at = 0;
  for (std::uint32_t length = 0; length <= longest + 1; ++length) {
    while (at < byLength_.size() && byLength_[at].length < length) ++at;
    lengthStart_[length] = at;
  }
}

std::vector<std::uint32_t> KeyFilter::candidates(std::string_view key, int edits) const {
  std::vector<std::uint32_t> found;
  if (byLength_.empty() || edits < 0) return found;
  const auto size = static_cast<std::int64_t>(key.size());
  const auto longest = static_cast<std::int64_t>(lengthStart_.size()) - 2;
  const std::int64_t shortest = std::max<std::int64_t>(0, size - edits);
  const std::int64_t upTo = std::min(longest, size + edits);
  if (shortest > upTo) return found;
  const std::uint64_t letters = lettersOf(key);
  const auto begin = byLength_.begin() + lengthStart_[shortest];
  const auto end = byLength_.begin() + lengthStart_[upTo + 1];
  for (auto entry = begin; entry != end; ++entry) {
    if (std::popcount(entry->letters & ~letters) <= edits &&
        std::popcount(letters & ~entry->letters) <= edits) {
      found.push_back(entry->position);
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace geo
