#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>

#include "widgets/plannerwaitlist.h"

namespace {

class WaitListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    List.resize(250, 500);
    List.SetItemHeight(100);
    List.MultiSelect = true;
    for (int I = 0; I < 4; ++I) {
      TPlannerItem* Item = List.Items().Add();
      Item->SetID(4800 + I);
      Item->SetCaptionText(QString("ID: %1").arg(4800 + I));
      Item->SetText({"Wartung"});
    }
    List.show();
    QApplication::processEvents();
    List.OnItemSelect = [this](QObject*, TPlannerItem* Item) { Selects.push_back(Item->ID()); };
  }
  QPoint Center(int Index) { return List.ItemRect(Index).center(); }
  std::vector<bool> Selection() {
    std::vector<bool> Result;
    for (int I = 0; I < List.Items().Count(); ++I) Result.push_back(List.Selected(I));
    return Result;
  }

  TPlannerWaitList List;
  std::vector<int> Selects;
};

TEST_F(WaitListTest, ClickChoosesOneItemAndCtrlClickAddsMore) {
  QTest::mouseClick(List.viewport(), Qt::LeftButton, {}, Center(1));
  EXPECT_EQ(List.ItemIndex(), 1);
  EXPECT_EQ(Selection(), std::vector<bool>({false, true, false, false}));
  QTest::mouseClick(List.viewport(), Qt::LeftButton, Qt::ControlModifier, Center(3));
  EXPECT_EQ(Selection(), std::vector<bool>({false, true, false, true}));
  QTest::mouseClick(List.viewport(), Qt::LeftButton, {}, Center(0));
  EXPECT_EQ(Selection(), std::vector<bool>({true, false, false, false}));
  EXPECT_EQ(Selects, std::vector<int>({4801, 4803, 4800}));
  List.MultiSelect = false;
  QTest::mouseClick(List.viewport(), Qt::LeftButton, Qt::ControlModifier, Center(2));
  EXPECT_EQ(Selection(), std::vector<bool>({false, false, true, false}));
}

TEST_F(WaitListTest, RemovedItemsLeaveTheSelectionAndTheCurrentIndex) {
  List.SetSelected(2, true);
  List.SetItemIndex(2);
  List.Items().FreeItem(List.Items().Items(2));
  EXPECT_EQ(Selection(), std::vector<bool>({false, false, false}));
  EXPECT_EQ(List.ItemIndex(), -1);
  List.SetSelected(9, true);  // no such item: nothing happens
  EXPECT_FALSE(List.Selected(9));
  List.SetItemIndex(7);
  EXPECT_EQ(List.ItemIndex(), -1);
}

TEST_F(WaitListTest, DoubleClickHintAndItemHeight) {
  int Clicked = 0;
  List.OnItemDblClick = [&](QObject*, TPlannerItem* Item) { Clicked = Item->ID(); };
  QTest::mouseDClick(List.viewport(), Qt::LeftButton, {}, Center(3));
  EXPECT_EQ(Clicked, 4803);
  QString Seen;
  List.ShowHint = true;
  List.OnItemHint = [&](QObject*, TPlannerItem*, QString& Hint) { Seen = Hint; };
  QHelpEvent Help(QEvent::ToolTip, Center(0), List.viewport()->mapToGlobal(Center(0)));
  QApplication::sendEvent(List.viewport(), &Help);
  EXPECT_EQ(Seen, "ID: 4800\nWartung");
  List.SetItemHeight(40);
  EXPECT_EQ(List.IndexAt(QPoint(20, 2 + 3 * 42 + 20)), 3);
  List.SetItemHeight(0);
  EXPECT_EQ(List.ItemHeight(), 16);
  EXPECT_EQ(List.IndexAt(QPoint(20, 490)), -1);
}

}  // namespace
