#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace webapp {

using Day = std::chrono::sys_days;

// A day and a time of day in whole minutes.
struct DateTime {
  Day day;
  int minutes = 0;
  friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// "dd.mm.yyyy", strictly: two digits, two digits, four digits, a real calendar day.
std::optional<Day> parseGermanDate(std::string_view text);
// "dd.mm.yyyy hh:nn" with a time of day from 00:00 to 23:59.
std::optional<DateTime> parseGermanDateTime(std::string_view text);
// "yyyy-mm-dd hh:mm", the form kept in the database.
std::optional<DateTime> parseStoredDateTime(std::string_view text);

std::string germanDate(Day day);
std::string germanDateTime(const DateTime& value);
std::string storedDateTime(const DateTime& value);
std::string clockTime(int minutes);  // "hh:nn"

Day today();
std::string nowStored();
// Monday of the week of day.
Day mondayOf(Day day);
// 1 for Monday … 7 for Sunday.
int isoWeekday(Day day);

}  // namespace webapp
