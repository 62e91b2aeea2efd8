#include <gtest/gtest.h>

#include "widgets/planneritems.h"

namespace {

TDateTime At(int Day, int Month, int Year, int Hour, int Minute) {
  return EncodeDateTime(Year, Month, Day, Hour, Minute, 0, 0);
}

TEST(PlannerItem, StartTimeIgnoresTheDateAndReadsBackTheTimeOfDay) {
  TPlannerItems Items;
  TPlannerItem* Item = Items.Add();
  Item->SetItemStartTime(At(7, 9, 2016, 8, 30));
  Item->SetItemEndTime(At(7, 9, 2016, 9, 0));
  EXPECT_NEAR(Item->ItemStartTime().Value(), 0.3541666, 1e-6);
  EXPECT_NEAR(Item->ItemEndTime().Value(), 0.375, 1e-9);
  EXPECT_EQ(Item->ItemBegin(), 34);
  EXPECT_EQ(Item->ItemEnd(), 36);
}

TEST(PlannerItem, EndOnTheNextDayStopsAtMidnightInsteadOfTurningRound) {
  TPlannerItems Items;
  TPlannerItem* Item = Items.Add();
  Item->SetItemStartTime(At(7, 9, 2016, 23, 30));
  Item->SetItemEndTime(At(8, 9, 2016, 0, 30));
  EXPECT_DOUBLE_EQ(Item->ItemEndTime().Value(), 1.0);
  EXPECT_FALSE(Item->HasInvalidTimes());
  EXPECT_EQ(Item->ItemEnd(), 96);
  // The calendar's own way: a time of day plus the stay.
  Item->SetItemStartTime(TDateTime(23.5 / 24));
  Item->SetItemEndTime(TDateTime(23.5 / 24 + 3600.0 / 86400));
  EXPECT_DOUBLE_EQ(Item->ItemEndTime().Value(), 1.0);
}

TEST(PlannerItem, EndBeforeStartIsKeptButShownOneCellLong) {
  TPlannerItems Items;
  TPlannerItem* Item = Items.Add();
  Item->SetItemStartTime(At(7, 9, 2016, 10, 0));
  Item->SetItemEndTime(At(7, 9, 2016, 9, 0));
  EXPECT_TRUE(Item->HasInvalidTimes());
  EXPECT_EQ(Item->ItemBegin(), 40);
  EXPECT_EQ(Item->ItemEnd(), 41);
  EXPECT_DOUBLE_EQ(Item->EndMinutes(), 615);
}

TEST(PlannerItem, CellsFollowTheCellLengthWhileTheTimesStay) {
  struct TCase {
    int Unit, Begin, End;
  };
  // 08:10 to 09:05
  for (TCase Case : {TCase{5, 98, 109}, TCase{10, 49, 55}, TCase{15, 32, 37}, TCase{60, 8, 10}}) {
    TPlannerItems Items;
    Items.SetDisplayUnit(Case.Unit);
    TPlannerItem* Item = Items.Add();
    Item->SetSpan(8 * 60 + 10, 9 * 60 + 5, 0);
    EXPECT_EQ(Item->ItemBegin(), Case.Begin) << Case.Unit;
    EXPECT_EQ(Item->ItemEnd(), Case.End) << Case.Unit;
  }
}

TEST(PlannerItem, AssignCopiesAttributesButNotObjectSelectionOrFocus) {
  TPlannerItems Items;
  TPlannerItem* Source = Items.Add();
  Source->SetID(4711);
  Source->SetLayer(3);
  Source->SetText({"a", "b"});
  Source->SetCaptionText("ID: 4711");
  Source->SetColor(QColor(1, 2, 3));
  Source->SetFixedSize(true);
  Source->SetImageIndexList({0, 2});
  Source->SetSelected(true);
  Source->SetFocus(true);
  Source->SetItemObject(std::make_unique<TStringList>());
  TPlannerItem* Copy = Items.Add();
  Copy->Assign(*Source);
  EXPECT_EQ(Copy->ID(), 4711);
  EXPECT_EQ(Copy->Layer(), 3);
  EXPECT_EQ(Copy->Text(), QStringList({"a", "b"}));
  EXPECT_EQ(Copy->CaptionText(), "ID: 4711");
  EXPECT_EQ(Copy->Color(), QColor(1, 2, 3));
  EXPECT_TRUE(Copy->FixedSize());
  EXPECT_EQ(Copy->ImageIndexList(), QList<int>({0, 2}));
  EXPECT_FALSE(Copy->Selected());
  EXPECT_FALSE(Copy->Focus());
  EXPECT_EQ(Copy->ItemObject(), nullptr);
  EXPECT_NE(Source->ItemObject(), nullptr);
}

class FindTest : public ::testing::Test {
 protected:
  TPlannerItem* Add(int Begin, int End, int Pos) {
    TPlannerItem* Item = Items.Add();
    Item->SetItemCells(Begin, End, Pos);
    return Item;
  }
  std::vector<TPlannerItem*> FindAll(int Begin, int End, int Pos) {
    std::vector<TPlannerItem*> Found;
    for (auto* Item = Items.FindFirst(Begin, End, Pos); Item;
         Item = Items.FindNext(Begin, End, Pos))
      Found.push_back(Item);
    return Found;
  }
  TPlannerItems Items;
};

TEST_F(FindTest, FindsTheOverlappingItemsOfOneColumnInCollectionOrder) {
  TPlannerItem* A = Add(32, 36, 0);
  TPlannerItem* B = Add(34, 38, 0);  // overlaps A
  TPlannerItem* C = Add(40, 42, 0);
  TPlannerItem* D = Add(32, 36, 1);  // other column
  struct TCase {
    int Begin, End, Pos;
    std::vector<TPlannerItem*> Expected;
  };
  const TCase Cases[] = {
      {0, 97, 0, {A, B, C}}, {35, 36, 0, {A, B}}, {36, 40, 0, {B}}, {38, 40, 0, {}},
      {0, 97, 1, {D}},       {0, 97, 2, {}},      {31, 32, 0, {}},  {41, 50, 0, {C}},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(FindAll(Case.Begin, Case.End, Case.Pos), Case.Expected)
        << Case.Begin << "-" << Case.End << " column " << Case.Pos;
}

TEST_F(FindTest, AnEmptyColumnYieldsNothingAndFindNextStaysAtTheEnd) {
  Add(32, 36, 0);
  EXPECT_EQ(Items.FindFirst(0, 96, 1), nullptr);
  EXPECT_EQ(Items.FindNext(0, 96, 1), nullptr);
  TPlannerItems Empty;
  EXPECT_EQ(Empty.FindFirst(0, 96, 0), nullptr);
}

TEST_F(FindTest, FreeingTheFoundItemDoesNotSkipTheNextOne) {
  TPlannerItem* A = Add(32, 36, 0);
  TPlannerItem* B = Add(33, 35, 0);
  ASSERT_EQ(Items.FindFirst(0, 96, 0), A);
  Items.FreeItem(A);
  EXPECT_EQ(Items.FindNext(0, 96, 0), B);
  EXPECT_EQ(Items.FindNext(0, 96, 0), nullptr);
}

TEST(PlannerItems, UpdatesAreReportedOnceAtTheEnd) {
  TPlannerItems Items;
  int Reports = 0;
  Items.OnChange = [&] { ++Reports; };
  Items.BeginUpdate();
  Items.BeginUpdate();
  for (int I = 0; I < 5; ++I) Items.Add()->SetLayer(I);
  Items.EndUpdate();
  EXPECT_EQ(Reports, 0);
  Items.EndUpdate();
  EXPECT_EQ(Reports, 1);
  Items.EndUpdate();  // unmatched: ignored
  EXPECT_EQ(Reports, 1);
}

TEST(PlannerItems, FreeingAndClearingDropTheSelectedReference) {
  TPlannerItems Items;
  TPlannerItem* A = Items.Add();
  TPlannerItem* B = Items.Add();
  A->SetSelected(true);
  Items.SetSelected(A);
  Items.UnSelectAll();
  EXPECT_FALSE(A->Selected());
  EXPECT_EQ(Items.Selected(), A);  // kept apart from the flags
  Items.FreeItem(A);
  EXPECT_EQ(Items.Selected(), nullptr);
  EXPECT_EQ(Items.Count(), 1);
  Items.SetSelected(B);
  Items.ClearAll();
  EXPECT_EQ(Items.Selected(), nullptr);
  EXPECT_EQ(Items.Count(), 0);
  TPlannerItems Other;
  TPlannerItem* Foreign = Other.Add();
  Items.FreeItem(Foreign);
  EXPECT_EQ(Other.Count(), 1);
}

}  // namespace
