// Writing the station list into the route table: new orders are inserted, known ones
// updated, and every row gets the Route and Reihe of its planning step.

#include <algorithm>
#include <climits>

#include "base/datetimetext.h"
#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"

namespace {
constexpr int kSetClass = 1;
constexpr int kAddressClass = 10;
constexpr int kSubRouteClass = 10000;
constexpr int kDayRouteClass = 100000;
constexpr int kFirstStepClass = 1000;  // classes from here on number in steps of 100
constexpr int kLowestAddressBase = 10;

enum StationField {
  kNumber = 0,
  kLabel = 1,
  kPostalCode = 7,
  kTown = 8,
  kDistrict = 9,
  kStreet = 10,
  kGroupHead = 15,
  kWindowStart = 21,
  kWindowEnd = 22,
  kStay = 23,
  kArrival = 24,
  kDistance = 25,
  kWaitTime = 26,
  kLastWrittenField = 27,
};

const QString kArrivalFormat = QStringLiteral("dd.mm.yyyy hh:nn");
const QString kLineBreak = QStringLiteral("\r\n");

QString Literal(const QString& Value) { return SQLString(Value, 2); }

QString OrderCondition(int Number) { return Format(QStringLiteral("AuftragId=%d"), {Number}); }

bool KeepsAgreedArrival(int WorkflowId) {
  return WorkflowId == 2 || WorkflowId == 4 || WorkflowId == 14 || WorkflowId == 16 ||
         WorkflowId == 50;
}

// Whole minutes between two arrival texts, either order; an unreadable text counts as day 0.
int MinutesApart(const QString& First, const QString& Arrival) {
  const qint64 minutes = MinutesBetween(StrToDateTimeDef(First, TDateTime(0)),
                                        StrToDateTimeDef(Arrival, TDateTime(0)));
  return static_cast<int>(std::min<qint64>(minutes, INT_MAX));
}

QString InsertValues(const TStation& Station, int Number, int Reihe, int Route) {
  // The parsed number, not the field text: only a number may stand bare in the statement.
  QStringList values = {QString::number(Number)};
  for (int field = 1; field <= kLastWrittenField; ++field) values << Literal(Station.Field(field));
  values << QString::number(Reihe) << QString::number(Route);
  return values.join(QLatin1Char(','));
}
}  // namespace

void TMapServerData::SyncRouteTable(bool FirstSync, int ReiheClass, TDateTime FirstKalDate) {
  Q_UNUSED(FirstKalDate);
  ShowSyncStatus(FirstSync, ReiheClass);
  // One transaction for all statements spares the database a commit per row; without one
  // (another is open, or no connection) each statement commits on its own as before.
  TSQLADOServer* server = RouteTableServer();
  const bool inTransaction = server && server->BeginTransaction();
  if (FirstSync && ReiheClass == kSetClass)
    UpdateDBData(Format(QStringLiteral("Route=%d,MEId=0"), {-1}), {});
  bool ok = true;
  if (ReiheClass == kAddressClass) {
    SyncAddressSequence();
  } else {
    QString firstArrival;
    for (int i = 0; i < StationList->Count(); ++i) {
      const TStation* station = StationList->GetStation(i);
      if (!station) continue;
      if (i == 0) firstArrival = station->Field(kArrival);
      // A day route ends where the optimiser moved on to the next day; the rest waits for
      // a later day.
      if (ReiheClass == kDayRouteClass &&
          station->Field(kArrival).left(10) != firstArrival.left(10)) {
        StationList->SetRStart(StationList->GetStation(std::max(i - 1, 0)));
        break;
      }
      ok = SyncStation(FirstSync, ReiheClass, i, firstArrival, ok);
    }
  }
  if (ReiheClass < kFirstStepClass) RecomputeSamePlaceGroups();
  if (inTransaction) {
    // Committing must not hide the statement that failed.
    const QString errorMessage = server->SQLErrorMsg;
    server->CommitTransaction();
    server->SQLErrorMsg = errorMessage;
  }
  if (!ok) ShowStatus(server ? server->SQLErrorMsg : QString());
}

void TMapServerData::ShowSyncStatus(bool FirstSync, int ReiheClass) {
  if (FirstSync)
    ShowStatus(StationList->Count() > 0 ? QStringLiteral("Stationsdaten werden übernommen...")
                                        : QStringLiteral("Keine Stationen verfügbar!"));
  else if (ReiheClass < kDayRouteClass)
    ShowStatus(Format(QStringLiteral("Teilroute %d wird zusammengestellt..."), {RouteNr}));
  else
    ShowStatus(Format(QStringLiteral("Tagesroute %d (%s) wird berechnet..."),
                      {TRouteNr, DateToStr(CDate)}));
}

// Every row still at Reihe 1 at a station's address takes the station's place in the
// sequence; a second pass ignores the district, which geocoding may have filled differently.
void TMapServerData::SyncAddressSequence() {
  int base = 0;
  if (SelectDBData(QStringLiteral("MAX(Reihe)"), QStringLiteral("Reihe<1000"), {}))
    base = SQLFieldInteger(Q, 1, 1);
  base = std::max(base, kLowestAddressBase);
  const QString setCondition =
      Format(QStringLiteral("(Route between %d and %d)"), {kSetClass, kAddressClass});
  for (int i = 0; i < StationList->Count(); ++i) {
    const TStation* station = StationList->GetStation(i);
    if (!station) continue;
    const QString what = Format(QStringLiteral("Reihe=%d"), {base + i + 1}) + "," +
                         Format(QStringLiteral("Route=%d"), {kAddressClass + RouteNr});
    const QString districtPart = "AND TOWN2" + SQLEqualString(station->Field(kDistrict));
    for (const QString& district : {districtPart, QString()}) {
      const QString where = Format(QStringLiteral("Reihe=%d"), {1}) +
                            Format(QStringLiteral(" and %s and PLZ%s AND TOWN%s %s AND STREET%s"),
                                   {setCondition, SQLEqualString(station->Field(kPostalCode)),
                                    SQLEqualString(station->Field(kTown)), district,
                                    SQLEqualString(station->Field(kStreet))});
      UpdateDBData(what, where);
    }
  }
  if (StationList->Count() > 0)
    StationList->SetRStart(StationList->GetStation(StationList->Count() - 1));
}

// Inserts or updates station Index and, for a group head of a route, its members. Once a
// statement has failed (Ok false) nothing more is written.
bool TMapServerData::SyncStation(bool FirstSync, int ReiheClass, int Index,
                                 const QString& FirstArrival, bool Ok) {
  const TStation& station = *StationList->GetStation(Index);
  const int number = StrToIntDef(station.Field(kNumber), 0);
  const int step = ReiheClass < kFirstStepClass ? 1 : 100;
  const int reihe = ReiheClass == kSetClass ? 1 : step * Index + ReiheClass;
  const int route = ReiheClass + RouteNr;
  if (ReiheClass == kSubRouteClass || (ReiheClass == kDayRouteClass && !FirstOptStep))
    StationList->SetRStart(&station);
  QString assignments;
  if (ReiheClass < kSubRouteClass) {
    assignments = Format(QStringLiteral("AuftragBez=%s,TimeWindow1=%s,TimeWindow2=%s,StayTime=%s,"),
                         {Literal(station.Field(kLabel)), Literal(station.Field(kWindowStart)),
                          Literal(station.Field(kWindowEnd)), Literal(station.Field(kStay))}) +
                  Format(QStringLiteral("Route=%d,Reihe="), {route}) + QString::number(reihe);
    if (FirstSync && ReiheClass == kSetClass && KeepsAgreedArrival(WorkflowId))
      assignments += Format(QStringLiteral(",ArrivalTime=%s"), {Literal(station.Field(kArrival))});
  } else if (ReiheClass < kDayRouteClass) {
    assignments = Format(QStringLiteral("Distance=%s,Reihe=%d,Route=%d"),
                         {Literal(station.Field(kDistance)),
                          MinutesApart(FirstArrival, station.Field(kArrival)), route});
  } else {
    assignments = Format(QStringLiteral("ArrivalTime=%s,Distance=%s,WaitTime=%s,Reihe=%d,Route=%d"),
                         {Literal(station.Field(kArrival)), Literal(station.Field(kDistance)),
                          Literal(station.Field(kWaitTime)), reihe, route});
  }
  if (SelectDBDataCount(OrderCondition(number)) <= 0) {
    TSQLADOServer* server = RouteTableServer();
    if (Ok)
      Ok = server &&
           server->SQLInsert(RouteTable, FListRoute, InsertValues(station, number, reihe, route));
  } else if (Ok) {
    Ok = UpdateDBData(assignments, OrderCondition(number));
  }
  const bool isGroupHead =
      !station.Field(kGroupHead).isEmpty() && station.Field(kGroupHead) == station.Field(kNumber);
  if (ReiheClass >= kSubRouteClass && isGroupHead)
    Ok = SyncGroupMembers(ReiheClass, Index, FirstArrival, assignments, Ok);
  return Ok;
}

// The other orders at the head's place follow it one after the other.
bool TMapServerData::SyncGroupMembers(int ReiheClass, int Index, const QString& FirstArrival,
                                      const QString& HeadAssignments, bool Ok) {
  Q_UNUSED(FirstArrival);
  const TStation& head = *StationList->GetStation(Index);
  const int headNumber = StrToIntDef(head.Field(kNumber), 0);
  TDateTime nextStart = StrToDateTimeDef(head.Field(kArrival), TDateTime(0));
  const TADORecordsetPtr stay =
      SelectRows(QStringLiteral("StayTime"), OrderCondition(headNumber), {});
  if (SQLRecordCount(stay) > 0)
    nextStart += StrToIntDef(SQLFieldString(stay, 1, 1), 0) / double(SecsPerDay);
  const QStringList members = GetIdenticalStationResults(head.Field(kNumber), nextStart)
                                  .split(kLineBreak, Qt::SkipEmptyParts);
  for (int j = 1; j <= members.size(); ++j) {
    const QString& member = members[j - 1];
    const int separator = member.indexOf(QLatin1Char('='));
    const int memberNumber = StrToIntDef(member.left(separator), 0);
    QString assignments = HeadAssignments;
    if (ReiheClass >= kDayRouteClass)
      assignments = Format(
          QStringLiteral("ArrivalTime=%s,Distance=%s,WaitTime=%s,Reihe=%d,Route=%d"),
          {Literal(member.mid(separator + 1)), Literal(head.Field(kDistance)),
           Literal(head.Field(kWaitTime)), 100 * Index + ReiheClass + j, ReiheClass + RouteNr});
    if (Ok) Ok = UpdateDBData(assignments, OrderCondition(memberNumber));
  }
  return Ok;
}

QString TMapServerData::GetIdenticalStationResults(const QString& SAuftragId,
                                                   TDateTime& NextStartTime) {
  // Only a number may reach the statement; anything else has no group.
  bool isNumber = false;
  const int head = Trim(SAuftragId).toInt(&isNumber);
  if (!isNumber) return {};
  const TADORecordsetPtr members =
      SelectRows(QStringLiteral("AuftragId,StayTime"),
                 Format(QStringLiteral("AuftragId<>%d AND REFPNTIDHIGH=%s"),
                        {head, QuoteString(QString::number(head))}),
                 QStringLiteral("TimeWindow2,TimeWindow1,AuftragId"));
  QStringList lines;
  for (int record = 1; record <= SQLRecordCount(members); ++record) {
    lines << SQLFieldString(members, record, 1) + "=" +
                 FormatDateTime(kArrivalFormat, NextStartTime);
    NextStartTime += StrToIntDef(SQLFieldString(members, record, 2), 0) / double(SecsPerDay);
  }
  return lines.join(kLineBreak);
}

// Orders at one place form a group: REFPNTIDLOW holds its size, REFPNTIDHIGH its head, the
// order that comes first by house-number position and time window.
void TMapServerData::RecomputeSamePlaceGroups() {
  UpdateDBData(QStringLiteral("REFPNTIDHIGH=NULL,REFPNTIDLOW=NULL"), {});
  if (SelectDBData(QStringLiteral("XCOORD,YCOORD,HNrPos,COUNT(*)"),
                   QStringLiteral("AuftragId>0 GROUP BY XCOORD,YCOORD,HNrPos HAVING COUNT(*)>1"),
                   {})) {
    const TADORecordsetPtr groups = Q;
    for (int record = 1; record <= SQLRecordCount(groups); ++record) {
      const QString houseNumberPosition = SQLFieldString(groups, record, 3);
      UpdateDBData(Format(QStringLiteral("REFPNTIDLOW=%s"),
                          {QuoteString(SQLFieldString(groups, record, 4))}),
                   Format(QStringLiteral("XCOORD=%s AND YCOORD=%s AND HNrPos%s"),
                          {Literal(SQLFieldString(groups, record, 1)),
                           Literal(SQLFieldString(groups, record, 2)),
                           houseNumberPosition.isEmpty() ? QStringLiteral(" IS NULL")
                                                         : "=" + Literal(houseNumberPosition)}));
    }
  }
  if (!SelectDBData(QStringLiteral("AuftragId,XCOORD,YCOORD"),
                    QStringLiteral("REFPNTIDLOW IS NOT NULL"),
                    QStringLiteral("XCOORD,YCOORD,HNrPos,TimeWindow2,TimeWindow1 DESC,AuftragId")))
    return;
  const TADORecordsetPtr rows = Q;
  QString runKey;
  for (int record = 1; record <= SQLRecordCount(rows); ++record) {
    const QString key = SQLFieldString(rows, record, 2) + "," + SQLFieldString(rows, record, 3);
    if (record > 1 && key == runKey) continue;
    runKey = key;
    const int head = SQLFieldInteger(rows, record, 1);
    if (head <= 0) continue;
    UpdateDBData(Format(QStringLiteral("REFPNTIDHIGH=%s"), {QuoteString(QString::number(head))}),
                 Format(QStringLiteral("(XCOORD+%s+YCOORD=%s) AND REFPNTIDLOW IS NOT NULL"),
                        {QuoteString(QStringLiteral(",")), Literal(key)}));
  }
}
