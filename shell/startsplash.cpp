#include "shell/startsplash.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

QPixmap Background() {
  QPixmap Picture(440, 240);
  QPainter Painter(&Picture);
  QLinearGradient Gradient(0, 0, 0, Picture.height());
  Gradient.setColorAt(0, QColor(38, 84, 140));
  Gradient.setColorAt(1, QColor(18, 44, 80));
  Painter.fillRect(Picture.rect(), Gradient);
  return Picture;
}

}  // namespace

TStartSplash::TStartSplash() : QSplashScreen(Background()) {}

void TStartSplash::SetProgramName(const QString& Name) {
  FName = Name;
  repaint();
}

void TStartSplash::SetVersionLine(const QString& Line) {
  FVersion = Line;
  repaint();
}

void TStartSplash::AddProgressLine(const QString& Line) {
  FLines << Line;
  repaint();
}

void TStartSplash::drawContents(QPainter* Painter) {
  Painter->setPen(Qt::white);
  QFont Font = Painter->font();
  Font.setPointSize(22);
  Font.setBold(true);
  Painter->setFont(Font);
  Painter->drawText(QRect(24, 24, width() - 48, 40), Qt::AlignLeft, FName);
  Font.setPointSize(10);
  Font.setBold(false);
  Painter->setFont(Font);
  Painter->drawText(QRect(24, 70, width() - 48, 20), Qt::AlignLeft, FVersion);
  Painter->setPen(QColor(200, 215, 235));
  int Y = 120;
  for (const QString& Line : FLines) {
    Painter->drawText(QRect(24, Y, width() - 48, 18), Qt::AlignLeft, Line);
    Y += 20;
  }
}
