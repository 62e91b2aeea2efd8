// The planning rules that prepare each optimisation step of a period run: which rows, how
// many stations, which day and what the working day looks like.

#include <algorithm>

#include "base/datetimetext.h"
#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"

namespace {
constexpr int kAddressStep = 10;
constexpr int kSubRouteStep = 10000;
constexpr int kDayRouteStep = 100000;
constexpr int kFixedAppointmentRoute = -99;
constexpr int kMaxAddressStations = 121;
constexpr int kLargeSet = 70;
constexpr int kBreakLength = 3600;
constexpr int kShortestDay = 1200;
constexpr int kSecondPassExtension = 300;
const QString kAddressColumns = QStringLiteral("PLZ,TOWN,TOWN2,STREET,AuftragId,XCOORD,YCOORD");
}  // namespace

void TMapServerData::SetFilter() {
  if (FirstOptStep)
    Filter =
        Format(QStringLiteral("(Route between %d and %d)"), {WorkflowId / 2, RoutingStepClass});
  else
    Filter = Format(QStringLiteral("Route=%d"), {RoutingStepClass + RouteNr});
}

void TMapServerData::SetMaxCalcStations() {
  const int count = SelectDBDataCount(Filter);
  MaxCalcStations = count;
  // Large sets are cut into about equal pieces of at most CalcModus stations.
  if (count > kLargeSet && CalcModus > 0) MaxCalcStations = count / (count / CalcModus + 1) + 5;
}

void TMapServerData::PrepareOptimizing() {
  if (RoutingStepClass == kAddressStep) PrepareAddressSequenceSetUp();
  if (RoutingStepClass == kAddressStep) PrepareAddressStations();
  if (RoutingStepClass == kSubRouteStep) PrepareSubRoute();
  if (RoutingStepClass == kDayRouteStep) PrepareDayRoute();
}

// Saves the agreed arrival times and takes the fixed appointments out of the set; a set that
// fits into one sub-route needs no address sequence.
void TMapServerData::PrepareAddressSequenceSetUp() {
  FirstOptStep = true;
  SetFilter();
  UpdateDBData(QStringLiteral("POPULATION=ArrivalTime"), Filter);
  SetRouteInDB(kFixedAppointmentRoute,
               Filter + Format(QStringLiteral(" and ArrivalTime<>%s"), {QuoteString({})}));
  SetMaxCalcStations();
  if (SelectDBDataCount(Filter) <= MaxCalcStations && CalcModus > 0)
    RoutingStepClass = kSubRouteStep;
}

// One station per distinct address, numbered after the address's first order.
void TMapServerData::PrepareAddressStations() {
  if (StationList->Start) {
    StationList->SetRStart(StationList->Start.get());
  } else if (SelectDBData(QStringLiteral("TOP 1 AuftragId"), Filter,
                          QStringLiteral("clng(XCOORD)+clng(YCOORD)")) &&
             SQLRecordCount(Q) == 1) {
    const int index = StationList->IndexOf(SQLFieldString(Q, 1, 1));
    StationList->SetRStart(StationList->GetStation(index));
  }
  if (!SelectDBData(kAddressColumns, Filter, kAddressColumns)) {
    RoutingStepClass = -1;
    return;
  }
  const TADORecordsetPtr rows = Q;
  QString previousKey;
  int addresses = 0;
  for (int r = 1; r <= SQLRecordCount(rows) && addresses < kMaxAddressStations; ++r) {
    const QString postalCode = SQLFieldString(rows, r, 1);
    const QString town = SQLFieldString(rows, r, 2);
    const QString district = SQLFieldString(rows, r, 3);
    const QString street = SQLFieldString(rows, r, 4);
    const QString key = QStringList{postalCode, town, district, street}.join(u'~');
    if (r > 1 && key == previousKey) continue;
    previousKey = key;
    AddStationByAdr(SQLFieldString(rows, r, 5), {}, postalCode,
                    Trim(Format(QStringLiteral("%s %s"), {town, district})), street, {},
                    QStringLiteral("1800"), QStringLiteral("27000"), QStringLiteral("72000"), {},
                    {});
    ++addresses;
  }
}

// The next sub-route; when none is left, the groups are joined and day routes begin.
void TMapServerData::PrepareSubRoute() {
  SetFilter();
  SetMaxCalcStations();
  if (MaxCalcStations <= 0) {
    CheckStationList(kSubRouteStep, 0, 1);
    RoutingStepClass = kDayRouteStep;
    CDate = IncDay(CDate, -1);  // the day search starts by moving on one day
    return;
  }
  SyncStationList(Filter, 1);
}

void TMapServerData::PrepareDayRoute() {
  if (TRouteNr < 0) TRouteNr = 0;
  SetFilter();
  SetMaxCalcStations();
  if (FirstOptStep) {
    SetNextEnabledDate();
    Filter = Format(QStringLiteral("%s or ((Route=%d) and (MID(ArrivalTime,1,10)=%s))"),
                    {Filter, kFixedAppointmentRoute, QuoteString(DateToStr(CDate))});
    FitWorkingDayToWeekday();
  } else {
    DayTimeWindow2 += kSecondPassExtension;
  }
  if (SelectDBDataCount(Filter) > 0) SyncStationList(Filter, 2);
}

// Narrows the free time of CDate to the weekday's working hours, leaves room for the break
// and sets the weekday's order limit.
void TMapServerData::FitWorkingDayToWeekday() {
  const int weekday = DayOfTheWeek(CDate);
  DayTimeWindow1 = std::max(DayTimeWindow1, StrToIntDef(ValidDayTime.mid(10 * weekday - 10, 5), 0));
  DayTimeWindow2 =
      std::min(DayTimeWindow2, StrToIntDef(ValidDayTime.mid(10 * weekday - 5, 5), 86399));
  if (BreakTime > 0 && BreakTime < DayTimeWindow2) DayTimeWindow2 -= kBreakLength;
  if (DayTimeWindow1 >= DayTimeWindow2) DayTimeWindow2 = DayTimeWindow1 + kShortestDay;
  MaxAuftragCountOnDay = StrToIntDef(MaxAuftragCountInWeek.mid(2 * weekday - 2, 2), 0);
}

bool TMapServerData::CheckStationList(int StepClass, int AuftragId, quint8 CheckMode) {
  bool result = false;
  const QString orders =
      AuftragId > 0
          ? Format(QStringLiteral("AuftragId=%d AND REFPNTIDHIGH IS NOT NULL"), {AuftragId})
          : QStringLiteral("cstr(AuftragId)=REFPNTIDHIGH");
  const TADORecordsetPtr heads =
      SelectRows(QStringLiteral("REFPNTIDHIGH,Route,Reihe"),
                 Format(QStringLiteral("(%s) AND (Route>=%d)"), {orders, StepClass}), {});
  for (int r = 1; r <= SQLRecordCount(heads); ++r) {
    const int head = SQLFieldInteger(heads, r, 1);
    const int route = SQLFieldInteger(heads, r, 2);
    const int reihe = SQLFieldInteger(heads, r, 3);
    const QString split = Format(QStringLiteral("REFPNTIDHIGH=%s AND Route<>%d"),
                                 {QuoteString(QString::number(head)), route});
    if (!result) result = SelectDBDataCount(split) > 0;
    if (CheckMode == 1 && AuftragId == 0)
      UpdateDBData(Format(QStringLiteral("Route=%d,Reihe=%d"), {route + 1, reihe}),
                   split + Format(QStringLiteral(" AND AuftragId<>%d"), {head}));
  }
  return result;
}
