// zep-routing-bench MAPDIR [--stations 50,200] [--geocode 200] [--seed S]: times an optimisation
// through the routing adapter, from OptimizeStationSequenceExt to its result event, against the
// engine alone (matrix and optimiser) on the same stations, and the geocoding of stations
// through GeocodingStations. Stations are address points of the map, picked by the seed.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

#include "geo/map/compiledmap.h"
#include "geo/optimise/optimiser.h"
#include "geo/route/router.h"
#include "map/geocoding.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "map/routing.h"
#include "planning/mapserverdata.h"

namespace {
constexpr int kFrom = 28800;
constexpr int kTo = 64800;
constexpr int kStay = 900;

struct Args {
  QString mapDir;
  QList<int> stations{50, 200};
  int geocode = 200;
  unsigned seed = 1;
};

std::vector<const geo::AddressRecord*> PickAddresses(const geo::CompiledMap& Map, int N,
                                                     unsigned Seed) {
  std::vector<const geo::AddressRecord*> all;
  for (const auto& a : Map.addresses()) all.push_back(&a);
  std::shuffle(all.begin(), all.end(), std::mt19937(Seed));
  all.resize(std::min<std::size_t>(all.size(), N));
  return all;
}

void FillStations(TStationList& List, const std::vector<const geo::AddressRecord*>& Addresses) {
  List.Clear();
  int nr = 1;
  for (const auto* a : Addresses) {
    auto* s = new TStation();
    s->SetField(0, QString::number(nr));
    s->SetField(4, QString::number(a->point.x));
    s->SetField(5, QString::number(a->point.y));
    s->SetField(21, QString::number(kFrom));
    s->SetField(22, QString::number(kTo));
    s->SetField(23, QString::number(kStay));
    List.AddObject(QString::number(nr++), s);
  }
}

double AdapterMs(TRouting& Routing) {
  QEventLoop loop;
  Routing.AfterStationsOptimizedExtProc = [&loop] { loop.quit(); };
  QElapsedTimer t;
  t.start();
  if (!Routing.OptimizeStationSequenceExt(1, 0, 0, false, 0, 75)) return -1;
  loop.exec();
  return t.nsecsElapsed() / 1e6;
}

// Time from CancelCalculateRoute, 50 ms into a search, to the optimisation's end event; -1
// when the search was done before.
double CancelMs(TRouting& Routing) {
  QEventLoop loop;
  Routing.AfterStationsOptimizedExtProc = [&loop] { loop.quit(); };
  if (!Routing.OptimizeStationSequenceExt(1, 0, 0, false, 0, 75)) return -1;
  QElapsedTimer t;
  QTimer cancel;
  cancel.setSingleShot(true);
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    t.start();
    Routing.CancelCalculateRoute();
  });
  cancel.start(50);
  loop.exec();
  return t.isValid() ? t.nsecsElapsed() / 1e6 : -1;
}

double EngineMs(const geo::CompiledMap& Map,
                const std::vector<const geo::AddressRecord*>& Addresses) {
  QElapsedTimer t;
  t.start();
  const geo::Router router(Map);
  geo::OptimiserRequest request;
  std::vector<geo::Point> points;
  int nr = 1;
  for (const auto* a : Addresses) {
    points.push_back(a->point);
    request.waypoints.push_back({nr++, kFrom, kTo, kStay});
  }
  const geo::RouteMatrix m = router.matrix(points, {geo::Profile::standard(), 75});
  request.matrix = {m.ok, m.error, m.size, m.seconds, m.metres, {}};
  request.lastReordered = static_cast<int>(points.size());
  request.maxWaypoints = 200;
  const geo::OptimiserAnswer answer = geo::optimiseRoute(request);
  if (answer.status != geo::OptimiserStatus::Ok) return -1;
  return t.nsecsElapsed() / 1e6;
}

void GeocodeBench(TMapServerData& Hub, const geo::CompiledMap& Map, const Args& A) {
  Hub.StationList->Clear();
  int nr = 1;
  for (const auto* a : PickAddresses(Map, A.geocode, A.seed)) {
    auto* s = new TStation();
    s->SetField(0, QString::number(nr));
    s->SetField(7, QString::fromUtf8(Map.text(a->postalCode)));
    s->SetField(8, QString::fromUtf8(Map.text(a->town)));
    s->SetField(10, QString::fromUtf8(Map.text(a->street)) + ' ' +
                        QString::fromUtf8(Map.text(a->houseNumber)));
    Hub.StationList->AddObject(QString::number(nr++), s);
  }
  TGeocoding geocoding;
  geocoding.SetMapServerData(&Hub);
  QString last;
  Hub.SetStatusText = [&last](const QString& Text, int Panel) {
    if (Panel == 1) last = Text;
  };
  QElapsedTimer t;
  t.start();
  geocoding.GeocodingStations(false);
  std::printf("{\"geocode\": %d, \"ms\": %.1f, \"status\": \"%s\"}\n", A.geocode,
              t.nsecsElapsed() / 1e6, qPrintable(last));
  Hub.SetStatusText = nullptr;
}

bool ParseArgs(const QStringList& L, Args& A) {
  if (L.size() < 2) return false;
  A.mapDir = L[1];
  for (int i = 2; i + 1 < L.size(); i += 2) {
    if (L[i] == "--stations") {
      A.stations.clear();
      for (const QString& n : L[i + 1].split(',')) A.stations << n.toInt();
    } else if (L[i] == "--geocode") {
      A.geocode = L[i + 1].toInt();
    } else if (L[i] == "--seed") {
      A.seed = L[i + 1].toUInt();
    } else {
      return false;
    }
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir temp;
  qputenv("TMPDIR", temp.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Args args;
  if (!ParseArgs(app.arguments(), args)) {
    std::fprintf(stderr,
                 "Aufruf: zep-routing-bench KARTENORDNER [--stations 50,200] "
                 "[--geocode 200] [--seed S]\n");
    return 2;
  }
  std::string error;
  const auto map = geo::CompiledMap::open(args.mapDir.toStdString(), error);
  if (!map) {
    std::fprintf(stderr, "zep-routing-bench: %s\n", error.c_str());
    return 1;
  }
  TMapServer server;
  QWidget host;
  host.resize(800, 600);
  TMapServerData hub;
  std::unique_ptr<TMapView> view(server.CreateMapView(&host, args.mapDir));
  view->SetMapServerData(&hub);
  TRouting* routing = CreateRouting(*view);
  routing->SetMapServerData(&hub);
  for (int n : args.stations) {
    const auto addresses = PickAddresses(*map, n, args.seed);
    FillStations(*hub.StationList, addresses);
    const double adapter = AdapterMs(*routing);
    const double engine = EngineMs(*map, addresses);
    std::printf("{\"stations\": %d, \"adapterMs\": %.1f, \"engineMs\": %.1f, \"errorNr\": %d}\n",
                static_cast<int>(addresses.size()), adapter, engine, routing->ErrorNr);
  }
  GeocodeBench(hub, *map, args);
  // Last, since a dropped search runs on in the background until its time limit.
  for (int n : args.stations) {
    FillStations(*hub.StationList, PickAddresses(*map, n, args.seed));
    const double cancel = CancelMs(*routing);
    std::printf("{\"stations\": %d, \"cancelMs\": %.3f, \"errorNr\": %d}\n", n, cancel,
                routing->ErrorNr);
  }
  return 0;
}
