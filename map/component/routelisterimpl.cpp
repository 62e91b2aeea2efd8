#include "map/component/routelisterimpl.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <thread>

#include "geo/optimise/optimiser.h"
#include "geo/route/listing.h"
#include "geo/route/roadmatcher.h"
#include "map/component/routeimpl.h"

namespace {
constexpr int kMaxWaypoints = 200;
constexpr int kOffMapMetres = 2000;

QString fromStd(const std::string& s) { return QString::fromStdString(s); }

int cell(const VariantArray2D& a, int row, int column) {
  return a.At(a.RowLow + row, column).toString().trimmed().toInt();
}
}  // namespace

RouteListerImpl::RouteListerImpl(std::shared_ptr<const geo::CompiledMap> Map)
    : map_(std::move(Map)) {}

RouteListerImpl::~RouteListerImpl() {
  if (stop_) stop_->store(true);
}

std::shared_ptr<const geo::Router> RouteListerImpl::router() {
  // The router reads the map; workers that still hold the router keep the map alive with it.
  if (!router_) {
    router_ = std::shared_ptr<const geo::Router>(new geo::Router(*map_),
                                                 [map = map_](const geo::Router* r) { delete r; });
  }
  return router_;
}

RouteImpl* RouteListerImpl::own(IRoute* Route) const {
  for (const auto& r : routes_) {
    if (r.get() == Route) return r.get();
  }
  return nullptr;
}

template <class Work, class Deliver>
void RouteListerImpl::runLater(Work&& W, Deliver&& D) {
  const int generation = generation_.load();
  std::weak_ptr<RouteListerImpl> weak = weak_from_this();
  std::thread([weak, generation, work = std::forward<Work>(W),
               deliver = std::forward<Deliver>(D)]() mutable {
    auto result = work();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [weak, generation, deliver = std::move(deliver), result = std::move(result)]() mutable {
          const auto self = weak.lock();
          if (self && self->generation_.load() == generation) deliver(*self, std::move(result));
        },
        Qt::QueuedConnection);
  }).detach();
}

template <class Call>
void RouteListerImpl::tellEvents(Call&& Fn) const {
  const auto sinks = events_;
  for (const auto& [cookie, sink] : sinks) Fn(sink);
}

void RouteListerImpl::tellProgress(const QString& Code, int Percent) const {
  const auto sinks = progress_;
  for (const auto& [cookie, sink] : sinks) {
    bool goOn = true;
    sink->Progress(Code, Percent, goOn);
  }
}

// Progress of work just started reaches the sinks through the event loop too, not inside the
// call that started it.
void RouteListerImpl::tellProgressLater(const QString& Code, int Percent) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [weak = weak_from_this(), Code, Percent] {
        if (const auto self = weak.lock()) self->tellProgress(Code, Percent);
      },
      Qt::QueuedConnection);
}

ComStatus RouteListerImpl::NewRoute(std::shared_ptr<IRoute>& Route) {
  auto route = std::make_shared<RouteImpl>();
  routes_.append(route);
  Route = route;
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::DeleteRoute(IRoute* Route, int, int) {
  for (qsizetype i = 0; i < routes_.size(); ++i) {
    if (routes_[i].get() == Route) {
      routes_[i]->clearDrawing();
      routes_.removeAt(i);
      return ComStatus::Ok;
    }
  }
  return ComFail(QStringLiteral("Unbekannte Route"), ComStatus::InvalidArgument);
}

ComStatus RouteListerImpl::RemoveDrawing(IRoute* Route, int, int) {
  RouteImpl* route = own(Route);
  if (!route) return ComFail(QStringLiteral("Unbekannte Route"), ComStatus::InvalidArgument);
  route->clearDrawing();
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::CalculateRoute(IRoute* Route, bool Draw) {
  RouteImpl* route = own(Route);
  if (!route) return ComFail(QStringLiteral("Unbekannte Route"), ComStatus::InvalidArgument);
  std::vector<RouteImpl::Waypoint> waypoints;
  if (!route->readWaypoints(waypoints) || waypoints.size() < 2) {
    return ComFail(QStringLiteral("Eine Route braucht mindestens zwei Wegpunkte mit Koordinaten"),
                   ComStatus::InvalidArgument);
  }
  std::vector<geo::Point> points;
  for (const auto& w : waypoints) points.push_back(w.point);
  const std::weak_ptr<RouteImpl> target = route->weak_from_this();
  tellProgressLater(QStringLiteral("%1"), 0);
  runLater(
      [router = router(), points, options = route->options()] {
        return std::make_shared<const geo::RouteResult>(router->route(points, options));
      },
      [target, Draw](RouteListerImpl& self, std::shared_ptr<const geo::RouteResult> result) {
        const auto route = target.lock();
        if (!route) return;
        self.tellProgress(QStringLiteral("%1"), 100);
        if (!result->ok) {
          self.tellEvents([&](IRoutingEvents* e) { e->Error(32, fromStd(result->error)); });
          return;
        }
        route->setResult(result, Draw);
        self.tellEvents([&](IRoutingEvents* e) {
          e->RouteCalculated(0, static_cast<int>(result->distanceMetres()),
                             static_cast<int>(result->durationTensOfSeconds()));
        });
        if (Draw) self.tellEvents([](IRoutingEvents* e) { e->RouteListed(0); });
      });
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::Cancel() {
  ++generation_;
  // The running search ends at once instead of using up its time limit for nobody.
  if (stop_) stop_->store(true);
  tellEvents([](IRoutingEvents* e) { e->CalculationCancelled(0); });
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::ListRoute(IRoute* Route, int, int, int, QList<CodedRecord>& Listing) {
  Listing.clear();
  RouteImpl* route = own(Route);
  if (!route || !route->result() || !route->result()->ok) {
    return ComFail(QStringLiteral("Die Route ist nicht berechnet"), ComStatus::NotReady);
  }
  std::vector<RouteImpl::Waypoint> waypoints;
  route->readWaypoints(waypoints);
  std::vector<std::string> labels;
  for (const auto& w : waypoints) labels.push_back(w.label);
  const auto& columns = geo::listingColumns();
  for (const geo::ListingRow& row :
       geo::routeListing(*map_, *route->result(), route->options(), labels)) {
    CodedRecord record;
    for (std::size_t c = 0; c < columns.size() && c < row.size(); ++c) {
      record.append({columns[c].code, fromStd(row[c])});
    }
    Listing.append(record);
  }
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::OptimizeRoute(IRoute* Route, const VariantArray2D& StationTable,
                                         const QVariantList& Options) {
  RouteImpl* route = own(Route);
  if (!route) return ComFail(QStringLiteral("Unbekannte Route"), ComStatus::InvalidArgument);
  if (StationTable.IsEmpty() || Options.size() < 8) {
    return ComFail(QStringLiteral("Keine Stationen zum Optimieren"), ComStatus::InvalidArgument);
  }
  geo::OptimiserRequest request;
  std::vector<geo::Point> points;
  for (int c = StationTable.ColumnLow; c <= StationTable.ColumnHigh(); ++c) {
    request.waypoints.push_back({cell(StationTable, 0, c), cell(StationTable, 3, c),
                                 cell(StationTable, 4, c), cell(StationTable, 5, c)});
    points.push_back({cell(StationTable, 1, c), cell(StationTable, 2, c)});
  }
  request.firstReordered = Options[2].toInt();
  request.lastReordered = Options[3].toInt();
  request.technicianStart = Options[6].toInt();
  request.technicianEnd = Options[7].toInt();
  request.maxWaypoints = kMaxWaypoints;
  const int sequence = nextSequence_++;
  const std::weak_ptr<RouteImpl> target = route->weak_from_this();
  tellProgressLater(QStringLiteral("%2"), 0);
  stop_ = std::make_shared<std::atomic<bool>>(false);
  // A waypoint far off the map would be snapped to some road kilometres away; it is refused.
  const geo::Box b = map_->bounds();
  const bool offMap = std::any_of(points.begin(), points.end(), [&b](geo::Point p) {
    return p.x < b.minX - kOffMapMetres || p.x > b.maxX + kOffMapMetres ||
           p.y < b.minY - kOffMapMetres || p.y > b.maxY + kOffMapMetres;
  });
  runLater(
      [router = router(), points, options = route->options(), request, offMap,
       stop = stop_]() mutable {
        request.stop = stop.get();
        if (offMap) {
          geo::OptimiserAnswer refused;
          refused.status = geo::OptimiserStatus::BadWaypoint;
          return refused;
        }
        const geo::RouteMatrix m = router->matrix(points, options);
        request.matrix = {m.ok, m.error, m.size, m.seconds, m.metres, {}};
        return geo::optimiseRoute(request);
      },
      [target, sequence, request](RouteListerImpl& self, geo::OptimiserAnswer answer) {
        self.tellProgress(QStringLiteral("%2"), 100);
        VariantArray2D rows;
        std::vector<int> order;
        std::vector<bool> used(request.waypoints.size(), false);
        for (const geo::OptimiserRow& r : answer.rows) {
          rows.Columns.append(
              {r.id, r.arrival, static_cast<qlonglong>(r.distance), r.waiting, r.day, r.date});
          for (std::size_t i = 0; i < used.size(); ++i) {
            if (!used[i] && request.waypoints[i].id == r.id) {
              used[i] = true;
              order.push_back(static_cast<int>(i));
              break;
            }
          }
        }
        if (const auto route = target.lock()) route->rememberOrder(sequence, order);
        const int status = static_cast<int>(answer.status);
        self.tellEvents([&](IRoutingEvents* e) { e->StationsOptimized(sequence, status, rows); });
      });
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::MatchRoads(IRoute* Route, const VariantArray2D& Points) {
  RouteImpl* route = own(Route);
  if (!route) return ComFail(QStringLiteral("Unbekannte Route"), ComStatus::InvalidArgument);
  std::vector<geo::Point> track;
  for (int c = Points.ColumnLow; c <= Points.ColumnHigh(); ++c) {
    track.push_back({cell(Points, 0, c), cell(Points, 1, c)});
  }
  if (track.size() < 2) {
    return ComFail(QStringLiteral("Ein Track braucht mindestens zwei Punkte"),
                   ComStatus::InvalidArgument);
  }
  geo::MatchOptions options;
  options.route = route->options();
  const std::weak_ptr<RouteImpl> target = route->weak_from_this();
  tellProgressLater(QStringLiteral("%7"), 0);
  runLater(
      [router = router(), track, options] {
        return std::make_shared<const geo::MatchResult>(geo::matchTrack(*router, track, options));
      },
      [target](RouteListerImpl& self, std::shared_ptr<const geo::MatchResult> matched) {
        const auto route = target.lock();
        if (!route) return;
        self.tellProgress(QStringLiteral("%7"), 100);
        if (!matched->ok) {
          self.tellEvents([&](IRoutingEvents* e) { e->Error(34, fromStd(matched->error)); });
          return;
        }
        auto line = std::make_shared<const geo::RouteResult>(matched->route);
        route->setResult(line, true);
        self.tellEvents([](IRoutingEvents* e) { e->RoadsMatched(0); });
        self.tellEvents([&](IRoutingEvents* e) {
          e->RouteCalculated(0, static_cast<int>(line->distanceMetres()),
                             static_cast<int>(line->durationTensOfSeconds()));
        });
      });
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::Advise(IRoutingEvents* Events, int& Cookie) {
  if (!Events) return ComFail(QStringLiteral("Kein Ereignisempfänger"), ComStatus::InvalidArgument);
  Cookie = nextCookie_++;
  events_.append({Cookie, Events});
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::Advise(IRoutingProgress* Progress, int& Cookie) {
  if (!Progress)
    return ComFail(QStringLiteral("Kein Ereignisempfänger"), ComStatus::InvalidArgument);
  Cookie = nextCookie_++;
  progress_.append({Cookie, Progress});
  return ComStatus::Ok;
}

ComStatus RouteListerImpl::Unadvise(int Cookie) {
  const auto before = events_.size() + progress_.size();
  events_.removeIf([Cookie](const auto& p) { return p.first == Cookie; });
  progress_.removeIf([Cookie](const auto& p) { return p.first == Cookie; });
  return events_.size() + progress_.size() < before
             ? ComStatus::Ok
             : ComFail(QStringLiteral("Unbekannte Verbindungsnummer"), ComStatus::InvalidArgument);
}
