#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <memory>

#include "map/component/comstatus.h"
#include "map/component/comtypes.h"
#include "map/component/ilayerpresenter.h"

// A record of (code, value) pairs: a waypoint ((2, label), (3, x), (4, y) in map
// coordinates as text) or one row of a route listing (column type code, value).
using CodedRecord = QList<QPair<int, QVariant>>;

class IDrivingOptions;

// One route of a route lister: its waypoints, its driving options and, once calculated, its
// line and totals.
class IRoute {
 public:
  virtual ~IRoute() = default;
  // Waypoints in driving order; a list of one empty record means none.
  virtual ComStatus SetWaypoints(const QList<CodedRecord>& Waypoints) = 0;
  virtual QList<CodedRecord> Waypoints() const = 0;
  // Bounding rectangle of the calculated line (Which -1: every alternative); Bottom < Top.
  virtual ComStatus GetBoundingRect(int Which, TRect& Rect) const = 0;
  // Takes the order of the optimisation SequenceNr as the route's waypoint order.
  virtual ComStatus AcceptOptimizedOrder(int SequenceNr) = 0;

  // Driving options of the route, in the order the routing adapter sets them.
  virtual ComStatus SetOption(int Option, int Value) = 0;
  // Start date and time (days since 30.12.1899) of the route; Flag -1 = fixed.
  virtual ComStatus SetStartTime(double DateTime, int Flag) = 0;
  virtual ComStatus SetOptionBlock(int A, int B, int C, int D, int E) = 0;
  // Sequence optimisation code: 0 none, 2/6 keep first (and last), 1/5 also allow the
  // technician's times.
  virtual ComStatus SetOptimization(int Code) = 0;
  // Allowed driving period, seconds after midnight.
  virtual ComStatus SetTimeRange(int Day, int From, int To, int Flags) = 0;
  // Weight of time against distance, 0..100.
  virtual ComStatus SetTimeFactor(int Kind, int Factor) = 0;
  virtual ComStatus GetDrivingOptions(std::shared_ptr<IDrivingOptions>& Options) = 0;
};

// The speed profile of a route.
class IDrivingOptions {
 public:
  virtual ~IDrivingOptions() = default;
  // (0, -1) switches to the pedestrian-like profile of short tours.
  virtual ComStatus SetOption(int Option, int Value) = 0;
  // First value 0, then sixteen speeds in km/h: motorway outside and inside built-up areas,
  // then road classes 1 to 7 inside and outside.
  virtual ComStatus SetSpeedTable(const QList<int>& Values) = 0;
  // First four values 0, then five weights of the minor road kinds (0..100).
  virtual ComStatus SetRoadTypeTable(const QList<int>& Values) = 0;
};

// Calculation progress. Continue false asks the lister to stop.
class IRoutingProgress {
 public:
  virtual ~IRoutingProgress() = default;
  // TextCode "%1" … "%10", Percent 0..100.
  virtual ComStatus Progress(const QString& TextCode, int Percent, bool& Continue) = 0;
};

// Results of the lister, delivered on the GUI thread through the event loop, never inside
// the call that started the work. Events a sink does not use have default bodies.
class IRoutingEvents {
 public:
  virtual ~IRoutingEvents() = default;
  // Route number, distance in metres, duration in tens of seconds.
  virtual ComStatus RouteCalculated(int RouteNr, int Distance, int Duration) = 0;
  virtual ComStatus Error(int ErrorNr, const QString& Text) = 0;
  virtual ComStatus RouteListed(int RouteNr) = 0;
  // Status >= 0 success, else the optimiser's status (-1001 … -1015). Answer: rows 0 order
  // number, 1 arrival in seconds after midnight, 2 distance driven so far, 3 waiting time;
  // one column per waypoint in the optimised order.
  virtual ComStatus StationsOptimized(int SequenceNr, int Status, const VariantArray2D& Answer) = 0;

  virtual ComStatus CalculationStarted(int /*RouteNr*/) { return ComStatus::Ok; }
  virtual ComStatus CalculationCancelled(int /*RouteNr*/) { return ComStatus::Ok; }
  virtual ComStatus OptimizationStarted(int /*SequenceNr*/) { return ComStatus::Ok; }
  virtual ComStatus RouteDrawn(int /*RouteNr*/) { return ComStatus::Ok; }
  virtual ComStatus RouteDeleted(int /*RouteNr*/) { return ComStatus::Ok; }
  virtual ComStatus WaypointsChanged(int /*Count*/) { return ComStatus::Ok; }
  virtual ComStatus WaypointSnapped(int /*Index*/, int /*X*/, int /*Y*/) { return ComStatus::Ok; }
  virtual ComStatus RoadsMatched(int /*RouteNr*/) { return ComStatus::Ok; }
  virtual ComStatus AlternativeFound(int /*RouteNr*/) { return ComStatus::Ok; }
};

// Calculates, lists, optimises and matches routes on the model's road graph.
class IRouteLister5 {
 public:
  virtual ~IRouteLister5() = default;
  virtual ComStatus NewRoute(std::shared_ptr<IRoute>& Route) = 0;
  // Which -1: every alternative.
  virtual ComStatus DeleteRoute(IRoute* Route, int Which, int Flags) = 0;
  virtual ComStatus RemoveDrawing(IRoute* Route, int Which, int Flags) = 0;

  // Starts the calculation through the route's waypoints; RouteCalculated (and with Draw
  // the drawing and RouteListed) follow as events.
  virtual ComStatus CalculateRoute(IRoute* Route, bool Draw) = 0;
  virtual ComStatus Cancel() = 0;
  // Listing of a calculated route: the first row carries the column type codes; Mode 2 has
  // a row per waypoint (tenth value " #flag<n>") and per manoeuvre.
  virtual ComStatus ListRoute(IRoute* Route, int Alternative, int Mode, int Flags,
                              QList<CodedRecord>& Listing) = 0;
  // Starts a sequence optimisation; StationsOptimized follows. StationTable: rows 0 order
  // number, 1 x, 2 y, 3 window start, 4 window end, 5 stay, one column per waypoint.
  // Options: 1, 2, first and last waypoint to reorder (1-based), 0, 0, technician start and
  // end (seconds, 0 none).
  virtual ComStatus OptimizeRoute(IRoute* Route, const VariantArray2D& StationTable,
                                  const QVariantList& Options) = 0;
  // Matches a recorded track (rows 0 x, 1 y as text, one column per point) to the roads and
  // makes the matched line the route's line, at once.
  virtual ComStatus MatchRoads(IRoute* Route, const VariantArray2D& Points) = 0;

  virtual ComStatus Advise(IRoutingEvents* Events, int& Cookie) = 0;
  virtual ComStatus Advise(IRoutingProgress* Progress, int& Cookie) = 0;
  virtual ComStatus Unadvise(int Cookie) = 0;
};

// The layer of a view that draws routes.
class IRoutingView2 : public ILayerPresenter {
 public:
  virtual ComStatus ShowRoute(const std::shared_ptr<IRoute>& Route) = 0;
  // Option 7: draw the waypoints with their numbers.
  virtual ComStatus SetDisplayOption(int Option, bool On) = 0;
};
