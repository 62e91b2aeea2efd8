#include "planning/mapserverdata.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/tests/printers.h"
#include "planning/tests/hubfixture.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"
#include "store/routetable.h"
#include "store/tests/temporarydirectory.h"

namespace {
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

TEST(MapServerDataTest, ANewHubIsEmpty) {
  const TDateTime tomorrowBefore = IncDay(Date());
  TMapServerData hub;
  const TDateTime tomorrowAfter = IncDay(Date());
  EXPECT_EQ(hub.Count(), 0);
  EXPECT_EQ(hub.WorkflowId, -1);
  EXPECT_EQ(hub.FSeparator, "|");
  EXPECT_TRUE(hub.CDate == tomorrowBefore || hub.CDate == tomorrowAfter);
  EXPECT_EQ(hub.FListRoute, RouteTableColumnList());
  EXPECT_EQ(hub.RouteTable, "");
  EXPECT_EQ(hub.MapServerDB, nullptr);
  EXPECT_FALSE(hub.SetStatusText);
  EXPECT_FALSE(hub.RoutingResultList);
  ASSERT_TRUE(hub.StationList);
  EXPECT_EQ(hub.StationList->StationCount(), 0);
  EXPECT_THAT(hub.QueryData, IsEmpty());
  for (int number : {hub.RouteNr, hub.TRouteNr, hub.RoutingStepClass, hub.DayTimeWindow1,
                     hub.DayTimeWindow2, hub.BreakTime, hub.CalcModus, hub.MaxCalcStations,
                     hub.MaxAuftragCountOnDay, int(hub.FProfil), int(hub.TimeFactor)})
    EXPECT_EQ(number, 0);
  EXPECT_FALSE(hub.FirstOptStep);
}

TEST(MapServerDataTest, WithoutStoreTheStatementsFailQuietly) {
  TMapServerData hub;
  hub.SetRouteTable("R1");
  QStringList params = {"alt"};
  EXPECT_FALSE(hub.SelectDBData(hub.FListRoute, "", ""));
  EXPECT_EQ(hub.SelectDBDataCount(""), -1);
  EXPECT_FALSE(hub.UpdateDBData("Route=1", ""));
  EXPECT_FALSE(hub.SetRouteInDB(1, ""));
  hub.GetAuftragParams(7, &params);
  EXPECT_THAT(params, IsEmpty());
  hub.GetAuftragParams(7, nullptr);
}

// The field values of an order row as the synchronisation writes them: number and Reihe
// and Route bare, every text as an Access literal.
QString RowValues(const QStringList& Fields) {
  QStringList values = {Fields[0]};
  for (int field = 1; field < 28; ++field) values << SQLString(Fields[field], 2);
  values << Fields[28] << Fields[29];
  return values.join(',');
}

QStringList Order(int Number, const QString& Label) {
  QStringList fields(30);
  fields[0] = QString::number(Number);
  fields[1] = Label;
  fields[6] = "D";
  fields[7] = "95444";
  fields[8] = "Bayreuth";
  fields[10] = "Maximilianstraße 1";
  fields[21] = "28800";
  fields[22] = "43200";
  fields[23] = "1800";
  fields[24] = "07.10.2016 09:00";
  fields[28] = "1";
  fields[29] = "1";
  return fields;
}

// The hub fixture with rows written straight into its table, the way the synchronisation
// writes them.
class RouteTableHubTest : public HubTest {
 protected:
  void Insert(const QStringList& Fields) {
    ASSERT_TRUE(direct.SQLInsert("R1", hub.FListRoute, RowValues(Fields)))
        << direct.SQLErrorMsg.toStdString();
  }
};

TEST_F(RouteTableHubTest, SettingTheRouteTableCreatesItInTheStore) {
  EXPECT_EQ(hub.RouteTable, "R1");
  EXPECT_THAT(store.RouteTables.ToStringList(), ElementsAre("R1"));
  EXPECT_EQ(hub.SelectDBDataCount(""), 0);
}

TEST_F(RouteTableHubTest, ARefusedNameLeavesTheHubWithoutRouteTable) {
  store.SetROData(1001, 1, "2");
  hub.SetRouteTable("RO");
  EXPECT_EQ(hub.RouteTable, "");
  EXPECT_FALSE(hub.SetRouteInDB(-1, ""));
  EXPECT_EQ(hub.SelectDBDataCount(""), -1);
  EXPECT_THAT(store.Connection().SQLErrorMsg.toStdString(), HasSubstr("Routentabelle"));
  EXPECT_EQ(store.GetROData(1001, 1), "2");
}

TEST_F(RouteTableHubTest, SelectsWholeRowsInColumnOrder) {
  const QStringList order = Order(7, "Meier");
  Insert(order);
  ASSERT_TRUE(hub.SelectDBData(hub.FListRoute, "AuftragId=7", ""));
  ASSERT_EQ(SQLRecordCount(hub.Q), 1);
  for (int field = 0; field < 30; ++field)
    EXPECT_EQ(SQLFieldString(hub.Q, 1, field + 1), order[field]) << field;
}

TEST_F(RouteTableHubTest, SelectsOrderedAndCountsUnderACondition) {
  Insert(Order(9, "C"));
  Insert(Order(7, "A"));
  Insert(Order(8, "B"));
  EXPECT_THAT(Column("AuftragBez", ""), ElementsAre("A", "B", "C"));
  ASSERT_TRUE(hub.SelectDBData("", "", "AuftragBez DESC"));
  EXPECT_EQ(SQLFieldString(hub.Q, 1, 2), "C");
  EXPECT_EQ(hub.SelectDBDataCount("AuftragId>7"), 2);
  EXPECT_EQ(hub.SelectDBDataCount(""), 3);
}

TEST_F(RouteTableHubTest, AFailingStatementReportsFailure) {
  EXPECT_FALSE(hub.SelectDBData("NoSuchColumn", "", ""));
  EXPECT_EQ(hub.SelectDBDataCount("NoSuchColumn=1"), -1);
  EXPECT_FALSE(hub.UpdateDBData("NoSuchColumn=1", ""));
  EXPECT_TRUE(store.Connection().SQLExecError);
  EXPECT_FALSE(store.Connection().SQLErrorMsg.isEmpty());
}

TEST_F(RouteTableHubTest, UpdatesEveryRowWithoutCondition) {
  Insert(Order(7, "A"));
  Insert(Order(8, "B"));
  EXPECT_TRUE(hub.UpdateDBData("Route=-1,MEId=0", ""));
  EXPECT_EQ(store.Connection().SQLExecStatement, "UPDATE R1 SET Route=-1,MEId=0");
  EXPECT_THAT(Column("Route", ""), ElementsAre("-1", "-1"));
  EXPECT_THAT(Column("MEId", ""), ElementsAre("0", "0"));
}

TEST_F(RouteTableHubTest, SetsTheRouteOfTheRowsUnderACondition) {
  Insert(Order(7, "A"));
  Insert(Order(8, "B"));
  EXPECT_TRUE(hub.SetRouteInDB(-99, "AuftragId=8"));
  EXPECT_EQ(store.Connection().SQLExecStatement, "UPDATE R1 SET Route=-99 WHERE AuftragId=8");
  EXPECT_THAT(Column("Route", ""), ElementsAre("1", "-99"));
}

TEST_F(RouteTableHubTest, HandsOutTheAppointmentParametersOfAnOrder) {
  QStringList order = Order(7, "A");
  order[16] = "2";
  Insert(order);
  Insert(Order(8, "B"));
  QStringList params;
  hub.GetAuftragParams(7, &params);
  EXPECT_THAT(params, ElementsAre("28800", "43200", "2", "07.10.2016 09:00", "1800"));
  hub.GetAuftragParams(8, &params);
  EXPECT_THAT(params, ElementsAre("28800", "43200", "", "07.10.2016 09:00", "1800"));
  hub.GetAuftragParams(4711, &params);
  EXPECT_THAT(params, IsEmpty());
}

TEST_F(RouteTableHubTest, ReadingParametersLeavesTheSelectionOfTheCaller) {
  Insert(Order(7, "A"));
  Insert(Order(8, "B"));
  ASSERT_TRUE(hub.SelectDBData("AuftragId", "", "AuftragId"));
  QStringList params;
  hub.GetAuftragParams(8, &params);
  EXPECT_EQ(SQLRecordCount(hub.Q), 2);
  EXPECT_EQ(SQLFieldString(hub.Q, 1, 1), "7");
}

TEST_F(RouteTableHubTest, TextsSurviveTheRoundTripUnchanged) {
  QStringList order = Order(7, "Meier\r\nHinterhaus");
  order[10] = "Rue de l'Église 3";
  order[9] = "";
  Insert(order);
  ASSERT_TRUE(hub.SelectDBData(hub.FListRoute, "AuftragId=7", ""));
  EXPECT_EQ(SQLFieldString(hub.Q, 1, 2), "Meier\r\nHinterhaus");
  EXPECT_EQ(SQLFieldString(hub.Q, 1, 10), "");
  EXPECT_EQ(SQLFieldString(hub.Q, 1, 11), "Rue de l'Église 3");
  // The address condition of the address sequence finds the row by these very values.
  const QString address = "PLZ" + SQLEqualString(order[7]) + " AND STREET" +
                          SQLEqualString(order[10]) + " AND TOWN2" + SQLEqualString(order[9]);
  EXPECT_EQ(hub.SelectDBDataCount(address), 1);
  EXPECT_EQ(hub.SelectDBDataCount("TOWN2 is null"), 1);
}

TEST_F(RouteTableHubTest, AnUpdatedLabelSurvivesTheRoundTrip) {
  Insert(Order(7, "A"));
  const QString label = "Frau O'Neill\r\n2. Stock";
  ASSERT_TRUE(hub.UpdateDBData("AuftragBez=" + SQLString(label, 2), "AuftragId=7"));
  EXPECT_THAT(Column("AuftragBez", "AuftragId=7"), ElementsAre(label));
}
}  // namespace
