#include "geo/geocode/keyfilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "geo/geocode/textnormal.h"

namespace geo {
namespace {

// Names one or two edits (swaps of neighbours included) away from a base name.
std::string edited(std::string name, std::mt19937& random, int edits) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz\xC3\xA4";
  for (int e = 0; e < edits && name.size() > 2; ++e) {
    const std::size_t at = random() % (name.size() - 1);
    switch (random() % 4) {
      case 0:
        name.erase(at, 1);
        break;
      case 1:
        name.insert(at, 1, letters[random() % letters.size()]);
        break;
      case 2:
        name[at] = letters[random() % letters.size()];
        break;
      default:
        std::swap(name[at], name[at + 1]);
    }
  }
  return name;
}

// The filter may let through names that are too far, but never drops one that is near.
TEST(KeyFilter, KeepsEveryNameWithinTheEditsAndDropsMostOthers) {
  std::mt19937 random(11);
  const std::vector<std::string> bases = {"goethestrasse",  "lindenweg",  "amanger",
                                          "bahnhofstrasse", "kirchgasse", "eichenbacherstrasse",
                                          "rosenring",      "hof"};
  std::vector<std::string> keys;
  for (int i = 0; i < 3000; ++i)
    keys.push_back(edited(bases[random() % bases.size()], random, 1 + random() % 3));
  const KeyFilter filter(keys);
  for (const std::string& query : bases) {
    for (int edits = 0; edits <= 2; ++edits) {
      const auto candidates = filter.candidates(query, edits);
      EXPECT_TRUE(std::is_sorted(candidates.begin(), candidates.end()));
      std::size_t near = 0;
      for (std::uint32_t i = 0; i < keys.size(); ++i) {
        if (boundedEditDistance(query, keys[i], edits) > edits) continue;
        ++near;
        EXPECT_TRUE(std::binary_search(candidates.begin(), candidates.end(), i))
            << query << " / " << keys[i] << " within " << edits;
      }
      EXPECT_LT(candidates.size(), keys.size() / 2) << query;
      EXPECT_GE(candidates.size(), near);
    }
  }
}

TEST(KeyFilter, EmptyListsAndEmptyKeys) {
  EXPECT_TRUE(KeyFilter().candidates("weg", 2).empty());
  const KeyFilter filter({"", "a", "ab", "abcdef"});
  EXPECT_EQ(filter.candidates("", 0), (std::vector<std::uint32_t>{0}));
  EXPECT_EQ(filter.candidates("", 2), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(filter.candidates("ba", 1), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_TRUE(filter.candidates("abcdefghij", 2).empty());
}

}  // namespace
}  // namespace geo
