#include "geo/route/roadmatcher.h"

#include <cmath>
#include <limits>

namespace geo {

namespace {

constexpr double kImpossible = -std::numeric_limits<double>::infinity();

struct Layer {
  std::size_t trackIndex;
  std::vector<RoadPosition> candidates;
  std::vector<double> score;          // log likelihood of the best sequence ending here
  std::vector<std::size_t> previous;  // candidate of the layer before on that sequence
};

double emission(const RoadPosition& p, const MatchOptions& o) {
  const double z = p.distanceMetres / o.gpsSigmaMetres;
  return -0.5 * z * z;
}

void advance(const Router& router, const Layer& before, Layer& layer, Point beforePoint,
             Point point, const MatchOptions& o) {
  const std::vector<Weight> ways = router.weights(before.candidates, layer.candidates, o.route);
  const double straight = mapDistanceMetres(beforePoint, point);
  const std::size_t n = layer.candidates.size();
  layer.score.assign(n, kImpossible);
  layer.previous.assign(n, 0);
  for (std::size_t j = 0; j < n; ++j) {
    for (std::size_t i = 0; i < before.candidates.size(); ++i) {
      const Weight& way = ways[i * n + j];
      if (way.isInfinite() || before.score[i] == kImpossible) continue;
      const double transition = -std::abs(way.metres() - straight) / o.detourScaleMetres;
      const double score = before.score[i] + transition;
      if (score > layer.score[j]) {
        layer.score[j] = score;
        layer.previous[j] = i;
      }
    }
  }
  bool reachable = false;
  for (std::size_t j = 0; j < n; ++j) {
    if (layer.score[j] != kImpossible) {
      layer.score[j] += emission(layer.candidates[j], o);
      reachable = true;
    }
  }
  // No candidate can be reached from the ones before: start afresh from this point.
  if (!reachable) {
    for (std::size_t j = 0; j < n; ++j) layer.score[j] = emission(layer.candidates[j], o);
  }
}

std::vector<std::size_t> bestSequence(const std::vector<Layer>& layers) {
  std::vector<std::size_t> chosen(layers.size(), 0);
  const std::vector<double>& last = layers.back().score;
  for (std::size_t j = 1; j < last.size(); ++j) {
    if (last[j] > last[chosen.back()]) chosen.back() = j;
  }
  for (std::size_t l = layers.size() - 1; l > 0; --l) {
    chosen[l - 1] = layers[l].previous[chosen[l]];
  }
  return chosen;
}

bool samePosition(const RoadPosition& a, const RoadPosition& b) {
  return a.edge == b.edge && a.fraction == b.fraction;
}

}  // namespace

MatchResult matchTrack(const Router& router, std::span<const Point> track,
                       const MatchOptions& options) {
  MatchResult result;
  if (track.size() < 2) {
    result.error = "Für den Straßenabgleich sind mindestens zwei Spurpunkte nötig.";
    return result;
  }
  std::vector<Layer> layers;
  for (std::size_t t = 0; t < track.size(); ++t) {
    Layer layer{
        t,
        router.snapper().within(track[t], options.searchRadiusMetres, options.candidatesPerPoint),
        {},
        {}};
    if (layer.candidates.empty()) {
      ++result.unmatchedPoints;
      continue;
    }
    if (layers.empty()) {
      for (const RoadPosition& c : layer.candidates) layer.score.push_back(emission(c, options));
      layer.previous.assign(layer.candidates.size(), 0);
    } else {
      advance(router, layers.back(), layer, track[layers.back().trackIndex], track[t], options);
    }
    layers.push_back(std::move(layer));
  }
  if (layers.empty()) {
    result.error = "Kein Spurpunkt liegt in der Nähe einer befahrbaren Straße.";
    return result;
  }
  const std::vector<std::size_t> chosen = bestSequence(layers);
  std::vector<RoadPosition> positions;
  for (std::size_t l = 0; l < layers.size(); ++l) {
    const RoadPosition& p = layers[l].candidates[chosen[l]];
    if (!positions.empty() && samePosition(positions.back(), p)) continue;
    positions.push_back(p);
    result.matchedPoints.push_back(layers[l].trackIndex);
  }
  if (positions.size() < 2) {
    result.error = "Die Spur bewegt sich auf keiner Straße weiter.";
    return result;
  }
  result.route = router.route(positions, options.route);
  result.ok = result.route.ok;
  if (!result.ok) result.error = result.route.error;
  return result;
}

}  // namespace geo
