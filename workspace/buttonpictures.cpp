#include "workspace/buttonpictures.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap Canvas() {
  QPixmap Picture(16, 16);
  Picture.fill(Qt::transparent);
  return Picture;
}

}  // namespace

QIcon PrinterPicture() {
  QPixmap Picture = Canvas();
  QPainter Painter(&Picture);
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setPen(QPen(QColor(60, 60, 60), 1));
  Painter.setBrush(Qt::white);
  Painter.drawRect(QRectF(4.5, 1.5, 7, 5));  // paper going in
  Painter.setBrush(QColor(120, 130, 140));
  Painter.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
  Painter.setBrush(Qt::white);
  Painter.drawRect(QRectF(4.5, 10.5, 7, 4));  // printed sheet
  return QIcon(Picture);
}

QIcon MagnifierPicture() {
  QPixmap Picture = Canvas();
  QPainter Painter(&Picture);
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setPen(QPen(QColor(60, 60, 60), 2));
  Painter.drawEllipse(QRectF(2, 2, 8, 8));
  Painter.drawLine(QPointF(9, 9), QPointF(14, 14));
  return QIcon(Picture);
}
