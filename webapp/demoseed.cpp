#include "webapp/demoseed.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>
#include <stdexcept>

#include "geo/map/compiledmap.h"
#include "webapp/dates.h"
#include "webapp/repository.h"

namespace webapp {

namespace {
constexpr std::uint32_t kSeed = 20161007;
constexpr int kOrderCount = 80;
constexpr int kFirstOrder = 1001;
constexpr int kGpsPoints = 150;

struct MapAddress {
  std::string postalCode, town, district, street, houseNumber;
  geo::Point point;
};

std::vector<MapAddress> readAddresses(const geo::CompiledMap& map) {
  std::vector<MapAddress> result;
  for (const auto& a : map.addresses()) {
    MapAddress address{std::string(map.text(a.postalCode)),  std::string(map.text(a.town)),
                       std::string(map.text(a.district)),    std::string(map.text(a.street)),
                       std::string(map.text(a.houseNumber)), a.point};
    if (!address.town.empty() && !address.street.empty() && !address.houseNumber.empty())
      result.push_back(std::move(address));
  }
  return result;
}

// A typing error as dispatchers make them: two neighbouring letters swapped.
std::string misspelt(std::string street) {
  for (std::size_t i = 1; i + 2 < street.size(); ++i) {
    if (std::isalpha(static_cast<unsigned char>(street[i])) &&
        std::isalpha(static_cast<unsigned char>(street[i + 1])) && street[i] != street[i + 1]) {
      std::swap(street[i], street[i + 1]);
      return street;
    }
  }
  return street + "e";
}

std::string degreesText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.5f", value);
  return buffer;
}

struct Seeder {
  Database& db;
  std::mt19937 random{kSeed};
  Day monday = mondayOf(today());

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

  void projects() {
    db.run(
        "INSERT INTO projects(id, name, preselected) VALUES (1, 'Wartung Heizungsanlagen', 1),"
        " (2, 'Zählerwechsel Wasser', 0)");
  }

  void technicians(const std::vector<MapAddress>& addresses) {
    static const std::array<std::array<const char*, 2>, 6> names = {{{"Becker", "Jonas"},
                                                                     {"Schulz", "Anna"},
                                                                     {"Wagner", "Lukas"},
                                                                     {"Hoffmann", "Marie"},
                                                                     {"Köhler", "Felix"},
                                                                     {"Weiß", "Sophie"}}};
    const MapAddress& depot = addresses.front();
    for (std::size_t i = 0; i < names.size(); ++i) {
      const bool early = i % 2 == 0;
      db.run(
          "INSERT INTO technicians(id, name, name2, work_start, work_end, valid_days, "
          "postal_code, town, street) VALUES(?,?,?,?,?,?,?,?,?)",
          {std::int64_t(11 + i), std::string(names[i][0]), std::string(names[i][1]),
           std::int64_t(early ? 25200 : 27000), std::int64_t(early ? 57600 : 61200),
           std::string(i == 5 ? "1111110" : "1111100"), depot.postalCode, depot.town,
           depot.street + " " + depot.houseNumber});
    }
  }

  void orders(const std::vector<MapAddress>& addresses) {
    static const std::array<const char*, 16> surnames = {
        "Müller", "Schmidt", "Schneider", "Fischer", "Meyer",   "Weber",   "Schäfer",    "Koch",
        "Bauer",  "Richter", "Klein",     "Wolf",    "Neumann", "Schwarz", "Zimmermann", "Krüger"};
    static const std::array<const char*, 8> firstNames = {"Hans",  "Petra",  "Jürgen", "Ursula",
                                                          "Klaus", "Sabine", "Günter", "Heike"};
    std::vector<std::size_t> chosen(addresses.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) chosen[i] = i;
    std::shuffle(chosen.begin() + 1, chosen.end(), random);
    for (int n = 0; n < kOrderCount; ++n) {
      // Every tenth order shares the address of the one before: a house with two flats.
      const std::size_t index = chosen[1 + static_cast<std::size_t>(n - (n % 10 == 9 ? 1 : 0))];
      MapAddress address = addresses[index];
      if (n == 17 || n == 41 || n == 63) address.street = misspelt(address.street);
      if (n == 77) {
        address.street = "Am Nirgendwo";
        address.houseNumber = "99";
      }
      const bool window = n % 7 == 3;
      const std::int64_t windowStart = window ? 28800 + 3600 * (n % 3) : 27000;
      const std::int64_t windowEnd = window ? windowStart + (n % 2 ? 3600 : 7200) : 72000;
      const std::string label = std::string(surnames[static_cast<std::size_t>(n) % 16]) + ", " +
                                firstNames[static_cast<std::size_t>(n / 16) % 8];
      db.run(
          "INSERT INTO orders(id, project_id, label, postal_code, town, district, street, "
          "house_number, stay, window_start, window_end, pin, note, flags, marked) "
          "VALUES(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
          {std::int64_t(kFirstOrder + n), std::int64_t(n % 3 == 2 ? 2 : 1), label,
           address.postalCode, address.town, address.district, address.street, address.houseNumber,
           std::int64_t(900 * (1 + n % 4)), windowStart, windowEnd, std::int64_t(n % 5),
           std::string(n % 6 == 0 ? "Kunde bittet um Anruf vorher" : ""),
           std::int64_t(n % 11 == 4 ? 8 : (n % 13 == 5 ? 16 : 0)), std::int64_t(n % 17 == 1)});
    }
  }

  // Orders 0 … 59 get appointments over two weeks, 60 … 69 stay open, 70 … 79 wait.
  void appointments() {
    static const std::array<int, 8> types = {1, 2, 3, 4, 8, 5, 6, 9};
    for (int n = 0; n < 60; ++n) {
      const int dayOffset = (n / 6) % 10;  // ten working days
      const Day day = monday + std::chrono::days(dayOffset + (dayOffset >= 5 ? 2 : 0));
      const int technician = 11 + n % 6;
      const int minutes = 8 * 60 + (n / 60 + (n % 4)) * 90 + (n % 3) * 15;
      const int type = dayOffset < 2 ? types[5 + static_cast<std::size_t>(n) % 3]
                                     : types[static_cast<std::size_t>(n) % 5];
      const DateTime start{day, minutes};
      db.run("INSERT INTO appointments(order_id, technician_id, start, type) VALUES(?,?,?,?)",
             {std::int64_t(kFirstOrder + n), std::int64_t(technician), storedDateTime(start),
              std::int64_t(type)});
      if (type == 8) {
        db.run("UPDATE orders SET agreed=? WHERE id=?",
               {germanDateTime(start), std::int64_t(kFirstOrder + n)});
      }
    }
    db.run("UPDATE orders SET waiting=1 WHERE id>=?", {std::int64_t(kFirstOrder + 70)});
  }

  void absence(int technician, const char* caption, DateTime start, DateTime finish, int kind,
               const char* text) {
    db.run(
        "INSERT INTO absences(technician_id, caption, start, finish, kind, text1) "
        "VALUES(?,?,?,?,?,?)",
        {std::int64_t(technician), std::string(caption), storedDateTime(start),
         storedDateTime(finish), std::int64_t(kind), std::string(text)});
  }

  void absences() {
    using std::chrono::days;
    absence(12, "Urlaub", {monday + days(2), 0}, {monday + days(4), 0}, 4, "genehmigt");
    absence(14, "Krank", {monday + days(7), 0}, {monday + days(8), 0}, 4, "");
    absence(11, "Schulung Brennwerttechnik", {monday + days(3), 13 * 60},
            {monday + days(3), 17 * 60}, 2, "Schulungszentrum");
    absence(15, "Fahrzeug in der Werkstatt", {monday + days(9), 7 * 60},
            {monday + days(9), 10 * 60}, 3, "Inspektion");
    absence(16, "Urlaub", {monday + days(10), 14 * 60}, {monday + days(11), 12 * 60}, 4, "");
  }

  void gpsTrack(const geo::CompiledMap& map, int technician) {
    const auto nodes = map.nodes();
    std::uint32_t node = static_cast<std::uint32_t>(pick(0, static_cast<int>(nodes.size()) - 1));
    std::uint32_t previous = node;
    std::normal_distribution<double> noise(0.0, 0.00003);  // about 3 m
    int seq = 0;
    int seconds = 8 * 3600;
    for (int step = 0; step < 400 && seq < kGpsPoints; ++step) {
      auto edges = map.edgesFrom(node);
      std::vector<geo::EdgeRecord> onward;
      for (const auto& edge : edges)
        if (edge.target != previous || edges.size() == 1) onward.push_back(edge);
      if (onward.empty()) break;
      const auto& edge =
          onward[static_cast<std::size_t>(pick(0, static_cast<int>(onward.size()) - 1))];
      for (const auto& point : map.edgeGeometry(edge)) {
        double lon = 0, lat = 0;
        geo::mercatorToLonLat({static_cast<double>(point.x), static_cast<double>(point.y)}, lon,
                              lat);
        seconds += 8;
        db.run(
            "INSERT INTO gps_points(technician_id, seq, time, latitude, longitude) "
            "VALUES(?,?,?,?,?)",
            {std::int64_t(technician), std::int64_t(seq++),
             clockTime(seconds / 60) + ":" + (seconds % 60 < 10 ? "0" : "") +
                 std::to_string(seconds % 60),
             degreesText(lat + noise(random)), degreesText(lon + noise(random))});
        if (seq >= kGpsPoints) break;
      }
      previous = node;
      node = edge.target;
    }
  }

  void mapSection(const geo::CompiledMap& map) {
    const geo::Box bounds = map.bounds();
    Repository repository(db);
    repository.setMeta("map_section",
                       std::to_string(bounds.minX) + "," + std::to_string(bounds.maxX) + "," +
                           std::to_string(bounds.maxY) + "," + std::to_string(bounds.minY));
  }
};
}  // namespace

void seedDemo(Database& db, const std::string& mapRoot) {
  Repository repository(db);
  if (repository.meta("demo_seeded")) return;
  std::string error;
  const auto map = geo::CompiledMap::open(mapRoot, error);
  if (!map) throw std::runtime_error("Die Karte " + mapRoot + " lässt sich nicht lesen: " + error);
  const auto addresses = readAddresses(*map);
  if (addresses.size() < kOrderCount + 1 || map->nodes().empty())
    throw std::runtime_error("Die Karte " + mapRoot + " hat zu wenige Adressen für die Demodaten.");
  Transaction transaction(db);
  Seeder seeder{db};
  seeder.projects();
  seeder.technicians(addresses);
  seeder.orders(addresses);
  seeder.appointments();
  seeder.absences();
  for (int technician = 11; technician <= 16; ++technician) seeder.gpsTrack(*map, technician);
  seeder.mapSection(*map);
  repository.setMeta("demo_seeded", nowStored());
  transaction.commit();
}

}  // namespace webapp
