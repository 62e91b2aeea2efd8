// zep-mapinfo: describes a compiled map as one JSON object.
#include <cstring>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "geo/map/compiledmap.h"

namespace {

nlohmann::json boxJson(geo::Point min, geo::Point max) {
  return {{"minX", min.x}, {"minY", min.y}, {"maxX", max.x}, {"maxY", max.y}};
}

const char* featureKindName(geo::FeatureKind kind) {
  switch (kind) {
    case geo::FeatureKind::Road:
      return "road";
    case geo::FeatureKind::Path:
      return "path";
    case geo::FeatureKind::Railway:
      return "railway";
    case geo::FeatureKind::Waterway:
      return "waterway";
    case geo::FeatureKind::Water:
      return "water";
    case geo::FeatureKind::Forest:
      return "forest";
    case geo::FeatureKind::Park:
      return "park";
    case geo::FeatureKind::Farmland:
      return "farmland";
    case geo::FeatureKind::Residential:
      return "residential";
    case geo::FeatureKind::Building:
      return "building";
    case geo::FeatureKind::PlaceLabel:
      return "placeLabel";
  }
  return "unknown";
}

nlohmann::json describe(const geo::CompiledMap& map) {
  std::map<std::string, int> byKind;
  for (const auto& feature : map.features()) ++byKind[featureKindName(feature.kind)];
  const geo::Box b = map.bounds();
  const geo::Point min = geo::mapToGps({b.minX, b.minY});
  const geo::Point max = geo::mapToGps({b.maxX, b.maxY});
  return {{"formatVersion", map.version()},
          {"source", std::string(map.sourceName())},
          {"nodes", map.nodes().size()},
          {"edges", map.edges().size()},
          {"addresses", map.addresses().size()},
          {"streets", map.streets().size()},
          {"places", map.places().size()},
          {"features", map.features().size()},
          {"featuresByKind", byKind},
          {"bounds",
           {{"map", boxJson({b.minX, b.minY}, {b.maxX, b.maxY})}, {"gps", boxJson(min, max)}}}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << "Aufruf: zep-mapinfo KARTENORDNER\n\n"
                 "Gibt Formatversion, Anzahlen und Ausdehnung der Karte als JSON aus\n"
                 "(GPS-Koordinaten in Grad x 100000).\n";
    return 0;
  }
  if (argc != 2) {
    std::cerr << "Aufruf: zep-mapinfo KARTENORDNER\n";
    return 2;
  }
  std::string error;
  const auto map = geo::CompiledMap::open(argv[1], error);
  if (!map) {
    std::cerr << "zep-mapinfo: " << error << '\n';
    return 1;
  }
  std::cout << describe(*map).dump(2) << '\n';
  return 0;
}
