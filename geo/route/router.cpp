#include "geo/route/router.h"

#include <cmath>

#include "geo/route/hierarchycache.h"

namespace geo {

namespace {

// Hierarchies kept for different profiles or time factors; a session rarely uses more.
constexpr std::size_t kCachedHierarchies = 4;

RouteOptions normalised(const RouteOptions& options) {
  RouteOptions n = options;
  n.timeFactor = clampTimeFactor(options.timeFactor);
  return n;
}

double segmentLength(Point a, Point b) { return std::hypot(double(b.x) - a.x, double(b.y) - a.y); }

Point interpolate(Point a, Point b, double t) {
  return {static_cast<std::int32_t>(std::lround(a.x + t * (double(b.x) - a.x))),
          static_cast<std::int32_t>(std::lround(a.y + t * (double(b.y) - a.y)))};
}

void appendWithoutRepeat(std::vector<Point>& line, const std::vector<Point>& more) {
  for (Point p : more) {
    if (line.empty() || !(line.back() == p)) line.push_back(p);
  }
}

}  // namespace

std::vector<Point> cutLine(std::span<const Point> line, double from, double to) {
  std::vector<Point> cut;
  if (line.empty()) return cut;
  double total = 0;
  for (std::size_t i = 1; i < line.size(); ++i) total += segmentLength(line[i - 1], line[i]);
  const double start = std::clamp(from, 0.0, 1.0) * total;
  const double end = std::clamp(to, 0.0, 1.0) * total;
  double before = 0;
  cut.push_back(line.front());
  for (std::size_t i = 1; i < line.size(); ++i) {
    const double length = segmentLength(line[i - 1], line[i]);
    const double after = before + length;
    const auto at = [&](double position) {
      return length > 0 ? interpolate(line[i - 1], line[i], (position - before) / length) : line[i];
    };
    if (start >= before && start <= after && cut.size() == 1) cut.front() = at(start);
    if (after > start && after < end) cut.push_back(line[i]);
    if (end >= before && end <= after) {
      cut.push_back(at(end));
      break;
    }
    before = after;
  }
  return cut;
}

std::vector<Point> pieceGeometry(const CompiledMap& map, const RoutePiece& piece) {
  const std::vector<Point> line = map.edgeGeometry(map.edges()[piece.edge]);
  return cutLine(line, piece.from, piece.to);
}

Router::Router(const CompiledMap& map) : map_(map), snapper_(map) {}

std::shared_ptr<const ContractionHierarchy> Router::hierarchy(const RouteOptions& options) const {
  const RouteOptions key = normalised(options);
  std::lock_guard lock(cacheMutex_);
  for (const auto& [cachedOptions, ch] : hierarchies_) {
    if (cachedOptions == key) return ch;
  }
  auto ch = std::make_shared<const ContractionHierarchy>(loadOrBuild(key));
  if (hierarchies_.size() >= kCachedHierarchies) hierarchies_.erase(hierarchies_.begin());
  hierarchies_.emplace_back(key, ch);
  return ch;
}

ContractionHierarchy Router::build(const RouteOptions& options) const {
  std::vector<GraphArc> arcs;
  arcs.reserve(map_.edges().size());
  const auto edges = map_.edges();
  for (std::uint32_t id = 0; id < edges.size(); ++id) {
    arcs.push_back({edges[id].source, edges[id].target, edgeWeight(edges[id], options), id});
  }
  return ContractionHierarchy::build(static_cast<std::uint32_t>(map_.nodes().size()), arcs);
}

// A stored hierarchy is taken only when it passes every check; otherwise it is built and
// stored for the next start. A map folder that cannot be written only costs that next start.
ContractionHierarchy Router::loadOrBuild(const RouteOptions& options) const {
  const HierarchyCache cache(map_, options);
  std::string why;
  if (auto stored = cache.load(why)) return std::move(*stored);
  ContractionHierarchy built = build(options);
  cache.save(built, why);
  return built;
}

std::vector<SearchEndpoint> Router::departures(const RoadPosition& p, const RouteOptions& o) const {
  const EdgeRecord& e = map_.edges()[p.edge];
  std::vector<SearchEndpoint> ends{{e.target, edgeWeight(e, o).scaled(1 - p.fraction)}};
  if (p.twoWay()) {
    const EdgeRecord& r = map_.edges()[p.reverse];
    ends.push_back({r.target, edgeWeight(r, o).scaled(p.fraction)});
  }
  return ends;
}

std::vector<SearchEndpoint> Router::arrivals(const RoadPosition& p, const RouteOptions& o) const {
  const EdgeRecord& e = map_.edges()[p.edge];
  std::vector<SearchEndpoint> ends{{e.source, edgeWeight(e, o).scaled(p.fraction)}};
  if (p.twoWay()) {
    const EdgeRecord& r = map_.edges()[p.reverse];
    ends.push_back({r.source, edgeWeight(r, o).scaled(1 - p.fraction)});
  }
  return ends;
}

// Both points on the same road: driving straight from one to the other, where the road's
// direction allows it.
std::optional<std::pair<Weight, RoutePiece>> Router::alongOneRoad(const RoadPosition& from,
                                                                  const RoadPosition& to,
                                                                  const RouteOptions& o) const {
  if (from.edge != to.edge) return std::nullopt;
  std::optional<std::pair<Weight, RoutePiece>> best;
  if (to.fraction >= from.fraction) {
    const Weight w = edgeWeight(map_.edges()[from.edge], o).scaled(to.fraction - from.fraction);
    best = {w, {from.edge, from.fraction, to.fraction}};
  }
  if (from.twoWay() && from.fraction >= to.fraction) {
    const Weight w = edgeWeight(map_.edges()[from.reverse], o).scaled(from.fraction - to.fraction);
    if (!best || w < best->first) {
      best = {w, {from.reverse, 1 - from.fraction, 1 - to.fraction}};
    }
  }
  return best;
}

std::optional<RouteLeg> Router::leg(const RoadPosition& from, const RoadPosition& to,
                                    const RouteOptions& options) const {
  const auto ch = hierarchy(options);
  const HierarchyPath path = ch->shortestPath(departures(from, options), arrivals(to, options));
  const auto direct = alongOneRoad(from, to, options);
  if (direct && direct->first <= path.weight) {
    RouteLeg straight{{}, direct->first};
    if (direct->second.to > direct->second.from) straight.pieces.push_back(direct->second);
    return straight;
  }
  if (path.weight.isInfinite()) return std::nullopt;

  RouteLeg leg;
  leg.weight = path.weight;
  const RoutePiece first = path.source == 0 ? RoutePiece{from.edge, from.fraction, 1}
                                            : RoutePiece{from.reverse, 1 - from.fraction, 1};
  const RoutePiece last = path.target == 0 ? RoutePiece{to.edge, 0, to.fraction}
                                           : RoutePiece{to.reverse, 0, 1 - to.fraction};
  if (first.to > first.from) leg.pieces.push_back(first);
  for (std::uint32_t edge : path.edges) leg.pieces.push_back({edge, 0, 1});
  if (last.to > last.from) leg.pieces.push_back(last);
  return leg;
}

bool Router::snapAll(std::span<const Point> points, std::vector<RoadPosition>& positions,
                     std::string& error) const {
  if (snapper_.empty()) {
    error = "Die Karte enthält keine befahrbaren Straßen.";
    return false;
  }
  for (std::size_t i = 0; i < points.size(); ++i) {
    const auto position = snapper_.nearest(points[i]);
    if (!position) {
      error = "Wegpunkt " + std::to_string(i + 1) + " liegt an keiner befahrbaren Straße.";
      return false;
    }
    positions.push_back(*position);
  }
  return true;
}

RouteResult Router::route(std::span<const Point> waypoints, const RouteOptions& options) const {
  RouteResult result;
  std::vector<RoadPosition> positions;
  if (!snapAll(waypoints, positions, result.error)) return result;
  return route(positions, options);
}

RouteResult Router::route(std::span<const RoadPosition> waypoints,
                          const RouteOptions& options) const {
  RouteResult result;
  if (waypoints.size() < 2) {
    result.error = "Für eine Route sind mindestens zwei Wegpunkte nötig.";
    return result;
  }
  result.waypoints.assign(waypoints.begin(), waypoints.end());
  for (std::size_t i = 1; i < waypoints.size(); ++i) {
    auto next = leg(waypoints[i - 1], waypoints[i], options);
    if (!next) {
      result.error = "Wegpunkt " + std::to_string(i + 1) + " ist von Wegpunkt " +
                     std::to_string(i) + " aus nicht erreichbar.";
      result.legs.clear();
      return result;
    }
    result.total = result.total + next->weight;
    result.legs.push_back(std::move(*next));
  }
  result.geometry.push_back(waypoints.front().point);
  for (const RouteLeg& l : result.legs) {
    for (const RoutePiece& piece : l.pieces) {
      appendWithoutRepeat(result.geometry, pieceGeometry(map_, piece));
    }
  }
  appendWithoutRepeat(result.geometry, {waypoints.back().point});
  result.ok = true;
  return result;
}

std::vector<Weight> Router::weights(std::span<const RoadPosition> from,
                                    std::span<const RoadPosition> to,
                                    const RouteOptions& options) const {
  std::vector<std::vector<SearchEndpoint>> sources, targets;
  for (const RoadPosition& p : from) sources.push_back(departures(p, options));
  for (const RoadPosition& p : to) targets.push_back(arrivals(p, options));
  std::vector<Weight> table = hierarchy(options)->table(sources, targets);
  for (std::size_t s = 0; s < from.size(); ++s) {
    for (std::size_t t = 0; t < to.size(); ++t) {
      const auto direct = alongOneRoad(from[s], to[t], options);
      Weight& cell = table[s * to.size() + t];
      if (direct && direct->first <= cell) cell = direct->first;
    }
  }
  return table;
}

RouteMatrix Router::matrix(std::span<const Point> points, const RouteOptions& options) const {
  RouteMatrix result;
  if (points.size() > RouteMatrix::kMaxPoints) {
    result.error = "Höchstens " + std::to_string(RouteMatrix::kMaxPoints) +
                   " Punkte je Entfernungsmatrix zulässig.";
    return result;
  }
  std::vector<RoadPosition> positions;
  if (!snapAll(points, positions, result.error)) return result;
  const std::vector<Weight> table = weights(positions, positions, options);
  result.size = points.size();
  for (const Weight& w : table) {
    result.seconds.push_back(w.isInfinite() ? RouteMatrix::kUnreachable : w.seconds());
    result.metres.push_back(w.isInfinite() ? RouteMatrix::kUnreachable : w.metres());
  }
  result.ok = true;
  return result;
}

}  // namespace geo
