#include "geo/geocoder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

#include "geo/textnormal.h"

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
constexpr int kOtherDistrict = 2;
constexpr int kNoHouseNumberAsked = 10;
constexpr int kNumberLetterMissing = 10;
constexpr int kNearestNumber = 15;
constexpr int kStreetWithoutNumbers = 20;
constexpr int kTownOnly = 20;
constexpr int kPostalAreaOnly = 30;
constexpr int kStreetMissing = 50;

// Reverse lookup reaches, in metres on the ground.
constexpr double kAddressReach = 100;
constexpr double kStreetReach = 300;

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

double placeReachMetres(const CompiledMap& map, const TownEntry& town) {
  if (town.place < 0) return 2000;
  switch (map.places()[town.place].kind) {
    case PlaceKind::City:
      return 15000;
    case PlaceKind::Town:
      return 6000;
    case PlaceKind::Village:
      return 3000;
    default:
      return 1200;
  }
}

double unitsPerMetre(Point p) {
  double lon = 0, lat = 0;
  mercatorToLonLat({double(p.x), double(p.y)}, lon, lat);
  return 1.0 / std::cos(lat * std::numbers::pi / 180);
}

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
      if (found_.empty()) addTownHits(tiers, kStreetMissing, kStreetNotFound);
    } else {
      const bool postalOnly = townKey_.empty() && districtKey_.empty();
      addTownHits(tiers, postalOnly ? kPostalAreaOnly : kTownOnly, 0);
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
    const int limit = allowedTypos(key.size());
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
    const int limit = allowedTypos(key.size());
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
    const StreetEntry& street = ix_.streets()[hit.street];
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
  void addNearestNumber(const StreetHit& hit, const StreetEntry& street,
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

  void addTownHits(const std::vector<std::vector<TownHit>>& tiers, int penalty,
                   std::uint32_t flags) {
    for (const auto& tier : tiers) {
      for (const TownHit& hit : tier) {
        if (hit.town == kAnyTown) continue;
        GeocodeCandidate c = g_.townCandidate(hit.town, postalCode_);
        if (penalty == kPostalAreaOnly) {
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
      penalty += kOtherDistrict;
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
    for (auto& [c, townAddresses] : found_) {
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

Geocoder::Geocoder(const CompiledMap& map) : map_(map), index_(map) {
  std::map<std::string, std::size_t> uses;
  for (const AddressRecord& a : map.addresses()) ++uses[countryKey(map.text(a.country))];
  for (const auto& [country, n] : uses) countries_.push_back(country);
  std::stable_sort(countries_.begin(), countries_.end(),
                   [&](const auto& a, const auto& b) { return uses[a] > uses[b]; });
}

GeocodeResult Geocoder::search(const GeocodeQuery& query) const {
  return Search(*this, query).run();
}

std::vector<GeocodeCandidate> Geocoder::reverse(Point point) const {
  const double scale = unitsPerMetre(point);
  if (const auto a = index_.nearestAddress(point, kAddressReach * scale)) {
    GeocodeCandidate c = addressCandidate(*a);
    c.goodness = 100 - std::min(50, static_cast<int>(mapDistanceMetres(point, c.point) / 2));
    return {c};
  }
  if (const auto s = index_.nearestStreet(point, kStreetReach * scale)) {
    const StreetRecord& record = map_.streets()[s->record];
    GeocodeCandidate c;
    if (const auto street = index_.streetOfRecord(s->record)) {
      c = streetCandidate(*street, map_.text(record.postalCode));
    } else {
      c.table = ReferenceTable::Street;
      c.street = map_.text(record.name);
      c.classification = AddressClass::Street;
    }
    c.reference = s->record;
    c.point = s->point;
    c.postalCode = map_.text(record.postalCode);
    if (!countries_.empty()) c.country = countries_.front();
    c.goodness = 60 - std::min(30, static_cast<int>(s->distance / scale / 10));
    return {c};
  }
  const auto& towns = index_.towns();
  std::optional<std::uint32_t> nearest;
  double nearestMetres = 0;
  for (std::uint32_t t = 0; t < towns.size(); ++t) {
    const double metres = mapDistanceMetres(point, towns[t].centre);
    if (metres <= placeReachMetres(map_, towns[t]) && (!nearest || metres < nearestMetres)) {
      nearest = t;
      nearestMetres = metres;
    }
  }
  if (!nearest) return {};
  GeocodeCandidate c = townCandidate(*nearest, "");
  if (!countries_.empty()) c.country = countries_.front();
  c.goodness = 30;
  return {c};
}

GeocodeCandidate Geocoder::addressCandidate(std::uint32_t address) const {
  const AddressRecord& a = map_.addresses()[address];
  GeocodeCandidate c;
  c.table = ReferenceTable::Address;
  c.reference = address;
  c.point = a.point;
  c.country = map_.text(a.country);
  c.postalCode = map_.text(a.postalCode);
  c.town = map_.text(a.town);
  c.district = map_.text(a.district);
  c.street = map_.text(a.street);
  c.houseNumber = map_.text(a.houseNumber);
  c.classification = AddressClass::HouseNumber;
  describeTownPosition(c, index_.streets()[index_.streetOfAddress(address)].town);
  return c;
}

// A street is shown at its middle house, in the asked postal code when it has houses there,
// else at the middle of its first line.
GeocodeCandidate Geocoder::streetCandidate(std::uint32_t streetId,
                                           std::string_view postalCode) const {
  const StreetEntry& street = index_.streets()[streetId];
  GeocodeCandidate c;
  c.table = street.records.empty() ? ReferenceTable::Address : ReferenceTable::Street;
  c.street = street.name;
  c.town = index_.towns()[street.town].name;
  c.classification = AddressClass::Street;
  if (!street.addresses.empty()) {
    std::vector<std::uint32_t> houses;
    for (const std::uint32_t a : street.addresses) {
      if (map_.text(map_.addresses()[a].postalCode) == postalCode) houses.push_back(a);
    }
    if (houses.empty()) houses = street.addresses;
    const AddressRecord& middle = map_.addresses()[houses[houses.size() / 2]];
    c.reference = houses[houses.size() / 2];
    c.point = middle.point;
    c.postalCode = map_.text(middle.postalCode);
    c.district = map_.text(middle.district);
  }
  if (!street.records.empty()) {
    const StreetRecord& record = map_.streets()[street.records.front()];
    c.reference = street.records.front();
    if (street.addresses.empty()) {
      const auto parts = map_.ranges(record.parts);
      const auto line = parts.empty() ? std::span<const Point>{} : map_.points(parts.front());
      c.point = line.empty()
                    ? Point{static_cast<std::int32_t>(
                                (std::int64_t(record.bounds.minX) + record.bounds.maxX) / 2),
                            static_cast<std::int32_t>(
                                (std::int64_t(record.bounds.minY) + record.bounds.maxY) / 2)}
                    : line[line.size() / 2];
      c.postalCode = map_.text(record.postalCode);
    }
  }
  describeTownPosition(c, street.town);
  return c;
}

GeocodeCandidate Geocoder::townCandidate(std::uint32_t townId, std::string_view postalCode) const {
  const TownEntry& town = index_.towns()[townId];
  GeocodeCandidate c;
  c.table = town.place >= 0 ? ReferenceTable::Place : ReferenceTable::Town;
  c.reference = town.place >= 0 ? static_cast<std::uint32_t>(town.place) : townId;
  c.town = town.name;
  c.street = "@";
  c.classification = AddressClass::Town;
  c.point = town.centre;
  const PostalArea* area = index_.postalArea(townId, postalCode);
  if (!area && !town.postalCodes.empty())
    area = index_.postalArea(townId, town.postalCodes.front());
  if (area) {
    c.postalCode = area->code;
    // A town's own point is its centre; a part of it under another code, that part.
    if (town.place < 0 || area->code != town.postalCodes.front()) c.point = area->point;
  }
  describeTownPosition(c, townId);
  return c;
}

void Geocoder::describeTownPosition(GeocodeCandidate& c, std::uint32_t townId) const {
  const TownEntry& town = index_.towns()[townId];
  c.population = town.population;
  c.metresFromTownCentre = static_cast<int>(std::lround(mapDistanceMetres(c.point, town.centre)));
  const double degrees =
      std::atan2(double(c.point.x) - town.centre.x, double(c.point.y) - town.centre.y) * 180 /
      std::numbers::pi;
  c.degreesFromTownCentre = (static_cast<int>(std::lround(degrees)) + 360) % 360;
}

const std::array<const char*, kResultRowCount> kResultRowFields = {"REFTABLE",
                                                                   "REFPNTID",
                                                                   "XCOORD",
                                                                   "YCOORD",
                                                                   "LKZ",
                                                                   "PLZ",
                                                                   "TOWN",
                                                                   "TOWN2",
                                                                   "STREET",
                                                                   "HOUSENR",
                                                                   "SearchFlags",
                                                                   "Goodness",
                                                                   "",
                                                                   "REFPNTIDHIGH",
                                                                   "REFPNTIDLOW",
                                                                   "POPULATION",
                                                                   "DISTANCEFROMTOWNCENTER",
                                                                   "ANGLEFROMTOWNCENTER",
                                                                   "ADDRESSCLASSIFICATION"};

std::array<ResultValue, kResultRowCount> resultRows(const GeocodeCandidate& c) {
  const auto table = static_cast<std::int64_t>(c.table);
  return {table,
          std::int64_t{c.reference},
          std::int64_t{c.point.x},
          std::int64_t{c.point.y},
          c.country,
          c.postalCode,
          c.town,
          c.district,
          c.street,
          c.houseNumber,
          std::int64_t{c.flags},
          std::int64_t{c.goodness},
          std::monostate{},
          table,
          std::int64_t{c.reference},
          std::int64_t{c.population},
          std::int64_t{c.metresFromTownCentre},
          std::int64_t{c.degreesFromTownCentre},
          static_cast<std::int64_t>(c.classification)};
}

}  // namespace geo
