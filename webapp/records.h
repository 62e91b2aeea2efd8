#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "webapp/dates.h"

namespace webapp {

struct Project {
  std::int64_t id = 0;
  std::string name;
  bool preselected = false;
};

struct Technician {
  std::int64_t id = 0;
  std::string name;
  std::string name2;
  int workStart = 27000;  // seconds after midnight
  int workEnd = 61200;
  std::string validDays = "1111100";
  // Depot where the technician's day starts and ends.
  std::string postalCode;
  std::string town;
  std::string street;
};

// Appointment types as the calendar knows them: 1 planned, 2 loaded, 3 and 4 confirmed,
// 8 fixed by the customer, 5, 6, 7 and 9 completed.
struct Appointment {
  std::int64_t technicianId = 0;
  DateTime start;
  int type = 1;
};

struct Order {
  std::int64_t id = 0;
  std::int64_t projectId = 0;
  std::string label;
  std::string country = "D";
  std::string postalCode;
  std::string town;
  std::string district;
  std::string street;
  std::string houseNumber;
  int stay = 1800;
  int windowStart = 27000;
  int windowEnd = 72000;
  int pin = 0;
  std::string gps;  // "GPS#<source>#lat,lon" once a position was noted
  std::string note;
  int flags = 0;  // warnings 8 and 16 as the calendar shows them
  bool marked = false;
  int colour = 10053375;
  bool waiting = false;
  std::string agreed;  // appointment agreed with the customer, German date and time
  std::optional<Appointment> appointment;

  std::string addressLine() const {
    return houseNumber.empty() ? street : street + " " + houseNumber;
  }
};

struct Absence {
  std::int64_t id = 0;
  std::int64_t technicianId = 0;
  std::string caption;
  DateTime start;
  DateTime finish;
  int kind = 4;
  std::string text1;
  std::string text2;
};

struct GpsPoint {
  std::string time;
  std::string latitude;
  std::string longitude;
};

bool isCompletedType(int type);

}  // namespace webapp
