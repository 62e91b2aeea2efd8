#include "workspace/selectioncondition.h"

#include <gtest/gtest.h>

#include "planning/stationlist.h"

namespace {

// A station list with the given order numbers and labels.
std::unique_ptr<TStationList> Stations(const QList<QPair<QString, QString>>& Orders) {
  auto List = std::make_unique<TStationList>();
  for (const auto& [Number, Label] : Orders) {
    const int Index = List->AddObject(Number, nullptr);
    List->SetStationDataValue(Index, 0, Number);
    List->SetStationDataValue(Index, 1, Label);
  }
  return List;
}

TEST(SelectionCondition, EachWorkflowSendsItsListToItsElement) {
  const auto Orders = Stations({{"12", "95444 Bayreuth (3)"}, {"15", "95448 Bayreuth"}});
  const auto Empty = Stations({});
  const struct {
    int Workflow;
    const TStationList* List;
    QString Condition;
    int Target;
  } Cases[] = {
      {12, Orders.get(),
       "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('95444 Bayreuth','95448 Bayreuth'))", 7},
      {14, Orders.get(), "(AuftragId IN (12,15))", 3},
      {16, Orders.get(), "(AuftragId IN (12,15))", 3},
      {42, Orders.get(), "(AuftragId IN (12,15))", 3},
      {14, Empty.get(), "(AuftragId IN (null))", 3},
      {12, Empty.get(), "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN (null))", 7},
      {30, Orders.get(), "", -1},
      {0, Orders.get(), "", -1},
  };
  for (const auto& Case : Cases) {
    const TSelectionCondition Result = SelectionCondition(Case.Workflow, *Case.List);
    EXPECT_EQ(Result.Condition, Case.Condition) << Case.Workflow;
    EXPECT_EQ(Result.TargetIndex, Case.Target) << Case.Workflow;
  }
}

TEST(SelectionCondition, APageCannotSmuggleSqlThroughAnOrderNumber) {
  const auto Hostile = Stations({{"1) OR (1=1", ""}, {"7", ""}});
  EXPECT_EQ(SelectionCondition(16, *Hostile).Condition, "(AuftragId IN ('1) OR (1=1',7))");
  const auto Quote = Stations({{"95444 O'Berg (2)", ""}});
  Quote->SetStationDataValue(0, 1, "95444 O'Berg (2)");
  EXPECT_EQ(SelectionCondition(12, *Quote).Condition,
            "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('95444 O'+CHR(39)+'Berg'))");
}

TEST(SelectionCondition, LabelLosesOnlyATrailingBracketedPart) {
  EXPECT_EQ(LabelWithoutCount(" 95444 Bayreuth (12) "), "95444 Bayreuth");
  EXPECT_EQ(LabelWithoutCount("95444 Bayreuth"), "95444 Bayreuth");
  EXPECT_EQ(LabelWithoutCount("Hof (Saale) Mitte"), "Hof (Saale) Mitte");
  EXPECT_EQ(LabelWithoutCount("kaputt)"), "kaputt)");
}

}  // namespace
