#pragma once

#include <QColor>

// The shown time range, the working range and the cell size of a grid. The ranges are held in
// minutes, so that a new cell length keeps the shown and the working time; the cell numbers
// are derived from them.
class TPlannerDisplay {
 public:
  int DisplayUnit() const { return FUnit; }
  // Minutes per cell, limited to 1 … 1440.
  void SetDisplayUnit(int Minutes);

  // First and last shown cell. A last cell before the first is read as the first, so the grid
  // always shows at least one cell.
  int DisplayStart() const { return FStartMinutes / FUnit; }
  int DisplayEnd() const;
  void SetDisplayStart(int Cell);
  void SetDisplayEnd(int Cell);

  // Working cells [ActiveStart, ActiveEnd).
  int ActiveStart() const { return FActiveStartMinutes / FUnit; }
  int ActiveEnd() const { return FActiveEndMinutes / FUnit; }
  void SetActiveStart(int Cell) { FActiveStartMinutes = Cell * FUnit; }
  void SetActiveEnd(int Cell) { FActiveEndMinutes = Cell * FUnit; }
  // Whether the cell starting at Minutes after midnight is a working one.
  bool IsActive(int Minutes) const {
    return Minutes >= FActiveStartMinutes && Minutes < FActiveEndMinutes;
  }

  // Cell size in pixels, limited to 4 … 400.
  int DisplayScale() const { return FScale; }
  void SetDisplayScale(int Pixels);

  int CellCount() const { return DisplayEnd() - DisplayStart() + 1; }
  // The shown time as minutes after midnight: [first cell, end of the last cell).
  int StartMinutes() const { return DisplayStart() * FUnit; }
  int EndMinutes() const { return (DisplayEnd() + 1) * FUnit; }

  QColor ColorActive = QColor(255, 255, 255);
  QColor ColorNonActive = QColor(226, 230, 236);

 private:
  int FUnit = 15;
  int FStartMinutes = 0;
  int FEndMinutes = 23 * 60 + 45;
  int FActiveStartMinutes = 8 * 60;
  int FActiveEndMinutes = 17 * 60;
  int FScale = 24;
};
