#pragma once

#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

// Keeps labels apart: a label is placed only where it overlaps no placed one, and a name is
// repeated only far from where it stands already.
class LabelPlacer {
 public:
  // Labels must lie inside Area (the window) so that none is cut at its edge.
  explicit LabelPlacer(const QRectF& Area, double RepeatDistance = 300)
      : area_(Area), repeatDistance_(RepeatDistance) {}

  bool free(const QRectF& Box) const;
  bool nameNearby(const QString& Name, QPointF At) const;
  // Takes the place when it is free (and the name not near); answers whether it did.
  bool claim(const QRectF& Box, const QString& Name = {});

 private:
  QRectF area_;
  double repeatDistance_;
  QList<QRectF> boxes_;
  QHash<QString, QList<QPointF>> names_;
};
