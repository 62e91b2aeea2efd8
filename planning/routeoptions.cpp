// Route options of a period optimisation and the blocked periods it must plan around, kept
// as class-1 settings records.

#include <algorithm>

#include "base/datetimetext.h"
#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlstring.h"
#include "store/settingstable.h"

namespace {
constexpr int kBlockedPeriodClass = 1;
constexpr int kRouteOptionsQuery = 4;
constexpr int kBlockedPeriodsQuery = 5;
constexpr int kRouteOptionFields = 11;
constexpr int kLongestPeriodDays = 3653;
const QString kWorkingWeek = QStringLiteral("1111100");
const QString kPeriodTextFormat = QStringLiteral("dd.mm.yyyy hh:nn");

// ValidDays: seven characters are the weekdays from Monday, more are the days of the month;
// "0" marks a day without work, shorter patterns block nothing.
bool IsBlockedDay(const QString& ValidDays, TDateTime Day) {
  if (ValidDays.size() > 7) {
    const int dayOfMonth = DayOf(Day);
    return dayOfMonth <= ValidDays.size() && ValidDays[dayOfMonth - 1] == u'0';
  }
  return ValidDays.size() == 7 && ValidDays[DayOfTheWeek(Day) - 1] == u'0';
}
}  // namespace

void TMapServerData::QueryDataToRouteOptions(int QNr) {
  if (QNr == kRouteOptionsQuery) {
    if (TSQLADOServer* server = SettingsServer())
      server->SQLDelete(SettingsTableName(),
                        Format(QStringLiteral("Class=%d"), {kBlockedPeriodClass}));
  }
  while (!QueryData.isEmpty()) {
    const QStringList row = QueryData.takeFirst().split(FSeparator);
    if (QNr == kRouteOptionsQuery && row.size() >= kRouteOptionFields) ReadRouteOptions(row);
    if (QNr == kBlockedPeriodsQuery) StoreBlockedPeriod(row);
  }
  if (QNr == kRouteOptionsQuery) StoreBlockedDays();
}

void TMapServerData::ReadRouteOptions(const QStringList& Row) {
  const TDateTime now = Now();
  SDate0 = StrToDateDef(Row[0], IncDay(now));
  EDate0 = StrToDateDef(Row[1], IncDay(now, 180));
  DeviceId = Row[2];
  ValidDays = Row[3];
  BreakTime = StrToIntDef(Row[4], 0);
  CalcModus = StrToIntDef(Row[5], 50);
  DeviceBez = Row[6];
  ValidDayTime = Row[7];
  MaxAuftragCountInWeek = Row[8];
  // Both are bytes for the optimiser; larger numbers wrap around.
  FProfil = static_cast<quint8>(StrToIntDef(Row[9], 0));
  TimeFactor = static_cast<quint8>(StrToIntDef(Row[10], 75));
  if (EDate0 < SDate0) EDate0 = SDate0;
  // The days without work are stored one row each; a period of centuries from a damaged page
  // would keep the program busy for hours, so a period ends after ten years at the latest.
  EDate0 = std::min(EDate0, IncDay(SDate0, kLongestPeriodDays));
  if (!ValidDays.contains(u'1')) ValidDays = kWorkingWeek;
  CDate = SDate0;
}

// An absence inside the period that has not begun yet. The period ends with the end of its
// last day: cut at that day's midnight, an absence on the last day would be lost and the
// day planned in full.
void TMapServerData::StoreBlockedPeriod(const QStringList& Row) {
  if (Row.size() < 2 || Row[0].isEmpty() || Row[1].isEmpty()) return;
  const TDateTime yesterday = IncDay(Now(), -1);
  const TDateTime from = std::max(StrToDateTimeDef(Row[0], yesterday), SDate0);
  const TDateTime to = std::min(StrToDateTimeDef(Row[1], yesterday), IncDay(DateOf(EDate0)));
  if (from > Now() && from <= to) InsertBlockedPeriod(from, to);
}

void TMapServerData::StoreBlockedDays() {
  for (TDateTime day = SDate0; day <= EDate0; day = IncDay(day)) {
    if (IsBlockedDay(ValidDays, day)) InsertBlockedPeriod(day, IncDay(day));
  }
}

void TMapServerData::InsertBlockedPeriod(TDateTime From, TDateTime To) {
  TSQLADOServer* server = SettingsServer();
  if (!server) return;
  server->SQLInsert(
      SettingsTableName(), QStringLiteral("Class,Data1,Data2"),
      Format(QStringLiteral("%d,%s,%s"),
             {kBlockedPeriodClass, SQLString(FormatDateTime(kPeriodTextFormat, From), 2),
              SQLString(FormatDateTime(kPeriodTextFormat, To), 2)}));
}
