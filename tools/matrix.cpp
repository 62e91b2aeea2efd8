// zep-matrix: times a many-to-many matrix between random points of a compiled map.
//   zep-matrix MAPDIR --random N --seed S [--profile N] [--time-factor N] [--repeat R]
//              [--verify K]
// Prints the time to build the routing hierarchy, the best and median matrix time, a
// checksum over all entries, and with --verify the number of K random entries that differ
// from a single route between the same points.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <iostream>
#include <nlohmann/json.hpp>
#include <random>
#include <string>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/route/router.h"

namespace {

struct Arguments {
  std::string mapDir;
  int count = 0;
  unsigned seed = 1;
  int repeat = 5;
  int verify = 0;
  geo::RouteOptions options;
};

bool parseArguments(int argc, char** argv, Arguments& args) {
  if (argc < 2) return false;
  args.mapDir = argv[1];
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    const std::string_view text = argv[i + 1];
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (name == "--random") {
      args.count = value;
    } else if (name == "--seed") {
      args.seed = static_cast<unsigned>(value);
    } else if (name == "--profile") {
      args.options.profile = geo::Profile::forMode(value);
    } else if (name == "--time-factor") {
      args.options.timeFactor = value;
    } else if (name == "--repeat") {
      args.repeat = std::max(1, value);
    } else if (name == "--verify") {
      args.verify = value;
    } else {
      return false;
    }
  }
  return args.count > 0 && argc % 2 == 0;
}

// Points near random road nodes, a little off the road, so that snapping is part of it.
std::vector<geo::Point> randomPoints(const geo::CompiledMap& map, int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> node(0, map.nodes().size() - 1);
  std::uniform_int_distribution<int> offset(-40, 40);
  std::vector<geo::Point> points;
  for (int i = 0; i < count; ++i) {
    const geo::Point p = map.nodes()[node(random)];
    points.push_back({p.x + offset(random), p.y + offset(random)});
  }
  return points;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!parseArguments(argc, argv, args)) {
    std::cerr << "aufruf: zep-matrix KARTENORDNER --random N --seed S [--profile N] "
                 "[--time-factor N] [--repeat R] [--verify K]\n";
    return 2;
  }
  std::string error;
  const auto map = geo::CompiledMap::open(args.mapDir, error);
  if (!map || map->nodes().empty()) {
    if (map) error = "Die Karte enthält keine Straßen.";
    std::cout << nlohmann::json{{"ok", false}, {"error", error}}.dump() << "\n";
    return 1;
  }
  const geo::Router router(*map);
  const std::vector<geo::Point> points = randomPoints(*map, args.count, args.seed);

  auto start = std::chrono::steady_clock::now();
  const auto hierarchy = router.hierarchy(args.options);
  const double buildMs = millisecondsSince(start);

  std::vector<double> times;
  geo::RouteMatrix matrix;
  for (int r = 0; r < args.repeat; ++r) {
    start = std::chrono::steady_clock::now();
    matrix = router.matrix(points, args.options);
    times.push_back(millisecondsSince(start));
  }
  if (!matrix.ok) {
    std::cout << nlohmann::json{{"ok", false}, {"error", matrix.error}}.dump() << "\n";
    return 1;
  }
  std::sort(times.begin(), times.end());

  std::uint64_t checksum = 0;
  std::size_t unreachable = 0;
  for (std::size_t i = 0; i < matrix.seconds.size(); ++i) {
    if (matrix.seconds[i] == geo::RouteMatrix::kUnreachable) {
      ++unreachable;
      continue;
    }
    checksum = checksum * 31 + matrix.seconds[i] * 100003ULL + matrix.metres[i];
  }

  nlohmann::json out = {{"ok", true},
                        {"points", args.count},
                        {"seed", args.seed},
                        {"nodes", map->nodes().size()},
                        {"hierarchyArcs", hierarchy->arcCount()},
                        {"hierarchyBuildMs", buildMs},
                        {"matrixMsBest", times.front()},
                        {"matrixMsMedian", times[times.size() / 2]},
                        {"checksum", checksum},
                        {"unreachable", unreachable}};
  if (args.verify > 0) {
    std::mt19937 random(args.seed + 1);
    std::uniform_int_distribution<std::size_t> pick(0, points.size() - 1);
    int mismatches = 0;
    for (int k = 0; k < args.verify; ++k) {
      const std::size_t a = pick(random), b = pick(random);
      const geo::Point pair[] = {points[a], points[b]};
      const geo::RouteResult route = router.route(pair, args.options);
      const bool same = route.ok ? route.durationSeconds() == matrix.secondsAt(a, b) &&
                                       route.distanceMetres() == matrix.metresAt(a, b)
                                 : matrix.secondsAt(a, b) == geo::RouteMatrix::kUnreachable;
      if (!same) ++mismatches;
    }
    out["verified"] = args.verify;
    out["mismatches"] = mismatches;
  }
  std::cout << out.dump(1) << "\n";
  return 0;
}
