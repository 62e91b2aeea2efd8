#include "planning/stationlist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/tests/printers.h"
#include "planning/routingresultlist.h"

namespace {
using ::testing::ElementsAre;

// Objects that report when they are freed.
class TrackedObject : public TObject {
 public:
  explicit TrackedObject(bool& Freed) : FFreed(Freed) {}
  ~TrackedObject() override { FFreed = true; }

 private:
  bool& FFreed;
};

class TrackedStation : public TStation {
 public:
  explicit TrackedStation(bool& Freed) : FFreed(Freed) {}
  ~TrackedStation() override { FFreed = true; }

 private:
  bool& FFreed;
};

class TrackedRow : public TStringList {
 public:
  explicit TrackedRow(bool& Freed) : FFreed(Freed) {}
  ~TrackedRow() override { FFreed = true; }

 private:
  bool& FFreed;
};

QStringList FieldsOf(const TStation& Station) { return Station.ToStringList(); }

TEST(StationTest, ANewStationHasThirtyEmptyFields) {
  TStation station;
  EXPECT_EQ(FieldsOf(station), QStringList(30, QString()));
  EXPECT_EQ(station.Field(29), "");
}

TEST(StationTest, FieldsOutsideTheThirtyReadEmptyAndIgnoreWrites) {
  TStation station;
  station.SetField(30, "x");
  station.SetField(-1, "x");
  EXPECT_EQ(station.Field(30), "");
  EXPECT_EQ(station.Field(-1), "");
  EXPECT_EQ(FieldsOf(station), QStringList(30, QString()));
}

// Three stations numbered 1, 2 and 3, labelled A, B and C.
class StationListTest : public ::testing::Test {
 protected:
  StationListTest() {
    for (const char* label : {"A", "B", "C"}) {
      const int index = list.Add(QString::number(list.Count() + 1));
      list.SetStationDataValue(index, 1, label);
    }
  }
  QStringList Labels() const {
    QStringList labels;
    for (int i = 0; i < list.Count(); ++i) labels << list.GetStationDataValue(i, 1);
    return labels;
  }
  TStationList list;
};

TEST_F(StationListTest, OperationsByAnIndexOutsideTheListDoNothing) {
  for (int index : {-1, 3, 100}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(list.GetStation(index), nullptr);
    EXPECT_EQ(list.GetStationDataValue(index, 1), "");
    list.SetStationDataValue(index, 1, "X");
    list.SetStationData(index);
    list.Delete(index);
    EXPECT_EQ(list.Count(), 3);
  }
  EXPECT_THAT(Labels(), ElementsAre("A", "B", "C"));
}

TEST_F(StationListTest, EveryWayOfAddingGivesTheItemAStation) {
  list.Add("4");
  list.AddObject("5", nullptr);
  list.Insert(0, "0");
  list.InsertObject(list.Count(), "6", nullptr);
  EXPECT_THAT(list.ToStringList(), ElementsAre("0", "1", "2", "3", "4", "5", "6"));
  for (int i = 0; i < list.Count(); ++i) {
    ASSERT_NE(list.GetStation(i), nullptr) << i;
    EXPECT_EQ(list.GetStation(i)->Count(), 30);
  }
}

TEST_F(StationListTest, AnObjectThatIsNoStationIsFreedAndReplaced) {
  bool freed = false;
  const int index = list.AddObject("9", new TrackedObject(freed));
  EXPECT_TRUE(freed);
  ASSERT_NE(list.GetStation(index), nullptr);
  EXPECT_EQ(FieldsOf(*list.GetStation(index)), QStringList(30, QString()));
}

TEST_F(StationListTest, AStationIsKeptAsGiven) {
  auto* station = new TStation();
  list.InsertObject(1, "9", station);
  EXPECT_EQ(list.GetStation(1), station);
  EXPECT_EQ(list.IndexOf("9"), 1);
}

TEST_F(StationListTest, InsertingOutsideTheListFreesTheObjectAndInsertsNothing) {
  for (int index : {-1, 4}) {
    bool freed = false;
    list.InsertObject(index, "9", new TrackedStation(freed));
    EXPECT_TRUE(freed) << index;
  }
  list.Insert(7, "9");
  EXPECT_THAT(list.ToStringList(), ElementsAre("1", "2", "3"));
}

TEST_F(StationListTest, DeleteFreesTheStation) {
  bool freed = false;
  list.InsertObject(1, "9", new TrackedStation(freed));
  list.Delete(1);
  EXPECT_TRUE(freed);
  EXPECT_THAT(Labels(), ElementsAre("A", "B", "C"));
}

TEST_F(StationListTest, LooksUpTheFirstStationOfANumber) {
  list.Add("2");
  EXPECT_EQ(list.IndexOf("2"), 1);
  EXPECT_EQ(list.IndexOf("7"), -1);
}

TEST_F(StationListTest, WritingAFieldGivesAnItemWithoutStationOne) {
  list.SetObject(1, nullptr);
  EXPECT_EQ(list.GetStation(1), nullptr);
  list.SetStationDataValue(1, 21, "28800");
  ASSERT_NE(list.GetStation(1), nullptr);
  EXPECT_EQ(list.GetStationDataValue(1, 21), "28800");
}

TEST_F(StationListTest, ClearKeepsStartFinishAndRouteStart) {
  list.Start = std::make_unique<TStation>();
  list.Finish = std::make_unique<TStation>();
  list.RStart = std::make_unique<TStation>();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(list.Start && list.Finish && list.RStart);
  list.ClearStart();
  EXPECT_FALSE(list.Start || list.RStart);
  EXPECT_TRUE(list.Finish);
  list.ClearFinish();
  EXPECT_FALSE(list.Finish);
}

struct PackedCase {
  const char* Name;
  QString Item;
  QStringList Fields;  // the first fields expected; all later ones empty
  QString ItemAfter;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const PackedCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SetStationDataTest : public ::testing::TestWithParam<PackedCase> {};

TEST_P(SetStationDataTest, UnpacksTheItemStringIntoFields) {
  const PackedCase& c = GetParam();
  TStationList list;
  list.Add(c.Item);
  list.SetStationData(0);
  QStringList expected = c.Fields;
  while (expected.size() < 30) expected << QString();
  EXPECT_EQ(FieldsOf(*list.GetStation(0)), expected);
  EXPECT_EQ(list.Strings(0), c.ItemAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetStationDataTest,
    ::testing::Values(PackedCase{"PipeAndTilde", "12|Name~x", {"12", "Name", "x"}, "12"},
                      PackedCase{"LineBreaks", "5\r\nB\rC\nD", {"5", "B", "C", "D"}, "5"},
                      PackedCase{"EmptyValuesKeepTheirPlace", "7||~Ort", {"7", "", "", "Ort"}, "7"},
                      PackedCase{"EmptyItem", "", {}, ""},
                      PackedCase{"OnlyThirtyValuesAreTaken",
                                 [] {
                                   QStringList values;
                                   for (int i = 0; i < 35; ++i) values << QString::number(i);
                                   return values.join('|');
                                 }(),
                                 [] {
                                   QStringList values;
                                   for (int i = 0; i < 30; ++i) values << QString::number(i);
                                   return values;
                                 }(),
                                 "0"}),
    [](const auto& info) { return std::string(info.param.Name); });

// An order 4711 with a time window from 08:00 to 12:00 and a stay of 30 minutes.
TStation Order4711() {
  TStation station;
  for (int field = 0; field < 30; ++field) station.SetField(field, QString("F%1").arg(field));
  station.SetField(0, "4711");
  station.SetField(21, "28800");
  station.SetField(22, "43200");
  station.SetField(23, "1800");
  return station;
}

QStringList WithEndPointFields(QStringList Fields, const QString& Number, const QString& Stay) {
  Fields[0] = Number;
  Fields[21] = "0";
  Fields[22] = "86399";
  Fields[23] = Stay;
  return Fields;
}

TEST(StationEndPointTest, RouteStartIsACopyWithNumberMinusOneWholeDayAndNoStay) {
  TStationList list;
  const TStation order = Order4711();
  list.SetRStart(&order);
  ASSERT_TRUE(list.RStart);
  EXPECT_EQ(FieldsOf(*list.RStart), WithEndPointFields(FieldsOf(order), "-1", "0"));
  EXPECT_EQ(FieldsOf(order)[0], "4711");
}

TEST(StationEndPointTest, FinishKeepsTheStayTimeOfItsSource) {
  TStationList list;
  const TStation order = Order4711();
  list.SetFinish(&order);
  ASSERT_TRUE(list.Finish);
  EXPECT_EQ(FieldsOf(*list.Finish), WithEndPointFields(FieldsOf(order), "-2", "1800"));
}

TEST(StationEndPointTest, TheRouteStartMayBeMadeFromItself) {
  TStationList list;
  const TStation order = Order4711();
  list.SetRStart(&order);
  list.RStart->SetField(23, "900");
  list.SetRStart(list.RStart.get());
  EXPECT_EQ(FieldsOf(*list.RStart), WithEndPointFields(FieldsOf(order), "-1", "0"));
}

TEST(StationEndPointTest, ALabelWithALineBreakStaysOneField) {
  TStationList list;
  TStation order = Order4711();
  order.SetField(1, "Meier\r\nHinterhaus");
  list.SetRStart(&order);
  list.SetFinish(&order);
  EXPECT_EQ(FieldsOf(*list.RStart), WithEndPointFields(FieldsOf(order), "-1", "0"));
  EXPECT_EQ(FieldsOf(*list.Finish), WithEndPointFields(FieldsOf(order), "-2", "1800"));
}

TEST(StationEndPointTest, WithoutAStationTheEndPointIsFreed) {
  TStationList list;
  const TStation order = Order4711();
  list.SetRStart(&order);
  list.SetFinish(&order);
  list.SetRStart(nullptr);
  list.SetFinish(nullptr);
  EXPECT_FALSE(list.RStart);
  EXPECT_FALSE(list.Finish);
}

struct CountCase {
  int Items;
  bool Start;
  bool RStart;
  bool Finish;
  int Expected;
};

void PrintTo(const CountCase& Case, std::ostream* Out) {
  *Out << Case.Items << " items, start " << Case.Start << ", route start " << Case.RStart
       << ", finish " << Case.Finish;
}

class StationCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(StationCountTest, CountsItemsAndTheEndPointsOfTheRoute) {
  const CountCase& c = GetParam();
  TStationList list;
  for (int i = 0; i < c.Items; ++i) list.Add(QString::number(i + 1));
  if (c.Start) list.Start = std::make_unique<TStation>();
  if (c.RStart) list.RStart = std::make_unique<TStation>();
  if (c.Finish) list.Finish = std::make_unique<TStation>();
  EXPECT_EQ(list.StationCount(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StationCountTest,
    ::testing::Values(CountCase{5, true, true, true, 7}, CountCase{5, true, false, true, 7},
                      CountCase{5, false, true, false, 6}, CountCase{2, false, false, true, 3},
                      CountCase{0, true, true, true, 2}, CountCase{0, false, false, false, 0}));

TEST(RoutingResultListTest, RowsKeepTheirValueListsAndAreFreedWithTheList) {
  bool freed = false;
  {
    TRoutingResultList results;
    results.FieldNames = {"Strecke", "Dauer"};
    auto* row = new TrackedRow(freed);
    row->Add("1,2 km");
    row->Add("00:03");
    results.AddObject("", row);
    EXPECT_EQ(results.Objects(0), row);
    EXPECT_EQ(results.GetStation(0), nullptr);
    EXPECT_FALSE(freed);
  }
  EXPECT_TRUE(freed);
}
}  // namespace
