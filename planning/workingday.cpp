// The next working day of a period run and its free time between the blocked periods.

#include <cmath>

#include "base/datetimetext.h"
#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"
#include "store/settingstable.h"

namespace {
// Fractions of a day.
constexpr double kEarliestStart = 0.25;  // 06:00
constexpr double kNoon = 0.5;
constexpr double kLatestEnd = 0.75;  // 18:00
constexpr double kShortestWorkingDay = 0.17;

struct FreeTime {
  double Start = 0.0;
  double End = 1.0;

  bool Usable() const {
    return End - Start > kShortestWorkingDay && Start >= kEarliestStart && End <= kLatestEnd;
  }
};

// Narrows the day by one blocked period (From, To relative to the day's midnight); answers
// false when the period blocks the whole day.
bool NarrowByPeriod(FreeTime& Day, double From, double To) {
  if (From < 0) {
    if (To >= 1.0) return false;
    Day.Start = std::max(Day.Start, To);
    return true;
  }
  if (From < kNoon && To > kNoon) return false;
  if (To > Day.Start && To <= kNoon) Day.Start = To;
  if (From < Day.End && From >= kNoon) Day.End = From;
  return true;
}

// Seconds of a day fraction; the millisecond rounding keeps 10:00 from reading 09:59:59.
int DaySeconds(double Fraction) {
  return static_cast<int>(std::floor(std::round(Fraction * MSecsPerDay) / 1000.0));
}
}  // namespace

void TMapServerData::SetNextEnabledDate() {
  TSQLADOServer* server = SettingsServer();
  FreeTime day;
  int periods = 0;
  do {
    day = FreeTime();
    CDate = IncDay(CDate);
    const QString date = DateToStr(CDate).left(10);
    const QString condition =
        Format(QStringLiteral(
                   "(Class=1) AND ((%s BETWEEN CDate(Data1) AND CDate(Data2)) OR (Data1 LIKE %s))"),
               {QuoteString(date), QuoteString(date + "%")});
    periods = server ? server->SQLSelectCount(SettingsTableName(), condition) : -1;
    if (periods < 1) continue;
    day = {kEarliestStart, kLatestEnd};
    TADORecordsetPtr rows;
    if (!server->SQLSelect(QStringLiteral("Class,Data1,Data2"), SettingsTableName(), condition,
                           QStringLiteral("CDate(Data1)"), rows))
      continue;
    for (int r = 1; r <= SQLRecordCount(rows); ++r) {
      const double from = StrToDateTimeDef(SQLFieldString(rows, r, 2), CDate) - CDate;
      const double to = StrToDateTimeDef(SQLFieldString(rows, r, 3), IncDay(CDate)) - CDate;
      if (!NarrowByPeriod(day, from, to)) {
        day.End = 1.0;
        break;
      }
    }
  } while (!day.Usable() && periods != 0 && CDate <= EDate0);
  DayTimeWindow1 = DaySeconds(day.Start);
  DayTimeWindow2 = DaySeconds(day.End);
}
