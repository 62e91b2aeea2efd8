#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace geo {

// Result codes of the route optimiser; negative numbers are refusals.
enum class OptimiserStatus : int {
  Ok = 0,
  NoWaypoints = -1002,
  MatrixFailed = -1003,
  MatrixIncomplete = -1004,
  BadWaypoint = -1005,
  BadTechnicianTimes = -1006,
  BadWindow = -1007,
  TooManyWaypoints = -1008,
  OutOfMemory = -1010,
  BadFirst = -1013,
  BadLast = -1014,
  BadLeg = -1015,
};

// The German text shown for a status; empty for Ok.
std::string optimiserStatusText(OptimiserStatus status);

// Times are seconds after midnight; the window bounds the arrival (service may start no
// later than windowEnd), stay is the time spent there.
struct OptimiserWaypoint {
  int id = 0;  // the caller's order number, echoed in the answer
  int windowStart = 0;
  int windowEnd = 86400;
  int stay = 0;
};

// Travel between the waypoints, from row to column: durations in seconds, distances in metres
// and the cost the route is optimised for (empty: the durations).
struct TravelMatrix {
  static constexpr std::uint32_t kUnreachable = 0xFFFFFFFFu;

  bool ok = true;  // false when the matrix could not be computed; error says why
  std::string error;
  std::size_t size = 0;
  std::vector<std::uint32_t> seconds;
  std::vector<std::uint32_t> metres;
  std::vector<std::uint32_t> cost;
};

struct OptimiserRequest {
  std::vector<OptimiserWaypoint> waypoints;
  TravelMatrix matrix;
  // The waypoints firstReordered..lastReordered (1-based, 0: the last one) may change their
  // order; the ones before and after stay where they are.
  int firstReordered = 1;
  int lastReordered = 0;
  int technicianStart = 0;  // 0: none; otherwise no service starts earlier
  int technicianEnd = 0;    // 0: none; otherwise every stay ends by then
  int startDate = 0;        // day number of the first day, copied into the answer rows
  std::uint64_t seed = 1;
  int timeLimitMs = 2000;        // the search stops by then with its best answer; 0: no limit
  std::size_t maxWaypoints = 0;  // 0: no limit
  std::size_t memoryLimitBytes = std::size_t{1} << 30;
  // Set from another thread to end the search early with its best answer so far.
  const std::atomic<bool>* stop = nullptr;
};

struct OptimiserRow {
  int id = 0;
  int arrival = 0;            // seconds after midnight of its own day
  std::int64_t distance = 0;  // metres driven up to here
  int waiting = 0;            // seconds until the window opens
  int day = 0;                // 0 for the first day
  int date = 0;               // startDate + day
};

struct OptimiserAnswer {
  OptimiserStatus status = OptimiserStatus::Ok;
  std::string message;             // German; empty on success
  std::vector<OptimiserRow> rows;  // the waypoints in their new order
  int days = 0;
  std::int64_t cost = 0;
  std::int64_t distance = 0;
  std::int64_t driving = 0;  // seconds
};

// Orders the waypoints for one technician: fewest days first, then least cost. A waypoint that
// cannot be reached within its window on the current day is visited on the next day, from the
// previous waypoint, at the start of its window.
OptimiserAnswer optimiseRoute(const OptimiserRequest& request);

}  // namespace geo
