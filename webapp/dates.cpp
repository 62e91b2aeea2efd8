#include "webapp/dates.h"

#include <charconv>
#include <cstdio>
#include <ctime>

namespace webapp {

namespace {
// A fixed-width run of digits at position; -1 when anything else is there.
int digitsAt(std::string_view text, std::size_t position, std::size_t width) {
  if (position + width > text.size()) return -1;
  int value = 0;
  for (std::size_t i = position; i < position + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<Day> makeDay(int year, int month, int day) {
  if (year < 1900 || year > 2999 || month < 1 || day < 1) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(year),
                                         std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (!date.ok()) return std::nullopt;
  return Day(date);
}

std::optional<int> clockAt(std::string_view text, std::size_t position) {
  const int hours = digitsAt(text, position, 2);
  const int minutes = digitsAt(text, position + 3, 2);
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || text[position + 2] != ':')
    return std::nullopt;
  return hours * 60 + minutes;
}

std::chrono::year_month_day parts(Day day) { return std::chrono::year_month_day(day); }
}  // namespace

std::optional<Day> parseGermanDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
  return makeDay(digitsAt(text, 6, 4), digitsAt(text, 3, 2), digitsAt(text, 0, 2));
}

std::optional<DateTime> parseGermanDateTime(std::string_view text) {
  if (text.size() != 16 || text[10] != ' ') return std::nullopt;
  const auto day = parseGermanDate(text.substr(0, 10));
  const auto minutes = clockAt(text, 11);
  if (!day || !minutes) return std::nullopt;
  return DateTime{*day, *minutes};
}

std::optional<DateTime> parseStoredDateTime(std::string_view text) {
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ') return std::nullopt;
  const auto day = makeDay(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
  const auto minutes = clockAt(text, 11);
  if (!day || !minutes) return std::nullopt;
  return DateTime{*day, *minutes};
}

std::string germanDate(Day day) {
  const auto date = parts(day);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
  return buffer;
}

std::string clockTime(int minutes) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", (minutes / 60) % 100, minutes % 60);
  return buffer;
}

std::string germanDateTime(const DateTime& value) {
  return germanDate(value.day) + " " + clockTime(value.minutes);
}

std::string storedDateTime(const DateTime& value) {
  const auto date = parts(value.day);
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %s", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                clockTime(value.minutes).c_str());
  return buffer;
}

Day today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return *makeDay(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string nowStored() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return storedDateTime({today(), local.tm_hour * 60 + local.tm_min});
}

int isoWeekday(Day day) { return static_cast<int>(std::chrono::weekday(day).iso_encoding()); }

Day mondayOf(Day day) { return day - std::chrono::days(isoWeekday(day) - 1); }

}  // namespace webapp
