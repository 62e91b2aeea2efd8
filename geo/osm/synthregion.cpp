#include "geo/osm/synthregion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

#include "geo/osm/synthnames.h"
#include "geo/osm/synthoutput.h"

namespace geo {

namespace {

using osm::SynthTags;

// The layout's figures; geo/README.md says where the proportions come from.
constexpr double kCellMetres = 3000;        // one settlement (or open land) per cell
constexpr double kBlockMetres = 120;        // street grid
constexpr int kNodesPerBlock = 4;           // street nodes every 30 m
constexpr double kRuralNodeMetres = 40;     // country roads
constexpr double kTrackNodeMetres = 25;     // tracks bend more
constexpr double kMotorwayNodeMetres = 50;  // motorways
constexpr int kBlocksPerWay = 3;            // streets are split into ways at junctions
constexpr double kEstimatedRoadNodesPerCell = 450;
constexpr int kMotorwayEveryCells = 5;
constexpr int kJunctionEveryCells = 3;
constexpr double kOriginLon = 10.2, kOriginLat = 49.2;

struct Pt {
  double x = 0, y = 0;  // metres east and north of the origin
};

Pt lerp(Pt a, Pt b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
double distance(Pt a, Pt b) { return std::hypot(a.x - b.x, a.y - b.y); }

// splitmix64: small, fast and the same on every platform.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int between(int lo, int hi) { return lo + static_cast<int>(next() % std::uint64_t(hi - lo + 1)); }
  double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
  bool chance(double p) { return unit() < p; }

 private:
  std::uint64_t state_;
};

enum class Kind { City, Town, Village, Hamlet };

const char* placeValue(Kind kind) {
  switch (kind) {
    case Kind::City:
      return "city";
    case Kind::Town:
      return "town";
    case Kind::Village:
      return "village";
    case Kind::Hamlet:
      return "hamlet";
  }
  return "hamlet";
}

int rankOf(Kind kind) { return 3 - static_cast<int>(kind); }

struct Settlement {
  Kind kind = Kind::Hamlet;
  std::string name;
  std::string municipality;  // addr:city of its houses: its own name or its town's
  std::string postcode;
  Pt origin;  // south-west corner of the street grid
  int blocks = 1;
  int placeOdd = 1, placeEven = 2;      // house numbers of a place without street names
  std::array<std::int64_t, 4> gates{};  // west, east, south, north ends of the main streets
  std::array<Pt, 4> gatePoints{};
  Pt centre() const {
    return {origin.x + blocks * kBlockMetres / 2, origin.y + blocks * kBlockMetres / 2};
  }
  double radius() const { return blocks * kBlockMetres * 0.71 + 150; }
};
enum Gate { kWest, kEast, kSouth, kNorth };

// A river as a gentle wave across the whole region from west to east.
struct River {
  std::string name;
  double y0, amplitude, wavelength, phase;
  double yAt(double x) const {
    return y0 + amplitude * std::sin(2 * std::numbers::pi * x / wavelength + phase);
  }
  bool crosses(Pt a, Pt b) const { return (a.y > yAt(a.x)) != (b.y > yAt(b.x)); }
};

class RegionGenerator {
 public:
  RegionGenerator(osm::SynthOutput& out, const SynthRegionOptions& options)
      : out_(out),
        target_(options.roadNodes),
        random_(options.seed * 0x2545F4914F6CDD1Dull + 1),
        names_([this] { return random_.next(); }) {
    columns_ = std::max(
        2, static_cast<int>(std::ceil(std::sqrt(double(target_) / kEstimatedRoadNodesPerCell))));
    estimatedRows_ = std::max(
        2, static_cast<int>(std::ceil(double(target_) / kEstimatedRoadNodesPerCell / columns_)));
  }

  SynthRegionSummary run() {
    addRivers();
    for (int row = 0; summary_.roadNodes + motorwayNodes(row) < target_; ++row) {
      cells_.resize(cells_.size() + columns_);
      for (int column = 0; column < columns_; ++column) addCell(row, column);
      rows_ = row + 1;
    }
    for (int row = kMotorwayEveryCells / 2; row < rows_ - 1; row += kMotorwayEveryCells) {
      addMotorway(row, true);
    }
    for (int column = kMotorwayEveryCells / 2; column < columns_ - 1;
         column += kMotorwayEveryCells) {
      addMotorway(column, false);
    }
    drawRivers();
    summary_.nodes = out_.nodeCount();
    summary_.ways = out_.wayCount();
    return summary_;
  }

 private:
  // Nodes the motorways will add once the region has this many rows: two carriageways and
  // about a fifth more for the junctions.
  std::uint64_t motorwayNodes(int rows) const {
    const double cells = double(rows / kMotorwayEveryCells) * columns_ +
                         double(columns_ / kMotorwayEveryCells) * rows;
    return static_cast<std::uint64_t>(cells * kCellMetres / kMotorwayNodeMetres * 2 * 1.2);
  }

  // --- output -----------------------------------------------------------------------------

  std::int64_t node(Pt p, const SynthTags& tags = {}) {
    const double lat = kOriginLat + p.y / 110574.0;
    const double lon =
        kOriginLon + p.x / (111320.0 * std::cos(kOriginLat * std::numbers::pi / 180));
    return out_.node(lon, lat, tags);
  }
  std::int64_t roadNode(Pt p, const SynthTags& tags = {}) {
    ++summary_.roadNodes;
    return node(p, tags);
  }

  // A road over the points; the ends may be nodes that exist already. It is split into ways
  // of at most maxNodes nodes, and where it crosses a river the crossing becomes a bridge.
  std::vector<std::int64_t> road(const std::vector<Pt>& points, std::int64_t first,
                                 std::int64_t last, const SynthTags& tags,
                                 std::size_t maxNodes = 60) {
    std::vector<std::int64_t> ids;
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (i == 0 && first) {
        ids.push_back(first);
      } else if (i + 1 == points.size() && last) {
        ids.push_back(last);
      } else {
        ids.push_back(roadNode(points[i]));
      }
    }
    std::vector<std::int64_t> piece{ids[0]};
    for (std::size_t i = 1; i < ids.size(); ++i) {
      const bool bridge = crossesRiver(points[i - 1], points[i]);
      if (bridge && piece.size() > 1) {
        out_.way(piece, tags);
        piece = {ids[i - 1]};
      }
      piece.push_back(ids[i]);
      if (bridge) {
        SynthTags bridgeTags = tags;
        bridgeTags.insert(bridgeTags.end(), {{"bridge", "yes"}, {"layer", "1"}});
        out_.way(piece, bridgeTags);
        piece = {ids[i]};
      } else if (piece.size() >= maxNodes && i + 1 < ids.size()) {
        out_.way(piece, tags);
        piece = {ids[i]};
      }
    }
    if (piece.size() > 1) out_.way(piece, tags);
    return ids;
  }

  void closedWay(const std::vector<Pt>& ring, const SynthTags& tags) {
    std::vector<std::int64_t> ids;
    for (const Pt& p : ring) ids.push_back(node(p));
    ids.push_back(ids.front());
    out_.way(ids, tags);
  }

  // Points from a to b every `spacing` metres, bowed sideways by `bow` metres in the middle.
  std::vector<Pt> curve(Pt a, Pt b, double spacing, double bow) {
    const double length = distance(a, b);
    const int steps = std::max(1, static_cast<int>(std::ceil(length / spacing)));
    const double nx = length > 0 ? -(b.y - a.y) / length : 0,
                 ny = length > 0 ? (b.x - a.x) / length : 0;
    std::vector<Pt> points;
    for (int s = 0; s <= steps; ++s) {
      const double t = double(s) / steps;
      const double offset = bow * std::sin(std::numbers::pi * t);
      Pt p = lerp(a, b, t);
      points.push_back({p.x + nx * offset, p.y + ny * offset});
    }
    return points;
  }

  std::vector<Pt> polygon(Pt centre, double radius, int corners) {
    std::vector<Pt> ring;
    for (int k = 0; k < corners; ++k) {
      const double angle = 2 * std::numbers::pi * k / corners;
      const double r = radius * random_.range(0.75, 1.0);
      ring.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
    }
    return ring;
  }

  // --- rivers -----------------------------------------------------------------------------

  void addRivers() {
    const int count = std::max(1, estimatedRows_ / 8);
    for (int k = 0; k < count; ++k) {
      rivers_.push_back({names_.river(), (k + 0.5) * estimatedRows_ * kCellMetres / count + 700,
                         random_.range(300, 900), random_.range(8000, 16000),
                         random_.range(0, 2 * std::numbers::pi)});
    }
  }

  bool crossesRiver(Pt a, Pt b) const {
    return std::any_of(rivers_.begin(), rivers_.end(),
                       [&](const River& r) { return r.crosses(a, b); });
  }

  const River* riverNear(Pt p, double reach) const {
    for (const River& r : rivers_) {
      if (std::abs(p.y - r.yAt(p.x)) < reach) return &r;
    }
    return nullptr;
  }

  void drawRivers() {
    const double west = -kCellMetres, east = (columns_ + 1) * kCellMetres;
    for (const River& r : rivers_) {
      std::vector<std::int64_t> ids;
      for (double x = west; x <= east; x += 80) {
        ids.push_back(node({x, r.yAt(x)}));
        if (ids.size() == 100) {
          out_.way(ids, {{"waterway", "river"}, {"name", r.name}});
          ids = {ids.back()};
        }
      }
      if (ids.size() > 1) out_.way(ids, {{"waterway", "river"}, {"name", r.name}});
    }
  }

  // --- settlements ------------------------------------------------------------------------

  Settlement* settlementAt(int row, int column) {
    if (row < 0 || column < 0 || column >= columns_ || row >= rows_ + 1) return nullptr;
    const std::size_t index = std::size_t(row) * columns_ + column;
    return index < cells_.size() && cells_[index] ? &*cells_[index] : nullptr;
  }

  bool fits(Pt centre, double radius, int row, int column) {
    for (int r = row - 2; r <= row; ++r) {
      for (int c = column - 2; c <= column + 2; ++c) {
        const Settlement* other = settlementAt(r, c);
        if (other && distance(other->centre(), centre) < other->radius() + radius + 300)
          return false;
      }
    }
    return true;
  }

  Kind drawKind() {
    const double roll = random_.unit();
    if (roll < 0.012) return Kind::City;
    if (roll < 0.10) return Kind::Town;
    if (roll < 0.62) return Kind::Village;
    return Kind::Hamlet;
  }

  int blocksFor(Kind kind) {
    switch (kind) {
      case Kind::City:
        return random_.between(16, 24);
      case Kind::Town:
        return random_.between(6, 10);
      case Kind::Village:
        return random_.between(2, 4);
      case Kind::Hamlet:
        return 1;
    }
    return 1;
  }

  void addCell(int row, int column) {
    const Pt cellCentre{(column + 0.5) * kCellMetres, (row + 0.5) * kCellMetres};
    if (random_.chance(0.12)) {  // open land: fields and forest
      addForest(cellCentre);
      return;
    }
    Settlement s;
    s.kind = drawKind();
    Pt centre{cellCentre.x + random_.range(-500, 500), cellCentre.y + random_.range(-500, 500)};
    for (;;) {
      s.blocks = blocksFor(s.kind);
      if (const River* river = riverNear(centre, s.radius() + 250)) {
        const double side = centre.y > river->yAt(centre.x) ? 1 : -1;
        centre.y = river->yAt(centre.x) + side * (s.radius() + 400);
      }
      if (fits(centre, s.radius(), row, column) || s.kind == Kind::Hamlet) break;
      s.kind = static_cast<Kind>(static_cast<int>(s.kind) + 1);
    }
    if (!fits(centre, s.radius(), row, column)) return;
    s.origin = {centre.x - s.blocks * kBlockMetres / 2, centre.y - s.blocks * kBlockMetres / 2};
    s.name = names_.settlement();
    joinMunicipality(s, row, column);
    ++summary_.settlements;
    cells_[std::size_t(row) * columns_ + column] = s;
    Settlement& placed = *cells_[std::size_t(row) * columns_ + column];
    buildSettlement(placed);
    connect(placed, settlementAt(row, column - 1), kWest, kEast);
    connect(placed, settlementAt(row - 1, column), kSouth, kNorth);
    if (random_.chance(0.25)) connect(placed, settlementAt(row - 1, column - 1), kSouth, kEast);
  }

  // Villages and hamlets near a town often belong to it: their houses carry the town's name.
  void joinMunicipality(Settlement& s, int row, int column) {
    s.municipality = s.name;
    s.postcode = nextPostcode();
    if (s.kind == Kind::City || s.kind == Kind::Town || !random_.chance(0.6)) return;
    static constexpr std::array<std::pair<int, int>, 4> kNeighbours = {
        {{0, -1}, {-1, 0}, {-1, -1}, {-1, 1}}};
    for (const auto& [dr, dc] : kNeighbours) {
      const Settlement* other = settlementAt(row + dr, column + dc);
      if (other && (other->kind == Kind::Town || other->kind == Kind::City)) {
        s.municipality = other->municipality;
        s.postcode = other->postcode;
        return;
      }
    }
  }

  // Five-digit codes, all different, spread like real ones.
  std::string nextPostcode() {
    const int code = 10000 + static_cast<int>((postcodes_++ * 7919) % 89999);
    return std::to_string(code);
  }

  void buildSettlement(Settlement& s) {
    const int n = s.blocks;
    const auto gridPoint = [&](int i, int j) {
      return Pt{s.origin.x + i * kBlockMetres, s.origin.y + j * kBlockMetres};
    };
    std::vector<std::int64_t> crossings(std::size_t(n + 1) * (n + 1));
    for (int j = 0; j <= n; ++j) {
      for (int i = 0; i <= n; ++i)
        crossings[std::size_t(j) * (n + 1) + i] = roadNode(gridPoint(i, j));
    }
    const auto crossing = [&](int i, int j) { return crossings[std::size_t(j) * (n + 1) + i]; };
    const int middle = n / 2;
    const bool hamlet = s.kind == Kind::Hamlet;
    const auto streetNames =
        names_.streets(std::size_t(2 * (n + 1)), s.kind == Kind::Village || hamlet);
    std::size_t nextName = 2;
    for (int line = 0; line <= n; ++line) {
      for (const bool horizontal : {true, false}) {
        const bool main = line == middle;
        const std::string& name = main ? streetNames[horizontal ? 0 : 1] : streetNames[nextName++];
        const auto at = [&](int k) {
          return horizontal ? std::pair{crossing(k, line), gridPoint(k, line)}
                            : std::pair{crossing(line, k), gridPoint(line, k)};
        };
        addStreet(s, at, n, hamlet ? std::string() : name, streetTags(s, line, main));
      }
    }
    s.gates = {crossing(0, middle), crossing(n, middle), crossing(middle, 0), crossing(middle, n)};
    s.gatePoints = {gridPoint(0, middle), gridPoint(n, middle), gridPoint(middle, 0),
                    gridPoint(middle, n)};
    addPlace(s);
    const double margin = 45;
    closedWay({{s.origin.x - margin, s.origin.y - margin},
               {s.origin.x + n * kBlockMetres + margin, s.origin.y - margin},
               {s.origin.x + n * kBlockMetres + margin, s.origin.y + n * kBlockMetres + margin},
               {s.origin.x - margin, s.origin.y + n * kBlockMetres + margin}},
              {{"landuse", "residential"}});
    if (s.kind != Kind::City) {
      closedWay(polygon({s.centre().x + s.radius() + 500, s.centre().y}, 450, 10),
                {{"landuse", "farmland"}});
      addTracks(s);
    }
  }

  SynthTags streetTags(const Settlement& s, int line, bool main) {
    SynthTags tags;
    std::string highway = "residential";
    if (s.kind == Kind::Hamlet) {
      highway = "unclassified";
    } else if (main) {
      highway = s.kind == Kind::City ? "primary" : s.kind == Kind::Town ? "secondary" : "tertiary";
    } else if (s.kind == Kind::City && line % 6 == 0) {
      highway = "secondary";
    } else if (random_.chance(0.02)) {
      highway = "living_street";
    }
    tags.push_back({"highway", highway});
    if (highway == "residential") {
      const double oneWayShare = s.kind == Kind::City ? 0.12 : 0.05;
      if (random_.chance(oneWayShare))
        tags.push_back({"oneway", random_.chance(0.15) ? "-1" : "yes"});
      if (random_.chance(0.3)) tags.push_back({"maxspeed", "30"});
    }
    return tags;
  }

  // One street along a grid line with houses on both sides; `at(k)` gives the crossing k.
  template <typename At>
  void addStreet(Settlement& s, At at, int blocks, const std::string& name, SynthTags tags) {
    if (!name.empty()) tags.push_back({"name", name});
    std::vector<std::int64_t> ids{at(0).first};
    std::vector<Pt> points{at(0).second};
    // Houses of a place without street names are numbered through the whole place.
    int streetOdd = 1, streetEven = 2;
    int& odd = name.empty() ? s.placeOdd : streetOdd;
    int& even = name.empty() ? s.placeEven : streetEven;
    for (int k = 0; k < blocks; ++k) {
      const Pt from = at(k).second;
      const auto [toId, to] = at(k + 1);
      for (int step = 1; step < kNodesPerBlock; ++step) {
        Pt p = lerp(from, to, double(step) / kNodesPerBlock);
        const double wiggle = random_.range(-1.5, 1.5);
        (from.x == to.x ? p.x : p.y) += wiggle;
        ids.push_back(roadNode(p));
        points.push_back(p);
      }
      ids.push_back(toId);
      points.push_back(to);
      addHouses(s, from, to, name, odd, even);
      if (random_.chance(0.6)) addDriveway(from, to, ids[ids.size() - 3]);
      if ((k + 1) % kBlocksPerWay == 0 || k + 1 == blocks) {
        out_.way(ids, tags);
        ids = {ids.back()};
        points = {points.back()};
      }
    }
  }

  void addDriveway(Pt from, Pt to, std::int64_t start) {
    const Pt middle = lerp(from, to, 0.5);
    const double length = distance(from, to);
    const Pt side{-(to.y - from.y) / length, (to.x - from.x) / length};
    std::vector<std::int64_t> ids{start, roadNode({middle.x + side.x * 20, middle.y + side.y * 20}),
                                  roadNode({middle.x + side.x * 45, middle.y + side.y * 45})};
    SynthTags tags{{"highway", "service"}, {"service", "driveway"}};
    if (random_.chance(0.3)) tags.push_back({"access", "private"});
    out_.way(ids, tags);
  }

  void addHouses(Settlement& s, Pt from, Pt to, const std::string& street, int& odd, int& even) {
    const double length = distance(from, to);
    const Pt along{(to.x - from.x) / length, (to.y - from.y) / length};
    const Pt left{-along.y, along.x};
    // Plots start 30 m from the crossing, which keeps the corner houses of two streets apart.
    for (double d = 30; d < length - 14; d += 22) {
      for (const int side : {1, -1}) {
        if (random_.chance(0.6)) continue;  // gardens, yards, corner plots
        const Pt at{from.x + along.x * d + left.x * 16 * side,
                    from.y + along.y * d + left.y * 16 * side};
        int& number = side > 0 ? odd : even;
        std::string houseNumber = std::to_string(number);
        if (random_.chance(0.03)) houseNumber += "a";
        number += 2;
        addHouse(s, at, street, houseNumber);
        if (random_.chance(0.3)) {
          building(
              {at.x + along.x * 8 + left.x * 12 * side, at.y + along.y * 8 + left.y * 12 * side}, 3,
              {{"building", "garage"}});
        }
      }
    }
  }

  SynthTags addressTags(const Settlement& s, Pt at, const std::string& street,
                        const std::string& houseNumber) {
    SynthTags tags{{"addr:housenumber", houseNumber}};
    tags.push_back(
        {street.empty() ? "addr:place" : "addr:street", street.empty() ? s.name : street});
    std::string postcode = s.postcode;
    if (s.kind == Kind::City) {
      const int quadrant = (at.x > s.centre().x ? 1 : 0) + (at.y > s.centre().y ? 2 : 0);
      postcode = std::to_string(std::stoi(s.postcode) + quadrant);
      if (random_.chance(0.5)) tags.push_back({"addr:suburb", kQuarters[quadrant]});
    } else if (s.municipality != s.name && random_.chance(0.4)) {
      tags.push_back({"addr:suburb", s.name});
    }
    tags.push_back({"addr:postcode", postcode});
    tags.push_back({"addr:city", s.municipality});
    if (random_.chance(0.3)) tags.push_back({"addr:country", "DE"});
    return tags;
  }

  void addHouse(Settlement& s, Pt at, const std::string& street, const std::string& houseNumber) {
    ++summary_.addresses;
    SynthTags address = addressTags(s, at, street, houseNumber);
    const char* kind = s.kind == Kind::City ? "apartments" : "house";
    if (random_.chance(0.8)) {
      address.insert(address.begin(), std::pair<std::string, std::string>{"building", kind});
      building(at, 5.5, address);
    } else {
      building(at, 5.5, {{"building", kind}});
      node(at, address);
    }
  }

  void building(Pt centre, double half, const SynthTags& tags) {
    ++summary_.buildings;
    closedWay({{centre.x - half, centre.y - half},
               {centre.x + half, centre.y - half},
               {centre.x + half, centre.y + half},
               {centre.x - half, centre.y + half}},
              tags);
  }

  void addPlace(const Settlement& s) {
    static constexpr std::array<std::pair<int, int>, 4> kPopulation = {
        {{100000, 400000}, {5000, 40000}, {150, 2500}, {10, 120}}};
    const auto [low, high] = kPopulation[static_cast<int>(s.kind)];
    SynthTags tags{{"place", placeValue(s.kind)},
                   {"name", s.name},
                   {"population", std::to_string(random_.between(low, high))}};
    if (s.kind == Kind::Town && random_.chance(0.5)) tags.push_back({"postal_code", s.postcode});
    node(s.centre(), tags);
    if (s.kind != Kind::City) return;
    const double quarter = s.blocks * kBlockMetres / 4;
    for (int q = 0; q < 4; ++q) {
      node({s.centre().x + (q % 2 ? quarter : -quarter),
            s.centre().y + (q / 2 ? quarter : -quarter)},
           {{"place", "suburb"}, {"name", kQuarters[q]}});
    }
  }

  // Field and forest tracks leading out of a place; most are closed to cars.
  void addTracks(const Settlement& s) {
    const int count = s.kind == Kind::Town ? 6 : s.kind == Kind::Village ? 4 : 2;
    for (int t = 0; t < count; ++t) {
      const int gate = random_.between(0, 3);
      const double angle = random_.range(0, 2 * std::numbers::pi);
      const double length = random_.range(500, 1300);
      const Pt start = s.gatePoints[gate];
      const Pt end{start.x + length * std::cos(angle), start.y + length * std::sin(angle)};
      SynthTags tags{{"highway", "track"},
                     {"tracktype", "grade" + std::to_string(random_.between(1, 5))}};
      if (random_.chance(0.4))
        tags.push_back({"motor_vehicle", random_.chance(0.5) ? "agricultural" : "forestry"});
      road(curve(start, end, kTrackNodeMetres, random_.range(-80, 80)), s.gates[gate], 0, tags);
    }
  }

  void addForest(Pt centre) {
    closedWay(polygon(centre, random_.range(600, 1200), 16), {{"landuse", "forest"}});
    if (random_.chance(0.2)) {
      closedWay(polygon({centre.x + 200, centre.y - 300}, random_.range(80, 250), 12),
                {{"natural", "water"}, {"name", "Weiher"}});
    }
  }

  // --- roads between places ---------------------------------------------------------------

  void connect(Settlement& s, Settlement* other, Gate mine, Gate theirs) {
    if (!other) return;
    const int rank = std::min(rankOf(s.kind), rankOf(other->kind));
    const int top = std::max(rankOf(s.kind), rankOf(other->kind));
    SynthTags tags;
    if (top == 3 && rank >= 1) {
      tags = {{"highway", "primary"}, {"ref", "B " + std::to_string(random_.between(2, 303))}};
    } else if (rank >= 2) {
      tags = {{"highway", "secondary"},
              {"ref", "St " + std::to_string(random_.between(2100, 2700))}};
    } else if (rank == 1) {
      tags = {{"highway", "tertiary"}, {"ref", "K " + std::to_string(random_.between(1, 60))}};
    } else {
      tags = {{"highway", "unclassified"}};
    }
    const std::vector<Pt> points = curve(s.gatePoints[mine], other->gatePoints[theirs],
                                         kRuralNodeMetres, random_.range(-250, 250));
    const std::vector<std::int64_t> ids = road(points, s.gates[mine], other->gates[theirs], tags);
    addFarms(s, points, ids);
  }

  // Single farms along a country road, each on its own lane with an address of the place.
  void addFarms(const Settlement& s, const std::vector<Pt>& points,
                const std::vector<std::int64_t>& ids) {
    const int farms = random_.between(0, 3);
    for (int f = 0; f < farms && points.size() > 4; ++f) {
      const std::size_t at =
          2 + static_cast<std::size_t>(random_.between(0, int(points.size()) - 5));
      const Pt from = points[at];
      const double angle = random_.range(0, 2 * std::numbers::pi);
      const Pt farm{from.x + 250 * std::cos(angle), from.y + 250 * std::sin(angle)};
      road(curve(from, farm, kRuralNodeMetres, 20), ids[at], 0,
           {{"highway", random_.chance(0.5) ? "service" : "unclassified"}});
      ++summary_.addresses;
      SynthTags tags{{"building", "farm"}};
      const SynthTags address = addressTags(s, farm, {}, std::to_string(100 + farmNumber_++ % 900));
      tags.insert(tags.end(), address.begin(), address.end());
      building(farm, 9, tags);
    }
  }

  // A motorway along a row (or column) border: two one-way carriageways, with junctions to
  // a feeder road every few cells.
  void addMotorway(int index, bool eastWest) {
    const double across = (index + 1) * kCellMetres;
    const double length = (eastWest ? columns_ : rows_) * kCellMetres;
    const std::string ref = "A " + std::to_string(random_.between(3, 99));
    const auto at = [&](double along, double side) {
      return eastWest ? Pt{along, across + side} : Pt{across + side, along};
    };
    const int steps = static_cast<int>(length / kMotorwayNodeMetres);
    std::vector<std::int64_t> forward, backward;         // east- (north-) and west- (south-)bound
    std::vector<std::pair<std::size_t, int>> junctions;  // step of the junction, its number
    for (int cell = 1; cell * kCellMetres < length - kCellMetres; cell += kJunctionEveryCells) {
      junctions.push_back(
          {std::size_t(cell * kCellMetres / kMotorwayNodeMetres), int(junctions.size()) + 1});
    }
    const int rampSteps = 8;
    for (int k = 0; k <= steps; ++k) {
      forward.push_back(
          roadNode(at(k * kMotorwayNodeMetres, -12), junctionTags(junctions, k + rampSteps)));
    }
    for (int k = steps; k >= 0; --k) {
      backward.push_back(
          roadNode(at(k * kMotorwayNodeMetres, 12), junctionTags(junctions, k - rampSteps)));
    }
    const SynthTags carriageway{{"highway", "motorway"}, {"ref", ref}, {"oneway", "yes"}};
    splitWays(forward, carriageway);
    splitWays(backward, carriageway);
    for (const auto& [step, number] : junctions) {
      addJunction(at, forward, backward, step, rampSteps, index, eastWest);
    }
  }

  SynthTags junctionTags(const std::vector<std::pair<std::size_t, int>>& junctions, int step) {
    for (const auto& [at, number] : junctions) {
      if (int(at) == step)
        return {{"highway", "motorway_junction"}, {"ref", std::to_string(number)}};
    }
    return {};
  }

  void splitWays(const std::vector<std::int64_t>& ids, const SynthTags& tags) {
    constexpr std::size_t kPerWay = 40;
    for (std::size_t first = 0; first + 1 < ids.size(); first += kPerWay - 1) {
      const std::size_t last = std::min(ids.size(), first + kPerWay);
      out_.way(std::span(ids).subspan(first, last - first), tags);
    }
  }

  template <typename At>
  void addJunction(At at, const std::vector<std::int64_t>& forward,
                   const std::vector<std::int64_t>& backward, std::size_t step, int ramp, int index,
                   bool eastWest) {
    const double along = step * kMotorwayNodeMetres;
    const std::size_t last = forward.size() - 1;
    if (step < std::size_t(ramp) || step + ramp > last) return;
    // Feeder nodes beside the motorway, one on each side, joined by a road over it.
    const std::int64_t near = roadNode(at(along, -150));
    const std::int64_t far = roadNode(at(along, 150));
    const SynthTags link{{"highway", "motorway_link"}, {"oneway", "yes"}};
    const auto ramp2 = [&](std::int64_t a, Pt pa, std::int64_t b, Pt pb) {
      road(curve(pa, pb, 30, 40), a, b, link);
    };
    const double before = along - ramp * kMotorwayNodeMetres,
                 after = along + ramp * kMotorwayNodeMetres;
    ramp2(forward[step - ramp], at(before, -12), near, at(along, -150));
    ramp2(near, at(along, -150), forward[step + ramp], at(after, -12));
    ramp2(backward[last - step - ramp], at(after, 12), far, at(along, 150));
    ramp2(far, at(along, 150), backward[last - step + ramp], at(before, 12));
    const SynthTags feeder{{"highway", "primary"},
                           {"ref", "B " + std::to_string(random_.between(2, 303))}};
    road(curve(at(along, -150), at(along, 150), kRuralNodeMetres, 0), near, far, feeder);
    // On to the nearest places on both sides.
    const int cell = static_cast<int>(along / kCellMetres);
    for (const auto& [side, feederNode, gate] : {std::tuple{0, near, eastWest ? kNorth : kEast},
                                                 std::tuple{1, far, eastWest ? kSouth : kWest}}) {
      const int across = index + side;
      Settlement* s = eastWest ? settlementAt(across, cell) : settlementAt(cell, across);
      if (!s) continue;
      road(curve(at(along, side ? 150 : -150), s->gatePoints[gate], kRuralNodeMetres,
                 random_.range(-150, 150)),
           feederNode, s->gates[gate], feeder);
    }
  }

  static constexpr std::array<const char*, 4> kQuarters = {"Südstadt", "Oststadt", "Weststadt",
                                                           "Nordstadt"};

  osm::SynthOutput& out_;
  std::uint64_t target_;
  Random random_;
  osm::SynthNames names_;
  int columns_ = 2, estimatedRows_ = 2, rows_ = 0;
  std::vector<std::optional<Settlement>> cells_;
  std::vector<River> rivers_;
  std::uint64_t postcodes_ = 0;
  int farmNumber_ = 0;
  SynthRegionSummary summary_;
};

}  // namespace

bool writeSyntheticRegion(const std::string& path, const SynthRegionOptions& options,
                          SynthRegionSummary& summary, std::string& error) {
  try {
    osm::SynthOutput out(path);
    summary = RegionGenerator(out, options).run();
    out.finish();
    return true;
  } catch (const std::exception& e) {
    error = "Region kann nicht geschrieben werden: " + path + " (" + e.what() + ")";
    return false;
  }
}

}  // namespace geo
