#include "geo/optimise/optimiser.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <numeric>

#include "geo/optimise/optimiserdays.h"
#include "geo/optimise/optimiserschedule.h"
#include "geo/optimise/tsptwsearch.h"

namespace geo {

namespace {

constexpr int kDay = 86400;

OptimiserAnswer refusal(OptimiserStatus status, const std::string& detail = {}) {
  OptimiserAnswer answer;
  answer.status = status;
  answer.message = optimiserStatusText(status);
  if (!detail.empty()) answer.message += " (" + detail + ")";
  return answer;
}

std::string waypointName(const OptimiserRequest& request, std::size_t index) {
  return "Wegpunkt " + std::to_string(index + 1) + ", Nummer " +
         std::to_string(request.waypoints[index].id);
}

bool technicianTimesValid(int start, int end) {
  if (start < 0 || start > kDay || end < 0 || end > kDay) return false;
  return start == 0 || end == 0 || start < end;
}

OptimiserAnswer checkWaypoints(const OptimiserRequest& request) {
  for (std::size_t i = 0; i < request.waypoints.size(); ++i) {
    const OptimiserWaypoint& w = request.waypoints[i];
    if (w.windowStart < 0 || w.windowEnd > kDay || w.windowStart > w.windowEnd) {
      return refusal(OptimiserStatus::BadWindow, waypointName(request, i));
    }
    if (w.stay < 0 || w.stay > kDay) {
      return refusal(OptimiserStatus::BadWaypoint, waypointName(request, i));
    }
    // Without this the next-day rule would put such a waypoint off for ever.
    if (narrowedReady(w, request.technicianStart) > narrowedDue(w, request.technicianEnd)) {
      return refusal(OptimiserStatus::BadWaypoint,
                     waypointName(request, i) + " passt nicht in die Arbeitszeit");
    }
  }
  return {};
}

OptimiserAnswer checkMatrix(const OptimiserRequest& request) {
  const TravelMatrix& m = request.matrix;
  if (!m.ok) return refusal(OptimiserStatus::MatrixFailed, m.error);
  const std::size_t n = request.waypoints.size();
  const std::size_t cells = n * n;
  if (m.size != n || m.seconds.size() != cells || m.metres.size() != cells ||
      (!m.cost.empty() && m.cost.size() != cells)) {
    return refusal(OptimiserStatus::MatrixIncomplete);
  }
  for (std::size_t from = 0; from < n; ++from) {
    for (std::size_t to = 0; to < n; ++to) {
      const std::size_t k = from * n + to;
      const bool unreachable = m.seconds[k] == TravelMatrix::kUnreachable ||
                               m.metres[k] == TravelMatrix::kUnreachable ||
                               (!m.cost.empty() && m.cost[k] == TravelMatrix::kUnreachable);
      if (from != to && unreachable) {
        return refusal(OptimiserStatus::BadLeg,
                       "von " + waypointName(request, from) + " zu " + waypointName(request, to));
      }
    }
  }
  return {};
}

// Room for the matrices in 64 bits (the schedule and the search each hold three), the search's
// tables and the answer.
std::size_t memoryNeeded(std::size_t n) { return n * n * 6 * 8 + n * 256; }

OptimiserAnswer check(const OptimiserRequest& request, int last) {
  const std::size_t n = request.waypoints.size();
  if (n == 0) return refusal(OptimiserStatus::NoWaypoints);
  if (request.maxWaypoints > 0 && n > request.maxWaypoints) {
    return refusal(OptimiserStatus::TooManyWaypoints);
  }
  const int count = static_cast<int>(n);
  if (request.firstReordered < 1 || request.firstReordered > count) {
    return refusal(OptimiserStatus::BadFirst);
  }
  if (last < request.firstReordered || last > count) return refusal(OptimiserStatus::BadLast);
  if (!technicianTimesValid(request.technicianStart, request.technicianEnd)) {
    return refusal(OptimiserStatus::BadTechnicianTimes);
  }
  if (OptimiserAnswer a = checkWaypoints(request); a.status != OptimiserStatus::Ok) return a;
  if (OptimiserAnswer a = checkMatrix(request); a.status != OptimiserStatus::Ok) return a;
  if (memoryNeeded(n) > request.memoryLimitBytes) return refusal(OptimiserStatus::OutOfMemory);
  return {};
}

std::vector<int> range(int from, int to) {
  std::vector<int> nodes(std::max(to - from, 0));
  std::iota(nodes.begin(), nodes.end(), from);
  return nodes;
}

std::vector<int> bestRoute(const ScheduleModel& model, const OptimiserRequest& request, int first,
                           int last) {
  const int n = model.size();
  std::vector<int> head = range(0, first), body = range(first, last), tail = range(last, n);
  if (body.size() < 2) return range(0, n);
  const auto started = std::chrono::steady_clock::now();
  const bool limited = request.timeLimitMs > 0;
  const auto deadline = limited ? started + std::chrono::milliseconds(request.timeLimitMs)
                                : std::chrono::steady_clock::time_point::max();
  // One day is the fewest there can be, so a route kept in one day only needs its cost cut.
  TsptwSearchOptions options;
  options.seed = request.seed;
  options.timeLimitMs = limited ? std::max(request.timeLimitMs / 2, 1) : 0;
  options.stop = request.stop;
  const TsptwAnswer oneDay = searchTsptw(model.path(head, body, tail), options);
  if (oneDay.feasible()) return oneDay.route;
  std::vector<int> route = greedyDays(model, head, body, tail);
  if (model.evaluate(oneDay.route) < model.evaluate(route)) route = oneDay.route;
  return searchDays(model, route, first, last, request.seed, deadline, request.stop);
}

OptimiserAnswer answerFor(const ScheduleModel& model, const OptimiserRequest& request,
                          const std::vector<int>& route) {
  OptimiserAnswer answer;
  const ScheduleCost cost = model.evaluate(route);
  answer.days = cost.days;
  answer.cost = cost.cost;
  for (const Visit& visit : model.visits(route)) {
    answer.rows.push_back({request.waypoints[visit.node].id, static_cast<int>(visit.arrival),
                           visit.distance, static_cast<int>(visit.wait), visit.day,
                           request.startDate + visit.day});
  }
  answer.distance = answer.rows.back().distance;
  for (std::size_t k = 1; k < route.size(); ++k) {
    answer.driving += request.matrix.seconds[route[k - 1] * route.size() + route[k]];
  }
  return answer;
}

}  // namespace

std::string optimiserStatusText(OptimiserStatus status) {
  switch (status) {
    case OptimiserStatus::Ok:
      return {};
    case OptimiserStatus::NoWaypoints:
      return "keine Stationen verfügbar, die optimiert werden können";
    case OptimiserStatus::MatrixFailed:
      return "Fehler bei Berechnung der Entfernungs-Matrix";
    case OptimiserStatus::MatrixIncomplete:
      return "Aufbau der Entfernungs-Matrix fehlgeschlagen";
    case OptimiserStatus::BadWaypoint:
      return "unzulässige Optionen für eine Station";
    case OptimiserStatus::BadTechnicianTimes:
      return "unzulässige Einstellung der Fahrzeiten";
    case OptimiserStatus::BadWindow:
      return "Einstellungen der Öffnungszeiten einer oder mehrerer Stationen unzulässig";
    case OptimiserStatus::TooManyWaypoints:
      return "Höchstens 200 Wegpunkte zulässig";
    case OptimiserStatus::OutOfMemory:
      return "Speichermangel";
    case OptimiserStatus::BadFirst:
      return "unzulässiger Startpunkt";
    case OptimiserStatus::BadLast:
      return "unzulässiger Zielpunkt";
    case OptimiserStatus::BadLeg:
      return "unzulässige Entfernung zweier Wegpunkte";
  }
  return {};
}

OptimiserAnswer optimiseRoute(const OptimiserRequest& request) {
  const int last = request.lastReordered == 0 ? static_cast<int>(request.waypoints.size())
                                              : request.lastReordered;
  if (OptimiserAnswer refused = check(request, last); refused.status != OptimiserStatus::Ok) {
    return refused;
  }
  try {
    const ScheduleModel model(request);
    return answerFor(model, request, bestRoute(model, request, request.firstReordered - 1, last));
  } catch (const std::bad_alloc&) {
    return refusal(OptimiserStatus::OutOfMemory);
  }
}

}  // namespace geo
