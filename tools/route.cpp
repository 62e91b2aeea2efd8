// zep-route: routes through waypoints on a compiled map and prints the result as JSON.
//   zep-route MAPDIR x,y x,y ... [--gps] [--profile N] [--time-factor N] [--listing] [--match]
// --match treats the points as a recorded track and matches it to the roads.
#include <charconv>
#include <cstring>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/route/listing.h"
#include "geo/route/roadmatcher.h"
#include "geo/route/router.h"

namespace {

struct Arguments {
  std::string mapDir;
  std::vector<geo::Point> points;
  bool gps = false;
  bool listing = false;
  bool match = false;
  geo::RouteOptions options;
};

std::optional<int> parseInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<geo::Point> parsePoint(std::string_view text) {
  const auto comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto x = parseInt(text.substr(0, comma));
  const auto y = parseInt(text.substr(comma + 1));
  if (!x || !y) return std::nullopt;
  return geo::Point{*x, *y};
}

bool parseArguments(int argc, char** argv, Arguments& args, std::string& error) {
  if (argc < 2) {
    error = "Kartenordner fehlt";
    return false;
  }
  args.mapDir = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--gps") {
      args.gps = true;
    } else if (arg == "--listing") {
      args.listing = true;
    } else if (arg == "--match") {
      args.match = true;
    } else if ((arg == "--profile" || arg == "--time-factor") && hasValue) {
      const auto value = parseInt(argv[++i]);
      if (!value) {
        error = "Zahl erwartet nach " + std::string(arg);
        return false;
      }
      if (arg == "--profile") args.options.profile = geo::Profile::forMode(*value);
      if (arg == "--time-factor") args.options.timeFactor = *value;
    } else if (const auto point = parsePoint(arg)) {
      args.points.push_back(*point);
    } else {
      error = "Unbekanntes Argument: " + std::string(arg);
      return false;
    }
  }
  if (args.gps) {
    for (geo::Point& p : args.points) p = geo::gpsToMap(p);
  }
  return true;
}

nlohmann::json pointJson(geo::Point p, bool gps) {
  const geo::Point shown = gps ? geo::mapToGps(p) : p;
  return nlohmann::json::array({shown.x, shown.y});
}

nlohmann::json listingJson(const geo::CompiledMap& map, const geo::RouteResult& route,
                           const geo::RouteOptions& options) {
  nlohmann::json columns = nlohmann::json::array();
  for (const auto& column : geo::listingColumns()) {
    columns.push_back({{"code", column.code}, {"name", column.name}});
  }
  return {{"columns", columns}, {"rows", geo::routeListing(map, route, options, {})}};
}

nlohmann::json routeJson(const geo::CompiledMap& map, const geo::RouteResult& route,
                         const Arguments& args) {
  nlohmann::json out = {{"ok", route.ok}};
  if (!route.ok) {
    out["error"] = route.error;
    return out;
  }
  out["distanceMetres"] = route.distanceMetres();
  out["durationSeconds"] = route.durationSeconds();
  out["durationTensOfSeconds"] = route.durationTensOfSeconds();
  nlohmann::json waypoints = nlohmann::json::array();
  for (const auto& w : route.waypoints) {
    waypoints.push_back({{"road", pointJson(w.point, args.gps)},
                         {"offRoadMetres", std::round(w.distanceMetres * 10) / 10}});
  }
  out["waypoints"] = waypoints;
  nlohmann::json legs = nlohmann::json::array();
  for (const auto& leg : route.legs) {
    legs.push_back(
        {{"distanceMetres", leg.weight.metres()}, {"durationSeconds", leg.weight.seconds()}});
  }
  out["legs"] = legs;
  nlohmann::json geometry = nlohmann::json::array();
  for (geo::Point p : route.geometry) geometry.push_back(pointJson(p, args.gps));
  out["geometry"] = geometry;
  if (args.listing) out["listing"] = listingJson(map, route, args.options);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  std::string error;
  if (!parseArguments(argc, argv, args, error)) {
    std::cerr << error
              << "\naufruf: zep-route KARTENORDNER x,y x,y ... [--gps] [--profile N] "
                 "[--time-factor N] [--listing] [--match]\n";
    return 2;
  }
  const auto map = geo::CompiledMap::open(args.mapDir, error);
  if (!map) {
    std::cout << nlohmann::json{{"ok", false}, {"error", error}}.dump() << "\n";
    return 1;
  }
  const geo::Router router(*map);
  nlohmann::json out;
  bool ok = false;
  if (args.match) {
    geo::MatchOptions options;
    options.route = args.options;
    const geo::MatchResult match = geo::matchTrack(router, args.points, options);
    out = match.ok ? routeJson(*map, match.route, args)
                   : nlohmann::json{{"ok", false}, {"error", match.error}};
    out["unmatchedPoints"] = match.unmatchedPoints;
    out["matchedPoints"] = match.matchedPoints;
    ok = match.ok;
  } else {
    const geo::RouteResult route = router.route(args.points, args.options);
    out = routeJson(*map, route, args);
    ok = route.ok;
  }
  std::cout << out.dump(1) << "\n";
  return ok ? 0 : 1;
}
