#include "widgets/plannerlayout.h"

#include <gtest/gtest.h>

#include "widgets/planneritems.h"

namespace {

TEST(PlannerLayout, LayerFilter) {
  struct TCase {
    int Filter, Layer;
    bool Shown;
  };
  const TCase Cases[] = {{0, 1, true},  {0, 64, true}, {3, 1, true},   {3, 2, true},
                         {3, 4, false}, {3, 17, true}, {16, 17, true}, {16, 1, false},
                         {4, 4, true},  {1, 0, false}, {0, 0, true}};
  for (const TCase& Case : Cases)
    EXPECT_EQ(LayerMatches(Case.Filter, Case.Layer), Case.Shown)
        << "filter " << Case.Filter << " layer " << Case.Layer;
}

class LayoutTest : public ::testing::Test {
 protected:
  TPlannerItem* Add(int StartMinutes, int EndMinutes, int Pos, int Layer = 1) {
    TPlannerItem* Item = Items.Add();
    Item->SetSpan(StartMinutes, EndMinutes, Pos);
    Item->SetLayer(Layer);
    return Item;
  }
  TPlannerItems Items;
  TPlannerLayout Layout;
};

TEST_F(LayoutTest, OverlappingItemsShareTheirColumnSideBySide) {
  TPlannerItem* A = Add(480, 600, 0);  // 08:00-10:00
  TPlannerItem* B = Add(510, 540, 0);  // inside A
  TPlannerItem* C = Add(540, 570, 0);  // after B, still inside A: reuses B's lane
  TPlannerItem* D = Add(600, 630, 0);  // touches A's end: a cluster of its own
  TPlannerItem* E = Add(480, 600, 1);
  Layout.Build(Items, 0, 2);
  auto Lane = [&](TPlannerItem* Item) {
    TItemLane L = Layout.LaneOf(Item);
    return std::pair(L.Lane, L.Lanes);
  };
  EXPECT_EQ(Lane(A), std::pair(0, 2));
  EXPECT_EQ(Lane(B), std::pair(1, 2));
  EXPECT_EQ(Lane(C), std::pair(1, 2));
  EXPECT_EQ(Lane(D), std::pair(0, 1));
  EXPECT_EQ(Lane(E), std::pair(0, 1));
  EXPECT_EQ(Layout.Column(0), std::vector<TPlannerItem*>({A, B, C, D}));
}

TEST_F(LayoutTest, FilteredItemsTakeNoLaneAndItemsBeyondTheColumnsAreCounted) {
  TPlannerItem* Planned = Add(480, 600, 0, 1);
  Add(480, 600, 0, 4);
  TPlannerItem* Beyond = Add(480, 600, 5, 1);
  TPlannerItem* Negative = Add(480, 600, -1, 1);
  Layout.Build(Items, 3, 2);
  EXPECT_EQ(Layout.Column(0), std::vector<TPlannerItem*>({Planned}));
  EXPECT_EQ(Layout.LaneOf(Planned).Lanes, 1);
  EXPECT_EQ(Layout.OutsideColumns(), std::vector<TPlannerItem*>({Beyond, Negative}));
  Layout.Build(Items, 0, 0);
  EXPECT_EQ(Layout.Positions(), 0);
  EXPECT_EQ(Layout.OutsideColumns().size(), 4u);
}

}  // namespace
