#include "geo/geocode/addressindex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_set>

#include "geo/geocode/addressgrid.h"
#include "geo/geocode/addressindexstore.h"
#include "geo/geocode/textnormal.h"

namespace geo {

namespace {

double units(Point a, Point b) { return std::hypot(double(a.x) - b.x, double(a.y) - b.y); }

// Nearest point of segment a-b to p.
Point projected(Point p, Point a, Point b) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return {static_cast<std::int32_t>(std::lround(a.x + t * dx)),
          static_cast<std::int32_t>(std::lround(a.y + t * dy))};
}

bool isDistrictKind(PlaceKind kind) {
  return kind == PlaceKind::Suburb || kind == PlaceKind::Quarter;
}

// How far from a village's centre its houses may lie when they carry another town's name.
constexpr double kVillageReachUnits = 1500;

}  // namespace

class AddressIndex::Builder {
 public:
  explicit Builder(AddressIndex& index) : ix_(index), map_(index.map_) {}

  void run() {
    addPlaces();
    addAddresses();
    addStreetRecords();
    finishTowns();
    addPostalAreas();
    addDistrictAliases();
    collectKeys();
  }

 private:
  struct PostalCount {
    std::size_t count = 0;
    double sumX = 0, sumY = 0;
  };

  void addPlaces() {
    for (std::uint32_t i = 0; i < map_.places().size(); ++i) {
      const PlaceRecord& p = map_.places()[i];
      if (isDistrictKind(p.kind) && p.town != 0) continue;  // a part of a town, not a town
      IndexedTown& town = newTown(map_.text(p.name));
      town.place = static_cast<std::int32_t>(i);
      town.centre = p.centre;
      town.population = p.population;
    }
  }

  void addAddresses() {
    const auto addresses = map_.addresses();
    ix_.addressStreet_.resize(addresses.size());
    for (std::uint32_t i = 0; i < addresses.size(); ++i) {
      const AddressRecord& a = addresses[i];
      const std::uint32_t town = townFor(map_.text(a.town), a.point);
      const std::uint32_t street = streetFor(town, map_.text(a.street));
      ix_.streets_[street].addresses.push_back(i);
      ix_.addressStreet_[i] = street;
      ix_.addressGrid_->add({a.point.x, a.point.y, a.point.x, a.point.y}, i);
      ++ix_.towns_[town].addressCount;
      PostalCount& pc = postalCounts_[town][map_.text(a.postalCode)];
      ++pc.count;
      pc.sumX += a.point.x;
      pc.sumY += a.point.y;
    }
  }

  void addStreetRecords() {
    const auto records = map_.streets();
    ix_.recordStreet_.assign(records.size(), -1);
    for (std::uint32_t i = 0; i < records.size(); ++i) {
      const StreetRecord& s = records[i];
      addSegments(i, s);
      if (map_.text(s.town).empty()) continue;
      const Point middle{
          static_cast<std::int32_t>((std::int64_t(s.bounds.minX) + s.bounds.maxX) / 2),
          static_cast<std::int32_t>((std::int64_t(s.bounds.minY) + s.bounds.maxY) / 2)};
      const std::uint32_t town = townFor(map_.text(s.town), middle);
      const std::uint32_t street = streetFor(town, map_.text(s.name));
      ix_.streets_[street].records.push_back(i);
      ix_.recordStreet_[i] = street;
      if (!map_.text(s.postalCode).empty()) postalCounts_[town][map_.text(s.postalCode)];
    }
  }

  void addSegments(std::uint32_t record, const StreetRecord& s) {
    for (const PointRange& part : map_.ranges(s.parts)) {
      const auto line = map_.points(part);
      for (std::uint32_t k = 0; k + 1 < line.size(); ++k) {
        Box box;
        box.extend(line[k]);
        box.extend(line[k + 1]);
        const auto segment = static_cast<std::uint32_t>(ix_.segments_.size());
        ix_.segments_.push_back({record, part.first + k});
        ix_.segmentGrid_->add(box, segment);
      }
    }
  }

  // Towns named only by addresses lie at the middle of their houses; postal codes by use.
  void finishTowns() {
    for (std::uint32_t t = 0; t < ix_.towns_.size(); ++t) {
      IndexedTown& town = ix_.towns_[t];
      auto& counts = postalCounts_[t];
      if (town.place < 0) {
        double x = 0, y = 0, n = 0;
        for (const auto& [code, c] : counts) x += c.sumX, y += c.sumY, n += c.count;
        if (n > 0)
          town.centre = {static_cast<std::int32_t>(x / n), static_cast<std::int32_t>(y / n)};
      } else {
        const std::string_view placeCode = map_.text(map_.places()[town.place].postalCode);
        if (!placeCode.empty()) counts[placeCode];
      }
      for (const auto& [code, c] : counts) {
        if (!code.empty()) town.postalCodes.push_back(code);
      }
      std::stable_sort(town.postalCodes.begin(), town.postalCodes.end(),
                       [&](std::string_view a, std::string_view b) {
                         return counts[a].count > counts[b].count;
                       });
    }
    for (IndexedStreet& street : ix_.streets_) {
      std::sort(street.addresses.begin(), street.addresses.end(),
                [&](std::uint32_t a, std::uint32_t b) {
                  const auto na = map_.text(map_.addresses()[a].houseNumber);
                  const auto nb = map_.text(map_.addresses()[b].houseNumber);
                  const int va = houseNumberValue(na), vb = houseNumberValue(nb);
                  return va != vb ? va < vb : (na != nb ? na < nb : a < b);
                });
    }
  }

  // Each postal area is shown at the house nearest to the middle of its houses (or at the
  // town's centre when it has none), so that the point lies where people live.
  void addPostalAreas() {
    std::vector<std::map<std::string_view, std::pair<double, Point>>> best(ix_.towns_.size());
    for (const AddressRecord& a : map_.addresses()) {
      const std::uint32_t town =
          ix_.streets_[ix_.addressStreet_[&a - map_.addresses().data()]].town;
      const PostalCount& c = postalCounts_[town][map_.text(a.postalCode)];
      const Point middle{static_cast<std::int32_t>(c.sumX / c.count),
                         static_cast<std::int32_t>(c.sumY / c.count)};
      auto [it, fresh] = best[town].try_emplace(map_.text(a.postalCode), INFINITY, a.point);
      const double d = units(a.point, middle);
      if (d < it->second.first) it->second = {d, a.point};
    }
    for (std::uint32_t t = 0; t < ix_.towns_.size(); ++t) {
      for (const std::string_view code : ix_.towns_[t].postalCodes) {
        const auto found = best[t].find(code);
        const Point point = found != best[t].end() ? found->second.second : ix_.towns_[t].centre;
        ix_.postalAreas_[std::string(code)].push_back({t, code, point});
      }
    }
  }

  void addDistrictAliases() {
    for (const AddressRecord& a : map_.addresses()) {
      const std::string_view district = map_.text(a.district);
      if (district.empty()) continue;
      const std::uint32_t town =
          ix_.streets_[ix_.addressStreet_[&a - map_.addresses().data()]].town;
      addAlias(district, town);
    }
    for (std::uint32_t i = 0; i < map_.places().size(); ++i) {
      const PlaceRecord& p = map_.places()[i];
      if (isDistrictKind(p.kind) && p.town != 0) {
        addAlias(map_.text(p.name), townFor(map_.text(p.town), p.centre));
      }
    }
    // A village whose houses carry the municipality's name is a district of that town.
    for (std::uint32_t t = 0; t < ix_.towns_.size(); ++t) {
      const IndexedTown& town = ix_.towns_[t];
      if (town.place < 0) continue;
      const auto nearest = ix_.nearestAddress(town.centre, kVillageReachUnits);
      if (!nearest) continue;
      const std::uint32_t owner = ix_.streets_[ix_.addressStreet_[*nearest]].town;
      if (owner != t) addAlias(town.name, owner);
    }
  }

  void addAlias(std::string_view name, std::uint32_t town) {
    auto& aliases = ix_.districtsByKey_[matchKey(name)];
    for (const DistrictAlias& a : aliases) {
      if (a.town == town) return;
    }
    aliases.push_back({town, name});
  }

  void collectKeys() {
    for (const auto& [key, towns] : ix_.townsByKey_) ix_.placeKeys_.push_back(key);
    for (const auto& [key, aliases] : ix_.districtsByKey_) {
      if (!ix_.townsByKey_.contains(key)) ix_.placeKeys_.push_back(key);
    }
    for (const auto& [key, streets] : ix_.streetsByKey_) ix_.streetKeys_.push_back(key);
    ix_.placeKeyFilter_ = KeyFilter(ix_.placeKeys_);
    ix_.streetKeyFilter_ = KeyFilter(ix_.streetKeys_);
  }

  IndexedTown& newTown(std::string_view name) {
    const auto id = static_cast<std::uint32_t>(ix_.towns_.size());
    IndexedTown& town = ix_.towns_.emplace_back();
    town.name = name;
    town.key = matchKey(name);
    ix_.townsByKey_[town.key].push_back(id);
    postalCounts_.emplace_back();
    return town;
  }

  // The town of that name nearest to p; a name never seen before starts a town.
  std::uint32_t townFor(std::string_view name, Point p) {
    const auto found = townKeyCache_.find(name);
    const std::string& key =
        found != townKeyCache_.end() ? found->second : townKeyCache_[name] = matchKey(name);
    const auto named = ix_.townsByKey_.find(key);
    if (named == ix_.townsByKey_.end()) {
      IndexedTown& town = newTown(name);
      town.centre = p;
      return static_cast<std::uint32_t>(&town - ix_.towns_.data());
    }
    std::uint32_t best = named->second.front();
    for (const std::uint32_t t : named->second) {
      if (units(ix_.towns_[t].centre, p) < units(ix_.towns_[best].centre, p)) best = t;
    }
    return best;
  }

  std::uint32_t streetFor(std::uint32_t town, std::string_view name) {
    std::string key = matchKey(name);
    auto& streets = ix_.towns_[town].streets;
    const auto found = streets.find(key);
    if (found != streets.end()) return found->second;
    const auto id = static_cast<std::uint32_t>(ix_.streets_.size());
    IndexedStreet& street = ix_.streets_.emplace_back();
    street.town = town;
    street.name = name;
    street.key = key;
    ix_.streetsByKey_[key].push_back(id);
    streets.emplace(std::move(key), id);
    return id;
  }

  AddressIndex& ix_;
  const CompiledMap& map_;
  std::vector<std::unordered_map<std::string_view, PostalCount>> postalCounts_;  // per town
  std::unordered_map<std::string_view, std::string> townKeyCache_;
};

AddressIndex::AddressIndex(const CompiledMap& map)
    : map_(map),
      addressGrid_(std::make_unique<Grid>(250)),
      segmentGrid_(std::make_unique<Grid>(250)) {
  if (Store::load(*this)) {
    prepareSearch();
    return;
  }
  Builder(*this).run();
  prepareSearch();
  Store::save(*this);
}

void AddressIndex::prepareSearch() {
  streetTownSize_.clear();
  for (IndexedStreet& street : streets_) {
    const IndexedTown& town = towns_[street.town];
    streetTownSize_.emplace_back(town.population, town.addressCount);
    street.numbers.clear();
    for (const std::uint32_t a : street.addresses) {
      street.numbers.push_back(houseNumberValue(map_.text(map_.addresses()[a].houseNumber)));
    }
  }
  for (auto& [key, streets] : streetsByKey_) {
    std::stable_sort(streets.begin(), streets.end(), [&](std::uint32_t a, std::uint32_t b) {
      return streetTownSize_[a] > streetTownSize_[b];
    });
  }
}

AddressIndex::~AddressIndex() = default;

std::optional<std::uint32_t> AddressIndex::streetOfRecord(std::uint32_t record) const {
  if (record >= recordStreet_.size() || recordStreet_[record] < 0) return std::nullopt;
  return static_cast<std::uint32_t>(recordStreet_[record]);
}

namespace {

template <typename Map, typename Key>
auto entriesOf(const Map& map, const Key& key) {
  using Span = std::span<const typename Map::mapped_type::value_type>;
  const auto found = map.find(key);
  return found == map.end() ? Span{} : Span{found->second};
}

}  // namespace

std::span<const std::uint32_t> AddressIndex::townsNamed(const std::string& key) const {
  return entriesOf(townsByKey_, key);
}

std::span<const DistrictAlias> AddressIndex::districtsNamed(const std::string& key) const {
  return entriesOf(districtsByKey_, key);
}

std::span<const PostalArea> AddressIndex::postalAreas(std::string_view code) const {
  return entriesOf(postalAreas_, std::string(code));
}

std::span<const std::uint32_t> AddressIndex::streetsNamed(const std::string& key) const {
  return entriesOf(streetsByKey_, key);
}

const PostalArea* AddressIndex::postalArea(std::uint32_t town, std::string_view code) const {
  for (const PostalArea& area : postalAreas(code)) {
    if (area.town == town) return &area;
  }
  return nullptr;
}

std::optional<std::uint32_t> AddressIndex::nearestAddress(Point p, double maxUnits) const {
  std::optional<std::uint32_t> best;
  double bestDistance = maxUnits;
  addressGrid_->visitNear(p, maxUnits, [&](std::uint32_t a) {
    const double d = units(map_.addresses()[a].point, p);
    if (d < bestDistance || (d == bestDistance && (!best || a < *best))) {
      bestDistance = d;
      best = a;
    }
  });
  return best;
}

std::optional<NearestStreet> AddressIndex::nearestStreet(Point p, double maxUnits) const {
  std::optional<NearestStreet> best;
  segmentGrid_->visitNear(p, maxUnits, [&](std::uint32_t s) {
    const auto [record, first] = segments_[s];
    const auto ends = map_.points({first, 2});
    const Point q = projected(p, ends[0], ends[1]);
    const double d = units(p, q);
    if (d <= maxUnits && (!best || d < best->distance)) best = NearestStreet{record, q, d};
  });
  return best;
}

}  // namespace geo
