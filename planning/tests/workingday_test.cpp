#include <gmock/gmock.h>

#include "planning/tests/hubfixture.h"

namespace {

// Days from a Friday a few weeks ahead, so that every blocked period lies in the future.
class WorkingDayTest : public HubTest {
 protected:
  WorkingDayTest() : friday(IncDay(Date(), 14 + (5 - DayOfTheWeek(Date()) + 7) % 7)) {
    hub.EDate0 = IncDay(friday, 30);
  }
  static QString Text(TDateTime Value) { return FormatDateTime("dd.mm.yyyy hh:nn", Value); }
  void Block(TDateTime From, TDateTime To) { AddBlockedPeriod(Text(From), Text(To)); }
  static TDateTime At(TDateTime Day, int Hour, int Minute = 0) {
    return IncMinute(Day, Hour * 60 + Minute);
  }

  const TDateTime friday;
};

TEST_F(WorkingDayTest, ADayWithoutBlockedPeriodsIsWhole) {
  hub.CDate = IncDay(friday, 3);
  hub.SetNextEnabledDate();
  EXPECT_EQ(hub.CDate, IncDay(friday, 4));
  EXPECT_EQ(hub.DayTimeWindow1, 0);
  EXPECT_EQ(hub.DayTimeWindow2, 86400);
}

TEST_F(WorkingDayTest, TheWeekendIsSkippedAndMondayKeepsSixToSix) {
  const TDateTime saturday = IncDay(friday), sunday = IncDay(friday, 2);
  Block(saturday, sunday);
  Block(sunday, IncDay(sunday));
  hub.CDate = friday;
  hub.SetNextEnabledDate();
  EXPECT_EQ(hub.CDate, IncDay(friday, 3));
  EXPECT_EQ(hub.DayTimeWindow1, 21600);
  EXPECT_EQ(hub.DayTimeWindow2, 64800);
  hub.SetNextEnabledDate();
  EXPECT_EQ(hub.CDate, IncDay(friday, 4));
  EXPECT_EQ(hub.DayTimeWindow1, 0);
  EXPECT_EQ(hub.DayTimeWindow2, 86400);
}

TEST_F(WorkingDayTest, AbsencesNarrowOrSkipTheDay) {
  struct Case {
    int FromHour, FromMinute, ToHour, ToMinute;  // FromHour < 0: from the evening before
    int Start, End;                              // -1: the day is skipped
  };
  const Case cases[] = {
      {8, 0, 10, 0, 36000, 64800}, {14, 0, 17, 0, 21600, 50400}, {11, 0, 13, 0, -1, -1},
      {6, 0, 15, 0, -1, -1},       {-1, 0, 14, 0, -1, -1},       {-1, 0, 13, 55, 50100, 64800},
      {5, 0, 7, 30, 27000, 64800}, {18, 0, 20, 0, 21600, 64800},
  };
  for (const Case& c : cases) {
    Execute("DELETE FROM RO WHERE Class=1");
    const TDateTime tuesday = IncDay(friday, 4);
    const TDateTime from =
        c.FromHour < 0 ? At(IncDay(tuesday, -1), 20) : At(tuesday, c.FromHour, c.FromMinute);
    Block(from, At(tuesday, c.ToHour, c.ToMinute));
    hub.CDate = IncDay(tuesday, -1);
    hub.SetNextEnabledDate();
    const std::string label = Text(from).toStdString();
    if (c.Start < 0) {
      EXPECT_EQ(hub.CDate, IncDay(tuesday)) << label;
      EXPECT_EQ(hub.DayTimeWindow2, 86400) << label;
    } else {
      EXPECT_EQ(hub.CDate, tuesday) << label;
      EXPECT_EQ(hub.DayTimeWindow1, c.Start) << label;
      EXPECT_EQ(hub.DayTimeWindow2, c.End) << label;
    }
  }
}

TEST_F(WorkingDayTest, TheSearchStopsAfterThePeriod) {
  hub.EDate0 = IncDay(friday, 2);
  for (int day = 1; day <= 5; ++day) Block(IncDay(friday, day), IncDay(friday, day + 1));
  hub.CDate = friday;
  hub.SetNextEnabledDate();
  // Monday is still blocked, but it lies after the period: the search ends there.
  EXPECT_EQ(hub.CDate, IncDay(friday, 3));
  EXPECT_EQ(hub.DayTimeWindow1, 21600);
  EXPECT_EQ(hub.DayTimeWindow2, 86400);
}

TEST_F(WorkingDayTest, WithoutAStoreNoDayIsUsableBeforeThePeriodEnds) {
  TMapServerData alone;
  alone.CDate = friday;
  alone.EDate0 = IncDay(friday, 3);
  alone.SetNextEnabledDate();
  EXPECT_EQ(alone.CDate, IncDay(friday, 4));
}
}  // namespace
