#include <gmock/gmock.h>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RouteTableSyncTest : public HubTest {
 protected:
  TStation* Order(int Number, const QString& Arrival = {}) {
    TStation* station = Append(NewOrder(Number));
    station->SetField(24, Arrival);
    return station;
  }
  // An order at the place (X, Y) with house-number position HNrPos and window end End.
  TStation* PlacedOrder(int Number, const QString& X, const QString& HNrPos,
                        const QString& End = "43200") {
    TStation* station = Append(NewOrder(Number, X, "6400000"));
    station->SetField(14, HNrPos);
    station->SetField(22, End);
    return station;
  }
};

TEST_F(RouteTableSyncTest, AFirstSyncWithoutStationsStillResetsEveryRow) {
  Order(1);
  Order(2);
  SyncAsSet();
  ASSERT_TRUE(hub.UpdateDBData("MEId='7'", ""));
  statusTexts.clear();
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_THAT(statusTexts, ElementsAre("Keine Stationen verfügbar!"));
  EXPECT_THAT(statusPanels, ElementsAre(1, 1));  // the first from the set-up sync
  EXPECT_THAT(Column("Route"), ElementsAre("-1", "-1"));
  EXPECT_THAT(Column("MEId"), ElementsAre("0", "0"));
}

TEST_F(RouteTableSyncTest, RouteAndReiheFollowTheClass) {
  struct Case {
    int ReiheClass;
    int RouteNr;
    QStringList Route;
    QStringList Reihe;
  };
  for (const Case& c :
       {Case{1, 0, {"1", "1", "1"}, {"1", "1", "1"}}, Case{2, 0, {"2", "2", "2"}, {"2", "3", "4"}},
        Case{99, 3, {"102", "102", "102"}, {"99", "100", "101"}}}) {
    hub.StationList->Clear();
    for (int number : {5, 6, 7}) Order(number);
    hub.RouteNr = c.RouteNr;
    hub.SyncRouteTable(true, c.ReiheClass, TDateTime(0));
    EXPECT_EQ(Column("Route"), c.Route) << c.ReiheClass;
    EXPECT_EQ(Column("Reihe"), c.Reihe) << c.ReiheClass;
  }
  EXPECT_THAT(statusTexts, ElementsAre("Stationsdaten werden übernommen...",
                                       "Stationsdaten werden übernommen...",
                                       "Stationsdaten werden übernommen..."));
}

TEST_F(RouteTableSyncTest, ASecondStationOfTheSameNumberUpdatesTheRow) {
  Order(5)->SetField(1, "erste");
  Order(5)->SetField(1, "zweite");
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_THAT(Column("AuftragBez"), ElementsAre("zweite"));
}

TEST_F(RouteTableSyncTest, AKnownOrderTakesTheNewAppointmentValues) {
  TStation* order = Order(5, "07.10.2016 09:00");
  order->SetField(1, "O'Brien");
  order->SetField(4, "1300000");
  SyncAsSet();
  TStation* again = Order(5);
  again->SetField(1, "Neu");
  again->SetField(21, "30000");
  again->SetField(4, "999");  // geocoding results of a known order are not rewritten
  hub.WorkflowId = 2;
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_EQ(Value("AuftragBez", 5), "Neu");
  EXPECT_EQ(Value("TimeWindow1", 5), "30000");
  EXPECT_EQ(Value("XCOORD", 5), "1300000");
  EXPECT_EQ(Value("ArrivalTime", 5), "");
}

TEST_F(RouteTableSyncTest, OnlyWorkflowsWithAppointmentsRewriteTheArrival) {
  struct Case {
    int Workflow;
    bool FirstSync;
    QString Arrival;
  };
  Order(5);
  SyncAsSet();
  for (const Case& c :
       {Case{2, true, "08.10.2016 10:00"}, Case{50, true, "08.10.2016 10:00"}, Case{14, true, ""},
        Case{12, true, "07.10.2016 09:00"}, Case{2, false, "07.10.2016 09:00"}}) {
    hub.StationList->Clear();
    ASSERT_TRUE(hub.UpdateDBData("ArrivalTime='07.10.2016 09:00'", ""));
    // Intake of workflow 14 reads no arrival time, so its stations have none.
    Order(5, c.Workflow == 14 ? "" : "08.10.2016 10:00");
    hub.WorkflowId = c.Workflow;
    hub.SyncRouteTable(c.FirstSync, 1, TDateTime(0));
    EXPECT_EQ(Value("ArrivalTime", 5), c.Arrival) << c.Workflow << " " << c.FirstSync;
  }
}

TEST_F(RouteTableSyncTest, OrdersAtOnePlaceFormGroupsWithAHead) {
  PlacedOrder(10, "1300000", "1", "43200");
  PlacedOrder(11, "1300000", "1", "36000");  // earlier window end: the head
  PlacedOrder(12, "1300000", "2");           // same place, other house number, alone
  PlacedOrder(20, "1400000", "");
  PlacedOrder(21, "1400000", "");
  PlacedOrder(22, "1400000", "");
  PlacedOrder(30, "1500000", "");
  PlacedOrder(0, "1500000", "");  // orders without a positive number never join
  PlacedOrder(-5, "1500000", "");
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_THAT(Column("AuftragId"),
              ElementsAre("-5", "0", "10", "11", "12", "20", "21", "22", "30"));
  EXPECT_THAT(Column("REFPNTIDLOW"), ElementsAre("", "", "2", "2", "", "3", "3", "3", ""));
  EXPECT_THAT(Column("REFPNTIDHIGH"), ElementsAre("", "", "11", "11", "", "20", "20", "20", ""));
}

TEST_F(RouteTableSyncTest, GroupsAreRecomputedAfterEveryLowClassSync) {
  PlacedOrder(10, "1300000", "");
  PlacedOrder(11, "1300000", "");
  SyncAsSet();
  PlacedOrder(11, "1300000", "");
  hub.StationList->GetStation(0)->SetField(22, "30000");
  hub.SyncRouteTable(true, 1, TDateTime(0));
  // The window of a known order is rewritten, so the head changes; its place is not.
  EXPECT_THAT(Column("REFPNTIDHIGH"), ElementsAre("11", "11"));
  ASSERT_TRUE(hub.UpdateDBData("XCOORD='1'", "AuftragId=10"));
  hub.StationList->Clear();
  hub.SyncRouteTable(false, 2, TDateTime(0));
  EXPECT_THAT(Column("REFPNTIDLOW"), ElementsAre("", ""));
}

class AddressSequenceTest : public RouteTableSyncTest {
 protected:
  // An order with the address (PLZ, town, district, street).
  void Row(int Number, const QString& District, const QString& Street, int Reihe = 1) {
    TStation* station = Append(NewOrder(Number));
    station->SetField(9, District);
    station->SetField(10, Street);
    // Not a first synchronisation: that would take the earlier rows out of the set.
    hub.SyncRouteTable(false, 1, TDateTime(0));
    hub.StationList->Clear();
    if (Reihe != 1) {
      ASSERT_TRUE(
          hub.UpdateDBData(QString("Reihe=%1").arg(Reihe), QString("AuftragId=%1").arg(Number)));
    }
  }
  void AddressStation(const QString& District, const QString& Street) {
    hub.AddStationByAdr("0", "D", "95444", "Bayreuth", Street, "", "1800", "27000", "72000", "",
                        "");
    hub.StationList->SetStationDataValue(hub.StationList->Count() - 1, 9, District);
  }
};

TEST_F(AddressSequenceTest, NumbersTheAddressesAfterTheHighestReihe) {
  struct Case {
    int HighestReihe;  // of a row outside the set, -1 for none
    QStringList Reihe;
  };
  for (const Case& c : {Case{-1, {"11", "12", "11"}}, Case{7, {"11", "12", "11"}},
                        Case{25, {"26", "27", "26"}}, Case{1500, {"11", "12", "11"}}}) {
    Execute("DELETE FROM R1");
    hub.StationList->Clear();
    Row(1, "", "Am Markt 1");
    Row(2, "", "Am Markt 2");
    Row(3, "", "Am Markt 1");
    if (c.HighestReihe >= 0) {
      Row(99, "", "Anderswo", c.HighestReihe);
      ASSERT_TRUE(hub.SetRouteInDB(500, "AuftragId=99"));
    }
    AddressStation("", "Am Markt 1");
    AddressStation("", "Am Markt 2");
    hub.RouteNr = 1;
    hub.SyncRouteTable(false, 10, TDateTime(0));
    EXPECT_EQ(Column("Reihe", "AuftragId<99"), c.Reihe) << c.HighestReihe;
    EXPECT_THAT(Column("Route", "AuftragId<99"), ElementsAre("11", "11", "11"));
  }
  EXPECT_EQ(statusTexts.last(), "Teilroute 1 wird zusammengestellt...");
  ASSERT_TRUE(hub.StationList->RStart);
  EXPECT_EQ(hub.StationList->RStart->Field(10), "Am Markt 2");
}

TEST_F(AddressSequenceTest, MatchesTheDistrictFirstAndThenAnyDistrict) {
  Row(1, "St. Georgen", "Am Markt 1");
  Row(2, "", "Am Markt 1");
  Row(3, "Laineck", "Am Markt 1");
  Row(4, "", "Weiher 2");
  Row(5, "", "Nirgendwo 3");
  ASSERT_TRUE(hub.SetRouteInDB(12, "AuftragId=4"));  // outside the set
  AddressStation("St. Georgen", "Am Markt 1");
  AddressStation("", "Weiher 2");
  hub.SyncRouteTable(false, 10, TDateTime(0));
  // The second statement finds the other rows of the address whatever their district.
  EXPECT_THAT(Column("Reihe"), ElementsAre("11", "11", "11", "1", "1"));
  EXPECT_THAT(Column("Route"), ElementsAre("10", "10", "10", "12", "1"));
}

TEST_F(AddressSequenceTest, RowsAlreadyPlacedKeepTheirPlace) {
  Row(1, "", "Am Markt 1");
  Row(2, "", "Am Markt 1");
  AddressStation("", "Am Markt 1");
  hub.SyncRouteTable(false, 10, TDateTime(0));
  ASSERT_TRUE(hub.UpdateDBData("Route=1", "AuftragId=2"));
  hub.StationList->Clear();
  AddressStation("", "Anderswo");
  AddressStation("", "Am Markt 1");
  hub.SyncRouteTable(false, 10, TDateTime(0));
  EXPECT_THAT(Column("Reihe"), ElementsAre("11", "11"));
}

TEST_F(RouteTableSyncTest, SubRoutesCountMinutesFromTheFirstArrival) {
  for (int number : {1, 2, 3, 4}) Order(number);
  SyncAsSet();
  Order(3, "07.10.2016 08:00")->SetField(25, "1200");
  Order(1, "07.10.2016 08:45");
  Order(2, "07.10.2016 09:30");
  Order(4, "kaputt");
  hub.RouteNr = 2;
  hub.SyncRouteTable(false, 10000, TDateTime(0));
  EXPECT_THAT(Column("Reihe", "AuftragId<4"), ElementsAre("45", "90", "0"));
  EXPECT_THAT(Column("Route"), ElementsAre("10002", "10002", "10002", "10002"));
  EXPECT_EQ(Value("Distance", 3), "1200");
  EXPECT_EQ(Value("ArrivalTime", 1), "");  // sub-route times are not kept
  // An unreadable arrival counts from day 0 and still gives a number of minutes.
  EXPECT_GT(Value("Reihe", 4).toLongLong(), 60000000);
  ASSERT_TRUE(hub.StationList->RStart);
  EXPECT_EQ(hub.StationList->RStart->Field(24), "kaputt");
  EXPECT_EQ(hub.StationList->RStart->Field(0), "-1");
}

TEST_F(RouteTableSyncTest, ADayRouteEndsAtTheNextDate) {
  for (int number : {1, 2, 3}) Order(number);
  SyncAsSet();
  Order(2, "07.10.2016 08:00")->SetField(26, "5");
  Order(1, "07.10.2016 09:00");
  Order(3, "08.10.2016 08:00");
  hub.RouteNr = 1;
  hub.TRouteNr = 1;
  hub.CDate = EncodeDate(2016, 10, 7);
  hub.FirstOptStep = true;
  hub.SyncRouteTable(false, 100000, TDateTime(0));
  EXPECT_THAT(Column("Route"), ElementsAre("100001", "100001", "1"));
  EXPECT_THAT(Column("Reihe"), ElementsAre("100100", "100000", "1"));
  EXPECT_THAT(Column("ArrivalTime"), ElementsAre("07.10.2016 09:00", "07.10.2016 08:00", ""));
  EXPECT_EQ(Value("WaitTime", 2), "5");
  ASSERT_TRUE(hub.StationList->RStart);
  EXPECT_EQ(hub.StationList->RStart->Field(24), "07.10.2016 09:00");
  EXPECT_EQ(statusTexts.last(), "Tagesroute 1 (07.10.2016) wird berechnet...");
}

TEST_F(RouteTableSyncTest, GroupMembersFollowTheirHeadInTheDayRoute) {
  PlacedOrder(10, "1300000", "", "43200");
  PlacedOrder(11, "1300000", "", "43200")->SetField(23, "900");
  PlacedOrder(12, "1300000", "", "36000")->SetField(23, "600");  // the head
  PlacedOrder(13, "1300000", "", "36000");
  PlacedOrder(20, "1400000", "");
  SyncAsSet();
  EXPECT_EQ(Value("REFPNTIDHIGH", 13), "12");
  TStation* other = Order(20, "07.10.2016 08:00");
  other->SetField(25, "4000");
  TStation* head = Order(12, "07.10.2016 09:00");
  head->SetField(15, "12");
  head->SetField(25, "3000");
  head->SetField(26, "60");
  head->SetField(23, "4500");  // as loaded: the stays of the whole group
  hub.RouteNr = 4;
  hub.FirstOptStep = true;
  hub.SyncRouteTable(false, 100000, TDateTime(0));
  // The head's own stay from the table, then each member's stay in window-end order.
  EXPECT_THAT(Column("ArrivalTime", "", "Reihe"),
              ElementsAre("07.10.2016 08:00", "07.10.2016 09:00", "07.10.2016 09:10",
                          "07.10.2016 09:40", "07.10.2016 10:10"));
  EXPECT_THAT(Column("AuftragId", "", "Reihe"), ElementsAre("20", "12", "13", "10", "11"));
  EXPECT_THAT(Column("Reihe", "", "Reihe"),
              ElementsAre("100000", "100100", "100101", "100102", "100103"));
  EXPECT_THAT(Column("Route"), ElementsAre("100004", "100004", "100004", "100004", "100004"));
  EXPECT_THAT(Column("Distance"), ElementsAre("3000", "3000", "3000", "3000", "4000"));
  EXPECT_EQ(Value("WaitTime", 11), "60");
}

TEST_F(RouteTableSyncTest, GroupMembersOfASubRouteTakeTheHeadsPlace) {
  PlacedOrder(10, "1300000", "", "43200");
  PlacedOrder(12, "1300000", "", "36000");
  Order(5);
  SyncAsSet();
  Order(5, "07.10.2016 08:00");
  TStation* head = Order(12, "07.10.2016 08:30");
  head->SetField(15, "12");
  hub.RouteNr = 1;
  hub.SyncRouteTable(false, 10000, TDateTime(0));
  EXPECT_THAT(Column("Reihe"), ElementsAre("0", "30", "30"));
  EXPECT_THAT(Column("Route"), ElementsAre("10001", "10001", "10001"));
}

TEST_F(RouteTableSyncTest, AFailedStatementStopsTheWritingAndIsShown) {
  Order(1);
  Order(2);
  Execute("DROP TABLE R1");
  statusTexts.clear();
  hub.SyncRouteTable(true, 1, TDateTime(0));
  ASSERT_EQ(statusTexts.size(), 2);
  EXPECT_FALSE(statusTexts[1].isEmpty());
  EXPECT_EQ(statusTexts[1], store.Connection().SQLErrorMsg);
}

TEST_F(RouteTableSyncTest, WhatWasWrittenBeforeAFailureStays) {
  Order(1);
  Order(2)->SetField(23, "123456");  // longer than the column allows
  Order(3);
  statusTexts.clear();
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_THAT(Column("AuftragId"), ElementsAre("1"));
  ASSERT_EQ(statusTexts.size(), 2);
  EXPECT_THAT(statusTexts[1].toStdString(), ::testing::HasSubstr("StayTime"));
  // The same list again: order 1 is known now and updated, order 2 fails again.
  hub.StationList->GetStation(0)->SetField(1, "neu");
  hub.SyncRouteTable(true, 1, TDateTime(0));
  EXPECT_THAT(Column("AuftragBez"), ElementsAre("neu"));
}

TEST_F(RouteTableSyncTest, MembersArriveOneAfterTheOther) {
  PlacedOrder(10, "1300000", "", "43200")->SetField(23, "600");
  PlacedOrder(11, "1300000", "", "36000")->SetField(23, "abc");
  PlacedOrder(12, "1300000", "", "30000");
  PlacedOrder(13, "1300000", "", "36000")->SetField(23, "1200");
  SyncAsSet();
  ASSERT_EQ(Value("REFPNTIDHIGH", 11), "12");
  TDateTime next = EncodeDateTime(2016, 10, 7, 9, 0, 0, 0);
  EXPECT_EQ(hub.GetIdenticalStationResults("12", next),
            "11=07.10.2016 09:00\r\n13=07.10.2016 09:00\r\n10=07.10.2016 09:20");
  EXPECT_EQ(FormatDateTime("hh:nn", next), "09:30");
  EXPECT_EQ(hub.GetIdenticalStationResults("10", next), "");
  EXPECT_EQ(hub.GetIdenticalStationResults("12 OR 1=1", next), "");
}
}  // namespace
