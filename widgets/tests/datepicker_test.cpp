#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>

#include "widgets/monthcalendar.h"
#include "widgets/plannerdatepicker.h"
#include "widgets/splashscreen.h"

namespace {

TEST(MonthGrid, RowsStartOnMondayWithTheirIsoWeekNumbers) {
  struct TCase {
    int Year, Month;
    QDate FirstShown;
    int FirstWeek, LastWeek;
  };
  const TCase Cases[] = {
      {2016, 9, QDate(2016, 8, 29), 35, 40},
      {2021, 1, QDate(2020, 12, 28), 53, 5},  // the year starts in week 53 of 2020
      {2018, 1, QDate(2018, 1, 1), 1, 6},     // the first is a Monday
      {2016, 2, QDate(2016, 2, 1), 5, 10},
  };
  for (const TCase& Case : Cases) {
    TMonthGrid Page(Case.Year, Case.Month);
    EXPECT_EQ(Page.DayAt(0, 0), Case.FirstShown) << Case.Year << "-" << Case.Month;
    EXPECT_EQ(Page.WeekNumber(0), Case.FirstWeek) << Case.Year << "-" << Case.Month;
    EXPECT_EQ(Page.WeekNumber(TMonthGrid::Rows - 1), Case.LastWeek)
        << Case.Year << "-" << Case.Month;
  }
  int Row = -1;
  int Column = -1;
  EXPECT_TRUE(TMonthGrid(2016, 9).CellOf(QDate(2016, 9, 7), Row, Column));
  EXPECT_EQ(std::pair(Row, Column), std::pair(1, 2));
  EXPECT_FALSE(TMonthGrid(2016, 9).CellOf(QDate(2016, 12, 1), Row, Column));
  EXPECT_EQ(TMonthGrid(2016, 12).Next().Year(), 2017);
  EXPECT_EQ(TMonthGrid(2016, 1).Previous().Month(), 12);
  EXPECT_EQ(TMonthGrid(2016, 13).DayAt(0, 0).dayOfWeek(), 1);  // an impossible month: today's
}

TEST(PlannerDatePicker, ChoosingADayOnTheMonthPageSetsTheDateAndReportsIt) {
  TPlannerDatePicker Picker;
  Picker.show();
  Picker.SetDate(EncodeDate(2016, 9, 7));
  std::vector<TDateTime> Chosen;
  Picker.OnDaySelect = [&](QObject*, TDateTime Day) { Chosen.push_back(Day); };
  Picker.DropDown();
  TMonthCalendar* Page = Picker.Calendar();
  ASSERT_TRUE(Page->isVisible());
  EXPECT_EQ(Page->Title(), "September 2016");
  QTest::mouseClick(Page, Qt::LeftButton, {}, Page->NextRect().center());
  EXPECT_EQ(Page->Title(), "Oktober 2016");
  QTest::mouseClick(Page, Qt::LeftButton, {}, Page->DayRect(2, 0).center());  // Monday 10.10.
  EXPECT_FALSE(Page->isVisible());
  ASSERT_EQ(Chosen.size(), 1u);
  EXPECT_EQ(Chosen[0], EncodeDate(2016, 10, 10));
  EXPECT_EQ(Picker.Date(), EncodeDate(2016, 10, 10));
  EXPECT_EQ(Picker.Editor()->text(), "10.10.2016");
}

TEST(PlannerDatePicker, TypedDatesAreReadAndBadTextIsRefusedInGerman) {
  TPlannerDatePicker Picker;
  Picker.SetDate(EncodeDate(2016, 9, 7));
  int Reports = 0;
  Picker.OnDaySelect = [&](QObject*, TDateTime) { ++Reports; };
  struct TCase {
    const char* Text;
    TDateTime Date;
    bool Refused;
  };
  const TCase Cases[] = {
      {"08.09.2016", EncodeDate(2016, 9, 8), false},
      {"1.2.2017", EncodeDate(2017, 2, 1), false},
      {"31.02.2017", EncodeDate(2017, 2, 1), true},
      {"morgen", EncodeDate(2017, 2, 1), true},
      {"", EncodeDate(2017, 2, 1), true},
  };
  for (const TCase& Case : Cases) {
    Picker.Editor()->setText(Case.Text);
    emit Picker.Editor()->editingFinished();
    EXPECT_EQ(Picker.Date(), Case.Date) << Case.Text;
    EXPECT_EQ(Picker.ErrorText().startsWith("Ungültiges Datum"), Case.Refused) << Case.Text;
  }
  EXPECT_EQ(Reports, 2);
}

TEST(SplashScreen, LinesAndClosingWhenTheMainWindowIsFirstShown) {
  QCoreApplication::setApplicationVersion("4.2.1");
  TSplashScreen Splash;
  EXPECT_EQ(Splash.VersionLine(), "4.2.1");
  Splash.SetProgramName("ZEPRouting");
  Splash.SetVersionLine(QString("Version %1%2").arg(Splash.VersionLine(), " vom 06.09.2016"));
  Splash.Show();
  Splash.AddProgressLine("Initialisierung");
  Splash.AddProgressLine("Zuordnung der Karte");
  EXPECT_EQ(Splash.VersionLine(), "Version 4.2.1 vom 06.09.2016");
  EXPECT_EQ(Splash.ProgressLines(), QStringList({"Initialisierung", "Zuordnung der Karte"}));
  EXPECT_TRUE(Splash.isVisible());
  QMainWindow Main;
  Splash.CloseWhenShown(&Main);
  Main.show();
  EXPECT_FALSE(Splash.isVisible());
  Main.hide();
  Splash.Show();
  Main.show();  // only the first showing closes it
  EXPECT_TRUE(Splash.isVisible());
  Splash.Hide();
  EXPECT_FALSE(Splash.isVisible());
}

}  // namespace
