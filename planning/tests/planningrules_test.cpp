#include <gmock/gmock.h>

#include <memory>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::Each;
using ::testing::ElementsAre;

class PlanningRulesTest : public HubTest {
 protected:
  PlanningRulesTest() { hub.WorkflowId = 2; }
  // Count orders in the set (Route 1), the first Fixed of them with an agreed arrival time;
  // Addresses distinct streets.
  void Orders(int Count, int Addresses, int Fixed = 0) {
    for (int number = 1; number <= Count; ++number) {
      TStation* station = Append(NewOrder(number));
      station->SetField(10, QString("Weg %1").arg((number - 1) % Addresses + 1));
      if (number <= Fixed) station->SetField(24, "07.10.2016 09:00");
    }
    SyncAsSet();
  }
};

TEST_F(PlanningRulesTest, LargeSetsAreCutIntoEqualSubRoutes) {
  struct Case {
    int Rows, CalcModus, Expected;
  };
  for (const Case& c :
       {Case{200, 50, 45}, Case{71, 50, 40}, Case{70, 50, 70}, Case{200, 0, 200}, Case{0, 50, 0}}) {
    Execute("DELETE FROM R1");
    Orders(c.Rows, std::max(c.Rows, 1));
    hub.CalcModus = c.CalcModus;
    hub.Filter = "Route=1";
    hub.SetMaxCalcStations();
    EXPECT_EQ(hub.MaxCalcStations, c.Expected) << c.Rows << "/" << c.CalcModus;
  }
  hub.Filter = "NoSuchColumn=1";
  hub.SetMaxCalcStations();
  EXPECT_EQ(hub.MaxCalcStations, -1);
}

TEST_F(PlanningRulesTest, TheFilterTakesTheWholeSetOrTheCurrentRoute) {
  hub.RoutingStepClass = 10;
  hub.FirstOptStep = true;
  hub.SetFilter();
  EXPECT_EQ(hub.Filter, "(Route between 1 and 10)");
  hub.WorkflowId = 4;
  hub.RoutingStepClass = 100000;
  hub.SetFilter();
  EXPECT_EQ(hub.Filter, "(Route between 2 and 100000)");
  hub.FirstOptStep = false;
  hub.RouteNr = 7;
  hub.SetFilter();
  EXPECT_EQ(hub.Filter, "Route=100007");
}

TEST_F(PlanningRulesTest, ASmallSetGoesStraightToTheSubRoute) {
  Orders(40, 30, 4);
  hub.CalcModus = 50;
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.RoutingStepClass, 10000);
  EXPECT_TRUE(hub.FirstOptStep);
  EXPECT_EQ(hub.Filter, "(Route between 1 and 10000)");
  EXPECT_EQ(hub.MaxCalcStations, 36);
  EXPECT_EQ(hub.SelectDBDataCount("Route=-99"), 4);
  EXPECT_THAT(Column("POPULATION", "Route=-99"), Each(QString("07.10.2016 09:00")));
  EXPECT_EQ(hub.StationList->Count(), 36);
  EXPECT_EQ(hub.StationList->GetStationDataValue(0, 21), "0");
}

TEST_F(PlanningRulesTest, WithoutSubRoutesTheAddressSequenceRunsForAnySet) {
  Orders(4, 2);
  hub.CalcModus = 0;
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.RoutingStepClass, 10);
  // One station per address, numbered after the address's first order.
  EXPECT_THAT(ItemStrings(), ElementsAre("1", "2"));
  EXPECT_THAT(StationField(10), ElementsAre("Weg 1", "Weg 2"));
  EXPECT_THAT(StationField(8), ElementsAre("Bayreuth", "Bayreuth"));
  EXPECT_THAT(StationField(23), ElementsAre("1800", "1800"));
  EXPECT_THAT(StationField(21), ElementsAre("27000", "27000"));
  EXPECT_THAT(StationField(22), ElementsAre("72000", "72000"));
  EXPECT_THAT(StationField(6), ElementsAre("", ""));
}

TEST_F(PlanningRulesTest, TheTownOfAnAddressStationNamesTheDistrict) {
  TStation* station = Append(NewOrder(5));
  station->SetField(9, "St. Georgen");
  SyncAsSet();
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  EXPECT_THAT(StationField(8), ElementsAre("Bayreuth St. Georgen"));
}

TEST_F(PlanningRulesTest, AtMost121AddressesBecomeStations) {
  Orders(200, 200);
  hub.CalcModus = 50;
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.RoutingStepClass, 10);
  EXPECT_EQ(hub.MaxCalcStations, 45);
  EXPECT_EQ(hub.StationList->Count(), 121);
}

TEST_F(PlanningRulesTest, TheRouteStartIsTheDeliveredStart) {
  Orders(3, 3);
  hub.AddStationByAdr("-1", "D", "95444", "Bayreuth", "Depot", "Start", "0", "0", "86399", "", "");
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  ASSERT_TRUE(hub.StationList->RStart);
  EXPECT_EQ(hub.StationList->RStart->Field(10), "Depot");
}

TEST_F(PlanningRulesTest, WithoutStartTheRouteStartIsLookedUpInTheEmptiedList) {
  Orders(3, 3);
  ASSERT_TRUE(hub.UpdateDBData("XCOORD='100',YCOORD='100'", "AuftragId=2"));
  ASSERT_TRUE(hub.UpdateDBData("XCOORD='900',YCOORD='900'", "AuftragId<>2"));
  // SetRStart copies the station, so the original stays with the test.
  const std::unique_ptr<TStation> earlierStart(NewOrder(77));
  hub.StationList->SetRStart(earlierStart.get());
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  // The workspace empties the list before, so there is no station 2 to start from.
  EXPECT_FALSE(hub.StationList->RStart);
}

TEST_F(PlanningRulesTest, AFailedAddressSelectStopsTheRun) {
  Orders(3, 3);
  Execute("DROP TABLE R1");
  hub.RoutingStepClass = 10;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.RoutingStepClass, -1);
}

TEST_F(PlanningRulesTest, WhenNoSubRouteIsLeftTheDayRoutesBegin) {
  Orders(4, 4);
  // Orders 1 and 2 form a group whose head 1 is in sub-route 10001, member 2 in 10002.
  ASSERT_TRUE(hub.UpdateDBData("REFPNTIDHIGH='1',REFPNTIDLOW='2'", "AuftragId<3"));
  ASSERT_TRUE(hub.UpdateDBData("Route=10001,Reihe=30", "AuftragId=1"));
  ASSERT_TRUE(hub.UpdateDBData("Route=10002,Reihe=0", "AuftragId>1"));
  const TDateTime monday = IncDay(Date(), 14 + (8 - DayOfTheWeek(Date())) % 7);
  hub.CDate = monday;
  hub.EDate0 = IncDay(monday, 10);
  hub.FirstOptStep = true;
  hub.RoutingStepClass = 10000;
  hub.TRouteNr = -1;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.RoutingStepClass, 100000);
  EXPECT_EQ(hub.TRouteNr, 0);
  // One day back for the change, one day on for the search: the same day again.
  EXPECT_EQ(hub.CDate, monday);
  EXPECT_EQ(Value("Route", 2), "10002");  // the member moved next to its head's route
  EXPECT_EQ(Value("Reihe", 2), "30");
  EXPECT_EQ(hub.Filter,
            "(Route between 1 and 100000) or ((Route=-99) and (MID(ArrivalTime,1,10)='" +
                DateToStr(monday) + "'))");
  EXPECT_EQ(hub.StationList->Count(), 3);  // the member follows its head
}

TEST_F(PlanningRulesTest, TheWorkingDayFollowsTheWeekdaySlots) {
  struct Case {
    QString ValidDayTime;
    int BreakTime;
    int Start, End;
  };
  const QString monday = "2880061200";
  const Case cases[] = {
      {monday, 0, 28800, 61200}, {monday, 43200, 28800, 57600},   {"5000040000", 0, 50000, 51200},
      {"", 0, 0, 86399},         {"abcdefghij", 43200, 0, 82799},
  };
  const TDateTime sunday = IncDay(Date(), 14 + (7 - DayOfTheWeek(Date())) % 7);
  for (const Case& c : cases) {
    hub.CDate = sunday;
    hub.EDate0 = IncDay(sunday, 10);
    hub.ValidDayTime = c.ValidDayTime;
    hub.BreakTime = c.BreakTime;
    hub.MaxAuftragCountInWeek =
        "0505050505"
        "0000";
    hub.RoutingStepClass = 100000;
    hub.FirstOptStep = true;
    hub.PrepareOptimizing();
    EXPECT_EQ(DayOfTheWeek(hub.CDate), 1);
    EXPECT_EQ(hub.DayTimeWindow1, c.Start) << c.ValidDayTime.toStdString();
    EXPECT_EQ(hub.DayTimeWindow2, c.End) << c.ValidDayTime.toStdString();
    EXPECT_EQ(hub.MaxAuftragCountOnDay, 5);
  }
  // The second pass over the same day gets five more minutes.
  hub.FirstOptStep = false;
  hub.PrepareOptimizing();
  EXPECT_EQ(hub.DayTimeWindow2, 82799 + 300);
}

TEST_F(PlanningRulesTest, TheWeekendHasNoOrderLimit) {
  const TDateTime friday = IncDay(Date(), 14 + (12 - DayOfTheWeek(Date())) % 7);
  hub.CDate = friday;
  hub.EDate0 = IncDay(friday, 10);
  hub.MaxAuftragCountInWeek =
      "0505050505"
      "0000";
  hub.RoutingStepClass = 100000;
  hub.FirstOptStep = true;
  hub.PrepareOptimizing();
  EXPECT_EQ(DayOfTheWeek(hub.CDate), 6);
  EXPECT_EQ(hub.MaxAuftragCountOnDay, 0);
}

TEST_F(PlanningRulesTest, CheckStationListFindsAndJoinsSplitGroups) {
  Orders(4, 4);
  ASSERT_TRUE(hub.UpdateDBData("REFPNTIDHIGH='1',REFPNTIDLOW='3'", "AuftragId<4"));
  ASSERT_TRUE(hub.UpdateDBData("Route=10001,Reihe=40", "AuftragId<3"));
  ASSERT_TRUE(hub.UpdateDBData("Route=10001", "AuftragId>2"));
  EXPECT_FALSE(hub.CheckStationList(0, 2, 0));
  EXPECT_FALSE(hub.CheckStationList(0, 0, 0));
  ASSERT_TRUE(hub.UpdateDBData("Route=10003,Reihe=5", "AuftragId=3"));
  EXPECT_TRUE(hub.CheckStationList(0, 2, 0));
  EXPECT_TRUE(hub.CheckStationList(0, 3, 0));
  EXPECT_FALSE(hub.CheckStationList(0, 4, 0));      // in no group
  EXPECT_FALSE(hub.CheckStationList(10002, 0, 0));  // the head lies below the step class
  EXPECT_EQ(Value("Route", 3), "10003");            // checking changes nothing
  EXPECT_TRUE(hub.CheckStationList(10000, 0, 1));
  // Only the member outside the head's route moves, to the route after the head's.
  EXPECT_THAT(Column("Route", "AuftragId<4"), ElementsAre("10001", "10001", "10002"));
  EXPECT_THAT(Column("Reihe", "AuftragId<4"), ElementsAre("40", "40", "40"));
  // A member passed by number is only checked, never moved.
  EXPECT_TRUE(hub.CheckStationList(0, 2, 1));
  EXPECT_EQ(Value("Route", 2), "10001");
}
}  // namespace
