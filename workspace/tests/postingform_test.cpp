#include "workspace/postingform.h"

#include <gtest/gtest.h>

namespace {

QList<TDomElement> Elements(const QList<QPair<QString, QString>>& NamesAndValues) {
  QList<TDomElement> Result;
  for (const auto& [Name, Value] : NamesAndValues)
    Result << TDomElement{Name, Value, "INPUT", "", false};
  return Result;
}

TEST(PostingForm, TheFirstFieldDecidesWhetherTheFilledFormIsSent) {
  const TDomRef Form = TDomRef::ElementByName("Form3", 0);
  const struct {
    QList<TDomElement> Elements;
    bool Submit;
    int Writes;
  } Cases[] = {
      {Elements({{"__1", "G"}, {"__2", ""}, {"__3", ""}}), true, 1},
      {Elements({{"__1", "X"}, {"__3", ""}}), false, 1},
      {Elements({{"__1", "G"}, {"__3", ""}, {"__1", "X"}}), false, 1},  // the last "__1" decides
      {Elements({{"__1", "X"}, {"__1", "G"}}), true, 0},
      {Elements({{"__3", ""}}), false, 1},
      {Elements({}), false, 0},
  };
  for (const auto& Case : Cases) {
    const TPostingFormFill Fill =
        FillPostingForm(Form, Case.Elements, "G", {{"__3", "1|50.1,11.5"}});
    EXPECT_EQ(Fill.Submit, Case.Submit);
    const int Statements = static_cast<int>(Fill.Batch.Statements().size());
    EXPECT_EQ(Statements, Case.Writes + (Case.Submit ? 1 : 0));
    if (Case.Submit) {
      EXPECT_TRUE(Fill.Batch.Statements().last().contains("submit"));
    }
  }
}

TEST(PostingForm, WritesGoToTheElementsOfTheirNameByIndex) {
  const TDomRef Form = TDomRef::ElementByName("Form1", 0);
  const TPostingFormFill Fill =
      FillPostingForm(Form, Elements({{"__1", "M"}, {"__2", ""}, {"__3", ""}, {"__4", ""}}), "M",
                      {{"__3", "a"}, {"__4", "49"}});
  ASSERT_EQ(Fill.Batch.Statements().size(), 3);
  EXPECT_TRUE(Fill.Batch.Statements().at(0).contains("elements[2]"));
  EXPECT_TRUE(Fill.Batch.Statements().at(0).contains("\"a\""));
  EXPECT_TRUE(Fill.Batch.Statements().at(1).contains("elements[3]"));
}

}  // namespace
