#include "map/component/mapstyle.h"

#include <array>

namespace mapstyle {

const RoadStyle& roadStyle(std::uint8_t roadClass) {
  static const std::array<RoadStyle, 8> styles = {{
      {QColor(0xe8, 0x92, 0xa2), QColor(0xdc, 0x2a, 0x67), 20, 3.0},  // motorway
      {QColor(0xf9, 0xb2, 0x9c), QColor(0xc8, 0x4e, 0x2f), 18, 3.0},  // trunk
      {QColor(0xfc, 0xd6, 0xa4), QColor(0xa0, 0x6b, 0x00), 16, 2.6},  // primary
      {QColor(0xf7, 0xfa, 0xbf), QColor(0x70, 0x7d, 0x05), 14, 2.4},  // secondary
      {QColor(0xff, 0xff, 0xff), QColor(0x8f, 0x8f, 0x8f), 12, 2.2},  // tertiary
      {QColor(0xff, 0xff, 0xff), QColor(0xb0, 0xb0, 0xb0), 10, 1.6},  // residential
      {QColor(0xed, 0xed, 0xed), QColor(0xc6, 0xc6, 0xc6), 9, 1.4},   // living street
      {QColor(0xff, 0xff, 0xff), QColor(0xbb, 0xbb, 0xbb), 6, 1.0},   // service
  }};
  return styles[roadClass < styles.size() ? roadClass : styles.size() - 1];
}

QColor areaFill(geo::FeatureKind kind) {
  switch (kind) {
    case geo::FeatureKind::Water:
      return kWater;
    case geo::FeatureKind::Forest:
      return kForest;
    case geo::FeatureKind::Park:
      return kPark;
    case geo::FeatureKind::Farmland:
      return kFarmland;
    case geo::FeatureKind::Residential:
      return kResidential;
    case geo::FeatureKind::Building:
      return kBuilding;
    default:
      return {};
  }
}

int areaOrder(geo::FeatureKind kind) {
  switch (kind) {
    case geo::FeatureKind::Residential:
      return 0;
    case geo::FeatureKind::Farmland:
      return 1;
    case geo::FeatureKind::Forest:
      return 2;
    case geo::FeatureKind::Park:
      return 3;
    case geo::FeatureKind::Water:
      return 4;
    default:
      return 5;
  }
}

}  // namespace mapstyle
