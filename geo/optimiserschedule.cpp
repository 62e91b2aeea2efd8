#include "geo/optimiserschedule.h"

#include <algorithm>

namespace geo {

namespace {

std::vector<std::int64_t> widened(const std::vector<std::uint32_t>& values) {
  return {values.begin(), values.end()};
}

}  // namespace

std::int64_t narrowedReady(const OptimiserWaypoint& waypoint, int technicianStart) {
  return std::max(waypoint.windowStart, technicianStart);
}

std::int64_t narrowedDue(const OptimiserWaypoint& waypoint, int technicianEnd) {
  const std::int64_t due = waypoint.windowEnd;
  return technicianEnd > 0 ? std::min<std::int64_t>(due, technicianEnd - waypoint.stay) : due;
}

ScheduleModel::ScheduleModel(const OptimiserRequest& request)
    : size_(static_cast<int>(request.waypoints.size())),
      seconds_(widened(request.matrix.seconds)),
      metres_(widened(request.matrix.metres)),
      cost_(widened(request.matrix.cost.empty() ? request.matrix.seconds : request.matrix.cost)) {
  for (const auto& waypoint : request.waypoints) {
    ready_.push_back(narrowedReady(waypoint, request.technicianStart));
    due_.push_back(narrowedDue(waypoint, request.technicianEnd));
    stay_.push_back(waypoint.stay);
  }
}

ScheduleCost ScheduleModel::evaluate(const std::vector<int>& route) const {
  ScheduleCost result{route.empty() ? 0 : 1, 0};
  std::int64_t departure = 0;
  for (std::size_t k = 0; k < route.size(); ++k) {
    const int node = route[k];
    std::int64_t start = ready_[node];
    if (k > 0) {
      const int previous = route[k - 1];
      const std::int64_t arrival = departure + at(seconds_, previous, node);
      result.cost += at(cost_, previous, node);
      if (arrival <= due_[node]) {
        start = std::max(arrival, ready_[node]);
      } else {
        ++result.days;
      }
    }
    departure = start + stay_[node];
  }
  return result;
}

std::vector<Visit> ScheduleModel::visits(const std::vector<int>& route) const {
  std::vector<Visit> result;
  std::int64_t departure = 0;
  for (std::size_t k = 0; k < route.size(); ++k) {
    const int node = route[k];
    Visit visit{node, 0, ready_[node], 0, 0};
    if (k > 0) {
      const Visit& before = result.back();
      const int previous = before.node;
      const std::int64_t arrival = departure + at(seconds_, previous, node);
      visit.distance = before.distance + at(metres_, previous, node);
      visit.day = before.day;
      if (arrival <= due_[node]) {
        visit.arrival = arrival;
        visit.wait = std::max<std::int64_t>(ready_[node] - arrival, 0);
      } else {
        ++visit.day;
      }
    }
    departure = visit.arrival + visit.wait + stay_[node];
    result.push_back(visit);
  }
  // The first day starts later by as much as its waiting allows, so that the day ends no
  // later and no visit misses its window: less idle time, the same tour.
  if (!result.empty()) {
    std::int64_t shift = due_[route[0]] - result[0].arrival;
    std::int64_t waited = 0;
    for (std::size_t k = 1; k < result.size() && result[k].day == 0; ++k) {
      shift = std::min(shift, due_[result[k].node] - result[k].arrival + waited);
      waited += result[k].wait;
    }
    shift = std::max<std::int64_t>(std::min(shift, waited), 0);
    result[0].arrival += shift;
    std::int64_t left = shift;
    for (std::size_t k = 1; k < result.size() && result[k].day == 0 && left > 0; ++k) {
      const std::int64_t absorbed = std::min(left, result[k].wait);
      result[k].wait -= absorbed;
      result[k].arrival += left;
      left -= absorbed;
    }
  }
  return result;
}

TsptwPath ScheduleModel::path(std::vector<int> head, std::vector<int> body,
                              std::vector<int> tail) const {
  TsptwPath path;
  path.nodeCount = size_;
  path.time = seconds_;
  path.cost = cost_;
  path.ready = ready_;
  path.due = due_;
  path.service = stay_;
  path.head = std::move(head);
  path.body = std::move(body);
  path.tail = std::move(tail);
  return path;
}

}  // namespace geo
