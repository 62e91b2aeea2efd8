#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/route/contraction.h"
#include "geo/route/profile.h"
#include "geo/route/snapper.h"

namespace geo {

// A stretch of one edge driven from fraction `from` to fraction `to` of its length.
struct RoutePiece {
  std::uint32_t edge = 0;
  double from = 0;
  double to = 1;
};

struct RouteLeg {
  std::vector<RoutePiece> pieces;
  Weight weight;
};

struct RouteResult {
  bool ok = false;
  std::string error;  // German, for the user
  std::vector<RoadPosition> waypoints;
  std::vector<RouteLeg> legs;  // one less than waypoints
  Weight total;
  std::vector<Point> geometry;  // map coordinates from the first to the last waypoint

  std::uint32_t distanceMetres() const { return total.metres(); }
  std::uint32_t durationSeconds() const { return total.seconds(); }
  std::uint32_t durationTensOfSeconds() const { return total.tensOfSeconds(); }
};

// Durations in seconds and distances in metres from every point (row) to every point
// (column); kUnreachable where there is no way.
struct RouteMatrix {
  static constexpr std::uint32_t kUnreachable = 0xFFFFFFFFu;
  // More points would need gigabytes for the table; callers split such work.
  static constexpr std::size_t kMaxPoints = 4000;

  bool ok = false;
  std::string error;
  std::size_t size = 0;
  std::vector<std::uint32_t> seconds;
  std::vector<std::uint32_t> metres;

  std::uint32_t secondsAt(std::size_t from, std::size_t to) const {
    return seconds[from * size + to];
  }
  std::uint32_t metresAt(std::size_t from, std::size_t to) const {
    return metres[from * size + to];
  }
};

// Car routing on a compiled map. Points are snapped to the nearest usable road; routes and
// matrices come from one contraction hierarchy per profile and time factor, made on first
// use and kept beside the map for the next start (HierarchyCache), so a matrix entry always
// equals the single route between its two points.
class Router {
 public:
  explicit Router(const CompiledMap& map);

  const CompiledMap& map() const { return map_; }
  const Snapper& snapper() const { return snapper_; }

  std::optional<RoadPosition> snap(Point p) const { return snapper_.nearest(p); }

  // The fastest (by the options' cost) route through the waypoints in their order.
  RouteResult route(std::span<const Point> waypoints, const RouteOptions& options) const;
  RouteResult route(std::span<const RoadPosition> waypoints, const RouteOptions& options) const;

  RouteMatrix matrix(std::span<const Point> points, const RouteOptions& options) const;
  // Weights between road positions, row by row; used where the positions are known already.
  std::vector<Weight> weights(std::span<const RoadPosition> from, std::span<const RoadPosition> to,
                              const RouteOptions& options) const;

  // The hierarchy for the options, made now if it is not there yet.
  std::shared_ptr<const ContractionHierarchy> hierarchy(const RouteOptions& options) const;

 private:
  ContractionHierarchy build(const RouteOptions& options) const;
  ContractionHierarchy loadOrBuild(const RouteOptions& options) const;
  std::vector<SearchEndpoint> departures(const RoadPosition& p, const RouteOptions& o) const;
  std::vector<SearchEndpoint> arrivals(const RoadPosition& p, const RouteOptions& o) const;
  std::optional<std::pair<Weight, RoutePiece>> alongOneRoad(const RoadPosition& from,
                                                            const RoadPosition& to,
                                                            const RouteOptions& o) const;
  std::optional<RouteLeg> leg(const RoadPosition& from, const RoadPosition& to,
                              const RouteOptions& options) const;
  bool snapAll(std::span<const Point> points, std::vector<RoadPosition>& positions,
               std::string& error) const;

  const CompiledMap& map_;
  Snapper snapper_;
  mutable std::mutex cacheMutex_;
  mutable std::vector<std::pair<RouteOptions, std::shared_ptr<const ContractionHierarchy>>>
      hierarchies_;
};

// Drawing line of a route piece.
std::vector<Point> pieceGeometry(const CompiledMap& map, const RoutePiece& piece);
// Map length of a line cut between two fractions of it.
std::vector<Point> cutLine(std::span<const Point> line, double from, double to);

}  // namespace geo
