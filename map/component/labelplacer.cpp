#include "map/component/labelplacer.h"

#include <QLineF>

bool LabelPlacer::free(const QRectF& Box) const {
  if (!area_.contains(Box)) return false;
  for (const QRectF& placed : boxes_) {
    if (placed.intersects(Box)) return false;
  }
  return true;
}

bool LabelPlacer::nameNearby(const QString& Name, QPointF At) const {
  const auto it = names_.constFind(Name);
  if (it == names_.constEnd()) return false;
  for (QPointF p : *it) {
    if (QLineF(p, At).length() < repeatDistance_) return true;
  }
  return false;
}

bool LabelPlacer::claim(const QRectF& Box, const QString& Name) {
  if (!free(Box) || (!Name.isEmpty() && nameNearby(Name, Box.center()))) return false;
  boxes_.append(Box);
  if (!Name.isEmpty()) names_[Name].append(Box.center());
  return true;
}
