#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// What the grid's geometry depends on. "Along" is the time axis, "across" the columns: with
// the time axis on the left time runs down and the columns stand side by side; with it on top
// time runs to the right and the columns lie one below the other.
struct TPlannerMetrics {
  int StartMinutes = 0;  // start of the first shown cell
  int CellCount = 1;
  int Unit = 15;   // minutes per cell
  int Scale = 24;  // pixels per cell
  int Positions = 0;
  int PositionWidth = 0;  // 0: the columns share the visible space
  int PositionGap = 0;
  bool TimeOnTop = false;
  int SidebarSize = 0;  // the time axis band, 0 when hidden
  int HeaderSize = 0;   // the column captions band
  int FooterSize = 0;   // 0 when hidden
  QSize Viewport;
  int TimeScroll = 0;      // pixels scrolled along the time axis
  int PositionScroll = 0;  // pixels scrolled across the columns
};

// Pixel ↔ cell ↔ time arithmetic of the grid, in viewport coordinates. Header band, time axis
// band and footer stay in place; the cells scroll under them.
class TPlannerGeometry {
 public:
  explicit TPlannerGeometry(const TPlannerMetrics& Metrics);

  const TPlannerMetrics& Metrics() const { return M; }
  int ColumnWidth() const { return FColumnWidth; }
  int ContentTimeLength() const { return M.CellCount * M.Scale; }
  int ContentAcrossLength() const { return M.Positions * (M.PositionGap + FColumnWidth); }
  int VisibleTimeLength() const;
  int VisibleAcrossLength() const;
  int MaxTimeScroll() const;
  int MaxPositionScroll() const;

  QRect GridRect() const;
  QRect SidebarRect() const;
  QRect FooterBandRect() const;
  QRect HeaderBandRect() const;

  // Position along the time axis of a time of day in minutes, and back.
  int MinutesToAlong(double Minutes) const;
  double AlongToMinutes(int Along) const;
  // The cell under a pixel along the time axis, and the column under a pixel across; −1 for
  // none (outside the grid, or in a gap between columns).
  int AlongToCell(int Along) const;
  int AcrossToPosition(int Across) const;
  int ColumnStart(int Pos) const;

  // The cell under a viewport pixel in screen order: X the horizontal index, Y the vertical
  // one (column and cell with the time axis on the left, cell and column with it on top);
  // (−1, −1) outside the cells.
  QPoint XYToCell(int X, int Y) const;
  // Cell and column under a pixel; false outside the cells.
  bool CellAt(QPoint Pixel, int& Cell, int& Pos) const;

  QRect CellRect(int Pos, int Cell) const;
  // A time span of a column, optionally one lane of Lanes side by side.
  QRect SpanRect(int Pos, double StartMinutes, double EndMinutes, int Lane = 0,
                 int Lanes = 1) const;
  QRect GapRect(int Pos) const;
  // Section 0 is the corner above the time axis, section n + 1 the caption of column n.
  QRect HeaderSectionRect(int Section) const;
  int HeaderSectionAt(QPoint Pixel) const;
  QRect FooterRect(int Pos) const;
  int FooterPositionAt(QPoint Pixel) const;

  // Turns along/across coordinates and lengths into a viewport rectangle.
  QRect MakeRect(int Along, int Across, int AlongLength, int AcrossLength) const;

 private:
  int TimeOrigin() const { return M.HeaderSize; }
  int AcrossOrigin() const { return M.SidebarSize; }
  int AlongOf(QPoint Pixel) const { return M.TimeOnTop ? Pixel.x() : Pixel.y(); }
  int AcrossOf(QPoint Pixel) const { return M.TimeOnTop ? Pixel.y() : Pixel.x(); }

  TPlannerMetrics M;
  int FColumnWidth = 0;
};
