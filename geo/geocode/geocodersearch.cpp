// The address search of the geocoder; candidates are made in geocoder.cpp.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>

#include "geo/geocode/geocoder.h"
#include "geo/geocode/textnormal.h"

namespace geo {

namespace {

// A best hit this many points ahead of the next one is the answer, not a choice.
constexpr int kClearMargin = 10;
constexpr std::size_t kMaxCandidates = 50;
constexpr std::uint32_t kAnyTown = std::numeric_limits<std::uint32_t>::max();

// Goodness lost for what the search had to guess or correct.
constexpr int kDistrictAsTown = 3;
constexpr int kPerTownTypo = 4;
constexpr int kTownByWord = 8;
constexpr int kTownByPostalCode = 20;
constexpr int kPerStreetTypo = 5;
constexpr int kOtherPartOfTown = 4;
constexpr int kForeignPostalCode = 10;
constexpr int kDistrictUnknown = 2;  // the map names no district there
constexpr int kOtherDistrict = 10;   // the map names another one: the district decides
constexpr int kNoHouseNumberAsked = 10;
constexpr int kNumberLetterMissing = 10;
constexpr int kNearestNumber = 15;
constexpr int kStreetWithoutNumbers = 20;
constexpr int kTownOnly = 20;
constexpr int kPostalAreaOnly = 30;
constexpr int kStreetMissing = 50;

struct TownHit {
  std::uint32_t town = kAnyTown;
  int penalty = 0;
  std::uint32_t flags = 0;
  std::string_view district;  // the district name through which the town was found
};

struct StreetHit {
  std::uint32_t street = 0;
  const TownHit* via = nullptr;
  int penalty = 0;
  std::uint32_t flags = 0;
};

std::vector<std::string> wordKeys(std::string_view text) {
  std::vector<std::string> keys;
  std::string word;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    if (c == ' ' || c == '-' || c == ',' || c == '/' || c == '(' || c == ')') {
      if (std::string key = matchKey(word); key.size() >= 3) keys.push_back(std::move(key));
      word.clear();
    } else {
      word += c;
    }
  }
  return keys;
}

}  // namespace

// One address search: finds the towns the query may mean, tier by tier from the surest
// reading, and stops at the first tier whose towns have the street.
class Geocoder::Search {
 public:
  Search(const Geocoder& geocoder, const GeocodeQuery& query)
      : g_(geocoder), ix_(geocoder.index_), q_(query) {
    country_ = countryKey(query.country);
    postalCode_ = trimmedCode(query.postalCode);
    townKey_ = matchKey(query.town);
    districtKey_ = matchKey(query.district);
    const StreetAndNumber split = splitHouseNumber(query.street);
    streetKey_ = matchKey(split.street);
    number_ = split.number;
    if (!number_.empty()) wholeStreetKey_ = matchKey(query.street);
  }

  GeocodeResult run() {
    if (!countryKnown()) return finish();
    const auto tiers = townTiers();
    if (!streetKey_.empty() || !wholeStreetKey_.empty()) {
      for (const auto& tier : tiers) {
        addStreetHits(tier);
        if (!found_.empty()) break;
      }
      if (found_.empty()) addTownHits(tiers, AddressClass::Town, kStreetMissing, kStreetNotFound);
    } else if (townKey_.empty() && districtKey_.empty()) {
      addTownHits(tiers, AddressClass::PostalArea, kPostalAreaOnly, 0);
    } else {
      addTownHits(tiers, AddressClass::Town, kTownOnly, 0);
    }
    return finish();
  }

 private:
  // Postal codes without blanks, in capitals, and without a country prefix ("D-95463").
  static std::string trimmedCode(std::string_view code) {
    std::string out;
    for (const char c : code) {
      if (c != ' ' && c != '\t') {
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      }
    }
    const auto dash = out.find('-');
    const bool prefixed =
        dash != std::string::npos && dash > 0 && dash <= 3 && dash + 1 < out.size() &&
        std::isdigit(static_cast<unsigned char>(out[dash + 1])) &&
        std::all_of(out.begin(), out.begin() + dash,
                    [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
    return prefixed ? out.substr(dash + 1) : out;
  }

  bool countryKnown() const {
    return g_.countries_.empty() ||
           std::find(g_.countries_.begin(), g_.countries_.end(), country_) != g_.countries_.end();
  }

  // --- towns -----------------------------------------------------------------------------

  std::vector<std::vector<TownHit>> townTiers() const {
    std::vector<std::vector<TownHit>> tiers;
    const bool townGiven = !townKey_.empty();
    const std::string& key = townGiven ? townKey_ : districtKey_;
    const std::uint32_t added = townGiven ? 0 : kTownAdded;
    if (!key.empty()) {
      tiers.push_back(townsNamed(key, 0, added));
      tiers.push_back(
          districtsNamed(key, kDistrictAsTown, added | (townGiven ? kTownCorrected : 0)));
      if (tiers[0].empty() && tiers[1].empty()) tiers.push_back(townsWithTypos(key, added));
      if (townGiven && allEmpty(tiers)) tiers.push_back(townsByWord());
      if (allEmpty(tiers)) {
        tiers.push_back(townsWithPostalCode(townGiven ? kTownByPostalCode : 0,
                                            townGiven ? kTownCorrected : kTownAdded));
      }
      return tiers;
    }
    if (!ix_.postalAreas(postalCode_).empty()) {
      tiers.push_back(townsWithPostalCode(0, kTownAdded));
    } else if (!postalCode_.empty() || !streetKey_.empty()) {
      tiers.push_back({TownHit{kAnyTown, 0, kTownAdded, {}}});
    }
    return tiers;
  }

  static bool allEmpty(const std::vector<std::vector<TownHit>>& tiers) {
    return std::all_of(tiers.begin(), tiers.end(), [](const auto& t) { return t.empty(); });
  }

  std::vector<TownHit> townsNamed(const std::string& key, int penalty, std::uint32_t flags) const {
    std::vector<TownHit> hits;
    for (const std::uint32_t t : ix_.townsNamed(key)) hits.push_back({t, penalty, flags, {}});
    return hits;
  }

  std::vector<TownHit> districtsNamed(const std::string& key, int penalty,
                                      std::uint32_t flags) const {
    std::vector<TownHit> hits;
    for (const DistrictAlias& d : ix_.districtsNamed(key)) {
      hits.push_back({d.town, penalty, flags, d.name});
    }
    return hits;
  }

  std::vector<TownHit> townsWithTypos(const std::string& key, std::uint32_t flags) const {
    std::vector<TownHit> hits;
    const int limit = allowedTypos(key);
    int best = limit + 1;
    for (const std::uint32_t position : ix_.placeKeysNear(key, limit)) {
      const std::string& candidate = ix_.placeKeys()[position];
      const int d = boundedEditDistance(key, candidate, std::min(limit, best));
      if (d > limit || d > best) continue;
      if (d < best) hits.clear(), best = d;
      const auto towns = townsNamed(candidate, kPerTownTypo * d, flags | kTownCorrected);
      const auto districts =
          districtsNamed(candidate, kPerTownTypo * d + kDistrictAsTown, flags | kTownCorrected);
      hits.insert(hits.end(), towns.begin(), towns.end());
      hits.insert(hits.end(), districts.begin(), districts.end());
    }
    return hits;
  }

  // "Bindlach OT Ramsenthal", "Heinersreuth (Oberfranken)": a word of the text names it.
  std::vector<TownHit> townsByWord() const {
    std::vector<TownHit> hits;
    const auto words = wordKeys(q_.town);
    if (words.size() < 2) return hits;
    for (const std::string& word : words) {
      const auto towns = townsNamed(word, kTownByWord, kTownCorrected);
      const auto districts = districtsNamed(word, kTownByWord, kTownCorrected);
      hits.insert(hits.end(), towns.begin(), towns.end());
      hits.insert(hits.end(), districts.begin(), districts.end());
    }
    return hits;
  }

  std::vector<TownHit> townsWithPostalCode(int penalty, std::uint32_t flags) const {
    std::vector<TownHit> hits;
    for (const PostalArea& area : ix_.postalAreas(postalCode_)) {
      hits.push_back({area.town, penalty, flags, {}});
    }
    return hits;
  }

  // --- streets ---------------------------------------------------------------------------

  void addStreetHits(const std::vector<TownHit>& tier) {
    std::string number = number_;
    std::vector<StreetHit> hits = streetsNamed(tier, streetKey_);
    if (hits.empty() && !wholeStreetKey_.empty()) {
      // "Straße des 17. Juni": the number belongs to the name.
      hits = streetsNamed(tier, wholeStreetKey_);
      if (!hits.empty()) number.clear();
    }
    if (hits.empty()) hits = streetsWithTypos(tier, streetKey_);
    addNumberHitsByTownSize(std::move(hits), number);
  }

  // Candidates of equal goodness are shown larger town first, and no hit can be better than
  // its street's penalty allows. So the hits are taken from the largest town down, and once
  // the list to show is full of candidates as good as any can be, towns ranked strictly
  // lower cannot change it. A misspelt common name without a town would otherwise look up
  // the number in every town that has such a street.
  void addNumberHitsByTownSize(std::vector<StreetHit> hits, const std::string& number) {
    const auto rank = [&](const StreetHit& hit) { return ix_.townSizeOfStreet(hit.street); };
    // Hits of one name come sorted already: the index keeps its streets largest town first.
    const auto larger = [&](const StreetHit& a, const StreetHit& b) { return rank(a) > rank(b); };
    if (!std::is_sorted(hits.begin(), hits.end(), larger)) {
      std::stable_sort(hits.begin(), hits.end(), larger);
    }
    int best = 1;
    for (const StreetHit& hit : hits) {
      best = std::max(best, std::clamp(100 - hit.penalty - hit.via->penalty, 1, 100));
    }
    std::size_t asGood = 0;  // candidates found with the best goodness
    for (std::size_t i = 0; i < hits.size(); ++i) {
      const std::size_t before = found_.size();
      addNumberHits(hits[i], number);
      for (std::size_t k = before; k < found_.size(); ++k) {
        asGood += found_[k].candidate.goodness >= best;
      }
      if (asGood >= kMaxCandidates && i + 1 < hits.size() && rank(hits[i + 1]) < rank(hits[i])) {
        break;
      }
    }
  }

  std::vector<StreetHit> streetsNamed(const std::vector<TownHit>& tier,
                                      const std::string& key) const {
    std::vector<StreetHit> hits;
    if (key.empty()) return hits;
    for (const TownHit& town : tier) {
      if (town.town == kAnyTown) {
        hits.reserve(hits.size() + ix_.streetsNamed(key).size());
        for (const std::uint32_t s : ix_.streetsNamed(key)) hits.push_back({s, &town, 0, 0});
        continue;
      }
      const auto& streets = ix_.towns()[town.town].streets;
      if (const auto found = streets.find(key); found != streets.end()) {
        hits.push_back({found->second, &town, 0, 0});
      }
    }
    return hits;
  }

  std::vector<StreetHit> streetsWithTypos(const std::vector<TownHit>& tier,
                                          const std::string& key) const {
    std::vector<StreetHit> hits;
    const int limit = allowedTypos(key);
    if (limit == 0) return hits;
    int best = limit + 1;
    // The distance of a name that is at least as near as the nearest so far; a nearer one
    // drops the hits of the farther ones.
    const auto near = [&](const std::string& candidate) -> std::optional<int> {
      const int d = boundedEditDistance(key, candidate, std::min(limit, best));
      if (d > limit || d > best) return std::nullopt;
      if (d < best) hits.clear(), best = d;
      return d;
    };
    for (const TownHit& town : tier) {
      if (town.town == kAnyTown) {
        for (const std::uint32_t position : ix_.streetKeysNear(key, limit)) {
          const std::string& candidate = ix_.streetKeys()[position];
          if (const auto d = near(candidate)) {
            hits.reserve(hits.size() + ix_.streetsNamed(candidate).size());
            for (const std::uint32_t s : ix_.streetsNamed(candidate)) {
              hits.push_back({s, &town, kPerStreetTypo * *d, kStreetCorrected});
            }
          }
        }
        continue;
      }
      for (const auto& [candidate, s] : ix_.towns()[town.town].streets) {
        if (const auto d = near(candidate)) {
          hits.push_back({s, &town, kPerStreetTypo * *d, kStreetCorrected});
        }
      }
    }
    return hits;
  }

  // --- house numbers ---------------------------------------------------------------------

  void addNumberHits(const StreetHit& hit, const std::string& number) {
    const IndexedStreet& street = ix_.streets()[hit.street];
    const std::uint32_t flags = hit.flags;
    if (number.empty() || street.addresses.empty()) {
      const int penalty = number.empty() ? kNoHouseNumberAsked : kStreetWithoutNumbers;
      add(g_.streetCandidate(hit.street, postalCode_), street.town, *hit.via, hit.penalty + penalty,
          flags | (number.empty() ? 0 : kHouseNumberReplaced));
      return;
    }
    const std::string key = houseNumberKey(number);
    // A street's addresses are sorted by their leading number, and only houses with the
    // asked one can match: a long street is not folded number by number for each query.
    const int wanted = houseNumberValue(number);
    const auto [first, last] =
        std::equal_range(street.numbers.begin(), street.numbers.end(), wanted);
    const auto at = [&](auto it) {
      return street.addresses.begin() + (it - street.numbers.begin());
    };
    std::vector<std::vector<std::uint32_t>> houses;  // one list per house, duplicates merged
    for (const std::uint32_t a : std::span(at(first), at(last))) {
      const AddressRecord& record = g_.map_.addresses()[a];
      if (houseNumberKey(g_.map_.text(record.houseNumber)) != key) continue;
      auto same = std::find_if(houses.begin(), houses.end(), [&](const auto& house) {
        const AddressRecord& first = g_.map_.addresses()[house.front()];
        return first.postalCode == record.postalCode &&
               mapDistanceMetres(first.point, record.point) < kSameHouseMetres;
      });
      if (same == houses.end()) {
        houses.push_back({a});
      } else {
        same->push_back(a);
      }
    }
    for (const auto& house : houses) {
      addHouse(preferPostalCode(house), street.town, *hit.via, hit.penalty, flags);
    }
    if (houses.empty()) addNearestNumber(hit, street, number);
  }

  std::uint32_t preferPostalCode(const std::vector<std::uint32_t>& house) const {
    for (const std::uint32_t a : house) {
      if (g_.map_.text(g_.map_.addresses()[a].postalCode) == postalCode_) return a;
    }
    return house.front();
  }

  // The map lacks the number: the house of the street whose number is closest stands in.
  // The addresses are sorted by number, so only those around the asked one are looked at.
  void addNearestNumber(const StreetHit& hit, const IndexedStreet& street,
                        const std::string& number) {
    const int wanted = houseNumberValue(number);
    const auto& list = street.addresses;
    const auto valueAt = [&](std::size_t i) { return street.numbers[i]; };
    std::size_t best = 0;
    long bestScore = std::numeric_limits<long>::max();
    // Distance first, then the same side of the street, then the lower number; the first
    // in the list among equals.
    const auto consider = [&](std::size_t i, int value) {
      const long score = 4L * std::abs(value - wanted) + ((value - wanted) % 2 != 0 ? 2 : 0) +
                         (value > wanted ? 1 : 0);
      if (score < bestScore || (score == bestScore && i < best)) bestScore = score, best = i;
    };
    if (wanted >= 0) {
      const auto at = static_cast<std::size_t>(
          std::lower_bound(street.numbers.begin(), street.numbers.end(), wanted) -
          street.numbers.begin());
      for (std::size_t i = at; i < list.size(); ++i) {
        const int value = valueAt(i);
        if (4L * (value - wanted) > bestScore) break;
        consider(i, value);
      }
      for (std::size_t i = at; i-- > 0;) {
        const int value = valueAt(i);
        if (value < 0 || 4L * (wanted - value) > bestScore) break;
        consider(i, value);
      }
    }
    const int value = valueAt(best);
    const int gap = wanted < 0 || value < 0 ? 15 : std::abs(value - wanted);
    const int penalty = gap == 0 ? kNumberLetterMissing : kNearestNumber + std::min(gap, 15);
    addHouse(list[best], street.town, *hit.via, hit.penalty + penalty,
             hit.flags | kHouseNumberReplaced, AddressClass::OtherHouseNumber);
  }

  // --- towns as hits ---------------------------------------------------------------------

  void addTownHits(const std::vector<std::vector<TownHit>>& tiers, AddressClass kind, int penalty,
                   std::uint32_t flags) {
    for (const auto& tier : tiers) {
      for (const TownHit& hit : tier) {
        if (hit.town == kAnyTown) continue;
        GeocodeCandidate c = g_.townCandidate(hit.town, postalCode_);
        if (kind == AddressClass::PostalArea) {
          c.table = ReferenceTable::PostalArea;
          c.classification = AddressClass::PostalArea;
        }
        add(std::move(c), hit.town, hit, penalty, flags);
      }
      if (!found_.empty()) return;
    }
  }

  // --- scoring ---------------------------------------------------------------------------

  void add(GeocodeCandidate c, std::uint32_t town, const TownHit& via, int penalty,
           std::uint32_t flags) {
    if (c.table != ReferenceTable::Address) c.country = country_;
    // A town found through a district's name is shown with it; a house keeps its own.
    const bool wholeTown =
        c.classification == AddressClass::Town || c.classification == AddressClass::PostalArea;
    if (wholeTown && c.district.empty()) c.district = std::string(via.district);
    score(c, c.postalCode, c.district, town, via, penalty, flags);
    found_.push_back({std::move(c), ix_.towns()[town].addressCount, std::nullopt});
  }

  // A house as a hit. Only what ranks it is worked out now; the candidate itself is made
  // in finish() if it is among those shown, since a misspelt common street name without a
  // town hits hundreds of houses.
  void addHouse(std::uint32_t address, std::uint32_t town, const TownHit& via, int penalty,
                std::uint32_t flags, AddressClass kind = AddressClass::HouseNumber) {
    const AddressRecord& record = g_.map_.addresses()[address];
    GeocodeCandidate c;
    c.classification = kind;
    c.table = ReferenceTable::Address;
    c.reference = address;
    c.population = ix_.towns()[ix_.streets()[ix_.streetOfAddress(address)].town].population;
    score(c, g_.map_.text(record.postalCode), g_.map_.text(record.district), town, via, penalty,
          flags);
    found_.push_back({std::move(c), ix_.towns()[town].addressCount, address});
  }

  void score(GeocodeCandidate& c, std::string_view postalCode, std::string_view district,
             std::uint32_t town, const TownHit& via, int penalty, std::uint32_t flags) const {
    flags |= via.flags;
    penalty += via.penalty;
    if (postalCode_.empty()) {
      flags |= kPostalCodeAdded;
    } else if (postalCode != postalCode_) {
      flags |= kPostalCodeCorrected;
      penalty += ix_.postalArea(town, postalCode_) ? kOtherPartOfTown : kForeignPostalCode;
    }
    if (!districtKey_.empty() && !townKey_.empty() && matchKey(district) != districtKey_) {
      flags |= kDistrictCorrected;
      penalty += district.empty() ? kDistrictUnknown : kOtherDistrict;
    }
    c.flags = flags;
    c.goodness = std::clamp(100 - penalty, 1, 100);
  }

  GeocodeResult finish() {
    // Equally good candidates: the larger town first, where a dispatcher would look first.
    // The order is worked out on positions: hundreds of candidates are not moved around.
    std::vector<std::uint32_t> order(found_.size());
    for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t ia, std::uint32_t ib) {
      const Found& fa = found_[ia];
      const Found& fb = found_[ib];
      const GeocodeCandidate& a = fa.candidate;
      const GeocodeCandidate& b = fb.candidate;
      if (a.goodness != b.goodness) return a.goodness > b.goodness;
      if (a.population != b.population) return a.population > b.population;
      if (fa.townAddresses != fb.townAddresses) return fa.townAddresses > fb.townAddresses;
      return std::pair(a.table, a.reference) < std::pair(b.table, b.reference);
    });
    GeocodeResult result;
    result.corrected = q_;
    for (const std::uint32_t i : order) {
      Found& found = found_[i];
      if (result.candidates.size() == kMaxCandidates) break;
      // A named reference, not a structured binding: clang 14 cannot capture those.
      GeocodeCandidate& c = found.candidate;
      const auto& house = found.house;
      const bool seen = std::any_of(result.candidates.begin(), result.candidates.end(),
                                    [&](const GeocodeCandidate& o) {
                                      return o.table == c.table && o.reference == c.reference;
                                    });
      if (seen) continue;
      if (house) {
        GeocodeCandidate made = g_.addressCandidate(*house);
        made.flags = c.flags;
        made.goodness = c.goodness;
        made.classification = c.classification;
        c = std::move(made);
      }
      result.candidates.push_back(std::move(c));
    }
    const auto& list = result.candidates;
    if (list.empty()) return result;
    result.code = list.size() == 1 || list[0].goodness - list[1].goodness >= kClearMargin ? 1 : 2;
    if (result.code == 1) correct(result.corrected, list[0]);
    return result;
  }

  static void correct(GeocodeQuery& query, const GeocodeCandidate& best) {
    query.country = best.country;
    query.postalCode = best.postalCode;
    query.town = best.town;
    query.district = best.district;
    if (best.street != "@") {
      query.street = best.street;
      if (!best.houseNumber.empty()) query.street += ' ' + best.houseNumber;
    }
  }

  const Geocoder& g_;
  const AddressIndex& ix_;
  const GeocodeQuery& q_;
  std::string country_, postalCode_, townKey_, districtKey_, streetKey_, wholeStreetKey_;
  std::string number_;
  struct Found {
    GeocodeCandidate candidate;
    std::uint32_t townAddresses = 0;
    std::optional<std::uint32_t> house;  // a house whose candidate is still to be made
  };
  std::vector<Found> found_;
};

GeocodeResult Geocoder::search(const GeocodeQuery& query) const {
  return Search(*this, query).run();
}

}  // namespace geo
