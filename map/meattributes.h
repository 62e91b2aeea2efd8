#pragma once

#include <QString>

#include "map/component/comtypes.h"
#include "map/component/ieditor.h"

// How big and where objects stand relative to their point.
struct MEObjectGeometry {
  int CWidth = 10;
  int CHeight = 10;
  int COffset = 0;
};

// The picture file of a symbol colour value: temporary directory + three-digit number + ".bmp".
QString MESymbolFile(int Color);

// The attribute array of an object of shape 1 … 16 at P; false (and nothing) for any other
// shape.
bool BuildMEAttributes(const TPoint& P, int Shape, const QString& Text, const QString& Beschreibung,
                       int Color, const QString& ObjectGroup, const MEObjectGeometry& Geometry,
                       MEAttributes& Attributes);
