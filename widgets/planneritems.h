#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "widgets/plannerdisplay.h"
#include "widgets/planneritem.h"

// The item collection of a grid or a waiting list. It owns its items; FindFirst/FindNext walk
// the items of one column that overlap a cell range, in collection order.
class TPlannerItems {
 public:
  TPlannerItems() = default;
  TPlannerItems(const TPlannerItems&) = delete;
  TPlannerItems& operator=(const TPlannerItems&) = delete;
  ~TPlannerItems();

  TPlannerItem* Add();
  int Count() const { return static_cast<int>(FItems.size()); }
  // The item at Index, or nullptr outside 0 … Count() − 1.
  TPlannerItem* Items(int Index) const;
  int IndexOf(const TPlannerItem* Item) const;
  // Removes one item with its attached object; an item of another collection is left alone.
  void FreeItem(TPlannerItem* Item);
  // Removes every item.
  void ClearAll();

  // The current selected item: a reference kept apart from the items' own Selected flags.
  TPlannerItem* Selected() const { return FSelected; }
  void SetSelected(TPlannerItem* Item) { FSelected = Item; }
  void UnSelectAll();
  std::vector<TPlannerItem*> SelectedItems() const;

  // Changes between BeginUpdate and the matching EndUpdate are reported once, at the end.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  bool Updating() const { return FUpdateCount > 0; }

  // The items of column ItemPos whose cells overlap [ItemBegin, ItemEnd), one per call;
  // nullptr when there are no more.
  TPlannerItem* FindFirst(int ItemBegin, int ItemEnd, int ItemPos);
  TPlannerItem* FindNext(int ItemBegin, int ItemEnd, int ItemPos);

  // Minutes per cell for the items' cell numbers: the grid's, when it lends its display.
  int DisplayUnit() const;
  void SetDisplayUnit(int Minutes);
  void SetUnitSource(const TPlannerDisplay* Display) { FUnitSource = Display; }

  // Called after every change outside an update bracket.
  std::function<void()> OnChange;

  // For the items: report a change of their data.
  void Changed();

 private:
  std::vector<std::unique_ptr<TPlannerItem>> FItems;
  TPlannerItem* FSelected = nullptr;
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
  int FFindCursor = 0;
  int FDisplayUnit = 15;
  const TPlannerDisplay* FUnitSource = nullptr;
};
