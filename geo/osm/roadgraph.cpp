#include "geo/osm/roadgraph.h"

#include <unordered_map>

namespace geo::osm {

namespace {

class GraphNodes {
 public:
  explicit GraphNodes(MapBuilder& builder) : builder_(builder) {}
  std::uint32_t of(const WayNode& node) {
    const auto [it, added] = ids_.try_emplace(node.id, 0);
    if (added) it->second = builder_.addNode(node.point);
    return it->second;
  }

 private:
  MapBuilder& builder_;
  std::unordered_map<std::int64_t, std::uint32_t> ids_;
};

std::unordered_map<std::int64_t, int> junctionCounts(const std::vector<RawRoad>& roads) {
  std::unordered_map<std::int64_t, int> uses;
  for (const RawRoad& road : roads) {
    for (const WayNode& node : road.nodes) ++uses[node.id];
    // Ends always become graph nodes.
    ++uses[road.nodes.front().id];
    ++uses[road.nodes.back().id];
  }
  return uses;
}

}  // namespace

void buildRoadGraph(const std::vector<RawRoad>& roads, const PolygonSet& builtUpAreas,
                    MapBuilder& builder) {
  const auto uses = junctionCounts(roads);
  GraphNodes graphNodes(builder);

  auto addPiece = [&](const RawRoad& road, std::size_t first, std::size_t last) {
    Line line;
    double length = 0;
    for (std::size_t k = first; k <= last; ++k) {
      line.push_back(road.nodes[k].point);
      if (k > first) {
        const WayNode& a = road.nodes[k - 1];
        const WayNode& b = road.nodes[k];
        length += distanceMetres(a.lon, a.lat, b.lon, b.lat);
      }
    }
    RoadSegment segment;
    segment.from = graphNodes.of(road.nodes[first]);
    segment.to = graphNodes.of(road.nodes[last]);
    segment.inner.assign(line.begin() + 1, line.end() - 1);
    segment.lengthMetres = length;
    segment.name = road.name;
    segment.roadClass = static_cast<std::uint8_t>(road.road.roadClass);
    segment.forward = road.road.directions.forward;
    segment.backward = road.road.directions.backward;
    segment.builtUp = road.livingStreet || builtUpAreas.anyContains(pointAlong(line, 0.5));
    builder.addRoad(segment);
  };

  for (const RawRoad& road : roads) {
    std::size_t start = 0;
    for (std::size_t i = 1; i < road.nodes.size(); ++i) {
      if (uses.at(road.nodes[i].id) < 2 && i + 1 < road.nodes.size()) continue;
      if (road.nodes[start].id != road.nodes[i].id) {
        addPiece(road, start, i);
      } else if (i - start >= 2) {
        // A loop back to where it started is cut in two, so both halves can be driven.
        const std::size_t middle = (start + i) / 2;
        addPiece(road, start, middle);
        addPiece(road, middle, i);
      }
      start = i;
    }
  }
}

}  // namespace geo::osm
