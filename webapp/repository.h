#pragma once

#include <optional>
#include <string>
#include <vector>

#include "webapp/database.h"
#include "webapp/records.h"

namespace webapp {

enum class OrderKind { All, Open, Waiting, Planned, Completed };

struct OrderFilter {
  OrderKind kind = OrderKind::All;
  std::int64_t projectId = 0;     // 0: every project
  std::int64_t technicianId = 0;  // 0: every technician (appointments only)
  std::optional<Day> from;        // appointments from this day …
  std::optional<Day> until;       // … up to and excluding this one
  std::vector<std::int64_t> ids;  // when not empty, only these orders
};

// Reading the application's data; every call takes the database lock itself.
class Repository {
 public:
  explicit Repository(Database& db) : db_(db) {}

  std::vector<Project> projects();
  std::vector<Technician> technicians();
  std::optional<Technician> technician(std::int64_t id);
  std::vector<Order> orders(const OrderFilter& filter);
  std::optional<Order> order(std::int64_t id);
  // Absences and fixed appointments overlapping [from, until).
  std::vector<Absence> absences(std::int64_t technicianId, Day from, Day until);
  std::optional<Absence> absence(std::int64_t id);
  std::vector<GpsPoint> gpsTrack(std::int64_t technicianId);

  std::optional<std::string> meta(const std::string& key);
  void setMeta(const std::string& key, const std::string& value);

  bool projectExists(std::int64_t id);

 private:
  Database& db_;
};

}  // namespace webapp
