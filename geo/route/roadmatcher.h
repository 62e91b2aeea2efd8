#pragma once

#include <span>
#include <string>
#include <vector>

#include "geo/route/router.h"

namespace geo {

struct MatchOptions {
  double searchRadiusMetres = 50;  // roads farther from a track point are not considered
  std::size_t candidatesPerPoint = 8;
  double gpsSigmaMetres = 10;     // spread of the position error of a track point
  double detourScaleMetres = 20;  // how readily the road way may differ from the straight
  RouteOptions route;
};

struct MatchResult {
  bool ok = false;
  std::string error;  // German, for the user
  RouteResult route;  // through the matched positions, with distance and duration
  std::vector<std::size_t> matchedPoints;  // track index of each waypoint of the route
  std::size_t unmatchedPoints = 0;         // track points without a road nearby
};

// Matches a recorded track (map coordinates) to the road network with a hidden Markov model:
// each point may lie on any nearby road (likelier the nearer), and one road position follows
// another the likelier the more the way between them on the road resembles the straight
// distance between the two track points. Viterbi picks the likeliest sequence.
MatchResult matchTrack(const Router& router, std::span<const Point> track,
                       const MatchOptions& options);

}  // namespace geo
