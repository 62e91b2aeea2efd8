// Loading the station list from route-table rows, with the time windows an optimisation of
// the current step needs.

#include <algorithm>

#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"

namespace {
enum Column {  // result columns of a whole-row select, counted from 1
  kNumberColumn = 1,
  kGroupHeadColumn = 16,
  kGroupSizeColumn = 17,
  kReiheColumn = 29,
  kLastLoadedColumn = 28,
};
enum StationField { kWindowStart = 21, kWindowEnd = 22, kStay = 23 };

constexpr int kCalendarLimit = 100;
constexpr int kExtraRows = 50;
constexpr int kBreakLength = 3600;
constexpr int kDefaultWindowStart = 27000;
constexpr int kDefaultWindowEnd = 72000;
constexpr int kDefaultStay = 1800;
constexpr int kNotLoaded = -1;

QString OrderOfMode(quint8 SelectMode) {
  switch (SelectMode) {
    case 0:
      return QStringLiteral("Route,Reihe,TOWN,STREET,HNrPos");
    case 3:
      return QStringLiteral("Route,mid(ArrivalTime,12,5)");
    default:
      return QStringLiteral("Route,Reihe,AuftragId");
  }
}

bool FitsWorkingDay(quint8 SelectMode) { return SelectMode == 2 || SelectMode == 3; }
}  // namespace

void TMapServerData::SyncStationList(const QString& SQLWhere, quint8 SelectMode) {
  const int dayLength = DayTimeWindow2 - DayTimeWindow1 - (BreakTime > 0 ? kBreakLength : 0);
  StationList->Clear();
  int n = SelectDBDataCount(SQLWhere);
  if (MaxCalcStations + 2 < n) n = MaxCalcStations;
  if (SelectMode == 3) n = kCalendarLimit;
  if (!SelectDBData(Format(QStringLiteral("TOP %d "), {std::max(n, 0) + kExtraRows}) + FListRoute,
                    SQLWhere, OrderOfMode(SelectMode)))
    return;
  const TADORecordsetPtr rows = Q;
  int previousReihe = 0;
  int firstReihe = 0;
  for (int r = 1; r <= SQLRecordCount(rows); ++r) {
    const int reihe = SQLFieldInteger(rows, r, kReiheColumn);
    if (SelectMode == 0 && reihe == previousReihe) continue;
    // Rows sharing a Reihe are never split.
    if (reihe != previousReihe && r > n) break;
    previousReihe = reihe;
    int extra = 0;
    if (FitsWorkingDay(SelectMode)) {
      const bool inGroup = !SQLFieldString(rows, r, kGroupSizeColumn).isEmpty();
      if (SelectMode == 2) {
        if (r == 1) firstReihe = reihe;
        if (reihe - firstReihe > dayLength && !inGroup) break;
      }
      if (inGroup) {
        const QString number = SQLFieldString(rows, r, kNumberColumn);
        if (number != SQLFieldString(rows, r, kGroupHeadColumn)) {
          extra = kNotLoaded;  // members follow their head, which carries their stays
        } else {
          const TADORecordsetPtr members =
              SelectRows(QStringLiteral("StayTime"),
                         Format(QStringLiteral("AuftragId<>%d and REFPNTIDHIGH=%s"),
                                {StrToIntDef(number, 0), QuoteString(number)}),
                         {});
          for (int member = 1; member <= SQLRecordCount(members); ++member)
            extra += StrToIntDef(SQLFieldString(members, member, 1), kDefaultStay);
        }
      }
      if (MaxAuftragCountOnDay > 0 && MaxAuftragCountOnDay < r) break;
    }
    if (extra == kNotLoaded) continue;
    auto station = std::make_unique<TStation>();
    for (int column = 1; column <= kLastLoadedColumn; ++column)
      station->SetField(column - 1, SQLFieldString(rows, r, column));
    if (FitsWorkingDay(SelectMode)) {
      int windowStart =
          std::max(StrToIntDef(station->Field(kWindowStart), kDefaultWindowStart), DayTimeWindow1);
      const bool afterBreak = BreakTime > 0 && BreakTime < windowStart;
      if (afterBreak) windowStart -= kBreakLength;
      int windowEnd =
          std::min(StrToIntDef(station->Field(kWindowEnd), kDefaultWindowEnd), DayTimeWindow2);
      if (extra > 0) windowEnd -= extra;
      if (afterBreak) windowEnd -= kBreakLength;
      station->SetField(kWindowStart, QString::number(windowStart));
      station->SetField(kWindowEnd, QString::number(windowEnd));
      if (extra > 0)
        station->SetField(
            kStay, QString::number(StrToIntDef(station->Field(kStay), kDefaultStay) + extra));
    } else {
      station->SetField(kWindowStart, QStringLiteral("0"));
      station->SetField(kWindowEnd, QStringLiteral("86399"));
    }
    const QString itemString = station->Field(0);
    StationList->AddObject(itemString, station.release());
  }
}
