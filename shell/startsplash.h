#pragma once

#include <QSplashScreen>
#include <QStringList>

// The start-up splash: the program's name, a version line and the steps of the start.
class TStartSplash : public QSplashScreen {
 public:
  TStartSplash();
  void SetProgramName(const QString& Name);
  void SetVersionLine(const QString& Line);
  void AddProgressLine(const QString& Line);
  const QStringList& ProgressLines() const { return FLines; }

 protected:
  void drawContents(QPainter* Painter) override;

 private:
  QString FName;
  QString FVersion;
  QStringList FLines;
};
