#include "widgets/planneritem.h"

#include <QMenu>
#include <algorithm>
#include <cmath>

#include "widgets/planneritems.h"

namespace {

// Cells are counted on the minute grid; a hair of rounding must not move an item by a cell.
constexpr double CellEpsilon = 1e-6;

double TimeOfDay(TDateTime Value) { return TimeOf(Value).Value(); }

}  // namespace

TPlannerItem::TPlannerItem(TPlannerItems* Owner) : FOwner(Owner) {
  FEnd = UnitMinutes() / double(MinsPerDay);
}

TPlannerItem::~TPlannerItem() = default;

void TPlannerItem::Assign(const TPlannerItem& Source) {
  FID = Source.FID;
  FTag = Source.FTag;
  FItemPos = Source.FItemPos;
  FStart = Source.FStart;
  FEnd = Source.FEnd;
  FLayer = Source.FLayer;
  FText = Source.FText;
  FCaptionType = Source.FCaptionType;
  FCaptionText = Source.FCaptionText;
  FColor = Source.FColor;
  FTrackColor = Source.FTrackColor;
  FTrackVisible = Source.FTrackVisible;
  FShadow = Source.FShadow;
  FShowSelection = Source.FShowSelection;
  FFlashing = Source.FFlashing;
  FFixedPos = Source.FFixedPos;
  FFixedPosition = Source.FFixedPosition;
  FFixedSize = Source.FFixedSize;
  FReadOnly = Source.FReadOnly;
  FAllowOverlap = Source.FAllowOverlap;
  FPopupMenu = Source.FPopupMenu;
  FURL = Source.FURL;
  FImageIndexList = Source.FImageIndexList;
  Changed();
}

void TPlannerItem::SetItemPos(int Value) { Set(FItemPos, Value); }

int TPlannerItem::UnitMinutes() const { return FOwner ? FOwner->DisplayUnit() : 15; }

double TPlannerItem::StartMinutes() const { return FStart * MinsPerDay; }

double TPlannerItem::EndMinutes() const {
  return HasInvalidTimes() ? StartMinutes() + UnitMinutes() : FEnd * MinsPerDay;
}

int TPlannerItem::ItemBegin() const {
  return static_cast<int>(std::floor(StartMinutes() / UnitMinutes() + CellEpsilon));
}

int TPlannerItem::ItemEnd() const {
  int End = static_cast<int>(std::ceil(EndMinutes() / UnitMinutes() - CellEpsilon));
  return std::max(End, ItemBegin() + 1);
}

void TPlannerItem::SetItemBegin(int Cell) {
  Set(FStart, Cell * UnitMinutes() / double(MinsPerDay));
}

void TPlannerItem::SetItemEnd(int Cell) { Set(FEnd, Cell * UnitMinutes() / double(MinsPerDay)); }

void TPlannerItem::SetItemCells(int Begin, int End, int Pos) {
  SetSpan(double(Begin) * UnitMinutes(), double(End) * UnitMinutes(), Pos);
}

void TPlannerItem::SetSpan(double StartMinutes, double EndMinutes, int Pos) {
  FStart = StartMinutes / MinsPerDay;
  FStartDay = 0;
  FEnd = EndMinutes / MinsPerDay;
  FItemPos = Pos;
  Changed();
}

void TPlannerItem::SetItemStartTime(TDateTime Value) {
  FStartDay = std::floor(Value.Value());
  Set(FStart, TimeOfDay(Value));
}

void TPlannerItem::SetItemEndTime(TDateTime Value) {
  double End = TimeOfDay(Value);
  bool LaterDay = std::floor(Value.Value()) > FStartDay;
  if (End <= FStart && LaterDay) End = 1.0;
  Set(FEnd, End);
}

void TPlannerItem::SetFlashing(bool Value) {
  if (!Value) FFlashOn = false;
  Set(FFlashing, Value);
}

QString TPlannerItem::DefaultHint() const { return FCaptionText + "\n" + FText.join("\n"); }

void TPlannerItem::Changed() {
  if (FOwner) FOwner->Changed();
}
