#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "geo/optimise/optimiserschedule.h"

namespace geo {

// Builds a route that serves next, again and again, the waypoint done soonest, preferring one
// that can still be served on the current day.
std::vector<int> greedyDays(const ScheduleModel& model, const std::vector<int>& head,
                            std::vector<int> body, const std::vector<int>& tail);

// Improves a schedule that needs more than one day: relocations and reversals of the positions
// [lo, hi) of the route, judged by (days, cost) over the whole schedule, shaken by random
// relocations until no better schedule turns up for a while or the deadline passes.
std::vector<int> searchDays(const ScheduleModel& model, std::vector<int> route, int lo, int hi,
                            std::uint64_t seed, std::chrono::steady_clock::time_point deadline,
                            const std::atomic<bool>* stop = nullptr);

}  // namespace geo
