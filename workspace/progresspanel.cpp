#include "workspace/progresspanel.h"

#include <QPainter>
#include <algorithm>

int ProgressBarWidth(const QString& Text, int PanelWidth) {
  if (Text.isEmpty()) return 0;
  bool IsNumber = false;
  int Percent = Text.trimmed().toInt(&IsNumber);
  if (!IsNumber) Percent = 0;
  Percent = std::clamp(Percent, 0, 100);
  if (Percent == 100) Percent = 0;
  return static_cast<int>(static_cast<qint64>(PanelWidth) * Percent / 100);
}

QString WebProgressText(qint64 Progress, qint64 ProgressMax) {
  if (ProgressMax <= 0 || Progress >= ProgressMax) return QString();
  return QString::number(Progress * 100 / ProgressMax);
}

TProgressPanel::TProgressPanel(QWidget* Parent) : QWidget(Parent) { setFixedWidth(100); }

void TProgressPanel::SetText(const QString& Text) {
  if (FText == Text) return;
  FText = Text;
  update();
}

QSize TProgressPanel::sizeHint() const { return QSize(100, fontMetrics().height() + 4); }

void TProgressPanel::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const QRect Panel = rect().adjusted(1, 2, -1, -2);
  Painter.setPen(palette().color(QPalette::Mid));
  Painter.drawRect(Panel.adjusted(0, 0, -1, -1));
  const int Width = ProgressBarWidth(FText, Panel.width());
  if (Width > 0) Painter.fillRect(QRect(Panel.topLeft(), QSize(Width, Panel.height())), Qt::blue);
}
