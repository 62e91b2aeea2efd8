#include "widgets/plannergeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Fitted columns never get narrower than this; the grid scrolls instead.
constexpr int MinFittedColumn = 24;

}  // namespace

TPlannerGeometry::TPlannerGeometry(const TPlannerMetrics& Metrics) : M(Metrics) {
  M.Positions = std::max(M.Positions, 0);
  M.CellCount = std::max(M.CellCount, 1);
  M.Unit = std::max(M.Unit, 1);
  M.Scale = std::max(M.Scale, 1);
  M.PositionGap = std::max(M.PositionGap, 0);
  if (M.PositionWidth > 0) {
    FColumnWidth = M.PositionWidth;
  } else if (M.Positions > 0) {
    int Free = VisibleAcrossLength() - M.Positions * M.PositionGap;
    FColumnWidth = std::max(MinFittedColumn, Free / M.Positions);
  }
  M.TimeScroll = std::clamp(M.TimeScroll, 0, MaxTimeScroll());
  M.PositionScroll = std::clamp(M.PositionScroll, 0, MaxPositionScroll());
}

int TPlannerGeometry::VisibleTimeLength() const {
  int Total = M.TimeOnTop ? M.Viewport.width() : M.Viewport.height();
  return std::max(0, Total - M.HeaderSize - M.FooterSize);
}

int TPlannerGeometry::VisibleAcrossLength() const {
  int Total = M.TimeOnTop ? M.Viewport.height() : M.Viewport.width();
  return std::max(0, Total - M.SidebarSize);
}

int TPlannerGeometry::MaxTimeScroll() const {
  return std::max(0, ContentTimeLength() - VisibleTimeLength());
}

int TPlannerGeometry::MaxPositionScroll() const {
  return std::max(0, ContentAcrossLength() - VisibleAcrossLength());
}

QRect TPlannerGeometry::MakeRect(int Along, int Across, int AlongLength, int AcrossLength) const {
  if (M.TimeOnTop) return QRect(Along, Across, AlongLength, AcrossLength);
  return QRect(Across, Along, AcrossLength, AlongLength);
}

QRect TPlannerGeometry::GridRect() const {
  return MakeRect(TimeOrigin(), AcrossOrigin(), VisibleTimeLength(), VisibleAcrossLength());
}

QRect TPlannerGeometry::SidebarRect() const {
  return MakeRect(TimeOrigin(), 0, VisibleTimeLength(), M.SidebarSize);
}

QRect TPlannerGeometry::FooterBandRect() const {
  return MakeRect(TimeOrigin() + VisibleTimeLength(), AcrossOrigin(), M.FooterSize,
                  VisibleAcrossLength());
}

QRect TPlannerGeometry::HeaderBandRect() const {
  return MakeRect(0, AcrossOrigin(), M.HeaderSize, VisibleAcrossLength());
}

int TPlannerGeometry::MinutesToAlong(double Minutes) const {
  double Cells = (Minutes - M.StartMinutes) / M.Unit;
  return TimeOrigin() + static_cast<int>(std::lround(Cells * M.Scale)) - M.TimeScroll;
}

double TPlannerGeometry::AlongToMinutes(int Along) const {
  double Cells = double(Along - TimeOrigin() + M.TimeScroll) / M.Scale;
  return M.StartMinutes + Cells * M.Unit;
}

int TPlannerGeometry::AlongToCell(int Along) const {
  if (Along < TimeOrigin() || Along >= TimeOrigin() + VisibleTimeLength()) return -1;
  int Offset = Along - TimeOrigin() + M.TimeScroll;
  if (Offset >= ContentTimeLength()) return -1;
  return M.StartMinutes / M.Unit + Offset / M.Scale;
}

int TPlannerGeometry::AcrossToPosition(int Across) const {
  if (Across < AcrossOrigin() || Across >= AcrossOrigin() + VisibleAcrossLength()) return -1;
  int Offset = Across - AcrossOrigin() + M.PositionScroll;
  int Stride = M.PositionGap + FColumnWidth;
  if (Stride <= 0) return -1;
  int Pos = Offset / Stride;
  if (Pos >= M.Positions || Offset % Stride < M.PositionGap) return -1;
  return Pos;
}

int TPlannerGeometry::ColumnStart(int Pos) const {
  return AcrossOrigin() + Pos * (M.PositionGap + FColumnWidth) + M.PositionGap - M.PositionScroll;
}

QPoint TPlannerGeometry::XYToCell(int X, int Y) const {
  int Cell = -1;
  int Pos = -1;
  if (!CellAt(QPoint(X, Y), Cell, Pos)) return QPoint(-1, -1);
  return M.TimeOnTop ? QPoint(Cell, Pos) : QPoint(Pos, Cell);
}

bool TPlannerGeometry::CellAt(QPoint Pixel, int& Cell, int& Pos) const {
  Cell = AlongToCell(AlongOf(Pixel));
  Pos = AcrossToPosition(AcrossOf(Pixel));
  return Cell >= 0 && Pos >= 0;
}

QRect TPlannerGeometry::CellRect(int Pos, int Cell) const {
  int Along = MinutesToAlong(double(Cell) * M.Unit);
  return MakeRect(Along, ColumnStart(Pos), M.Scale, FColumnWidth);
}

QRect TPlannerGeometry::SpanRect(int Pos, double StartMinutes, double EndMinutes, int Lane,
                                 int Lanes) const {
  int Along = MinutesToAlong(StartMinutes);
  int AlongEnd = MinutesToAlong(EndMinutes);
  Lanes = std::max(Lanes, 1);
  int Across = ColumnStart(Pos) + Lane * FColumnWidth / Lanes;
  int AcrossEnd = ColumnStart(Pos) + (Lane + 1) * FColumnWidth / Lanes;
  return MakeRect(Along, Across, AlongEnd - Along, AcrossEnd - Across);
}

QRect TPlannerGeometry::GapRect(int Pos) const {
  return MakeRect(TimeOrigin() - M.TimeScroll, ColumnStart(Pos) - M.PositionGap,
                  ContentTimeLength(), M.PositionGap);
}

QRect TPlannerGeometry::HeaderSectionRect(int Section) const {
  if (Section <= 0) return MakeRect(0, 0, M.HeaderSize, M.SidebarSize);
  return MakeRect(0, ColumnStart(Section - 1), M.HeaderSize, FColumnWidth);
}

int TPlannerGeometry::HeaderSectionAt(QPoint Pixel) const {
  int Along = AlongOf(Pixel);
  int Across = AcrossOf(Pixel);
  if (Along < 0 || Along >= M.HeaderSize) return -1;
  if (Across >= 0 && Across < AcrossOrigin()) return 0;
  int Pos = AcrossToPosition(Across);
  return Pos < 0 ? -1 : Pos + 1;
}

QRect TPlannerGeometry::FooterRect(int Pos) const {
  return MakeRect(TimeOrigin() + VisibleTimeLength(), ColumnStart(Pos), M.FooterSize, FColumnWidth);
}

int TPlannerGeometry::FooterPositionAt(QPoint Pixel) const {
  int Along = AlongOf(Pixel) - TimeOrigin() - VisibleTimeLength();
  if (M.FooterSize <= 0 || Along < 0 || Along >= M.FooterSize) return -1;
  return AcrossToPosition(AcrossOf(Pixel));
}
