#include <gmock/gmock.h>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::ElementsAre;

class StationListLoadingTest : public HubTest {
 protected:
  StationListLoadingTest() {
    hub.DayTimeWindow1 = 0;
    hub.DayTimeWindow2 = 86399;
    hub.MaxCalcStations = 100;
  }
  // A route-table row with its place in a route and its appointment values.
  void Row(int Number, int Reihe, const QString& Window1 = "28800",
           const QString& Window2 = "43200", const QString& Stay = "1800") {
    TStation* station = Append(NewOrder(Number));
    station->SetField(21, Window1);
    station->SetField(22, Window2);
    station->SetField(23, Stay);
    hub.SyncRouteTable(false, 1, TDateTime(0));
    hub.StationList->Clear();
    EXPECT_TRUE(hub.UpdateDBData(QString("Reihe=%1,Route=5").arg(Reihe),
                                 QString("AuftragId=%1").arg(Number)));
  }
};

TEST_F(StationListLoadingTest, ASubRouteIsLoadedOverTheWholeDay) {
  Row(3, 20);
  Row(1, 10);
  Row(2, 10);
  hub.SyncStationList("Route=5", 1);
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3"));
  EXPECT_THAT(StationField(21), ElementsAre("0", "0", "0"));
  EXPECT_THAT(StationField(22), ElementsAre("86399", "86399", "86399"));
  EXPECT_THAT(StationField(23), ElementsAre("1800", "1800", "1800"));
  EXPECT_THAT(StationField(28), ElementsAre("", "", ""));
  EXPECT_THAT(StationField(29), ElementsAre("", "", ""));
  EXPECT_EQ(hub.StationList->GetStationDataValue(0, 10), "Hauptstraße 1");
}

TEST_F(StationListLoadingTest, AddressOrderSkipsRowsOfTheSameReihe) {
  Row(1, 0);
  Row(2, 11);
  Row(3, 11);
  Row(4, 12);
  hub.SyncStationList("Route=5", 0);
  EXPECT_THAT(ItemStrings(), ElementsAre("2", "4"));
}

TEST_F(StationListLoadingTest, TheLimitNeverSplitsRowsOfOneReihe) {
  for (const auto& [number, reihe] : {std::pair{1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}})
    Row(number, reihe);
  hub.MaxCalcStations = 2;
  hub.SyncStationList("Route=5", 1);
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3"));
  // A set only a little larger than the limit is loaded whole.
  hub.MaxCalcStations = 3;
  hub.SyncStationList("Route=5", 1);
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3", "4", "5"));
}

TEST_F(StationListLoadingTest, ADayRouteStopsAtTheOrderLimitOfTheDay) {
  for (int number = 1; number <= 5; ++number) Row(number, number);
  hub.MaxAuftragCountOnDay = 3;
  hub.SyncStationList("Route=5", 2);
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3"));
}

TEST_F(StationListLoadingTest, ADayRouteFitsTheWindowsToTheDayAndTheBreak) {
  struct Case {
    QString Window1, Window2;
    int Day1, Day2, Break;
    QString Expected1, Expected2;
  };
  const Case cases[] = {
      {"46800", "61200", 0, 86399, 43200, "43200", "57600"},  // 13:00-17:00 after the break
      {"28800", "61200", 0, 86399, 43200, "28800", "61200"},  // 08:00-17:00 spans it
      {"28800", "61200", 0, 86399, 0, "28800", "61200"},
      {"20000", "80000", 30000, 60000, 0, "30000", "60000"},  // cut to the working day
      {"", "x", 0, 86399, 0, "27000", "72000"},               // defaults
      {"43200", "50000", 0, 86399, 43200, "43200", "50000"},  // starts right at the break
  };
  int number = 1;
  for (const Case& c : cases) {
    Execute("DELETE FROM R1");
    Row(number, 1, c.Window1, c.Window2);
    hub.DayTimeWindow1 = c.Day1;
    hub.DayTimeWindow2 = c.Day2;
    hub.BreakTime = c.Break;
    hub.SyncStationList("Route=5", 2);
    EXPECT_THAT(StationField(21), ElementsAre(c.Expected1)) << c.Window1.toStdString();
    EXPECT_THAT(StationField(22), ElementsAre(c.Expected2)) << c.Window1.toStdString();
    ++number;
  }
  // The calendar loads the same way, ordered by time of arrival.
  hub.BreakTime = 43200;
  hub.SyncStationList("Route=5", 3);
  EXPECT_THAT(StationField(22), ElementsAre("50000"));
  hub.SyncStationList("Route=5", 1);
  EXPECT_THAT(StationField(21), ElementsAre("0"));
}

TEST_F(StationListLoadingTest, AGroupHeadCarriesTheStaysOfItsMembers) {
  Row(1, 1, "28800", "43200", "1800");
  Row(2, 2, "28800", "43200", "600");
  Row(3, 3, "28800", "43200", "abc");
  Row(4, 4);
  ASSERT_TRUE(hub.UpdateDBData("REFPNTIDHIGH='2',REFPNTIDLOW='3'", "AuftragId<4"));
  hub.SyncStationList("Route=5", 2);
  EXPECT_THAT(ItemStrings(), ElementsAre("2", "4"));
  // Member stays: 1800 and, unreadable, 1800 again.
  EXPECT_THAT(StationField(23), ElementsAre("4200", "1800"));
  EXPECT_THAT(StationField(22), ElementsAre("39600", "43200"));
  hub.SyncStationList("Route=5", 1);
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3", "4"));
}

TEST_F(StationListLoadingTest, ACalendarColumnIsLoadedInTheOrderOfItsAppointments) {
  for (int number = 1; number <= 3; ++number) Row(number, 1);
  ASSERT_TRUE(hub.UpdateDBData("ArrivalTime='07.10.2016 10:00'", "AuftragId=1"));
  ASSERT_TRUE(hub.UpdateDBData("ArrivalTime='08.10.2016 08:00'", "AuftragId=2"));
  ASSERT_TRUE(hub.UpdateDBData("ArrivalTime='06.10.2016 09:30'", "AuftragId=3"));
  hub.MaxCalcStations = 0;  // the calendar takes up to 100 whatever the step would load
  hub.SyncStationList("Route=5", 3);
  EXPECT_THAT(ItemStrings(), ElementsAre("2", "3", "1"));
}

TEST_F(StationListLoadingTest, ADayRouteEndsWhereTheDayIsOver) {
  Row(1, 0);
  Row(2, 7000);
  Row(3, 7300);
  Row(4, 7400);
  ASSERT_TRUE(hub.UpdateDBData("REFPNTIDHIGH='3',REFPNTIDLOW='1'", "AuftragId=3"));
  hub.DayTimeWindow1 = 28800;
  hub.DayTimeWindow2 = 36000;
  hub.SyncStationList("Route=5", 2);
  // Row 3 is part of a group and is never cut off; row 4 is more than a day length later.
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2", "3"));
}
}  // namespace
