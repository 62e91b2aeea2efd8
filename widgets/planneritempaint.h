#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>

#include "widgets/plannersettings.h"

class QPainter;
class TPlannerItem;

// Drawing of one item, shared by the grid and the waiting lists: caption band, text lines,
// images, track bar, link symbol, shadow, selection and focus frames. The fonts are prepared
// once per paint, which keeps a grid of a thousand items quick.
struct TItemPaintOptions {
  explicit TItemPaintOptions(const QFont& Font);
  const TPlannerImages* Images = nullptr;
  bool ShowSelection = true;
  QFont Text;
  QFont Caption;
  QFontMetrics TextMetrics;
  QFontMetrics CaptionMetrics;
};

void PaintPlannerItem(QPainter& Painter, const TPlannerItem& Item, const QRect& Rect,
                      const TItemPaintOptions& Options);

// Where the link symbol of an item drawn in Rect stands (empty when the item has no link).
QRect ItemLinkRect(const TPlannerItem& Item, const QRect& Rect);
