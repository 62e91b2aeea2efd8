#include "geo/optimise/optimiser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <map>
#include <numeric>
#include <random>

namespace geo {
namespace {

constexpr int kWholeDay = 86400;

// Waypoints on a straight road, positions in metres, driven at 10 m/s; ids are 101, 102, ...
OptimiserRequest onRoad(const std::vector<int>& positions) {
  OptimiserRequest request;
  const std::size_t n = positions.size();
  for (std::size_t i = 0; i < n; ++i) {
    request.waypoints.push_back({static_cast<int>(101 + i), 0, kWholeDay, 0});
  }
  request.matrix.size = n;
  for (std::size_t a = 0; a < n; ++a) {
    for (std::size_t b = 0; b < n; ++b) {
      const auto metres = static_cast<std::uint32_t>(std::abs(positions[a] - positions[b]));
      request.matrix.metres.push_back(metres);
      request.matrix.seconds.push_back(metres / 10);
    }
  }
  return request;
}

std::uint32_t entry(const std::vector<std::uint32_t>& m, std::size_t n, int from, int to) {
  return m[static_cast<std::size_t>(from) * n + to];
}

// Replays an answer against the request: every waypoint once, every service inside its window
// and the technician's hours, times and distances adding up, and a new day only where the
// next waypoint could not be reached in its window, arriving then at its window start.
void expectSoundAnswer(const OptimiserRequest& request, const OptimiserAnswer& answer) {
  ASSERT_EQ(answer.status, OptimiserStatus::Ok) << answer.message;
  const std::size_t n = request.waypoints.size();
  ASSERT_EQ(answer.rows.size(), n);
  std::map<int, int> indexOf;
  for (std::size_t i = 0; i < n; ++i) indexOf[request.waypoints[i].id] = static_cast<int>(i);
  std::vector<bool> seen(n, false);
  std::int64_t departure = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const OptimiserRow& row = answer.rows[k];
    ASSERT_TRUE(indexOf.contains(row.id)) << row.id;
    const int i = indexOf[row.id];
    EXPECT_FALSE(seen[i]) << "waypoint " << row.id << " twice";
    seen[i] = true;
    const OptimiserWaypoint& w = request.waypoints[i];
    const int ready = std::max(w.windowStart, request.technicianStart);
    const int start = row.arrival + row.waiting;
    EXPECT_GE(row.waiting, 0);
    EXPECT_GE(start, ready) << "row " << k;
    EXPECT_LE(start, w.windowEnd) << "row " << k;
    const int due = request.technicianEnd > 0
                        ? std::min(w.windowEnd, request.technicianEnd - w.stay)
                        : w.windowEnd;
    EXPECT_LE(start, due) << "row " << k;
    if (row.waiting > 0) {
      EXPECT_EQ(start, ready) << "row " << k;
    }
    EXPECT_EQ(row.date, request.startDate + row.day);
    if (k == 0) {
      EXPECT_EQ(row.day, 0);
      EXPECT_EQ(row.distance, 0);
    } else {
      const OptimiserRow& before = answer.rows[k - 1];
      const int from = indexOf[before.id];
      const std::int64_t reached = departure + entry(request.matrix.seconds, n, from, i);
      EXPECT_EQ(row.distance, before.distance + entry(request.matrix.metres, n, from, i));
      if (row.day == before.day) {
        EXPECT_EQ(row.arrival, reached) << "row " << k;
      } else {
        EXPECT_EQ(row.day, before.day + 1) << "row " << k;
        EXPECT_GT(reached, due) << "row " << k << " could have come the same day";
        EXPECT_EQ(row.arrival, ready);
        EXPECT_EQ(row.waiting, 0);
      }
    }
    departure = start + w.stay;
  }
  EXPECT_EQ(answer.days, answer.rows.back().day + 1);
  EXPECT_EQ(answer.distance, answer.rows.back().distance);
}

std::vector<int> idsOf(const OptimiserAnswer& answer) {
  std::vector<int> ids;
  for (const auto& row : answer.rows) ids.push_back(row.id);
  return ids;
}

TEST(Optimiser, RefusesWithTheStatusOfTheCause) {
  using Change = std::function<void(OptimiserRequest&)>;
  const std::vector<std::tuple<const char*, Change, OptimiserStatus>> cases = {
      {"no waypoints", [](auto& r) { r = onRoad({}); }, OptimiserStatus::NoWaypoints},
      {"matrix failed",
       [](auto& r) {
         r.matrix.ok = false;
         r.matrix.error = "kein Weg";
       },
       OptimiserStatus::MatrixFailed},
      {"matrix of another size", [](auto& r) { r.matrix.size = 4; },
       OptimiserStatus::MatrixIncomplete},
      {"distances missing", [](auto& r) { r.matrix.metres.pop_back(); },
       OptimiserStatus::MatrixIncomplete},
      {"cost of another size",
       [](auto& r) {
         r.matrix.cost = {1, 2};
       },
       OptimiserStatus::MatrixIncomplete},
      {"negative stay", [](auto& r) { r.waypoints[1].stay = -1; }, OptimiserStatus::BadWaypoint},
      {"stay longer than the working day",
       [](auto& r) {
         r.technicianStart = 28800;
         r.technicianEnd = 36000;
         r.waypoints[1].stay = 7500;
       },
       OptimiserStatus::BadWaypoint},
      {"window closes before the technician starts",
       [](auto& r) {
         r.technicianStart = 28800;
         r.technicianEnd = 64800;
         r.waypoints[2].windowEnd = 25000;
       },
       OptimiserStatus::BadWaypoint},
      {"technician ends before he starts",
       [](auto& r) {
         r.technicianStart = 50000;
         r.technicianEnd = 40000;
       },
       OptimiserStatus::BadTechnicianTimes},
      {"technician time beyond the day", [](auto& r) { r.technicianEnd = 90000; },
       OptimiserStatus::BadTechnicianTimes},
      {"window ends before it starts",
       [](auto& r) {
         r.waypoints[0].windowStart = 50000;
         r.waypoints[0].windowEnd = 40000;
       },
       OptimiserStatus::BadWindow},
      {"window beyond the day", [](auto& r) { r.waypoints[2].windowEnd = 86401; },
       OptimiserStatus::BadWindow},
      {"negative window", [](auto& r) { r.waypoints[2].windowStart = -5; },
       OptimiserStatus::BadWindow},
      {"more than the limit", [](auto& r) { r.maxWaypoints = 2; },
       OptimiserStatus::TooManyWaypoints},
      {"not enough memory", [](auto& r) { r.memoryLimitBytes = 100; },
       OptimiserStatus::OutOfMemory},
      {"first below 1", [](auto& r) { r.firstReordered = 0; }, OptimiserStatus::BadFirst},
      {"first beyond the waypoints", [](auto& r) { r.firstReordered = 4; },
       OptimiserStatus::BadFirst},
      {"last before first",
       [](auto& r) {
         r.firstReordered = 3;
         r.lastReordered = 2;
       },
       OptimiserStatus::BadLast},
      {"last beyond the waypoints", [](auto& r) { r.lastReordered = 4; }, OptimiserStatus::BadLast},
      {"no way between two waypoints",
       [](auto& r) { r.matrix.seconds[1 * 3 + 2] = TravelMatrix::kUnreachable; },
       OptimiserStatus::BadLeg},
      {"no way in the cost",
       [](auto& r) {
         r.matrix.cost = r.matrix.seconds;
         r.matrix.cost[2 * 3 + 0] = TravelMatrix::kUnreachable;
       },
       OptimiserStatus::BadLeg},
  };
  for (const auto& [what, change, status] : cases) {
    OptimiserRequest request = onRoad({0, 1000, 3000});
    change(request);
    const OptimiserAnswer answer = optimiseRoute(request);
    EXPECT_EQ(answer.status, status) << what;
    EXPECT_TRUE(answer.message.starts_with(optimiserStatusText(status))) << what;
    EXPECT_FALSE(optimiserStatusText(status).empty()) << what;
    EXPECT_TRUE(answer.rows.empty()) << what;
  }
  EXPECT_EQ(optimiserStatusText(OptimiserStatus::TooManyWaypoints),
            "Höchstens 200 Wegpunkte zulässig");
}

TEST(Optimiser, AnswersOneAndTwoWaypoints) {
  OptimiserRequest one = onRoad({500});
  one.waypoints[0] = {7, 30000, 40000, 900};
  OptimiserAnswer answer = optimiseRoute(one);
  expectSoundAnswer(one, answer);
  EXPECT_EQ(answer.rows[0].arrival, 30000);
  EXPECT_EQ(answer.days, 1);

  OptimiserRequest two = onRoad({0, 6000});
  two.waypoints[0] = {1, 28800, 30000, 1800};
  two.waypoints[1] = {2, 0, kWholeDay, 0};
  answer = optimiseRoute(two);
  expectSoundAnswer(two, answer);
  EXPECT_EQ(idsOf(answer), (std::vector<int>{1, 2}));
  EXPECT_EQ(answer.rows[1].arrival, 28800 + 1800 + 600);
  EXPECT_EQ(answer.distance, 6000);
  EXPECT_EQ(answer.driving, 600);
}

TEST(Optimiser, DrivesTheCheapestOrderWhenWindowsAllowAny) {
  OptimiserRequest request = onRoad({0, 7000, 2000, 9000, 1000, 4000, 3000});
  request.firstReordered = 2;  // start fixed at position 0
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(idsOf(answer), (std::vector<int>{101, 105, 103, 107, 106, 102, 104}));
  EXPECT_EQ(answer.cost, 900);
  EXPECT_EQ(answer.days, 1);
}

TEST(Optimiser, ContinuesOnTheNextDayAtTheWindowStart) {
  // The second cannot be reached in its window after the first's stay: it waits for the next
  // morning, which shows as an arrival earlier than the one before.
  OptimiserRequest request = onRoad({0, 6000});
  request.waypoints[0] = {1, 32000, 33000, 3600};
  request.waypoints[1] = {2, 28800, 30000, 3600};
  request.firstReordered = 2;
  request.lastReordered = 2;
  request.startDate = 46000;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(answer.days, 2);
  ASSERT_EQ(answer.rows.size(), 2u);
  EXPECT_EQ(answer.rows[1].arrival, 28800);
  EXPECT_LT(answer.rows[1].arrival, answer.rows[0].arrival);
  EXPECT_EQ(answer.rows[1].date, 46001);
  EXPECT_EQ(answer.rows[1].distance, 6000);
}

TEST(Optimiser, FewerDaysComeBeforeLowerCost) {
  // Start, then B (long stay, open all day) and C (only early): B first is cheaper but misses
  // C's window, so C must come first.
  OptimiserRequest request = onRoad({0, 1000, 3000});
  request.firstReordered = 2;
  request.waypoints[1].windowStart = 28800;
  request.waypoints[1].stay = 3600;
  request.waypoints[2].windowStart = 28800;
  request.waypoints[2].windowEnd = 29000;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(idsOf(answer), (std::vector<int>{101, 103, 102}));
  EXPECT_EQ(answer.days, 1);
  EXPECT_EQ(answer.cost, 500);
}

TEST(Optimiser, FillsEachDayBeforeStartingTheNext) {
  // Forty hour-long stays at one place, twenty to begin by 11:00 and twenty from 12:00 to
  // 16:00: a day holds four morning and five afternoon stays, so five days are enough.
  OptimiserRequest request = onRoad(std::vector<int>(40, 0));
  for (std::size_t i = 0; i < request.waypoints.size(); ++i) {
    auto& w = request.waypoints[i];
    w.windowStart = i % 2 ? 28800 : 43200;
    w.windowEnd = i % 2 ? 39600 : 57600;
    w.stay = 3600;
  }
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(answer.days, 5);
}

TEST(Optimiser, PlansFewDaysForManyNarrowWindows) {
  // Fifty waypoints over 40 km with one-hour windows between 08:00 and 16:00 and stays of
  // 20 minutes fit into four days; ordering them by lateness alone needed five.
  std::mt19937 random(1);
  std::vector<int> positions(50);
  for (int& p : positions) p = std::uniform_int_distribution<int>(0, 40000)(random);
  OptimiserRequest request = onRoad(positions);
  for (auto& w : request.waypoints) {
    w.windowStart = std::uniform_int_distribution<int>(28800, 57600)(random);
    w.windowEnd = w.windowStart + 3600;
    w.stay = 1200;
  }
  request.technicianStart = 27000;
  request.technicianEnd = 64800;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_LE(answer.days, 4);
}

TEST(Optimiser, StartsTheFirstDayWithoutNeedlessWaiting) {
  OptimiserRequest request = onRoad({0, 6000});
  request.waypoints[1].windowStart = 28800;
  request.firstReordered = 2;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(answer.rows[0].arrival, 28800 - 600);
  EXPECT_EQ(answer.rows[1].waiting, 0);
}

TEST(Optimiser, KeepsTheTechniciansHours) {
  // Eight stays of an hour with 10 s between them, from 08:00 to 12:01:40: four fit a day.
  OptimiserRequest request = onRoad({0, 100, 200, 300, 400, 500, 600, 700});
  for (auto& w : request.waypoints) w.stay = 3600;
  request.technicianStart = 28800;
  request.technicianEnd = 43300;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
  EXPECT_EQ(answer.days, 2);
  EXPECT_EQ(answer.rows[0].arrival, 28800);
}

// Random requests with narrow and wide windows, stays, technician hours, a fixed start and a
// fixed end: every answer must replay correctly and keep the fixed waypoints in place.
TEST(Optimiser, RandomRequestsGiveSoundAnswers) {
  std::mt19937 random(2024);
  int severalDays = 0;
  for (int round = 0; round < 30; ++round) {
    const int n = 3 + round % 23;
    std::vector<int> positions(n);
    for (int& p : positions) p = std::uniform_int_distribution<int>(0, 40000)(random);
    OptimiserRequest request = onRoad(positions);
    const int width = round % 3 == 0 ? 1800 : 7200;
    for (auto& w : request.waypoints) {
      w.windowStart = std::uniform_int_distribution<int>(28800, 57600)(random);
      w.windowEnd = w.windowStart + width;
      w.stay = std::uniform_int_distribution<int>(0, 3600)(random);
    }
    if (round % 2) {
      request.technicianStart = 27000;
      request.technicianEnd = 72000;
    }
    const bool fixedEnds = round % 4 < 2;
    if (fixedEnds) {
      request.firstReordered = 2;
      request.lastReordered = n - 1 > 2 ? n - 1 : n;
    }
    request.seed = round;
    request.timeLimitMs = 500;
    const OptimiserAnswer answer = optimiseRoute(request);
    SCOPED_TRACE("round " + std::to_string(round));
    expectSoundAnswer(request, answer);
    if (answer.days > 1) ++severalDays;
    if (fixedEnds) {
      EXPECT_EQ(answer.rows.front().id, 101);
      if (request.lastReordered < n) {
        EXPECT_EQ(answer.rows.back().id, 100 + n);
      }
    }
  }
  EXPECT_GT(severalDays, 5) << "the set should exercise the search over several days";
}

// Days and cost of visiting the waypoints in the given order, worked out step by step.
std::pair<int, std::int64_t> daysAndCost(const OptimiserRequest& request,
                                         const std::vector<int>& order) {
  const std::size_t n = request.waypoints.size();
  int days = 1;
  std::int64_t cost = 0, departure = 0;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const OptimiserWaypoint& w = request.waypoints[order[k]];
    std::int64_t start = w.windowStart;
    if (k > 0) {
      const std::int64_t travel = entry(request.matrix.seconds, n, order[k - 1], order[k]);
      cost += travel;
      if (departure + travel <= w.windowEnd) {
        start = std::max<std::int64_t>(departure + travel, w.windowStart);
      } else {
        ++days;
      }
    }
    departure = start + w.stay;
  }
  return {days, cost};
}

TEST(Optimiser, FindsTheFewestDaysAndThenTheLeastCostOfSmallSets) {
  std::mt19937 random(77);
  int severalDays = 0;
  for (int round = 0; round < 25; ++round) {
    const int n = 3 + round % 5;
    std::vector<int> positions(n);
    for (int& p : positions) p = std::uniform_int_distribution<int>(0, 30000)(random);
    OptimiserRequest request = onRoad(positions);
    for (auto& w : request.waypoints) {
      w.windowStart = std::uniform_int_distribution<int>(28800, 43200)(random);
      w.windowEnd = w.windowStart + 1800;
      w.stay = std::uniform_int_distribution<int>(600, 5400)(random);
    }
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::pair<int, std::int64_t> best = daysAndCost(request, order);
    while (std::next_permutation(order.begin(), order.end())) {
      best = std::min(best, daysAndCost(request, order));
    }
    const OptimiserAnswer answer = optimiseRoute(request);
    SCOPED_TRACE("round " + std::to_string(round));
    expectSoundAnswer(request, answer);
    EXPECT_EQ(answer.days, best.first);
    EXPECT_EQ(answer.cost, best.second);
    if (best.first > 1) ++severalDays;
  }
  EXPECT_GT(severalDays, 5) << "the set should need several days now and then";
}

TEST(Optimiser, SameSeedSameAnswer) {
  std::mt19937 random(5);
  std::vector<int> positions(40);
  for (int& p : positions) p = std::uniform_int_distribution<int>(0, 40000)(random);
  OptimiserRequest request = onRoad(positions);
  for (auto& w : request.waypoints) {
    w.windowStart = std::uniform_int_distribution<int>(28800, 50000)(random);
    w.windowEnd = w.windowStart + 3600;
    w.stay = 1800;
  }
  request.timeLimitMs = 0;  // no clock: the idle rounds end both runs
  request.seed = 17;
  EXPECT_EQ(idsOf(optimiseRoute(request)), idsOf(optimiseRoute(request)));
}

}  // namespace
TEST(Optimiser, AStoppedSearchEndsWithASoundAnswer) {
  // Without a time limit only the stop ends the search of many narrow windows soon; the
  // answer is the best found so far.
  std::mt19937 random(3);
  std::vector<int> positions(120);
  for (int& p : positions) p = std::uniform_int_distribution<int>(0, 60000)(random);
  OptimiserRequest request = onRoad(positions);
  for (auto& w : request.waypoints) {
    w.windowStart = std::uniform_int_distribution<int>(28800, 57600)(random);
    w.windowEnd = w.windowStart + 1800;
    w.stay = 1800;
  }
  request.timeLimitMs = 0;
  const std::atomic<bool> stop{true};
  request.stop = &stop;
  const OptimiserAnswer answer = optimiseRoute(request);
  expectSoundAnswer(request, answer);
}

}  // namespace geo
