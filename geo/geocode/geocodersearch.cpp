// The address search of the geocoder; candidates are made in geocoder.cpp.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>

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
    for (const std::string& candidate : ix_.placeKeys()) {
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
    for (const StreetHit& hit : hits) addNumberHits(hit, number);
  }

  std::vector<StreetHit> streetsNamed(const std::vector<TownHit>& tier,
                                      const std::string& key) const {
    std::vector<StreetHit> hits;
    if (key.empty()) return hits;
    for (const TownHit& town : tier) {
      if (town.town == kAnyTown) {
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
    auto consider = [&](const std::string& candidate, std::uint32_t street, const TownHit& town) {
      const int d = boundedEditDistance(key, candidate, std::min(limit, best));
      if (d > limit || d > best) return;
      if (d < best) hits.clear(), best = d;
      hits.push_back({street, &town, kPerStreetTypo * d, kStreetCorrected});
    };
    for (const TownHit& town : tier) {
      if (town.town == kAnyTown) {
        for (const std::string& candidate : ix_.streetKeys()) {
          for (const std::uint32_t s : ix_.streetsNamed(candidate)) consider(candidate, s, town);
        }
        continue;
      }
      for (const auto& [candidate, s] : ix_.towns()[town.town].streets)
        consider(candidate, s, town);
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
    std::vector<std::vector<std::uint32_t>> houses;  // one list per house, duplicates merged
    for (const std::uint32_t a : street.addresses) {
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
      add(g_.addressCandidate(preferPostalCode(house)), street.town, *hit.via, hit.penalty, flags);
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
  void addNearestNumber(const StreetHit& hit, const IndexedStreet& street,
                        const std::string& number) {
    const int wanted = houseNumberValue(number);
    std::uint32_t best = street.addresses.front();
    long bestScore = std::numeric_limits<long>::max();
    for (const std::uint32_t a : street.addresses) {
      const int value = houseNumberValue(g_.map_.text(g_.map_.addresses()[a].houseNumber));
      if (wanted < 0 || value < 0) continue;
      // Distance first, then the same side of the street, then the lower number.
      const long score = 4L * std::abs(value - wanted) + ((value - wanted) % 2 != 0 ? 2 : 0) +
                         (value > wanted ? 1 : 0);
      if (score < bestScore) bestScore = score, best = a;
    }
    const int value = houseNumberValue(g_.map_.text(g_.map_.addresses()[best].houseNumber));
    const int gap = wanted < 0 || value < 0 ? 15 : std::abs(value - wanted);
    const int penalty = gap == 0 ? kNumberLetterMissing : kNearestNumber + std::min(gap, 15);
    GeocodeCandidate c = g_.addressCandidate(best);
    c.classification = AddressClass::OtherHouseNumber;
    add(std::move(c), street.town, *hit.via, hit.penalty + penalty,
        hit.flags | kHouseNumberReplaced);
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
    flags |= via.flags;
    penalty += via.penalty;
    if (postalCode_.empty()) {
      flags |= kPostalCodeAdded;
    } else if (c.postalCode != postalCode_) {
      flags |= kPostalCodeCorrected;
      penalty += ix_.postalArea(town, postalCode_) ? kOtherPartOfTown : kForeignPostalCode;
    }
    if (!districtKey_.empty() && !townKey_.empty() && matchKey(c.district) != districtKey_) {
      flags |= kDistrictCorrected;
      penalty += c.district.empty() ? kDistrictUnknown : kOtherDistrict;
    }
    c.flags = flags;
    c.goodness = std::clamp(100 - penalty, 1, 100);
    found_.push_back({std::move(c), ix_.towns()[town].addressCount});
  }

  GeocodeResult finish() {
    // Equally good candidates: the larger town first, where a dispatcher would look first.
    std::stable_sort(found_.begin(), found_.end(), [](const Found& fa, const Found& fb) {
      const GeocodeCandidate& a = fa.candidate;
      const GeocodeCandidate& b = fb.candidate;
      if (a.goodness != b.goodness) return a.goodness > b.goodness;
      if (a.population != b.population) return a.population > b.population;
      if (fa.townAddresses != fb.townAddresses) return fa.townAddresses > fb.townAddresses;
      return std::pair(a.table, a.reference) < std::pair(b.table, b.reference);
    });
    GeocodeResult result;
    result.corrected = q_;
    for (auto& found : found_) {
      // A named reference, not a structured binding: clang 14 cannot capture those.
      GeocodeCandidate& c = found.candidate;
      const bool seen = std::any_of(result.candidates.begin(), result.candidates.end(),
                                    [&](const GeocodeCandidate& o) {
                                      return o.table == c.table && o.reference == c.reference;
                                    });
      if (!seen && result.candidates.size() < kMaxCandidates) {
        result.candidates.push_back(std::move(c));
      }
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
  };
  std::vector<Found> found_;
};

GeocodeResult Geocoder::search(const GeocodeQuery& query) const {
  return Search(*this, query).run();
}

}  // namespace geo
