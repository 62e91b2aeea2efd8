#include <gmock/gmock.h>

#include "planning/tests/hubfixture.h"

namespace {
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class RouteOptionsTest : public HubTest {
 protected:
  void ReadOptions(const QString& Row) {
    hub.QueryData = {QString(Row).replace('~', '|')};
    hub.QueryDataToRouteOptions(4);
  }
  void ReadPeriods(const QStringList& Rows) {
    hub.QueryData.clear();
    for (const QString& row : Rows) hub.QueryData << QString(row).replace('~', '|');
    hub.QueryDataToRouteOptions(5);
  }
  static QString Text(TDateTime Value) { return FormatDateTime("dd.mm.yyyy hh:nn", Value); }
};

TEST_F(RouteOptionsTest, ReadsTheOptionsOfThePeriod) {
  ReadOptions("03.10.2016~09.10.2016~M7~1111100~43200~30~Monteur Maier~2700072000~0505~3~300");
  EXPECT_THAT(hub.QueryData, IsEmpty());
  EXPECT_EQ(hub.SDate0, EncodeDate(2016, 10, 3));
  EXPECT_EQ(hub.EDate0, EncodeDate(2016, 10, 9));
  EXPECT_EQ(hub.CDate, hub.SDate0);
  EXPECT_EQ(hub.DeviceId, "M7");
  EXPECT_EQ(hub.ValidDays, "1111100");
  EXPECT_EQ(hub.BreakTime, 43200);
  EXPECT_EQ(hub.CalcModus, 30);
  EXPECT_EQ(hub.DeviceBez, "Monteur Maier");
  EXPECT_EQ(hub.ValidDayTime, "2700072000");
  EXPECT_EQ(hub.MaxAuftragCountInWeek, "0505");
  EXPECT_EQ(hub.FProfil, 3);
  EXPECT_EQ(hub.TimeFactor, 44);  // 300 kept as a byte
}

TEST_F(RouteOptionsTest, UnreadableValuesTakeTheirDefaults) {
  const TDateTime before = Now();
  ReadOptions("kein Datum~~~0000000~~~~~~~");
  const TDateTime after = Now();
  EXPECT_GE(hub.SDate0, IncDay(before));
  EXPECT_LE(hub.SDate0, IncDay(after));
  EXPECT_GE(hub.EDate0, IncDay(before, 180));
  EXPECT_LE(hub.EDate0, IncDay(after, 180));
  EXPECT_EQ(hub.ValidDays, "1111100");
  EXPECT_EQ(hub.CalcModus, 50);
  EXPECT_EQ(hub.BreakTime, 0);
  EXPECT_EQ(hub.FProfil, 0);
  EXPECT_EQ(hub.TimeFactor, 75);
}

TEST_F(RouteOptionsTest, AnEndBeforeTheStartBecomesTheStart) {
  ReadOptions("01.10.2016~30.09.2016~~1111111~0~50~~~~0~75");
  EXPECT_EQ(hub.EDate0, EncodeDate(2016, 10, 1));
}

TEST_F(RouteOptionsTest, APeriodEndsAfterTenYearsAtTheLatest) {
  ReadOptions("01.01.2020~31.12.9999~~1111111~0~50~~~~0~75");
  EXPECT_EQ(hub.EDate0, EncodeDate(2030, 1, 1));
  ReadOptions("01.01.2020~31.12.2029~~1111111~0~50~~~~0~75");
  EXPECT_EQ(hub.EDate0, EncodeDate(2029, 12, 31));
}

TEST_F(RouteOptionsTest, RowsWithTooFewFieldsAreIgnored) {
  hub.CalcModus = 7;
  ReadOptions("01.10.2016~30.09.2016~~1111111~0~50~~~~0");
  EXPECT_EQ(hub.CalcModus, 7);
  EXPECT_THAT(hub.QueryData, IsEmpty());
}

TEST_F(RouteOptionsTest, DaysWithoutWorkBecomeBlockedPeriods) {
  struct Case {
    QString Options;
    std::vector<QString> Blocked;
  };
  QString monthly(31, '1');
  monthly[14] = '0';
  const Case cases[] = {
      {"03.10.2016~09.10.2016~~1111100~0~50~~~~0~75",
       {"08.10.2016 00:00 - 09.10.2016 00:00", "09.10.2016 00:00 - 10.10.2016 00:00"}},
      {"03.10.2016~09.10.2016~~0111111~0~50~~~~0~75", {"03.10.2016 00:00 - 04.10.2016 00:00"}},
      {"10.09.2016~20.11.2016~~" + monthly + "~0~50~~~~0~75",
       {"15.09.2016 00:00 - 16.09.2016 00:00", "15.10.2016 00:00 - 16.10.2016 00:00",
        "15.11.2016 00:00 - 16.11.2016 00:00"}},
      // Days beyond the monthly pattern are working days.
      {"08.03.2016~12.03.2016~~1111111110~0~50~~~~0~75", {"10.03.2016 00:00 - 11.03.2016 00:00"}},
      {"03.10.2016~09.10.2016~~101~0~50~~~~0~75", {}},
  };
  for (const Case& c : cases) {
    ReadOptions(c.Options);
    EXPECT_THAT(BlockedPeriods(), ElementsAreArray(c.Blocked)) << c.Options.toStdString();
  }
}

TEST_F(RouteOptionsTest, NewOptionsReplaceOnlyTheBlockedPeriods) {
  store.SetROData(1002, 1, "/karten");
  AddBlockedPeriod("01.01.2030 08:00", "01.01.2030 12:00");
  ReadOptions("03.10.2016~04.10.2016~~1111111~0~50~~~~0~75");
  EXPECT_THAT(BlockedPeriods(), IsEmpty());
  EXPECT_EQ(store.GetROData(1002, 1), "/karten");
}

TEST_F(RouteOptionsTest, StoresOnlyFutureAbsencesCutToThePeriod) {
  const TDateTime monday = IncDay(Date(), 7 + 8 - DayOfTheWeek(Date()));
  hub.SDate0 = monday;
  hub.EDate0 = IncDay(monday, 4);
  ReadPeriods({
      Text(monday + 0.25) + "~" + Text(monday + 0.5),                 // kept
      Text(IncDay(monday, -2)) + "~" + Text(monday + 0.4),            // raised to start
      Text(IncDay(monday, 3) + 0.5) + "~" + Text(IncDay(monday, 9)),  // to the end of the last day
      Text(IncDay(monday, 4) + 0.3) + "~" + Text(IncDay(monday, 4) + 0.4),  // on the last day
      Text(monday + 0.5) + "~" + Text(monday + 0.25),                       // ends before start
      "unlesbar~" + Text(monday + 0.25),                                    // from the start
      "~" + Text(monday + 0.5),                                             // start missing
      Text(monday + 0.6),                                                   // no end field
  });
  EXPECT_THAT(hub.QueryData, IsEmpty());
  EXPECT_THAT(BlockedPeriods(),
              ElementsAre(Text(monday) + " - " + Text(monday + 0.25),
                          Text(monday) + " - " + Text(monday + 0.4),
                          Text(monday + 0.25) + " - " + Text(monday + 0.5),
                          Text(IncDay(monday, 3) + 0.5) + " - " + Text(IncDay(monday, 5)),
                          Text(IncDay(monday, 4) + 0.3) + " - " + Text(IncDay(monday, 4) + 0.4)));
}

TEST_F(RouteOptionsTest, AnAbsenceThatHasBegunIsNotStored) {
  hub.SDate0 = IncDay(Date(), -2);
  hub.EDate0 = IncDay(Date(), 5);
  const TDateTime tomorrow = IncDay(Date());
  ReadPeriods({Text(IncDay(Date(), -1) + 0.5) + "~" + Text(tomorrow + 0.5),
               Text(tomorrow + 0.25) + "~" + Text(tomorrow + 0.5)});
  EXPECT_THAT(BlockedPeriods(), ElementsAre(Text(tomorrow + 0.25) + " - " + Text(tomorrow + 0.5)));
}
}  // namespace
