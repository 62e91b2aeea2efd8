#include "webapp/postingstore.h"

#include "webapp/dates.h"
#include "webapp/records.h"
#include "webapp/request.h"

namespace webapp {

namespace {
std::string joinIds(const std::vector<std::int64_t>& ids) {
  std::string text;
  for (const auto id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
  return text;
}

// Places are stored one a line; they contain no line breaks (the parser allows none).
std::string joinPlaces(const std::vector<std::string>& places) {
  std::string text;
  for (const auto& place : places) text += (text.empty() ? "" : "\n") + place;
  return text;
}
}  // namespace

void PostingStore::requireOrder(std::int64_t id) {
  if (db_.singleInteger("SELECT COUNT(*) FROM orders WHERE id=?", {id}).value_or(0) == 0)
    throw BadRequest("Der Auftrag " + std::to_string(id) + " ist unbekannt.");
}

void PostingStore::requireTechnician(std::int64_t id) {
  if (db_.singleInteger("SELECT COUNT(*) FROM technicians WHERE id=?", {id}).value_or(0) == 0)
    throw BadRequest("Der Monteur " + std::to_string(id) + " ist unbekannt.");
}

void PostingStore::savePlannedArrivals(const std::vector<PlannedArrival>& arrivals) {
  Transaction transaction(db_);
  const std::string now = nowStored();
  for (const auto& arrival : arrivals) {
    requireOrder(arrival.orderId);
    requireTechnician(arrival.technicianId);
    const auto type =
        db_.singleInteger("SELECT type FROM appointments WHERE order_id=?", {arrival.orderId});
    if (type && isCompletedType(static_cast<int>(*type)))
      throw BadRequest("Der Auftrag " + std::to_string(arrival.orderId) +
                       " ist bereits abgeschlossen.");
    const std::string start = storedDateTime(arrival.arrival);
    db_.run(
        "INSERT INTO planning_results(order_id, arrival, label, technician_id, posted_at) "
        "VALUES(?,?,?,?,?) ON CONFLICT(order_id) DO UPDATE SET arrival=excluded.arrival, "
        "label=excluded.label, technician_id=excluded.technician_id, "
        "posted_at=excluded.posted_at",
        {arrival.orderId, start, arrival.label, arrival.technicianId, now});
    db_.run(
        "INSERT INTO appointments(order_id, technician_id, start, type) VALUES(?,?,?,1) "
        "ON CONFLICT(order_id) DO UPDATE SET technician_id=excluded.technician_id, "
        "start=excluded.start",
        {arrival.orderId, arrival.technicianId, start});
    db_.run("UPDATE orders SET waiting=0 WHERE id=?", {arrival.orderId});
  }
  transaction.commit();
}

void PostingStore::saveAppointmentChanges(const std::vector<AppointmentChange>& changes) {
  Transaction transaction(db_);
  const std::string now = nowStored();
  for (const auto& change : changes) {
    requireOrder(change.orderId);
    if (change.technicianId != 0) requireTechnician(change.technicianId);
    const std::string start = change.arrival ? storedDateTime(*change.arrival) : std::string();
    db_.run(
        "INSERT INTO appointment_changes(order_id, arrival, stay, technician_id, saved_at) "
        "VALUES(?,?,?,?,?) ON CONFLICT(order_id) DO UPDATE SET arrival=excluded.arrival, "
        "stay=excluded.stay, technician_id=excluded.technician_id, "
        "saved_at=excluded.saved_at",
        {change.orderId, start, std::int64_t{change.stay}, change.technicianId, now});
    db_.run("UPDATE orders SET stay=? WHERE id=?", {std::int64_t{change.stay}, change.orderId});
    if (change.arrival) {
      db_.run(
          "INSERT INTO appointments(order_id, technician_id, start, type) VALUES(?,?,?,1) "
          "ON CONFLICT(order_id) DO UPDATE SET technician_id=excluded.technician_id, "
          "start=excluded.start",
          {change.orderId, change.technicianId, start});
      db_.run("UPDATE orders SET waiting=0 WHERE id=?", {change.orderId});
    } else {
      db_.run("DELETE FROM appointments WHERE order_id=?", {change.orderId});
      db_.run("UPDATE orders SET waiting=1 WHERE id=?", {change.orderId});
    }
  }
  transaction.commit();
}

void PostingStore::saveGeocodingNotes(const std::vector<GeocodingNote>& notes) {
  Transaction transaction(db_);
  const std::string now = nowStored();
  for (const auto& note : notes) {
    requireOrder(note.orderId);
    db_.run(
        "INSERT INTO geocoding_notes(order_id, latitude, longitude, saved_at) "
        "VALUES(?,?,?,?) ON CONFLICT(order_id) DO UPDATE SET latitude=excluded.latitude, "
        "longitude=excluded.longitude, saved_at=excluded.saved_at",
        {note.orderId, note.latitude, note.longitude, now});
    db_.run("UPDATE orders SET gps=? WHERE id=?",
            {"GPS#Geocodierung#" + note.latitude + "," + note.longitude, note.orderId});
  }
  transaction.commit();
}

void PostingStore::saveAddressCorrections(const std::vector<AddressCorrection>& corrections) {
  Transaction transaction(db_);
  const std::string now = nowStored();
  for (const auto& c : corrections) {
    requireOrder(c.orderId);
    db_.run(
        "INSERT INTO address_corrections(order_id, postal_code, town, district, street, "
        "saved_at) VALUES(?,?,?,?,?,?) ON CONFLICT(order_id) DO UPDATE SET "
        "postal_code=excluded.postal_code, town=excluded.town, district=excluded.district, "
        "street=excluded.street, saved_at=excluded.saved_at",
        {c.orderId, c.postalCode, c.town, c.district, c.street, now});
    db_.run(
        "UPDATE orders SET postal_code=?, town=?, district=?, street=?, house_number='' "
        "WHERE id=?",
        {c.postalCode, c.town, c.district, c.street, c.orderId});
  }
  transaction.commit();
}

void PostingStore::saveSelection(int workflow, const Selection& selection) {
  const bool places = selection.kind == Selection::Kind::Places;
  db_.run(
      "INSERT INTO selections(workflow, kind, items, saved_at) VALUES(?,?,?,?) "
      "ON CONFLICT(workflow) DO UPDATE SET kind=excluded.kind, items=excluded.items, "
      "saved_at=excluded.saved_at",
      {std::int64_t{workflow}, std::string(places ? "places" : "orders"),
       places ? joinPlaces(selection.places) : joinIds(selection.orderIds), nowStored()});
}

void PostingStore::clearSelection(int workflow) {
  db_.run("DELETE FROM selections WHERE workflow=?", {std::int64_t{workflow}});
}

std::optional<Selection> PostingStore::selection(int workflow) {
  auto guard = db_.lock();
  Statement s(db_.handle(), "SELECT kind, items FROM selections WHERE workflow=?");
  s.bind(1, std::int64_t{workflow});
  if (!s.next()) return std::nullopt;
  Selection selection;
  const std::string items = s.text(1);
  if (s.text(0) == "places") {
    selection.kind = Selection::Kind::Places;
    if (!items.empty()) selection.places = splitFields(items, '\n');
  } else if (!items.empty()) {
    for (const auto& id : splitFields(items, ','))
      selection.orderIds.push_back(parseNumber(id, "Die Auftragsnummer"));
  }
  return selection;
}

std::vector<std::vector<std::string>> PostingStore::textRows(const std::string& sql, int columns) {
  auto guard = db_.lock();
  Statement s(db_.handle(), sql);
  std::vector<std::vector<std::string>> rows;
  while (s.next()) {
    std::vector<std::string> row;
    for (int c = 0; c < columns; ++c) {
      // Times are kept sortable and shown the German way.
      const auto time = parseStoredDateTime(s.text(c));
      row.push_back(time ? germanDateTime(*time) : s.text(c));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<std::vector<std::string>> PostingStore::plannedArrivalRows() {
  return textRows(
      "SELECT p.order_id, o.label, p.arrival, t.name, p.label, p.posted_at "
      "FROM planning_results p JOIN orders o ON o.id=p.order_id "
      "LEFT JOIN technicians t ON t.id=p.technician_id ORDER BY p.posted_at DESC, p.arrival",
      6);
}

std::vector<std::vector<std::string>> PostingStore::appointmentChangeRows() {
  return textRows(
      "SELECT c.order_id, o.label, CASE c.arrival WHEN '' THEN 'aus dem Plan genommen' "
      "ELSE c.arrival END, c.stay / 60 || ' min', COALESCE(t.name, '-'), c.saved_at "
      "FROM appointment_changes c JOIN orders o ON o.id=c.order_id "
      "LEFT JOIN technicians t ON t.id=c.technician_id ORDER BY c.saved_at DESC, c.order_id",
      6);
}

std::vector<std::vector<std::string>> PostingStore::geocodingNoteRows() {
  return textRows(
      "SELECT g.order_id, o.label, g.latitude, g.longitude, g.saved_at "
      "FROM geocoding_notes g JOIN orders o ON o.id=g.order_id "
      "ORDER BY g.saved_at DESC, g.order_id",
      5);
}

std::vector<std::vector<std::string>> PostingStore::addressCorrectionRows() {
  return textRows(
      "SELECT a.order_id, o.label, a.postal_code || ' ' || a.town, a.district, a.street, "
      "a.saved_at FROM address_corrections a JOIN orders o ON o.id=a.order_id "
      "ORDER BY a.saved_at DESC, a.order_id",
      6);
}

}  // namespace webapp
