#include <gtest/gtest.h>

#include "map/routing.h"
#include "map/tests/routingfakes.h"
#include "planning/mapserverdata.h"

namespace {
// The routing adapter over a lister and route that write down what they are asked.
class RoutingAdapter : public testing::Test {
 protected:
  void SetUp() override {
    routing.m_RouteLister = lister;
    lister->NewRoute(routing.m_Route);
    routing.SetMapServerData(&hub);
    hub.SetStatusText = [this](const QString& Text, int Panel) { status[Panel] = Text; };
  }
  RecordingRoute& route() { return *static_cast<RecordingRoute*>(routing.m_Route.get()); }

  TStation* Add(const QString& Nr, const QString& From = "28800", const QString& To = "64800",
                const QString& Stay = "1800") {
    auto* s = new TStation();
    s->SetField(0, Nr);
    s->SetField(1, "Station " + Nr);
    s->SetField(4, QString::number(1217000 + Nr.toInt() * 100));
    s->SetField(5, QString::number(6482000 + Nr.toInt() * 50));
    s->SetField(21, From);
    s->SetField(22, To);
    s->SetField(23, Stay);
    hub.StationList->AddObject(Nr, s);
    return s;
  }
  void AddStartAndFinish() {
    TStation place;
    place.SetField(1, "Depot");
    place.SetField(4, "1216000");
    place.SetField(5, "6481000");
    hub.StationList->SetRStart(&place);
    hub.StationList->SetFinish(&place);
  }
  QStringList WaypointLabels() const {
    QStringList labels;
    for (const CodedRecord& w : routing.m_Route->Waypoints())
      labels << (w.isEmpty() ? "" : w[0].second.toString());
    return labels;
  }
  QList<int> TableRow(int Row) const {
    QList<int> values;
    for (const QVariantList& c : lister->StationTable.Columns) values << c[Row].toInt();
    return values;
  }

  std::shared_ptr<RecordingLister> lister = std::make_shared<RecordingLister>();
  TMapServerData hub;
  TRouting routing;
  QString status[2];
};
}  // namespace

TEST_F(RoutingAdapter, WaypointsAreStartStationsInListOrderAndFinish) {
  AddStartAndFinish();
  for (const char* nr : {"3", "1", "2"}) Add(nr);
  routing.CreateRoute();
  EXPECT_EQ(WaypointLabels(),
            (QStringList{"Depot", "Station 3", "Station 1", "Station 2", "Depot"}));
}

TEST_F(RoutingAdapter, ASingleStationStartsNoCalculationButReplacesTheWaypoints) {
  Add("1");
  EXPECT_FALSE(routing.CalculateRoute(0, true, 0, 75));
  EXPECT_TRUE(lister->Calculations.isEmpty());
  EXPECT_EQ(WaypointLabels(), QStringList{"Station 1"});
}

TEST_F(RoutingAdapter, OptimisationCodeFollowsModeStartAndFinish) {
  const struct {
    int mode;
    int stations;
    bool start;
    bool finish;
    int code;
  } cases[] = {
      {1, 5, true, true, 2},  {2, 5, true, true, 1},   {1, 5, true, false, 6},
      {2, 5, true, false, 5}, {1, 5, false, true, 2},  {2, 5, false, false, 5},
      {0, 5, true, true, 0},  {2, 2, false, false, 0},
  };
  for (const auto& c : cases) {
    hub.StationList->Clear();
    hub.StationList->SetRStart(nullptr);
    hub.StationList->SetFinish(nullptr);
    for (int i = 1; i <= c.stations; ++i) Add(QString::number(i));
    TStation place;
    if (c.start) hub.StationList->SetRStart(&place);
    if (c.finish) hub.StationList->SetFinish(&place);
    routing.SetRoutingOptions(c.mode, 0, 75);
    EXPECT_EQ(route().OptimizationCode, c.code) << c.mode << " " << c.start << " " << c.finish;
  }
  EXPECT_EQ(route().Calls.mid(route().Calls.size() - 7),
            (QStringList{"option 0 4", "start -1", "block", "optimisation 0", "option 0 0",
                         "range 0 0 86400 0", "factor 0 75"}));
}

TEST_F(RoutingAdapter, SpeedProfilesFollowTheProfileNumber) {
  const struct {
    quint8 profile;
    int firstSpeed;
    int lastRoadType;
    bool shortTour;
  } cases[] = {{1, 140, 100, false}, {2, 130, 100, false}, {9, 10, 0, true}, {0, 130, 100, false}};
  for (const auto& c : cases) {
    route().Driving = std::make_shared<RecordingDrivingOptions>();
    routing.SetRoutingOptions(0, c.profile, 75);
    ASSERT_EQ(route().Driving->Speeds.size(), 17);
    EXPECT_EQ(route().Driving->Speeds[0], 0);
    EXPECT_EQ(route().Driving->Speeds[1], c.firstSpeed);
    EXPECT_EQ(route().Driving->RoadTypes.value(8), c.lastRoadType);
    EXPECT_EQ(route().Driving->Calls.contains("option 0 -1"), c.shortTour);
  }
}

TEST_F(RoutingAdapter, ImpossibleWindowsAreDroppedAndTheOptionVectorNamesTheReorderedPart) {
  AddStartAndFinish();
  Add("1");
  Add("2", "50000", "40000");
  Add("3", "", "");
  Add("4", "36000", "");
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  EXPECT_EQ(hub.StationList->IndexOf("2"), -1);
  EXPECT_EQ(lister->OptionVector, (QVariantList{1, 2, 2, 4, 0, 0, 0, 0}));
  EXPECT_EQ(TableRow(0), (QList<int>{-1, 1, 3, 4, -2}));
  EXPECT_EQ(TableRow(3), (QList<int>{0, 28800, 27000, 36000, 0}));
  EXPECT_EQ(TableRow(4), (QList<int>{86399, 64800, 72000, 72000, 86399}));
  EXPECT_EQ(TableRow(5), (QList<int>{0, 1800, 1800, 1800, 1800}));
}

TEST_F(RoutingAdapter, OneStationIsSentAsStartStationAndFinish) {
  Add("7", "30000", "40000");
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  EXPECT_EQ(TableRow(0), (QList<int>{-1, 7, -2}));
  EXPECT_EQ(TableRow(1), (QList<int>(3, 1217700)));
  EXPECT_EQ(TableRow(3), (QList<int>{0, 30000, 0}));
  EXPECT_EQ(TableRow(4), (QList<int>{86399, 40000, 86399}));
  EXPECT_EQ(lister->OptionVector, (QVariantList{1, 2, 2, 3, 0, 0, 0, 0}));
}

TEST_F(RoutingAdapter, TechnicianTimesComeInPairsAndRaiseEarlyWindows) {
  for (const char* nr : {"1", "2", "3"}) Add(nr, "25000");
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 30000, 0, false, 0, 75));
  EXPECT_EQ(lister->OptionVector.mid(6), (QVariantList{0, 0}));
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 30000, 60000, false, 0, 75));
  EXPECT_EQ(lister->OptionVector.mid(6), (QVariantList{30000, 60000}));
  EXPECT_EQ(TableRow(3), (QList<int>{30000, 30000, 30000}));
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 30000, 60000, true, 0, 75));
  EXPECT_EQ(lister->OptionVector.mid(6), (QVariantList{0, 0}));
  EXPECT_EQ(TableRow(3), (QList<int>{27000, 27000, 27000}));
}

TEST_F(RoutingAdapter, OptimiserStatusesSetNumberAndText) {
  const struct {
    int status;
    const char* text;
  } cases[] = {{-1001, "Initialisierung Wegoptimierung fehlgeschlagen"},
               {-1008, "Höchstens 200 Wegpunkte zulässig"},
               {-1009, "Höchstens 200 Wegpunkte zulässig"},
               {-1015, "unzulässige Entfernung zweier Wegpunkte"},
               {-1099, "unzulässige Entfernung zweier Wegpunkte"}};
  int told = 0;
  routing.AfterStationsOptimizedExtProc = [&told] { ++told; };
  for (const auto& c : cases) {
    routing.StationsOptimized(1, c.status, {});
    EXPECT_EQ(routing.ErrorNr, c.status);
    EXPECT_EQ(routing.ErrorMsg, QString::fromUtf8(c.text)) << c.status;
  }
  EXPECT_EQ(told, 5);
}

TEST_F(RoutingAdapter, ProgressIsClampedAndTranslated) {
  const struct {
    const char* code;
    int percent;
    const char* panel0;
    const char* panel1;
  } cases[] = {
      {"%1", 250, "101", "Berechnung der Route..."},
      {"%2", -7, "-1", "Sortierung der Wegpunkte..."},
      {"%4", 50, "50", "Abbruch durch Benutzer"},
      {"%10", 0, "0", "Anschlußstation stimmt mit Segment bei SegmentRouting nicht überein"},
      {"%11", 3, "3", "Anschlußstation stimmt mit Segment bei SegmentRouting nicht überein"}};
  for (const auto& c : cases) {
    bool go = false;
    routing.Progress(c.code, c.percent, go);
    EXPECT_TRUE(go);
    EXPECT_EQ(status[0], c.panel0);
    EXPECT_EQ(status[1], QString::fromUtf8(c.panel1));
  }
}

TEST_F(RoutingAdapter, ACancelThatTheListerRefusesIsError39) {
  routing.m_AltRoute = 1;
  routing.CancelCalculateRoute();
  EXPECT_EQ(routing.m_AltRoute, 0);
  routing.CancelCalculateRoute();
  EXPECT_EQ(routing.m_AltRoute, 0);
  lister->CancelStatus = ComFail("nein");
  routing.CancelCalculateRoute();
  EXPECT_EQ(routing.ErrorNr, 39);
  EXPECT_EQ(routing.ErrorMsg, "nein");
}

TEST_F(RoutingAdapter, TwoStationsBecomeACalculationWithoutDrawing) {
  AddStartAndFinish();
  ASSERT_TRUE(routing.OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  EXPECT_EQ(lister->Calculations, QList<bool>{false});
}

TEST_F(RoutingAdapter, CalculatedRoutesAreKeptPerRouteNumber) {
  routing.RouteCalculated(0, 12340, 540);
  EXPECT_EQ(status[1], "Fahrstrecke: 12,34 km; Fahrdauer: 01:30 h");
  routing.RouteCalculated(4, 500, 9000);
  EXPECT_EQ(routing.GetRoutingResults(4), "Fahrstrecke: 0,50 km; Fahrdauer: 25:00 h");
  routing.RouteCalculated(5, 1, 1);
  EXPECT_EQ(routing.GetRoutingResults(5), "");
  EXPECT_EQ(status[1], "");
  EXPECT_EQ(routing.GetRoutingResults(-1), "");
  int told = 0;
  routing.AfterCalculatedProc = [&told] { ++told; };
  routing.RouteCalculated(1, 2000, 60);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(status[1], "");
  EXPECT_EQ(routing.GetRoutingResults(1), "Fahrstrecke: 2,00 km; Fahrdauer: 00:10 h");
}
