#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QWidget>

class MapViewImpl;

// The widget a map view draws into, filling its host window. It routes the mouse: left drag
// (and middle drag when the pan interactor allows it) pans, the wheel zooms around the cursor, in
// select mode 3 a drag with Shift draws a rubber band that selects the markers inside, a click
// selects the marker under it, and the right button opens the context menu; every press goes to the
// view's interactors first.
class MapCanvas : public QWidget {
 public:
  MapCanvas(MapViewImpl* View, QWidget* Host);

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void wheelEvent(QWheelEvent* Event) override;

 private:
  void clickSelect(QPoint Pixel);
  void rubberBandSelect(const QRect& Pixels);
  void openContextMenu(QPoint Pixel);

  MapViewImpl* view_;  // owns this canvas
  QPoint pressPos_;
  QPoint lastPos_;
  bool pressed_ = false;
  bool dragged_ = false;
  bool rubberBand_ = false;
  QElapsedTimer lastFullDraw_;
};
