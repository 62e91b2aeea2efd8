#include "webapp/repository.h"

namespace webapp {

bool isCompletedType(int type) { return type == 5 || type == 6 || type == 7 || type >= 9; }

namespace {
constexpr const char* kOrderColumns =
    "o.id, o.project_id, o.label, o.country, o.postal_code, o.town, o.district, o.street, "
    "o.house_number, o.stay, o.window_start, o.window_end, o.pin, o.gps, o.note, o.flags, "
    "o.marked, o.colour, o.waiting, o.agreed, a.technician_id, a.start, a.type";

Order readOrder(const Statement& s) {
  Order o;
  o.id = s.integer(0);
  o.projectId = s.integer(1);
  o.label = s.text(2);
  o.country = s.text(3);
  o.postalCode = s.text(4);
  o.town = s.text(5);
  o.district = s.text(6);
  o.street = s.text(7);
  o.houseNumber = s.text(8);
  o.stay = static_cast<int>(s.integer(9));
  o.windowStart = static_cast<int>(s.integer(10));
  o.windowEnd = static_cast<int>(s.integer(11));
  o.pin = static_cast<int>(s.integer(12));
  o.gps = s.text(13);
  o.note = s.text(14);
  o.flags = static_cast<int>(s.integer(15));
  o.marked = s.integer(16) != 0;
  o.colour = static_cast<int>(s.integer(17));
  o.waiting = s.integer(18) != 0;
  o.agreed = s.text(19);
  if (!s.isNull(20)) {
    if (const auto start = parseStoredDateTime(s.text(21)))
      o.appointment = Appointment{s.integer(20), *start, static_cast<int>(s.integer(22))};
  }
  return o;
}

std::string dayStart(Day day) { return storedDateTime({day, 0}); }

// The conditions of a filter, with their values in order.
std::string orderConditions(const OrderFilter& filter, std::vector<SqlValue>& values) {
  std::string where = " WHERE 1=1";
  switch (filter.kind) {
    case OrderKind::All:
      break;
    case OrderKind::Open:
      where += " AND a.order_id IS NULL";
      break;
    case OrderKind::Waiting:
      where += " AND a.order_id IS NULL AND o.waiting=1";
      break;
    case OrderKind::Planned:
      where += " AND a.type IN (1,2,3,4,8)";
      break;
    case OrderKind::Completed:
      where += " AND a.type NOT IN (1,2,3,4,8)";
      break;
  }
  if (filter.projectId != 0) {
    where += " AND o.project_id=?";
    values.emplace_back(filter.projectId);
  }
  if (filter.technicianId != 0) {
    where += " AND a.technician_id=?";
    values.emplace_back(filter.technicianId);
  }
  if (filter.from) {
    where += " AND a.start>=?";
    values.emplace_back(dayStart(*filter.from));
  }
  if (filter.until) {
    where += " AND a.start<?";
    values.emplace_back(dayStart(*filter.until));
  }
  if (!filter.ids.empty()) {
    where += " AND o.id IN (";
    for (std::size_t i = 0; i < filter.ids.size(); ++i) {
      where += i ? ",?" : "?";
      values.emplace_back(filter.ids[i]);
    }
    where += ")";
  }
  return where;
}

Technician readTechnician(const Statement& s) {
  return Technician{s.integer(0),
                    s.text(1),
                    s.text(2),
                    static_cast<int>(s.integer(3)),
                    static_cast<int>(s.integer(4)),
                    s.text(5),
                    s.text(6),
                    s.text(7),
                    s.text(8)};
}

Absence readAbsence(const Statement& s) {
  Absence a;
  a.id = s.integer(0);
  a.technicianId = s.integer(1);
  a.caption = s.text(2);
  a.start = parseStoredDateTime(s.text(3)).value_or(DateTime{});
  a.finish = parseStoredDateTime(s.text(4)).value_or(DateTime{});
  a.kind = static_cast<int>(s.integer(5));
  a.text1 = s.text(6);
  a.text2 = s.text(7);
  return a;
}

constexpr const char* kTechnicianColumns =
    "id, name, name2, work_start, work_end, valid_days, postal_code, town, street";
constexpr const char* kAbsenceColumns =
    "id, technician_id, caption, start, finish, kind, text1, text2";
}  // namespace

std::vector<Project> Repository::projects() {
  auto guard = db_.lock();
  Statement s(db_.handle(), "SELECT id, name, preselected FROM projects ORDER BY id");
  std::vector<Project> result;
  while (s.next()) result.push_back({s.integer(0), s.text(1), s.integer(2) != 0});
  return result;
}

bool Repository::projectExists(std::int64_t id) {
  return db_.singleInteger("SELECT COUNT(*) FROM projects WHERE id=?", {id}).value_or(0) > 0;
}

std::vector<Technician> Repository::technicians() {
  auto guard = db_.lock();
  Statement s(db_.handle(),
              std::string("SELECT ") + kTechnicianColumns + " FROM technicians ORDER BY id");
  std::vector<Technician> result;
  while (s.next()) result.push_back(readTechnician(s));
  return result;
}

std::optional<Technician> Repository::technician(std::int64_t id) {
  auto guard = db_.lock();
  Statement s(db_.handle(),
              std::string("SELECT ") + kTechnicianColumns + " FROM technicians WHERE id=?");
  s.bind(1, id);
  if (!s.next()) return std::nullopt;
  return readTechnician(s);
}

std::vector<Order> Repository::orders(const OrderFilter& filter) {
  std::vector<SqlValue> values;
  const std::string sql = std::string("SELECT ") + kOrderColumns +
                          " FROM orders o LEFT JOIN appointments a ON a.order_id=o.id" +
                          orderConditions(filter, values) + " ORDER BY a.start, o.id";
  auto guard = db_.lock();
  Statement s(db_.handle(), sql);
  s.bindAll(values);
  std::vector<Order> result;
  while (s.next()) result.push_back(readOrder(s));
  return result;
}

std::optional<Order> Repository::order(std::int64_t id) {
  OrderFilter filter;
  filter.ids = {id};
  auto found = orders(filter);
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::vector<Absence> Repository::absences(std::int64_t technicianId, Day from, Day until) {
  std::string sql =
      std::string("SELECT ") + kAbsenceColumns + " FROM absences WHERE start<? AND finish>?";
  std::vector<SqlValue> values{dayStart(until), dayStart(from)};
  if (technicianId != 0) {
    sql += " AND technician_id=?";
    values.emplace_back(technicianId);
  }
  auto guard = db_.lock();
  Statement s(db_.handle(), sql + " ORDER BY start, id");
  s.bindAll(values);
  std::vector<Absence> result;
  while (s.next()) result.push_back(readAbsence(s));
  return result;
}

std::optional<Absence> Repository::absence(std::int64_t id) {
  auto guard = db_.lock();
  Statement s(db_.handle(), std::string("SELECT ") + kAbsenceColumns + " FROM absences WHERE id=?");
  s.bind(1, id);
  if (!s.next()) return std::nullopt;
  return readAbsence(s);
}

std::vector<GpsPoint> Repository::gpsTrack(std::int64_t technicianId) {
  auto guard = db_.lock();
  Statement s(db_.handle(),
              "SELECT time, latitude, longitude FROM gps_points WHERE technician_id=? "
              "ORDER BY seq");
  s.bind(1, technicianId);
  std::vector<GpsPoint> result;
  while (s.next()) result.push_back({s.text(0), s.text(1), s.text(2)});
  return result;
}

std::optional<std::string> Repository::meta(const std::string& key) {
  auto guard = db_.lock();
  Statement s(db_.handle(), "SELECT value FROM meta WHERE key=?");
  s.bind(1, key);
  if (!s.next()) return std::nullopt;
  return s.text(0);
}

void Repository::setMeta(const std::string& key, const std::string& value) {
  db_.run(
      "INSERT INTO meta(key, value) VALUES(?, ?) "
      "ON CONFLICT(key) DO UPDATE SET value=excluded.value",
      {key, value});
}

}  // namespace webapp
