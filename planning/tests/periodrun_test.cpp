// A period optimisation of workflow 2 from the delivered block to the last day route, with a
// stand-in for the map component's optimiser.

#include <gmock/gmock.h>

#include <algorithm>
#include <map>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::ElementsAre;

struct RowState {
  int Route = 0;
  int Reihe = 0;
  QString Arrival;
  QString Agreed;  // POPULATION: the arrival agreed before the run
};

class PeriodRunTest : public HubTest {
 protected:
  // Orders k and k + 30 share address k (a same-place group); orders 12, 28 (Tuesday) and
  // 23 (Wednesday) come with an agreed arrival time.
  static constexpr int kOrders = 40;
  static constexpr int kAddresses = 30;

  PeriodRunTest() : monday(IncDay(Date(), 14 + (8 - DayOfTheWeek(Date())) % 7)) {}

  static QString Text(TDateTime Value) { return FormatDateTime("dd.mm.yyyy hh:nn", Value); }
  static int AddressOf(int Number) { return (Number - 1) % kAddresses + 1; }
  QString AgreedArrival(int Number) const {
    switch (Number) {
      case 12:
        return Text(IncMinute(IncDay(monday, 1), 10 * 60));
      case 28:
        return Text(IncMinute(IncDay(monday, 1), 11 * 60 + 30));
      case 23:
        return Text(IncMinute(IncDay(monday, 2), 11 * 60));
      default:
        return {};
    }
  }

  QString Block() const {
    QStringList lines = {"[ZEPRouting]", "2"};
    for (int number = 1; number <= kOrders; ++number) {
      const int address = AddressOf(number);
      const QString position = QString("%1,%2")
                                   .arg(49.9 + address * 0.002, 0, 'f', 5)
                                   .arg(11.55 + address * 0.002, 0, 'f', 5);
      lines << QString("Q1R%1=").arg(number) + QStringList{QString::number(number),
                                                           QString("Kunde %1").arg(number),
                                                           "D",
                                                           "95444",
                                                           "Bayreuth",
                                                           QString("Weg %1").arg(address),
                                                           "1800",
                                                           "28800",
                                                           "64800",
                                                           "3",
                                                           "GPS#1#" + position,
                                                           AgreedArrival(number)}
                                                   .join('~');
    }
    // Two weeks, Monday to Friday, 08:00 to 12:00, no sub-route size: the address sequence
    // runs whatever the size of the set. Wednesday morning until 10:00 is blocked.
    lines << "Q4R1=" + DateToStr(monday) + "~" + DateToStr(IncDay(monday, 11)) +
                 "~M7~1111100~0~0~Monteur Maier~" + QString("2880043200").repeated(7) + "~~0~75";
    lines << "Q5R1=" + Text(IncMinute(IncDay(monday, 2), 8 * 60)) + "~" +
                 Text(IncMinute(IncDay(monday, 2), 10 * 60));
    lines << "[ZEPRouting]";
    return lines.join("\r\n");
  }

  std::map<int, RowState> Rows() {
    std::map<int, RowState> rows;
    EXPECT_TRUE(hub.SelectDBData("AuftragId,Route,Reihe,ArrivalTime,POPULATION", "", ""));
    for (int r = 1; r <= SQLRecordCount(hub.Q); ++r)
      rows[SQLFieldInteger(hub.Q, r, 1)] = {
          SQLFieldInteger(hub.Q, r, 2), SQLFieldInteger(hub.Q, r, 3), SQLFieldString(hub.Q, r, 4),
          SQLFieldString(hub.Q, r, 5)};
    return rows;
  }

  static bool IsFixed(int Number) { return Number == 12 || Number == 23 || Number == 28; }
  static bool IsMember(int Number) { return Number > kAddresses; }
  static int HeadOf(int Number) { return Number - kAddresses; }

  // The stand-in optimiser: the stations in reverse list order, each arriving when the one
  // before has left plus 15 minutes of driving; an agreed arrival stays as it is; what does
  // not fit into the working day goes to the next day. The result is in time order.
  void OptimiseReversed(TDateTime Day, int DayStart, int DayEnd) {
    std::vector<std::pair<QString, TStation*>> route;
    TDateTime next = IncSecond(Day, DayStart);
    for (int i = hub.StationList->Count() - 1; i >= 0; --i) {
      auto* station = new TStation();
      station->CopyFields(*hub.StationList->GetStation(i));
      const int stay = station->Field(23).toInt();
      QString arrival = station->Field(17);
      if (arrival.isEmpty()) {
        if (IncSecond(next, stay) > IncSecond(Day, DayEnd)) next = IncSecond(IncDay(Day), DayStart);
        arrival = Text(next);
        next = IncMinute(IncSecond(next, stay), 15);
      }
      station->SetField(24, arrival);
      route.emplace_back(arrival, station);
    }
    std::stable_sort(route.begin(), route.end(), [](const auto& A, const auto& B) {
      TDateTime a, b;
      TryStrToDateTime(A.first, a);
      TryStrToDateTime(B.first, b);
      return a < b;
    });
    hub.StationList->Clear();
    for (const auto& [arrival, station] : route)
      hub.StationList->AddObject(station->Field(0), station);
  }

  // What the workspace does after an optimisation of workflow 2.
  void TakeResults() {
    hub.FirstOptStep = true;
    ++hub.RouteNr;
    ++hub.TRouteNr;
    hub.SyncRouteTable(false, hub.RoutingStepClass, TDateTime(0));
  }

  const TDateTime monday;
};

TEST_F(PeriodRunTest, FromTheBlockToTheLastDayRoute) {
  // Intake.
  hub.ReadMapServerData(Block());
  ASSERT_EQ(hub.WorkflowId, 2);
  hub.SetQueryData(1);
  hub.QueryDataToStationList(0);
  ASSERT_EQ(hub.StationList->Count(), kOrders);
  EXPECT_EQ(hub.StationList->GetStationDataValue(30, 4),
            hub.StationList->GetStationDataValue(0, 4));
  hub.SetQueryData(4);
  hub.QueryDataToRouteOptions(4);
  hub.SetQueryData(5);
  hub.QueryDataToRouteOptions(5);
  EXPECT_EQ(hub.CDate, monday);
  EXPECT_THAT(BlockedPeriods(),
              ElementsAre(Text(IncMinute(IncDay(monday, 2), 8 * 60)) + " - " +
                              Text(IncMinute(IncDay(monday, 2), 10 * 60)),
                          Text(IncDay(monday, 5)) + " - " + Text(IncDay(monday, 6)),
                          Text(IncDay(monday, 6)) + " - " + Text(IncDay(monday, 7))));

  // The set.
  hub.SyncRouteTable(true, 1, TDateTime(0));
  std::map<int, RowState> rows = Rows();
  ASSERT_EQ(rows.size(), size_t(kOrders));
  for (const auto& [number, row] : rows) {
    EXPECT_EQ(row.Route, 1) << number;
    EXPECT_EQ(row.Reihe, 1) << number;
    EXPECT_EQ(row.Arrival, AgreedArrival(number)) << number;
  }
  for (int member = kAddresses + 1; member <= kOrders; ++member)
    EXPECT_EQ(Value("REFPNTIDHIGH", member), QString::number(HeadOf(member))) << member;
  EXPECT_EQ(hub.SelectDBDataCount("REFPNTIDLOW='2'"), 20);

  // The address sequence: one station per address outside the fixed appointments.
  hub.RoutingStepClass = 10;
  hub.StationList->Clear();
  hub.PrepareOptimizing();
  ASSERT_EQ(hub.RoutingStepClass, 10);
  ASSERT_EQ(hub.StationList->Count(), kAddresses - 3);
  for (int i = 0; i < hub.StationList->Count(); ++i) {
    const int number = hub.StationList->Strings(i).toInt();
    EXPECT_LE(number, kAddresses) << "the first order of an address names it";
    EXPECT_FALSE(IsFixed(number));
  }
  OptimiseReversed(monday, 28800, 43200);
  QStringList streetOrder;
  for (int i = 0; i < hub.StationList->Count(); ++i)
    streetOrder << hub.StationList->GetStationDataValue(i, 10);
  TakeResults();
  rows = Rows();
  for (const auto& [number, row] : rows) {
    if (IsFixed(number)) {
      EXPECT_EQ(row.Route, -99) << number;
      EXPECT_EQ(row.Agreed, AgreedArrival(number)) << number;
      continue;
    }
    EXPECT_EQ(row.Route, 11) << number;
    EXPECT_EQ(row.Reihe, 11 + streetOrder.indexOf(QString("Weg %1").arg(AddressOf(number))))
        << number;
  }

  // One sub-route of the whole sequence (the web application's size would be 15).
  hub.CalcModus = 15;
  hub.StationList->Clear();
  hub.PrepareOptimizing();
  ASSERT_EQ(hub.RoutingStepClass, 10000);
  ASSERT_EQ(hub.StationList->Count(), kOrders - 3);
  EXPECT_EQ(hub.StationList->GetStationDataValue(0, 10), streetOrder.first());
  EXPECT_EQ(hub.StationList->GetStationDataValue(0, 21), "0");
  OptimiseReversed(monday, 0, 86399);
  std::map<int, int> minutes;
  for (int i = 0; i < hub.StationList->Count(); ++i)
    minutes[hub.StationList->Strings(i).toInt()] = int(MinutesBetween(
        StrToDateTimeDef(hub.StationList->GetStationDataValue(0, 24), TDateTime(0)),
        StrToDateTimeDef(hub.StationList->GetStationDataValue(i, 24), TDateTime(0))));
  TakeResults();
  rows = Rows();
  for (const auto& [number, row] : rows) {
    if (IsFixed(number)) {
      EXPECT_EQ(row.Route, -99) << number;
      continue;
    }
    EXPECT_EQ(row.Route, 10002) << number;
    // A member takes the place of its head, which comes after it in the reversed list.
    EXPECT_EQ(row.Reihe, minutes[IsMember(number) ? HeadOf(number) : number]) << number;
  }

  // Day routes, working day by working day.
  std::map<int, TDateTime> dayOfRoute;
  for (int step = 0; step < 15 && hub.SelectDBDataCount("(Route between 1 and 100000)") > 0;
       ++step) {
    hub.StationList->Clear();
    hub.PrepareOptimizing();
    ASSERT_EQ(hub.RoutingStepClass, 100000);
    ASSERT_LE(hub.CDate, hub.EDate0);
    const TDateTime day = hub.CDate;
    EXPECT_LT(DayOfTheWeek(day), 6) << "no day route on a weekend";
    EXPECT_EQ(hub.DayTimeWindow1, day == IncDay(monday, 2) ? 36000 : 28800);
    EXPECT_EQ(hub.DayTimeWindow2, 43200);
    for (int i = 0; i < hub.StationList->Count(); ++i)
      EXPECT_FALSE(IsMember(hub.StationList->Strings(i).toInt())) << "members follow their head";
    OptimiseReversed(day, hub.DayTimeWindow1, hub.DayTimeWindow2);
    TakeResults();
    dayOfRoute[100000 + hub.RouteNr] = day;
    for (const auto& [number, row] : Rows()) {
      if (row.Route == 100000 + hub.RouteNr) {
        EXPECT_EQ(row.Arrival.left(10), DateToStr(day)) << number;
      } else if (row.Route < 100000) {
        EXPECT_TRUE(row.Route == 10002 || row.Route == -99) << number;
      }
    }
  }
  ASSERT_GE(dayOfRoute.size(), 6u);
  EXPECT_GE(dayOfRoute.rbegin()->second, IncDay(monday, 7)) << "on over the weekend";

  rows = Rows();
  for (const auto& [number, row] : rows) {
    ASSERT_TRUE(dayOfRoute.count(row.Route)) << number << " is in no day route";
    const TDateTime day = dayOfRoute[row.Route];
    EXPECT_EQ(row.Arrival.left(10), DateToStr(day)) << number;
    if (IsFixed(number)) {
      EXPECT_EQ(row.Arrival, AgreedArrival(number)) << "rejoined the day of its date";
      EXPECT_EQ(row.Agreed, AgreedArrival(number)) << number;
    }
    if (IsMember(number)) {
      const RowState& head = rows[HeadOf(number)];
      EXPECT_EQ(row.Route, head.Route) << number;
      EXPECT_EQ(row.Reihe, head.Reihe + 1) << number;
      TDateTime headArrival;
      ASSERT_TRUE(TryStrToDateTime(head.Arrival, headArrival));
      EXPECT_EQ(row.Arrival, Text(IncMinute(headArrival, 30))) << number;
    } else {
      EXPECT_EQ((row.Reihe - 100000) % 100, 0) << number;
    }
  }
  // Wednesday starts after the absence and keeps its fixed appointment.
  EXPECT_EQ(DayOfTheWeek(dayOfRoute[rows[23].Route]), 3);
}
}  // namespace
