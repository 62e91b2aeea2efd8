#include "map/mapsymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace mapsymbols {

namespace {
// Never used inside a symbol; the colour of the map's land, so that the soft edges of the
// symbols blend into the map.
const QColor kKey(0xf2, 0xef, 0xe9);

QImage blank() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(kKey);
  return image;
}

// A round badge with a letter: start and finish.
QImage badge(const QColor& fill, const QString& letter) {
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1, 1, 14, 14));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, letter);
  return image;
}

// Pins of orders: distinct colours around the hue circle, dark and light turns alternating.
QImage pin(int number) {
  // Starting at blue keeps the first pins apart from the red finish.
  const int hue = (210 + number * 360 / 28 + (number % 2) * 180 / 28) % 360;
  const QColor fill = QColor::fromHsv(hue, 200, number % 2 ? 170 : 235);
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(fill.darker(160), 1.5));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(6, 6, 4, 4));
  return image;
}

QPainterPath specialShape(int kind) {
  QPainterPath path;
  switch (kind) {
    case 0:
      path.addRect(QRectF(2, 2, 12, 12));
      break;
    case 1:
      path.addPolygon(QPolygonF{{8, 1}, {15, 8}, {8, 15}, {1, 8}});
      break;
    case 2:
      path.addPolygon(QPolygonF{{8, 1.5}, {15, 14}, {1, 14}});
      break;
    case 3: {
      QPolygonF star;
      for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 3.2 : 7.2;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star.append({8 + r * std::cos(a), 8.5 + r * std::sin(a)});
      }
      path.addPolygon(star);
      break;
    }
    default: {
      QPolygonF hexagon;
      for (int i = 0; i < 6; ++i) {
        const double a = i * std::numbers::pi / 3;
        hexagon.append({8 + 6.8 * std::cos(a), 8 + 6.8 * std::sin(a)});
      }
      path.addPolygon(hexagon);
    }
  }
  path.closeSubpath();
  return path;
}

QImage special(int n) {
  const QColor fill = QColor::fromHsv(n * 360 / 31 % 360, 210, 210);
  QImage image = blank();
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(fill.darker(170), 1.2));
  p.setBrush(fill);
  p.drawPath(specialShape(n % 5));
  return image;
}
}  // namespace

QImage Picture(int Index) {
  if (Index == 0) return badge(QColor(0x2e, 0x9e, 0x44), QStringLiteral("S"));
  if (Index == 1) return badge(QColor(0xc0, 0x1c, 0x28), QStringLiteral("Z"));
  if (Index >= 2 && Index < 30) return pin(Index - 2);
  if (Index >= 30 && Index < kCount) return special(Index - 30);
  return {};
}

QString SymbolNumber(int Index) {
  return QStringLiteral("%1").arg(Index < 30 ? Index : Index + 900, 3, 10, QLatin1Char('0'));
}

}  // namespace mapsymbols
