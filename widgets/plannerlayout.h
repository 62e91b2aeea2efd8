#pragma once

#include <unordered_map>
#include <vector>

class TPlannerItem;
class TPlannerItems;

// The grid's item filter: 0 shows every item, any other value the items that share a bit
// with it.
bool LayerMatches(int Filter, int ItemLayer);

// Where an item stands within its column: overlapping items share the column side by side.
struct TItemLane {
  int Lane = 0;
  int Lanes = 1;
};

// The items the grid shows, per column and in time order, with their lanes.
class TPlannerLayout {
 public:
  void Build(const TPlannerItems& Items, int Layer, int Positions);

  int Positions() const { return static_cast<int>(FColumns.size()); }
  const std::vector<TPlannerItem*>& Column(int Pos) const { return FColumns[Pos]; }
  TItemLane LaneOf(const TPlannerItem* Item) const;
  // Items that pass the filter but stand in a column the grid does not have.
  const std::vector<TPlannerItem*>& OutsideColumns() const { return FOutside; }

 private:
  void AssignLanes(const std::vector<TPlannerItem*>& Column);

  std::vector<std::vector<TPlannerItem*>> FColumns;
  std::vector<TPlannerItem*> FOutside;
  std::unordered_map<const TPlannerItem*, TItemLane> FLanes;
};
