#include "widgets/plannerlayout.h"

#include <algorithm>

#include "widgets/planneritems.h"

bool LayerMatches(int Filter, int ItemLayer) { return Filter == 0 || (Filter & ItemLayer) != 0; }

void TPlannerLayout::Build(const TPlannerItems& Items, int Layer, int Positions) {
  FColumns.assign(std::max(Positions, 0), {});
  FOutside.clear();
  FLanes.clear();
  FLanes.reserve(Items.Count());
  for (int I = 0; I < Items.Count(); ++I) {
    TPlannerItem* Item = Items.Items(I);
    if (!LayerMatches(Layer, Item->Layer())) continue;
    if (Item->ItemPos() < 0 || Item->ItemPos() >= Positions)
      FOutside.push_back(Item);
    else
      FColumns[Item->ItemPos()].push_back(Item);
  }
  for (auto& Column : FColumns) {
    std::stable_sort(Column.begin(), Column.end(), [](TPlannerItem* A, TPlannerItem* B) {
      if (A->StartMinutes() != B->StartMinutes()) return A->StartMinutes() < B->StartMinutes();
      return A->EndMinutes() > B->EndMinutes();
    });
    AssignLanes(Column);
  }
}

TItemLane TPlannerLayout::LaneOf(const TPlannerItem* Item) const {
  auto Found = FLanes.find(Item);
  return Found == FLanes.end() ? TItemLane{} : Found->second;
}

// Items that overlap one another, directly or through others, form a cluster; each takes the
// first lane that is free at its start, and the cluster is as wide as its most lanes.
void TPlannerLayout::AssignLanes(const std::vector<TPlannerItem*>& Column) {
  std::vector<double> LaneEnds;
  std::vector<TPlannerItem*> Cluster;
  double ClusterEnd = -1;
  auto CloseCluster = [&] {
    for (TPlannerItem* Item : Cluster) FLanes[Item].Lanes = static_cast<int>(LaneEnds.size());
    Cluster.clear();
    LaneEnds.clear();
  };
  for (TPlannerItem* Item : Column) {
    if (Item->StartMinutes() >= ClusterEnd) CloseCluster();
    auto Free = std::find_if(LaneEnds.begin(), LaneEnds.end(),
                             [&](double End) { return End <= Item->StartMinutes(); });
    int Lane = static_cast<int>(Free - LaneEnds.begin());
    if (Free == LaneEnds.end())
      LaneEnds.push_back(Item->EndMinutes());
    else
      *Free = Item->EndMinutes();
    FLanes[Item] = TItemLane{Lane, 1};
    Cluster.push_back(Item);
    ClusterEnd = std::max(ClusterEnd, Item->EndMinutes());
  }
  CloseCluster();
}
