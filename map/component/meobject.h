#pragma once

#include <QList>
#include <QString>

#include "geo/map/coords.h"
#include "map/component/ieditor.h"

// An editor layer object as read from its attribute array.
struct MEObject {
  int Id = 0;
  int RTyp = 0;
  int Shape = 0;
  QList<geo::Point> Points;  // the coordinate values in order (anchor and/or points)
  bool HasColour = false;
  int Colour = 0;  // lowest byte red, then green, then blue
  QString Text;
  QString Description;
  QString Group;
  QString Picture;
  MEAttributes Attributes;  // as handed over, for saving the layer

  // The point the object stands at: its anchor, or the middle of its points.
  geo::Point Anchor() const;
};

// Reads the attribute array; false when it names no shape 1..16 or lacks the points the
// shape needs.
bool ReadMEObject(const MEAttributes& Attributes, MEObject& Object);
