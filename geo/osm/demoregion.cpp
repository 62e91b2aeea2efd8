#include "geo/osm/demoregion.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "geo/osm/osmxmlwriter.h"

namespace geo {

namespace {

using Corner = std::pair<int, int>;  // metres east, north of the origin
using Corners = std::vector<Corner>;

constexpr int kTownSouthPostcode = 96201;
constexpr int kNorthPostcode = 96202;
constexpr int kRiverY = 100;

struct Locality {
  const char* town;
  const char* district;  // empty outside Mühlbach
  int postcode;
};

class DemoRegion {
 public:
  std::string build() {
    town();
    bridges();
    village();
    throughRoadAndMotorway();
    countryRoad();
    river();
    railway();
    areas();
    places();
    return w_.xml();
  }

 private:
  enum Sides { kNone = 0, kLeft = 1, kRight = 2, kBoth = 3 };

  // Nodes every 100 m along each stretch, so crossing streets meet in shared nodes.
  std::vector<std::int64_t> line(const Corners& corners) {
    std::vector<std::int64_t> nodes{w_.node(corners[0].first, corners[0].second)};
    for (std::size_t i = 1; i < corners.size(); ++i) {
      const auto [x0, y0] = corners[i - 1];
      const auto [x1, y1] = corners[i];
      const int steps =
          std::max(1, static_cast<int>(std::ceil(std::hypot(x1 - x0, y1 - y0) / 100)));
      for (int s = 1; s <= steps; ++s) {
        nodes.push_back(w_.node(x0 + (x1 - x0) * s / steps, y0 + (y1 - y0) * s / steps));
      }
    }
    return nodes;
  }

  std::int64_t ring(const Corners& corners, const Tags& tags) {
    std::vector<std::int64_t> nodes;
    for (const auto& [x, y] : corners) nodes.push_back(w_.node(x, y));
    nodes.push_back(nodes.front());
    return w_.way(nodes, tags);
  }
  void area(const Corners& corners, const Tags& tags) { ring(corners, tags); }

  static Locality localityAt(int y) {
    if (y > 1800) return {"Eichenbrunn", "", kNorthPostcode};
    if (y > kRiverY) return {"Lindenau", "Mühlbach", kNorthPostcode};
    return {"Lindenau", "", kTownSouthPostcode};
  }

  void street(const std::string& name, const Corners& corners, const char* highway,
              Sides sides = kBoth, Tags extra = {}) {
    Tags tags{{"highway", highway}, {"name", name}};
    tags.insert(tags.end(), extra.begin(), extra.end());
    w_.way(line(corners), tags);
    for (std::size_t i = 1; i < corners.size(); ++i) {
      if (sides & kLeft) houses(name, corners[i - 1], corners[i], +1);
      if (sides & kRight) houses(name, corners[i - 1], corners[i], -1);
    }
  }

  // Houses 20 m beside a stretch, every 60 m, odd numbers on the left and even ones on the
  // right; none close to crossings or in the river.
  void houses(const std::string& name, Corner from, Corner to, int side) {
    const double length = std::hypot(to.first - from.first, to.second - from.second);
    const double ux = (to.first - from.first) / length;
    const double uy = (to.second - from.second) / length;
    int& next = side > 0 ? nextOdd_[name] : nextEven_[name];
    if (next == 0) next = side > 0 ? 1 : 2;
    for (int along = 50; along < length - 20; along += 60) {
      const int toCrossing = along % 100 < 50 ? along % 100 : 100 - along % 100;
      if (toCrossing < 20) continue;
      const int x = static_cast<int>(std::lround(from.first + ux * along - side * uy * 20));
      const int y = static_cast<int>(std::lround(from.second + uy * along + side * ux * 20));
      if (std::abs(y - kRiverY) < 60) continue;
      house(name, std::to_string(next), x, y);
      // Every fifth even house has a neighbour with a letter, as on real streets.
      if (side < 0 && next % 10 == 2) {
        house(name, std::to_string(next) + "a", static_cast<int>(std::lround(x + ux * 12)),
              static_cast<int>(std::lround(y + uy * 12)));
      }
      next += 2;
    }
  }

  Tags addressTags(const std::string& street, const std::string& number, int y) {
    const Locality locality = localityAt(y);
    const int n = houseCount_++;
    Tags tags{{"addr:street", street}, {"addr:housenumber", number}};
    // Some addresses leave out postal code or district: the import finds them from the
    // postal code areas and the district outline.
    if (n % 4 != 1) tags.push_back({"addr:postcode", std::to_string(locality.postcode)});
    tags.push_back({"addr:city", locality.town});
    if (*locality.district && n % 2 == 0) tags.push_back({"addr:suburb", locality.district});
    if (n % 10 == 0) tags.push_back({"addr:country", "DE"});
    return tags;
  }

  void house(const std::string& street, const std::string& number, int x, int y) {
    Tags tags = addressTags(street, number, y);
    if (houseCount_ % 3 == 0) {
      tags.push_back({"building", "house"});
      area({{x - 6, y - 6}, {x + 6, y - 6}, {x + 6, y + 6}, {x - 6, y + 6}}, tags);
    } else {
      w_.node(x, y, tags);
    }
  }

  void town() {
    street("Schillerstraße", {{0, -600}, {1400, -600}}, "residential");
    street("Goethestraße", {{0, -400}, {1400, -400}}, "residential");
    street("Uferweg", {{0, 0}, {1400, 0}}, "residential", kRight, {{"oneway", "yes"}});
    street("Am Mühlbach", {{0, 200}, {1400, 200}}, "residential", kLeft);
    street("Mühlenstraße", {{0, 400}, {1400, 400}}, "residential");
    street("Lindenallee", {{0, 600}, {1400, 600}}, "residential");
    street("Waldstraße", {{0, 800}, {1400, 800}}, "residential", kRight);
    const struct {
      int x;
      const char* south;
      const char* north;
    } splitStreets[] = {{0, "Bahnhofstraße", "Kirchweg"},
                        {400, "Rosenweg", "Tulpenweg"},
                        {600, "Gärtnerstraße", "Müllerstraße"},
                        {1000, "Schulstraße", "Fröbelstraße"},
                        {1400, "Birkenweg", "Ahornweg"}};
    for (const auto& s : splitStreets) {
      const Tags southTags = s.x == 400 ? Tags{{"oneway", "-1"}} : Tags{};
      street(s.south, {{s.x, -600}, {s.x, 0}}, "residential", kBoth, southTags);
      street(s.north, {{s.x, 200}, {s.x, 800}}, "residential");
    }
    street("Marktplatz", {{800, -300}, {1000, -300}}, "living_street");
    townHall();
    street("Kirchgasse", {{300, 400}, {300, 600}}, "residential", kBoth, {{"oneway", "yes"}});
    street("Am Sportplatz", {{1400, -600}, {1400, -900}}, "residential");
    street("Am Friedhof", {{0, -600}, {-300, -600}}, "residential");
    street("Fliederweg", {{1000, 700}, {1200, 700}}, "residential");
    street("Gartenstraße", {{400, -500}, {600, -500}}, "residential");
    street("Äußere Bahnhofstraße", {{0, -600}, {0, -900}}, "residential");
    street("Höhenweg", {{400, 800}, {400, 1000}, {700, 1000}}, "residential");
    interpolatedWaldstrasse();
  }

  // A building with a courtyard: a multipolygon relation carrying the address.
  void townHall() {
    const auto outer = ring({{860, -385}, {940, -385}, {940, -325}, {860, -325}}, {});
    const auto inner = ring({{885, -365}, {915, -365}, {915, -345}, {885, -345}}, {});
    Tags tags = addressTags("Marktplatz", "10", -360);
    tags.insert(tags.begin(),
                {{"type", "multipolygon"}, {"building", "public"}, {"name", "Rathaus"}});
    w_.relation({{outer, "outer"}, {inner, "inner"}}, tags);
  }

  void interpolatedWaldstrasse() {
    const auto first = w_.node(50, 820, addressTags("Waldstraße", "2", 820));
    const auto last = w_.node(1350, 820, addressTags("Waldstraße", "40", 820));
    w_.way({first, last}, {{"addr:interpolation", "even"}});
  }

  // Three streets cross the river; their middle piece is the bridge.
  void bridges() {
    for (const auto& [x, name] : {std::pair{200, "Brückenstraße"}, std::pair{800, "Marktstraße"},
                                  std::pair{1200, "Ölmühlweg"}}) {
      street(name, {{x, -600}, {x, 0}}, "residential");
      w_.way(line({{x, 0}, {x, 200}}),
             {{"highway", "residential"}, {"name", name}, {"bridge", "yes"}, {"layer", "1"}});
      street(name, {{x, 200}, {x, 800}}, "residential");
    }
  }

  void village() {
    street("Dorfstraße", {{3600, 2500}, {4400, 2500}}, "residential");
    street("Am Anger", {{4000, 2300}, {4000, 2700}}, "residential");
    street("Kirchplatz", {{4200, 2500}, {4200, 2600}, {4300, 2600}}, "living_street");
    street("Weiherweg", {{4400, 2500}, {4400, 2200}}, "residential");
    area({{4240, 2620}, {4270, 2620}, {4270, 2660}, {4240, 2660}},
         {{"building", "church"}, {"name", "St. Marien"}});
  }

  void throughRoadAndMotorway() {
    w_.way(line({{-2400, -200}, {0, -200}}), {{"highway", "primary"}, {"ref", "B 303"}});
    street("Hauptstraße", {{0, -200}, {1400, -200}}, "primary", kBoth, {{"ref", "B 303"}});
    w_.way(line({{1400, -200}, {7000, -200}}), {{"highway", "primary"}, {"ref", "B 303"}});

    // Both carriageways meet a trunk road at each end of the motorway piece.
    const Tags motorway{{"highway", "motorway"}, {"ref", "A 79"}};
    w_.way(line({{-2500, -3100}, {-2510, -3000}, {-2510, 2500}, {-2500, 2600}}), motorway);
    w_.way(line({{-2500, 2600}, {-2490, 2500}, {-2490, -3000}, {-2500, -3100}}), motorway);
    const Tags trunk{{"highway", "trunk"}, {"ref", "B 79"}};
    w_.way(line({{-2500, 2600}, {-2500, 3500}}), trunk);
    w_.way(line({{-2500, -3100}, {-2500, -4000}}), trunk);
    const Tags link{{"highway", "motorway_link"}, {"oneway", "yes"}};
    w_.way(line({{-2510, -500}, {-2450, -350}, {-2400, -200}}), link);
    w_.way(line({{-2400, -200}, {-2450, -50}, {-2510, 100}}), link);
    w_.way(line({{-2490, 100}, {-2430, -50}, {-2400, -200}}), link);
    w_.way(line({{-2400, -200}, {-2430, -350}, {-2490, -500}}), link);
  }

  void countryRoad() {
    w_.way(line({{800, 800}, {3600, 2500}}),
           {{"highway", "tertiary"}, {"name", "Eichenbrunner Straße"}, {"ref", "K 12"}});
  }

  void river() {
    std::vector<std::int64_t> nodes;
    for (int x = -2975; x <= 5975; x += 50) {
      nodes.push_back(
          w_.node(x, kRiverY + static_cast<int>(std::lround(10 * std::sin(x / 300.0)))));
    }
    w_.way(nodes, {{"waterway", "river"}, {"name", "Lindach"}});
    area({{-2975, 80}, {5975, 80}, {5975, 120}, {-2975, 120}},
         {{"natural", "water"}, {"water", "river"}, {"name", "Lindach"}});
  }

  void railway() {
    w_.way(line({{-150, -3000}, {-150, 3000}}),
           {{"railway", "rail"}, {"name", "Lindachtalbahn"}, {"usage", "branch"}});
  }

  void areas() {
    area({{-400, -1000}, {1600, -1000}, {1600, 1100}, {-400, 1100}},
         {{"landuse", "residential"}, {"name", "Lindenau"}});
    area({{3500, 2100}, {4600, 2100}, {4600, 2800}, {3500, 2800}},
         {{"landuse", "residential"}, {"name", "Eichenbrunn"}});
    area({{-400, 130}, {1600, 130}, {1600, 1090}, {-400, 1090}},
         {{"place", "suburb"}, {"name", "Mühlbach"}});
    area({{-4000, -5000}, {2500, -5000}, {2500, kRiverY}, {-4000, kRiverY}},
         {{"boundary", "postal_code"}, {"postal_code", std::to_string(kTownSouthPostcode)}});
    area({{-4000, kRiverY}, {7500, kRiverY}, {7500, 5000}, {-4000, 5000}},
         {{"boundary", "postal_code"}, {"postal_code", std::to_string(kNorthPostcode)}});
    area({{1700, 1200}, {3400, 1200}, {3400, 2300}, {1700, 2300}},
         {{"landuse", "forest"}, {"name", "Lindenauer Forst"}});
    area({{-2300, -1500}, {-300, -1500}, {-300, 1000}, {-2300, 1000}}, {{"landuse", "farmland"}});
    area({{3000, 1800}, {5000, 1800}, {5000, 2050}, {3000, 2050}}, {{"landuse", "meadow"}});
    area({{1020, 220}, {1180, 220}, {1180, 380}, {1020, 380}},
         {{"leisure", "park"}, {"name", "Stadtpark"}});
    area({{4450, 2250}, {4600, 2250}, {4600, 2350}, {4450, 2350}},
         {{"natural", "water"}, {"name", "Mühlweiher"}});
  }

  void places() {
    w_.node(700, -300, {{"place", "town"}, {"name", "Lindenau"}, {"population", "8400"}});
    w_.node(700, 500, {{"place", "suburb"}, {"name", "Mühlbach"}});
    w_.node(4000, 2450, {{"place", "village"}, {"name", "Eichenbrunn"}, {"population", "420"}});
  }

  OsmXmlWriter w_{10.93, 50.21};
  std::map<std::string, int> nextOdd_, nextEven_;
  int houseCount_ = 0;
};

}  // namespace

std::string demoRegionOsm() { return DemoRegion().build(); }

bool writeDemoRegion(const std::string& path, std::string& error) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << demoRegionOsm();
  out.close();
  if (!out) {
    error = "Datei kann nicht geschrieben werden: " + path;
    return false;
  }
  return true;
}

}  // namespace geo
