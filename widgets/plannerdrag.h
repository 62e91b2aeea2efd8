#pragma once

class TPlannerItem;
class TPlannerItems;

enum class TDragKind { Move, SizeBegin, SizeEnd };

struct TItemCells {
  int Begin = 0;
  int End = 0;
  int Pos = 0;
  friend bool operator==(const TItemCells&, const TItemCells&) = default;
};

// What a drag must stay within: the shown cells [FirstCell, LastCell], the columns, and the
// items (as far as the layer filter shows them) that may refuse an overlap.
struct TDragLimits {
  int FirstCell = 0;
  int LastCell = 0;
  int Positions = 0;
  int Layer = 0;
  const TPlannerItems* Items = nullptr;
};

// Moving or sizing one item by whole cells under the item's limits: FixedPos items do not
// move, FixedPosition items keep their column, FixedSize items keep their length, and an
// item never ends up overlapping another when either of them forbids overlaps (the drag then
// stays at the last cells that were allowed).
class TItemDrag {
 public:
  static bool CanStart(const TPlannerItem& Item, TDragKind Kind);

  TItemDrag(const TPlannerItem& Item, TDragKind Kind, int GrabCell, const TDragLimits& Limits);

  // The cells the item takes with the pointer over Cell in column Pos (−1: keep the column).
  TItemCells Track(int Cell, int Pos);
  TItemCells Original() const { return FOriginal; }
  TItemCells Current() const { return FCurrent; }
  TDragKind Kind() const { return FKind; }
  bool Changed() const { return !(FCurrent == FOriginal); }
  // Puts the item on the tracked cells: a move keeps its exact length, sizing snaps the
  // dragged edge to the cell border; back on its original cells it gets its exact times back.
  void Apply(TPlannerItem& Item) const;

 private:
  TItemCells Propose(int Cell, int Pos) const;
  bool Overlaps(const TItemCells& Cells) const;

  const TPlannerItem& FItem;
  TDragKind FKind;
  int FGrabCell;
  TDragLimits FLimits;
  TItemCells FOriginal;
  TItemCells FCurrent;
  double FOriginalStart = 0;
  double FOriginalEnd = 0;
};
