#include "widgets/plannerdrag.h"

#include <algorithm>

#include "widgets/planneritems.h"
#include "widgets/plannerlayout.h"

bool TItemDrag::CanStart(const TPlannerItem& Item, TDragKind Kind) {
  return Kind == TDragKind::Move ? !Item.FixedPos() : !Item.FixedSize();
}

TItemDrag::TItemDrag(const TPlannerItem& Item, TDragKind Kind, int GrabCell,
                     const TDragLimits& Limits)
    : FItem(Item), FKind(Kind), FGrabCell(GrabCell), FLimits(Limits) {
  FOriginal = {Item.ItemBegin(), Item.ItemEnd(), Item.ItemPos()};
  FOriginalStart = Item.StartMinutes();
  FOriginalEnd = Item.EndMinutes();
  FCurrent = FOriginal;
}

TItemCells TItemDrag::Track(int Cell, int Pos) {
  TItemCells Proposed = Propose(Cell, Pos);
  if (!Overlaps(Proposed)) FCurrent = Proposed;
  return FCurrent;
}

TItemCells TItemDrag::Propose(int Cell, int Pos) const {
  const int First = FLimits.FirstCell;
  const int EndLimit = std::max(FLimits.LastCell + 1, First + 1);
  const int Delta = Cell - FGrabCell;
  TItemCells Result = FOriginal;
  switch (FKind) {
    case TDragKind::Move: {
      int Length = FOriginal.End - FOriginal.Begin;
      Result.Begin = std::clamp(FOriginal.Begin + Delta, First, std::max(First, EndLimit - Length));
      Result.End = Result.Begin + Length;
      if (!FItem.FixedPosition() && Pos >= 0 && FLimits.Positions > 0)
        Result.Pos = std::clamp(Pos, 0, FLimits.Positions - 1);
      else if (!FItem.FixedPosition())
        Result.Pos = FCurrent.Pos;
      break;
    }
    case TDragKind::SizeBegin:
      Result.Begin = std::clamp(FOriginal.Begin + Delta, std::min(First, FOriginal.End - 1),
                                FOriginal.End - 1);
      break;
    case TDragKind::SizeEnd:
      Result.End = std::clamp(FOriginal.End + Delta, FOriginal.Begin + 1,
                              std::max(EndLimit, FOriginal.Begin + 1));
      break;
  }
  return Result;
}

bool TItemDrag::Overlaps(const TItemCells& Cells) const {
  if (!FLimits.Items) return false;
  for (int I = 0; I < FLimits.Items->Count(); ++I) {
    const TPlannerItem* Other = FLimits.Items->Items(I);
    if (Other == &FItem || Other->ItemPos() != Cells.Pos) continue;
    if (!LayerMatches(FLimits.Layer, Other->Layer())) continue;
    if (FItem.AllowOverlap() && Other->AllowOverlap()) continue;
    if (Other->ItemBegin() < Cells.End && Other->ItemEnd() > Cells.Begin) return true;
  }
  return false;
}

void TItemDrag::Apply(TPlannerItem& Item) const {
  const double Unit = Item.Collection() ? Item.Collection()->DisplayUnit() : 15;
  double Start = FOriginalStart;
  double End = FOriginalEnd;
  if (Changed()) {
    switch (FKind) {
      case TDragKind::Move:
        Start = FCurrent.Begin * Unit;
        End = Start + (FOriginalEnd - FOriginalStart);
        break;
      case TDragKind::SizeBegin:
        Start = FCurrent.Begin * Unit;
        break;
      case TDragKind::SizeEnd:
        End = FCurrent.End * Unit;
        break;
    }
  }
  Item.SetSpan(Start, End, FCurrent.Pos);
}
