#include "widgets/plannersettings.h"

#include "widgets/plannerdisplay.h"

TPositionProp::TPositionProp(const TPlannerDisplay& Display)
    : ColorActive(Display.ColorActive),
      ColorNonActive(Display.ColorNonActive),
      FDisplay(Display),
      FActiveStartMinutes(Display.ActiveStart() * Display.DisplayUnit()),
      FActiveEndMinutes(Display.ActiveEnd() * Display.DisplayUnit()) {}

int TPositionProp::ActiveStart() const {
  return FActiveStartMinutes < 0 ? -1 : FActiveStartMinutes / FDisplay.DisplayUnit();
}

int TPositionProp::ActiveEnd() const {
  return FActiveEndMinutes < 0 ? -1 : FActiveEndMinutes / FDisplay.DisplayUnit();
}

void TPositionProp::SetActiveStart(int Cell) {
  FActiveStartMinutes = Cell < 0 ? -1 : Cell * FDisplay.DisplayUnit();
}

void TPositionProp::SetActiveEnd(int Cell) {
  FActiveEndMinutes = Cell < 0 ? -1 : Cell * FDisplay.DisplayUnit();
}

bool TPositionProp::IsActive(int Minutes) const {
  if (FActiveStartMinutes < 0 || FActiveEndMinutes < 0) return false;
  return Minutes >= FActiveStartMinutes && Minutes < FActiveEndMinutes;
}

TPositionProp* TPositionProps::Add() {
  FItems.push_back(std::make_unique<TPositionProp>(FDisplay));
  return FItems.back().get();
}

TPositionProp* TPositionProps::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[Index].get();
}
