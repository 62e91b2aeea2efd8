#pragma once

#include <QWidget>

// Width of the progress bar for a panel text: the text as a whole number (0 when it is none),
// clamped to 0 … 100, with 100 drawn as nothing, times the panel width / 100.
int ProgressBarWidth(const QString& Text, int PanelWidth);
// The text the web view's progress writes: the whole percentage, or empty when there is no
// maximum or the page is complete.
QString WebProgressText(qint64 Progress, qint64 ProgressMax);

// Panel 0 of the workspace's status bar: a number drawn as a blue bar.
class TProgressPanel : public QWidget {
 public:
  explicit TProgressPanel(QWidget* Parent);
  QString Text() const { return FText; }
  void SetText(const QString& Text);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  QString FText;
};
