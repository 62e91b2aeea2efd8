#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

// The start-up splash: program name, version line and a list of progress lines. It closes by
// itself when the watched main window is shown for the first time.
class TSplashScreen : public QWidget {
  Q_OBJECT
 public:
  explicit TSplashScreen(QWidget* Parent = nullptr);

  QString ProgramName() const { return FProgramName; }
  void SetProgramName(const QString& Value);
  // Prefilled with the program's file version.
  QString VersionLine() const { return FVersionLine; }
  void SetVersionLine(const QString& Value);
  const QStringList& ProgressLines() const { return FProgressLines; }
  // Adds a line and paints it at once, since start-up work follows without an event loop.
  void AddProgressLine(const QString& Line);

  void Show();
  void Hide();
  void CloseWhenShown(QWidget* MainWindow);

  // The file version of the running program (the application version), "" when unset.
  static QString FileVersion();

 protected:
  void paintEvent(QPaintEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  QString FProgramName;
  QString FVersionLine;
  QStringList FProgressLines;
  QPointer<QWidget> FMainWindow;
};
