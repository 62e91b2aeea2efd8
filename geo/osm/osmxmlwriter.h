#pragma once

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace geo {

using Tags = std::vector<std::pair<std::string, std::string>>;

// Writes OSM XML for generated data. Positions are metres east and north of an origin;
// nodes at the same metre position are one node, so roads drawn through a point meet there.
class OsmXmlWriter {
 public:
  OsmXmlWriter(double originLon, double originLat);

  std::int64_t node(int eastMetres, int northMetres, const Tags& tags = {});
  std::int64_t way(const std::vector<std::int64_t>& nodes, const Tags& tags);
  // Members are ways with their roles ("outer", "inner").
  std::int64_t relation(const std::vector<std::pair<std::int64_t, std::string>>& wayMembers,
                        const Tags& tags);

  std::string xml() const;

 private:
  struct NodeData {
    double lon, lat;
    Tags tags;
  };
  double originLon_, originLat_;
  std::map<std::pair<int, int>, std::int64_t> untaggedAt_;
  std::vector<NodeData> nodes_;
  std::vector<std::pair<std::vector<std::int64_t>, Tags>> ways_;
  std::vector<std::pair<std::vector<std::pair<std::int64_t, std::string>>, Tags>> relations_;
};

}  // namespace geo
