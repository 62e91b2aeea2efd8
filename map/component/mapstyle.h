#pragma once

#include <QColor>
#include <cstdint>

#include "geo/map/mapformat.h"

// Colours and widths of the OpenStreetMap standard map, so that a dispatcher recognises the
// map at a glance.
namespace mapstyle {

inline const QColor kLand{0xf2, 0xef, 0xe9};
inline const QColor kWater{0xaa, 0xd3, 0xdf};
inline const QColor kForest{0xad, 0xd1, 0x9e};
inline const QColor kPark{0xc8, 0xfa, 0xcc};
inline const QColor kFarmland{0xee, 0xf0, 0xd5};
inline const QColor kResidential{0xe0, 0xdf, 0xdf};
inline const QColor kBuilding{0xd9, 0xd0, 0xc9};
inline const QColor kBuildingLine{0xc4, 0xb6, 0xab};
inline const QColor kRailway{0x70, 0x70, 0x70};
inline const QColor kPath{0xfa, 0x80, 0x72};
inline const QColor kOneWayArrow{0x6c, 0x70, 0xd5};
inline const QColor kLabel{0x33, 0x33, 0x33};
inline const QColor kHouseNumber{0x66, 0x66, 0x66};

struct RoadStyle {
  QColor fill;
  QColor casing;
  double widthMetres;  // drawn width on the ground
  double minPixels;    // never thinner than this
};

// Road classes 0 motorway … 7 service.
const RoadStyle& roadStyle(std::uint8_t roadClass);

// Area fill of a feature kind; invalid for lines and labels.
QColor areaFill(geo::FeatureKind kind);
// Drawing order of areas: larger numbers lie on top.
int areaOrder(geo::FeatureKind kind);

}  // namespace mapstyle
