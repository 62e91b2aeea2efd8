#include "widgets/splashscreen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int SplashWidth = 460;
constexpr int SplashHeight = 260;
// Only the latest lines fit; older ones scroll out.
constexpr int ShownProgressLines = 5;

}  // namespace

TSplashScreen::TSplashScreen(QWidget* Parent)
    : QWidget(Parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FVersionLine(FileVersion()) {
  setObjectName("AdvSplashScreen1");
  setFixedSize(SplashWidth, SplashHeight);
}

QString TSplashScreen::FileVersion() { return QCoreApplication::applicationVersion(); }

void TSplashScreen::SetProgramName(const QString& Value) {
  FProgramName = Value;
  update();
}

void TSplashScreen::SetVersionLine(const QString& Value) {
  FVersionLine = Value;
  update();
}

void TSplashScreen::AddProgressLine(const QString& Line) {
  FProgressLines.append(Line);
  if (isVisible()) repaint();
}

void TSplashScreen::Show() {
  if (QScreen* Screen = QGuiApplication::primaryScreen())
    move(Screen->availableGeometry().center() - rect().center());
  show();
  raise();
  repaint();
}

void TSplashScreen::Hide() { hide(); }

void TSplashScreen::CloseWhenShown(QWidget* MainWindow) {
  if (FMainWindow) FMainWindow->removeEventFilter(this);
  FMainWindow = MainWindow;
  if (MainWindow) MainWindow->installEventFilter(this);
}

bool TSplashScreen::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == FMainWindow && Event->type() == QEvent::Show) {
    FMainWindow->removeEventFilter(this);
    FMainWindow = nullptr;
    close();
  }
  return QWidget::eventFilter(Watched, Event);
}

void TSplashScreen::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  QLinearGradient Gradient(0, 0, 0, height());
  Gradient.setColorAt(0, QColor(38, 84, 150));
  Gradient.setColorAt(1, QColor(18, 42, 82));
  Painter.fillRect(rect(), Gradient);
  Painter.setPen(Qt::white);
  QFont Title = font();
  Title.setPointSizeF(Title.pointSizeF() * 2.2);
  Title.setBold(true);
  Painter.setFont(Title);
  Painter.drawText(QRect(24, 24, width() - 48, 48), Qt::AlignLeft | Qt::AlignVCenter, FProgramName);
  QFont Version = font();
  Version.setPointSizeF(Version.pointSizeF() * 1.1);
  Painter.setFont(Version);
  Painter.setPen(QColor(210, 225, 245));
  Painter.drawText(QRect(24, 74, width() - 48, 24), Qt::AlignLeft | Qt::AlignVCenter, FVersionLine);
  Painter.setFont(font());
  const int First = std::max(0, int(FProgressLines.size()) - ShownProgressLines);
  int Top = 130;
  for (int I = First; I < FProgressLines.size(); ++I, Top += 20) {
    Painter.setPen(I + 1 == FProgressLines.size() ? QColor(Qt::white) : QColor(170, 190, 220));
    Painter.drawText(QRect(24, Top, width() - 48, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     FProgressLines[I]);
  }
}
