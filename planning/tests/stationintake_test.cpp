#include <gmock/gmock.h>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// An order row of the web application: number, label, LKZ, PLZ, town, address line, stay,
// window, pin, then whatever Tail adds (GPS field, arrival times).
QString OrderRow(const QString& Number, const QString& Label, const QStringList& Tail = {}) {
  QStringList fields = {Number,          Label,  "D",     "95444", "Bayreuth",
                        "Hauptstraße 1", "1200", "28800", "43200", "7"};
  fields << Tail;
  return fields.join('~');
}

class StationIntakeTest : public HubTest {
 protected:
  // Reads a block of workflow Workflow whose query 1 holds Rows and selects that query.
  void Deliver(int Workflow, const QStringList& Rows, const QStringList& OtherLines = {}) {
    QStringList block = {"[ZEPRouting]", QString::number(Workflow)};
    for (int r = 0; r < Rows.size(); ++r) block << QString("Q1R%1=%2").arg(r + 1).arg(Rows[r]);
    block << OtherLines << "[ZEPRouting]";
    hub.ReadMapServerData(block.join("\n"));
    hub.SetQueryData(1);
  }
};

TEST_F(StationIntakeTest, ANewOrderIsBuiltFromItsRow) {
  Deliver(2, {OrderRow("4711", "Meier", {"", "07.10.2016 09:00"})});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(hub.QueryData, IsEmpty());
  ASSERT_THAT(ItemStrings(), ElementsAre("4711"));
  const TStation& station = *hub.StationList->GetStation(0);
  const std::pair<int, QString> expected[] = {{0, "4711"},     {1, "Meier"},
                                              {6, "D"},        {7, "95444"},
                                              {8, "Bayreuth"}, {10, "Hauptstraße 1"},
                                              {21, "28800"},   {22, "43200"},
                                              {23, "1200"},    {24, "07.10.2016 09:00"},
                                              {29, "7"},       {4, ""}};
  for (const auto& [field, value] : expected) EXPECT_EQ(station.Field(field), value) << field;
}

TEST_F(StationIntakeTest, WorkflowTwelveNumbersItsRowsDownwards) {
  Deliver(12, {OrderRow("100", "A"), OrderRow("abc", "B"), OrderRow("100", "C")});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(ItemStrings(), ElementsAre("3", "2", "1"));
  EXPECT_THAT(StationField(1), ElementsAre("A", "B", "C"));
}

TEST_F(StationIntakeTest, OrdersWithoutNumberGetOneBelowTheBlock) {
  QStringList rows = {OrderRow("0", "A"), OrderRow("x", "B")};
  for (int r = 3; r <= 12; ++r) rows << OrderRow(QString::number(r), "Z");
  Deliver(2, rows);
  hub.QueryDataToStationList(0);
  EXPECT_EQ(hub.StationList->Count(), 12);
  EXPECT_EQ(hub.StationList->Strings(0), "-13");
  EXPECT_EQ(hub.StationList->GetStationDataValue(1, 0), "-13");
}

TEST_F(StationIntakeTest, ArrivalTimesAreReadOnlyWhereTheWorkflowDeliversThem) {
  struct Case {
    int Workflow;
    quint8 Mode;
    QString Arrival;
  };
  const QStringList tail = {"", "07.10.2016 09:00", "12", "08.10.2016 10:00"};
  for (const Case& c : {Case{2, 0, "07.10.2016 09:00"}, Case{4, 0, "07.10.2016 09:00"},
                        Case{16, 0, "07.10.2016 09:00"}, Case{14, 0, ""},
                        Case{50, 0, "08.10.2016 10:00"}, Case{2, 3, ""}}) {
    hub.StationList->Clear();
    Deliver(c.Workflow, {OrderRow("5", "A", tail)});
    hub.QueryDataToStationList(c.Mode);
    EXPECT_THAT(StationField(24), ElementsAre(c.Arrival)) << c.Workflow << "/" << int(c.Mode);
  }
}

TEST_F(StationIntakeTest, ShortRowsAddNothing) {
  Deliver(2, {"1~A~D~95444~Bayreuth~Hauptstraße~1800~28800", "", OrderRow("2", "B")});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(ItemStrings(), ElementsAre("2"));
  // Without a pin field the pin is the default symbol.
  Deliver(2, {"3~C~D~95444~Bayreuth~Hauptstraße~1800~28800~43200"});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(StationField(29), ElementsAre("-1"));
  // An empty last field is a field all the same.
  Deliver(2, {"4~D~D~95444~Bayreuth~Hauptstraße~1800~28800~"});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(ItemStrings(), ElementsAre("4"));
}

TEST_F(StationIntakeTest, AKnownOrderKeepsItsGeocodingAndTakesTheNewAppointment) {
  TStation* known = Append(NewOrder(7, "1300000", "6400000"));
  known->SetField(14, "3");
  known->SetField(24, "06.10.2016 08:00");
  SyncAsSet();
  Deliver(2, {"7~Neu~X~00000~Anderswo~Weg 9~900~30000~40000~5"});
  hub.QueryDataToStationList(0);
  const TStation& station = *hub.StationList->GetStation(0);
  EXPECT_EQ(station.Field(4), "1300000");
  EXPECT_EQ(station.Field(14), "3");
  EXPECT_EQ(station.Field(8), "Bayreuth");  // the address of the table, not of the row
  EXPECT_EQ(station.Field(1), "Neu");
  EXPECT_EQ(station.Field(21), "30000");
  EXPECT_EQ(station.Field(22), "40000");
  EXPECT_EQ(station.Field(23), "900");
  EXPECT_EQ(station.Field(24), "");  // the row brings none, so the old one is gone
  EXPECT_EQ(station.Field(29), "5");
  EXPECT_EQ(station.Field(28), "1");  // Reihe of the table row
}

TEST_F(StationIntakeTest, WorkflowThirtyThreeBuildsKnownOrdersAgain) {
  Append(NewOrder(7, "1300000", "6400000"));
  SyncAsSet();
  Deliver(33, {OrderRow("7", "Neu")});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(StationField(4), ElementsAre(""));
  EXPECT_THAT(StationField(10), ElementsAre("Hauptstraße 1"));
}

TEST_F(StationIntakeTest, StartAndFinishRowsBecomeTheEndPoints) {
  Deliver(2, {OrderRow("-1", "Start"), OrderRow("8", "Kunde"), OrderRow("-2", "Ziel")});
  hub.QueryDataToStationList(0);
  EXPECT_THAT(ItemStrings(), ElementsAre("8"));
  ASSERT_TRUE(hub.StationList->Start && hub.StationList->Finish);
  EXPECT_EQ(hub.StationList->Start->Field(1), "Start");
  EXPECT_EQ(hub.StationList->Finish->Field(1), "Ziel");

  hub.StationList->SetRStart(hub.StationList->Start.get());
  Deliver(2, {OrderRow("-1", "Neuer Start")});
  hub.QueryDataToStationList(1);
  EXPECT_EQ(hub.StationList->Start->Field(1), "Neuer Start");
  EXPECT_FALSE(hub.StationList->RStart);
  EXPECT_THAT(ItemStrings(), ElementsAre("8"));
}

TEST_F(StationIntakeTest, AKnownOrderInModeOneOrTwoBecomesStartOrFinish) {
  Append(NewOrder(7, "1300000", "6400000"));
  SyncAsSet();
  Deliver(2, {OrderRow("7", "Depot")});
  hub.QueryDataToStationList(2);
  ASSERT_TRUE(hub.StationList->Finish);
  EXPECT_EQ(hub.StationList->Finish->Field(4), "1300000");
  EXPECT_EQ(hub.StationList->Count(), 0);
}

TEST_F(StationIntakeTest, TheGpsFieldPlacesAnOrderOnlyWithLatitudeAndLongitude) {
  const TPoint berlin = TTransform().TransGPSStringToMercator("52.52", "13.40");
  struct Case {
    QString GpsField;
    QStringList Items;
    QString X;
  };
  for (const Case& c :
       {Case{"a#b#52.52,13.40", {"9"}, QString::number(berlin.X)}, Case{"a#52.52,13.40", {}, ""},
        Case{"a#b#52.52", {}, ""}, Case{"", {"9"}, ""}}) {
    hub.StationList->Clear();
    Deliver(2, {OrderRow("9", "GPS", {c.GpsField})});
    hub.QueryDataToStationList(0);
    EXPECT_EQ(ItemStrings(), c.Items) << c.GpsField.toStdString();
    if (!c.Items.isEmpty()) {
      EXPECT_EQ(hub.StationList->GetStationDataValue(0, 4), c.X);
    }
  }
  EXPECT_TRUE(hub.Transform);
}

TEST_F(StationIntakeTest, AStartWithGpsPositionLeavesTheListAlone) {
  Deliver(2, {OrderRow("8", "Kunde"), OrderRow("-1", "Start", {"x#y#50.5,8.25"})});
  hub.QueryDataToStationList(0);
  const TPoint expected = TTransform().TransGPSStringToMercator("50.5", "8.25");
  ASSERT_TRUE(hub.StationList->Start);
  EXPECT_EQ(hub.StationList->Start->Field(0), "-1");
  EXPECT_EQ(hub.StationList->Start->Field(4), QString::number(expected.X));
  EXPECT_EQ(hub.StationList->Start->Field(5), QString::number(expected.Y));
  EXPECT_EQ(hub.StationList->Start->Field(10), "Hauptstraße 1");
  EXPECT_EQ(hub.StationList->Start->Field(9), "");
  EXPECT_EQ(hub.StationList->GetStationDataValue(0, 4), "");
}

TEST_F(StationIntakeTest, AddStationByXYSplitsTheAddress) {
  TStation* station =
      hub.AddStationByXY("12", "1300000", "6400000", "Bez",
                         "D|95444|Bayreuth|St. Georgen|Hauptstraße|5", "600", "0", "86399", "", "");
  EXPECT_EQ(station, hub.StationList->GetStation(0));
  const std::pair<int, QString> expected[] = {
      {4, "1300000"},     {5, "6400000"},      {6, "D"},  {7, "95444"}, {8, "Bayreuth"},
      {9, "St. Georgen"}, {10, "Hauptstraße"}, {11, "5"}, {23, "600"},  {29, "-1"}};
  for (const auto& [field, value] : expected) EXPECT_EQ(station->Field(field), value) << field;

  hub.AddStationByXY("-2", "1", "2", "Ziel", "D|95444", "0", "0", "86399", "3", "");
  ASSERT_TRUE(hub.StationList->Finish);
  EXPECT_EQ(hub.StationList->Finish->Field(4), "1");
  EXPECT_EQ(hub.StationList->Finish->Field(8), "");
  EXPECT_EQ(hub.StationList->Count(), 1);
}

TEST_F(StationIntakeTest, GpsPointsAllGetTheSameGeneratedNumber) {
  Append(NewOrder(3));
  hub.ReadMapServerData(
      "[ZEPRouting]\n24\nQ1R1=1~Punkt A~50.5~8.25\nQ1R2=2~Punkt B~50,6~8,3\n"
      "Q1R3=3~kaputt\n[ZEPRouting]");
  hub.SetQueryData(1);
  hub.QueryGPSDataToStationList();
  EXPECT_THAT(hub.QueryData, IsEmpty());
  EXPECT_THAT(ItemStrings(), ElementsAre("3", "-4", "-4"));
  EXPECT_THAT(StationField(1), ElementsAre("Auftrag 3", "Punkt A", "Punkt B"));
  EXPECT_EQ(hub.StationList->GetStationDataValue(1, 23), "1800");
  EXPECT_EQ(hub.StationList->GetStationDataValue(1, 21), "27000");
  EXPECT_EQ(hub.StationList->GetStationDataValue(1, 22), "72000");
  const TPoint b = TTransform().TransGPSStringToMercator("50.6", "8.3");
  EXPECT_EQ(hub.StationList->GetStationDataValue(2, 5), QString::number(b.Y));
}
}  // namespace
