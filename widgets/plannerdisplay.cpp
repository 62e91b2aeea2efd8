#include "widgets/plannerdisplay.h"

#include <algorithm>

void TPlannerDisplay::SetDisplayUnit(int Minutes) { FUnit = std::clamp(Minutes, 1, 24 * 60); }

int TPlannerDisplay::DisplayEnd() const { return std::max(FEndMinutes / FUnit, DisplayStart()); }

// The axis shows one day; the cell starting at midnight of the next day is its last.
static int DayMinutes(int Cell, int Unit) {
  return std::min(std::clamp(Cell, 0, 24 * 60) * Unit, 24 * 60);
}

void TPlannerDisplay::SetDisplayStart(int Cell) { FStartMinutes = DayMinutes(Cell, FUnit); }

void TPlannerDisplay::SetDisplayEnd(int Cell) { FEndMinutes = DayMinutes(Cell, FUnit); }

void TPlannerDisplay::SetDisplayScale(int Pixels) { FScale = std::clamp(Pixels, 4, 400); }
