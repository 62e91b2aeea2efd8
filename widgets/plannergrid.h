#pragma once

#include <QAbstractScrollArea>
#include <optional>

#include "widgets/plannerdrag.h"

class TPlanner;
class TPlannerItem;
class QPainter;
class QHelpEvent;

// The focusable, scrolling part of the grid: paints the header, the time axis, the cells, the
// items and the footer, and turns mouse input into selections, moves and sizes.
class TPlannerGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TPlannerGrid(TPlanner& Planner);

  QScrollBar* TimeBar() const;
  QScrollBar* PositionBar() const;
  void UpdateScrollBars();
  // Paints everything the viewport shows; also used for pictures and benchmarks.
  void PaintAll(QPainter& Painter) const;

  // How many pixels of an item's edge start a size drag.
  static constexpr int SizeHandle = 5;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void scrollContentsBy(int Dx, int Dy) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  bool viewportEvent(QEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;

 private:
  struct TColumnResize {
    int Pos = 0;
    int StartAcross = 0;
    int StartWidth = 0;
  };

  void PressOnHeader(QMouseEvent* Event, int Section);
  void PressOnItem(QMouseEvent* Event, TPlannerItem* Item);
  void PressOnCells(QMouseEvent* Event);
  bool PressOnLink(TPlannerItem* Item, QPoint Pixel);
  TDragKind DragKindAt(TPlannerItem* Item, QPoint Pixel) const;
  int CellUnbounded(QPoint Pixel) const;
  void FinishDrag();
  bool DraggedItemAlive() const;
  bool ShowToolTip(QHelpEvent* Event);
  bool AcceptDrag(QDropEvent* Event);
  void OpenEditor(TPlannerItem* Item);

  void PaintHeader(QPainter& Painter) const;
  void PaintSidebar(QPainter& Painter) const;
  void PaintCells(QPainter& Painter) const;
  void PaintGapAxes(QPainter& Painter) const;
  void PaintItems(QPainter& Painter) const;
  void PaintHiddenItemMarks(QPainter& Painter) const;
  void PaintFooter(QPainter& Painter) const;
  void PaintTimeIndicator(QPainter& Painter) const;
  void PaintAxis(QPainter& Painter, const QRect& Band, bool Compact) const;

  TPlanner& FPlanner;
  // Reading settings through the const view never counts as changing them.
  const TPlanner& FView;
  TPlannerItem* FDragItem = nullptr;
  std::optional<TItemDrag> FDrag;
  std::optional<TColumnResize> FResize;
  int FSelectAnchor = -1;
};
