#include "webapp/schema.h"

namespace webapp {

void createSchema(Database& db) {
  db.execute(R"sql(
CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS projects (
  id INTEGER PRIMARY KEY, name TEXT NOT NULL, preselected INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS technicians (
  id INTEGER PRIMARY KEY, name TEXT NOT NULL, name2 TEXT NOT NULL DEFAULT '',
  work_start INTEGER NOT NULL, work_end INTEGER NOT NULL,
  valid_days TEXT NOT NULL DEFAULT '1111100',
  postal_code TEXT NOT NULL DEFAULT '', town TEXT NOT NULL DEFAULT '',
  street TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS orders (
  id INTEGER PRIMARY KEY, project_id INTEGER NOT NULL REFERENCES projects(id),
  label TEXT NOT NULL, country TEXT NOT NULL DEFAULT 'D', postal_code TEXT NOT NULL,
  town TEXT NOT NULL, district TEXT NOT NULL DEFAULT '', street TEXT NOT NULL,
  house_number TEXT NOT NULL DEFAULT '', stay INTEGER NOT NULL DEFAULT 1800,
  window_start INTEGER NOT NULL DEFAULT 27000, window_end INTEGER NOT NULL DEFAULT 72000,
  pin INTEGER NOT NULL DEFAULT 0, gps TEXT NOT NULL DEFAULT '', note TEXT NOT NULL DEFAULT '',
  flags INTEGER NOT NULL DEFAULT 0, marked INTEGER NOT NULL DEFAULT 0,
  colour INTEGER NOT NULL DEFAULT 10053375, waiting INTEGER NOT NULL DEFAULT 0,
  agreed TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS appointments (
  order_id INTEGER PRIMARY KEY REFERENCES orders(id),
  technician_id INTEGER NOT NULL REFERENCES technicians(id),
  start TEXT NOT NULL, type INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS appointments_by_day ON appointments(start);
CREATE TABLE IF NOT EXISTS absences (
  id INTEGER PRIMARY KEY, technician_id INTEGER NOT NULL REFERENCES technicians(id),
  caption TEXT NOT NULL, start TEXT NOT NULL, finish TEXT NOT NULL,
  kind INTEGER NOT NULL DEFAULT 4, text1 TEXT NOT NULL DEFAULT '',
  text2 TEXT NOT NULL DEFAULT '');
CREATE TABLE IF NOT EXISTS gps_points (
  technician_id INTEGER NOT NULL, seq INTEGER NOT NULL, time TEXT NOT NULL,
  latitude TEXT NOT NULL, longitude TEXT NOT NULL, PRIMARY KEY (technician_id, seq));
CREATE TABLE IF NOT EXISTS planning_results (
  order_id INTEGER PRIMARY KEY REFERENCES orders(id), arrival TEXT NOT NULL,
  label TEXT NOT NULL, technician_id INTEGER NOT NULL, posted_at TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS appointment_changes (
  order_id INTEGER PRIMARY KEY REFERENCES orders(id), arrival TEXT NOT NULL,
  stay INTEGER NOT NULL, technician_id INTEGER NOT NULL, saved_at TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS geocoding_notes (
  order_id INTEGER PRIMARY KEY REFERENCES orders(id), latitude TEXT NOT NULL,
  longitude TEXT NOT NULL, saved_at TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS address_corrections (
  order_id INTEGER PRIMARY KEY REFERENCES orders(id), postal_code TEXT NOT NULL,
  town TEXT NOT NULL, district TEXT NOT NULL, street TEXT NOT NULL, saved_at TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS selections (
  workflow INTEGER PRIMARY KEY, kind TEXT NOT NULL, items TEXT NOT NULL,
  saved_at TEXT NOT NULL);
)sql");
}

}  // namespace webapp
