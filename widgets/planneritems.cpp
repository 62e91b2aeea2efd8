#include "widgets/planneritems.h"

#include <algorithm>

TPlannerItems::~TPlannerItems() {
  // Items report changes to their collection; none may arrive while it is taken down.
  OnChange = nullptr;
}

TPlannerItem* TPlannerItems::Add() {
  FItems.push_back(std::make_unique<TPlannerItem>(this));
  Changed();
  return FItems.back().get();
}

TPlannerItem* TPlannerItems::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FItems[Index].get();
}

int TPlannerItems::IndexOf(const TPlannerItem* Item) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I].get() == Item) return I;
  return -1;
}

void TPlannerItems::FreeItem(TPlannerItem* Item) {
  int Index = IndexOf(Item);
  if (Index < 0) return;
  if (FSelected == Item) FSelected = nullptr;
  // A search in progress goes on with the item that followed the freed one.
  if (Index < FFindCursor) --FFindCursor;
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TPlannerItems::ClearAll() {
  FSelected = nullptr;
  FFindCursor = 0;
  FItems.clear();
  Changed();
}

void TPlannerItems::UnSelectAll() {
  BeginUpdate();
  for (auto& Item : FItems) Item->SetSelected(false);
  EndUpdate();
}

std::vector<TPlannerItem*> TPlannerItems::SelectedItems() const {
  std::vector<TPlannerItem*> Result;
  for (const auto& Item : FItems)
    if (Item->Selected()) Result.push_back(Item.get());
  return Result;
}

void TPlannerItems::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    if (OnChange) OnChange();
  }
}

TPlannerItem* TPlannerItems::FindFirst(int ItemBegin, int ItemEnd, int ItemPos) {
  FFindCursor = 0;
  return FindNext(ItemBegin, ItemEnd, ItemPos);
}

TPlannerItem* TPlannerItems::FindNext(int ItemBegin, int ItemEnd, int ItemPos) {
  while (FFindCursor < Count()) {
    TPlannerItem* Item = FItems[FFindCursor++].get();
    if (Item->ItemPos() == ItemPos && Item->ItemBegin() < ItemEnd && Item->ItemEnd() > ItemBegin)
      return Item;
  }
  return nullptr;
}

int TPlannerItems::DisplayUnit() const {
  return FUnitSource ? FUnitSource->DisplayUnit() : FDisplayUnit;
}

void TPlannerItems::SetDisplayUnit(int Minutes) {
  FDisplayUnit = std::clamp(Minutes, 1, MinsPerDay);
  Changed();
}

void TPlannerItems::Changed() {
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  if (OnChange) OnChange();
}
