#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

namespace geo {
class Viewport;
}

// A layer whose objects the mouse can select (the editor layers).
class SelectableLayer {
 public:
  virtual ~SelectableLayer() = default;
  // Identifiers of the objects whose point lies inside Pixels.
  virtual QList<int> objectsInside(const QRectF& Pixels, const geo::Viewport& Viewport) const = 0;
  // The topmost object under a pixel, 0 when none.
  virtual int objectAt(QPointF Pixel, const geo::Viewport& Viewport) const = 0;
  // The user chose this selection on the map; the layer tells its handler once.
  virtual void selectByUser(const QList<int>& Ids) = 0;
  virtual QList<int> selection() const = 0;
};
