#include <QDateTime>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "geo/map/compiledmap.h"
#include "geo/route/router.h"
#include "map/component/imapview.h"
#include "map/component/routeimpl.h"
#include "map/routing.h"
#include "map/tests/geocodingfixture.h"
#include "planning/routingresultlist.h"

namespace {
constexpr int kWait = 20000;

// Geocoding and routing of a workspace on the demo map, driven through the adapters' events.
class RoutingFlow : public GeocodingFixture {
 protected:
  void SetUp() override {
    GeocodingFixture::SetUp();
    routing = CreateRouting(*view);
    ASSERT_NE(routing, nullptr);
    ASSERT_EQ(routing->ErrorNr, 0);
    routing->SetMapServerData(&hub);
    routing->AfterStationsOptimizedExtProc = [this] { ++optimised; };
    routing->AfterCalculatedProc = [this] { ++calculated; };
  }

  TStation* Stop(const QString& Nr, const QString& PostalCode, const QString& Street, int From,
                 int To, int Stay) {
    TStation* s = AddStation(Nr, "", PostalCode, "Lindenau", Street);
    s->SetField(21, QString::number(From));
    s->SetField(22, QString::number(To));
    s->SetField(23, QString::number(Stay));
    return s;
  }
  // A depot as route start and finish.
  void Depot() {
    TStation depot;
    depot.SetField(10, "Marktplatz 1");
    depot.SetField(7, "96201");
    depot.SetField(8, "Lindenau");
    ASSERT_TRUE(geocoding.GeocodingStation(&depot, 1));
    hub.StationList->SetRStart(&depot);
    hub.StationList->SetFinish(&depot);
  }
  bool Optimise() {
    const int before = optimised;
    if (!routing->OptimizeStationSequenceExt(1, 0, 0, false, 0, 75)) return false;
    EXPECT_EQ(optimised, before) << "told inside the starting call";
    return QTest::qWaitFor([&] { return optimised > before; }, kWait);
  }
  static qint64 Seconds(const QString& Arrival) {
    const QDateTime t = QDateTime::fromString(Arrival, "dd.MM.yyyy hh:mm");
    return QDateTime(t.date(), t.time(), Qt::UTC).toSecsSinceEpoch();
  }
  static geo::Point PointOf(const TStation& S) { return {S.Field(4).toInt(), S.Field(5).toInt()}; }

  TRouting* routing = nullptr;
  int optimised = 0;
  int calculated = 0;
};
}  // namespace

TEST_F(RoutingFlow, ACalculatedRouteIsToldListedAndTimedThroughTheEventLoop) {
  Stop("1", "96201", "Bahnhofstraße 7", 28800, 64800, 1800);
  Stop("2", "96201", "Schulstraße 4", 28800, 64800, 1800);
  Stop("3", "96202", "Kirchweg 2", 28800, 64800, 1800);
  ASSERT_TRUE(geocoding.GeocodingStations(true));
  int listed = 0;
  int distance = 0;
  routing->AfterListedProc = [&listed] { ++listed; };
  routing->AfterCalculatedProc = [&] {
    ++calculated;
    distance = routing->RoutingResults[0].Distance;
  };
  routing->RoutingStartTime = TDateTime::FromQDate(QDate(2026, 12, 14));
  ASSERT_TRUE(routing->CalculateRoute(0, true, 0, 75));
  EXPECT_EQ(calculated, 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return listed > 0; }, kWait));
  EXPECT_EQ(calculated, 1);
  EXPECT_GT(distance, 0);
  ASSERT_EQ(hub.RoutingResultList->Count(), 3);
  EXPECT_EQ(hub.RoutingResultList->FieldNames.value(9), "Symbol");
  EXPECT_TRUE(status[0] == "100") << qPrintable(status[0]);
}

// Twelve orders with typos, one ambiguous address answered in the dialog and one unknown
// address are geocoded, then optimised within their windows from and back to a depot; every
// leg agrees with a single route between its two points.
TEST_F(RoutingFlow, TwelveOrdersAreGeocodedOptimisedAndTimedAsTheRoadsAllow) {
  // The ambiguous street is answered with its second candidate; the unknown one, placed in the
  // town by a corrected postal code, is not geocoded.
  form.AnswerProvider = [this](TUserRequestForm& f) {
    ++questions;
    if (f.Label2->text().contains("Unbekannte")) return f.BitBtn2->click();
    f.SelectItem(1);
    f.BitBtn1->click();
  };
  Depot();
  const struct {
    const char* postalCode;
    const char* street;
    int from;
    int to;
  } orders[] = {
      {"96201", "Bahnhofstrase 7", 28800, 64800}, {"96201", "Schulstr. 4", 28800, 43200},
      {"96202", "Kirchweg 2", 28800, 64800},      {"", "Mühlerstraße 4", 28800, 64800},
      {"96201", "Gartenstraße 3", 36000, 64800},  {"96202", "Lindenallee 9", 28800, 64800},
      {"96201", "Hauptstraße 12", 28800, 64800},  {"96202", "Ahornweg 5", 43200, 64800},
      {"96201", "Rosenweg 3", 28800, 64800},      {"96202", "Waldstrasse 6", 28800, 64800},
      {"96201", "Birkenweg 4", 28800, 64800},     {"99999", "Unbekannte Gasse 1", 28800, 64800},
  };
  int nr = 1;
  for (const auto& o : orders)
    Stop(QString::number(nr++), o.postalCode, o.street, o.from, o.to, 1200);
  ASSERT_TRUE(geocoding.GeocodingStations(false));
  EXPECT_EQ(questions, 2);
  EXPECT_EQ(status[1], "12 von 12 Stationen geocodiert (1 Fehler)");
  const int unknown = hub.StationList->IndexOf("12");
  EXPECT_TRUE(hub.StationList->GetStationDataValue(unknown, 4).isEmpty());
  hub.StationList->Delete(unknown);

  routing->RoutingStartTime = TDateTime::FromQDate(QDate(2026, 12, 14));
  ASSERT_TRUE(Optimise());
  ASSERT_EQ(routing->ErrorNr, 0) << qPrintable(routing->ErrorMsg);
  ASSERT_EQ(hub.StationList->Count(), 11);

  const auto map = std::shared_ptr<geo::CompiledMap>([] {
    std::string e;
    return geo::CompiledMap::open(DemoMapRoot().toStdString(), e).release();
  }());
  ASSERT_TRUE(map);
  const geo::Router router(*map);
  const geo::RouteOptions options{geo::Profile::standard(), 75};
  geo::Point previous = PointOf(*hub.StationList->RStart);
  qint64 ready = 0;  // when the previous stop is done, seconds of its day
  qint64 driven = 0;
  for (int i = 0; i < hub.StationList->Count(); ++i) {
    const TStation& s = *hub.StationList->GetStation(i);
    const std::vector<geo::Point> leg{previous, PointOf(s)};
    const geo::RouteResult single = router.route(leg, options);
    ASSERT_TRUE(single.ok);
    driven += single.distanceMetres();
    EXPECT_EQ(s.Field(25).toLongLong(), driven) << i;
    const qint64 arrival = Seconds(s.Field(24)) - Seconds("14.12.2026 00:00");
    const qint64 wait = s.Field(26).toInt();
    if (i > 0) {
      EXPECT_NEAR(arrival, ready + single.durationSeconds(), 60) << i;
    }
    EXPECT_GE(arrival + wait + 59, s.Field(21).toInt()) << i;
    EXPECT_LE(arrival + wait, s.Field(22).toInt()) << i;
    ready = arrival + wait + s.Field(23).toInt();
    previous = PointOf(s);
  }
  EXPECT_EQ(routing->RoutingResults[0].Distance, driven);
}

// A tour too long for one day goes on at the next working day.
TEST_F(RoutingFlow, ATourTooLongForOneDayGoesOnAtTheNextWorkingDay) {
  Depot();
  const char* streets[] = {"Bahnhofstraße 7", "Schulstraße 4",  "Hauptstraße 12", "Rosenweg 3",
                           "Birkenweg 4",     "Gartenstraße 3", "Hauptstraße 30", "Schulstraße 10"};
  int nr = 1;
  for (const char* street : streets)
    Stop(QString::number(nr++), "96201", street, 28800, 43200, 5400);
  ASSERT_TRUE(geocoding.GeocodingStations(true));
  routing->RoutingStartTime = TDateTime::FromQDate(QDate(2026, 12, 11));  // a Friday
  routing->StationsOptimizedValidDays = "1111100";
  ASSERT_TRUE(Optimise());
  ASSERT_EQ(routing->ErrorNr, 0) << qPrintable(routing->ErrorMsg);
  QStringList dates;
  for (int i = 0; i < hub.StationList->Count(); ++i) {
    const QString day = hub.StationList->GetStationDataValue(i, 24).left(10);
    if (!dates.contains(day)) dates << day;
  }
  EXPECT_GE(dates.size(), 3);
  EXPECT_EQ(dates.mid(0, 3), (QStringList{"11.12.2026", "14.12.2026", "15.12.2026"}));
}

TEST_F(RoutingFlow, ANoisyTrackIsSnappedToItsRoad) {
  TStation a, b;
  for (auto [s, street] : {std::pair{&a, "Hauptstraße 2"}, std::pair{&b, "Hauptstraße 40"}}) {
    s->SetField(7, "96201");
    s->SetField(8, "Lindenau");
    s->SetField(10, street);
    ASSERT_TRUE(geocoding.GeocodingStation(s, 1));
  }
  std::string error;
  const auto map = geo::CompiledMap::open(DemoMapRoot().toStdString(), error);
  const geo::Router router(*map);
  const std::vector<geo::Point> ends{PointOf(a), PointOf(b)};
  const geo::RouteResult road = router.route(ends, {});
  ASSERT_TRUE(road.ok);
  int k = 0;
  for (std::size_t i = 0; i < road.geometry.size(); ++i) {
    const geo::Point p = road.geometry[i];
    auto* s = new TStation();
    s->SetField(4, QString::number(p.x + (k % 3 - 1) * 9));
    s->SetField(5, QString::number(p.y + ((k + 1) % 3 - 1) * 9));
    hub.StationList->AddObject(QString::number(++k), s);
  }
  routing->RoadMatching();
  EXPECT_EQ(calculated, 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return calculated > 0; }, kWait));
  EXPECT_EQ(routing->ErrorNr, 0) << qPrintable(routing->ErrorMsg);
  const TRect section = view->GetIMapView()->Section();
  EXPECT_LT(section.Right - section.Left, 5000) << "the view shows the matched route";
  const auto* route = dynamic_cast<RouteImpl*>(routing->m_Route.get());
  ASSERT_TRUE(route && route->result());
  EXPECT_NEAR(route->result()->distanceMetres(), road.distanceMetres(),
              road.distanceMetres() * 0.1);
  for (const geo::Point& p : route->result()->geometry) {
    double nearest = 1e9;
    for (const geo::Point& q : road.geometry)
      nearest = std::min(nearest, std::hypot(p.x - q.x, p.y - q.y));
    EXPECT_LT(nearest, 60);
  }
}

namespace {
// n stations spread over the town on a grid; every one near a road.
void Spread(TStationList& List, int N) {
  for (int i = 0; i < N; ++i) {
    auto* s = new TStation();
    s->SetField(0, QString::number(i + 1));
    s->SetField(4, QString::number(1216400 + (i % 20) * 100));
    s->SetField(5, QString::number(6481700 + (i / 20) * 100));
    List.AddObject(QString::number(i + 1), s);
  }
}
}  // namespace

TEST_F(RoutingFlow, ACancelledOptimisationEndsAndTheAdapterWorksOnAfterwards) {
  Spread(*hub.StationList, 199);
  ASSERT_TRUE(routing->OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  routing->CancelCalculateRoute();
  ASSERT_TRUE(QTest::qWaitFor([&] { return optimised == 1; }, kWait));
  EXPECT_EQ(routing->ErrorNr, TRouting::OptimisationCancelled);
  QTest::qWait(50);
  EXPECT_EQ(optimised, 1) << "the dropped answer arrived after all";
  hub.StationList->Clear();
  Spread(*hub.StationList, 6);
  ASSERT_TRUE(Optimise());
  EXPECT_EQ(routing->ErrorNr, 0) << qPrintable(routing->ErrorMsg);
}

TEST_F(RoutingFlow, DestroyingTheViewWhileAnOptimisationRunsIsSafe) {
  Spread(*hub.StationList, 150);
  ASSERT_TRUE(routing->OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  view.reset();
  QTest::qWait(100);
  EXPECT_EQ(optimised, 0);
}

TEST_F(RoutingFlow, TooManyOrNoWaypointsAreRefusedWithTheirNumbers) {
  Spread(*hub.StationList, 201);
  ASSERT_TRUE(Optimise());
  EXPECT_EQ(routing->ErrorNr, -1008);
  EXPECT_EQ(routing->ErrorMsg, "Höchstens 200 Wegpunkte zulässig");
  EXPECT_EQ(hub.StationList->Count(), 201);
  EXPECT_EQ(hub.StationList->Strings(0), "1");
  hub.StationList->Clear();
  EXPECT_FALSE(routing->OptimizeStationSequenceExt(1, 0, 0, false, 0, 75));
  EXPECT_EQ(routing->ErrorNr, 33);
}

TEST_F(RoutingFlow, StationsAtOnePointAndOutsideTheMapGetAnAnswer) {
  Spread(*hub.StationList, 3);
  hub.StationList->SetStationDataValue(1, 4, hub.StationList->GetStationDataValue(0, 4));
  hub.StationList->SetStationDataValue(1, 5, hub.StationList->GetStationDataValue(0, 5));
  ASSERT_TRUE(Optimise());
  EXPECT_EQ(routing->ErrorNr, 0) << qPrintable(routing->ErrorMsg);
  const QString order = hub.StationList->Strings(0) + hub.StationList->Strings(1);
  hub.StationList->SetStationDataValue(2, 4, "100");
  hub.StationList->SetStationDataValue(2, 5, "100");
  ASSERT_TRUE(Optimise());
  EXPECT_EQ(routing->ErrorNr, -1005);
  EXPECT_EQ(routing->ErrorMsg, "unzulässige Optionen für eine Station");
  EXPECT_EQ(hub.StationList->Count(), 3);
  EXPECT_EQ(hub.StationList->Strings(0) + hub.StationList->Strings(1), order);
}
