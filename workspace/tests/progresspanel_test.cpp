#include "workspace/progresspanel.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressPanel, BarWidthFollowsTheNumberClampedAndHundredDrawsNothing) {
  const struct {
    const char* Text;
    int Width;
  } Cases[] = {{"", 0},    {"0", 0},   {"50", 50}, {"33", 33}, {"99", 99},
               {"100", 0}, {"150", 0}, {"-5", 0},  {"abc", 0}, {" 20 ", 20}};
  for (const auto& Case : Cases)
    EXPECT_EQ(ProgressBarWidth(QString::fromLatin1(Case.Text), 100), Case.Width) << Case.Text;
  EXPECT_EQ(ProgressBarWidth("50", 77), 38);
}

TEST(ProgressPanel, WebProgressIsAWholePercentageUntilThePageIsComplete) {
  EXPECT_EQ(WebProgressText(1, 3), "33");
  EXPECT_EQ(WebProgressText(0, 10), "0");
  EXPECT_EQ(WebProgressText(100, 100), "");
  EXPECT_EQ(WebProgressText(120, 100), "");
  EXPECT_EQ(WebProgressText(5, 0), "");
  EXPECT_EQ(WebProgressText(5, -1), "");
}

}  // namespace
