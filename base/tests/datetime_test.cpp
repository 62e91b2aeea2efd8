#include "base/datetime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "base/tests/printers.h"

namespace {

struct TYmd {
  int Year, Month, Day;
  bool operator==(const TYmd&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TYmd& D) {
  return Out << D.Day << "." << D.Month << "." << D.Year;
}

TYmd Decoded(TDateTime Value) {
  TYmd D{};
  DecodeDate(Value, D.Year, D.Month, D.Day);
  return D;
}

struct THms {
  int Hour, Min, Sec, MSec;
  bool operator==(const THms&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const THms& T) {
  return Out << T.Hour << ":" << T.Min << ":" << T.Sec << "." << T.MSec;
}

THms DecodedTime(TDateTime Value) {
  THms T{};
  DecodeTime(Value, T.Hour, T.Min, T.Sec, T.MSec);
  return T;
}

TEST(DateTime, KnownDayNumbers) {
  const std::vector<std::pair<TYmd, double>> Cases = {
      {{1899, 12, 30}, 0},       {{1899, 12, 31}, 1},    {{1900, 1, 1}, 2},
      {{1900, 2, 28}, 60},       {{1900, 3, 1}, 61},     {{1899, 12, 29}, -1},
      {{2000, 2, 29}, 36585},    {{2016, 10, 7}, 42650}, {{1, 1, 1}, -693593},
      {{9999, 12, 31}, 2958465},
  };
  for (const auto& [Date, Serial] : Cases) {
    EXPECT_EQ(EncodeDate(Date.Year, Date.Month, Date.Day).Value(), Serial) << Date;
    EXPECT_EQ(Decoded(TDateTime(Serial)), Date) << Serial;
  }
}

// Walks the calendar with its own month lengths, so the leap rules (1900 and 2100 not,
// 2000 yes) are checked independently of the code under test.
TEST(DateTime, EveryDayFrom1600To2400EncodesToTheNextNumberAndDecodesBack) {
  const auto DaysIn = [](int Year, int Month) {
    static const int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool Leap = Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
    return Month == 2 && Leap ? 29 : Days[Month - 1];
  };
  double Expected = EncodeDate(1600, 1, 1).Value();
  for (int Year = 1600; Year <= 2400; ++Year) {
    EXPECT_EQ(IsLeapYear(Year), DaysIn(Year, 2) == 29) << Year;
    for (int Month = 1; Month <= 12; ++Month) {
      ASSERT_EQ(DaysInAMonth(Year, Month), DaysIn(Year, Month)) << Month << "." << Year;
      for (int Day = 1; Day <= DaysIn(Year, Month); ++Day) {
        const TDateTime Value = EncodeDate(Year, Month, Day);
        ASSERT_EQ(Value.Value(), Expected) << TYmd{Year, Month, Day};
        ASSERT_EQ(Decoded(Value), (TYmd{Year, Month, Day}));
        Expected += 1;
      }
    }
  }
}

TEST(DateTime, DatesAndTimesThatDoNotExistAreRefused) {
  const std::vector<TYmd> BadDates = {{1900, 2, 29}, {2016, 2, 30}, {2016, 2, 31}, {2016, 4, 31},
                                      {2016, 1, 0},  {2016, 0, 1},  {2016, 13, 1}, {0, 1, 1},
                                      {10000, 1, 1}, {-5, 1, 1}};
  for (const TYmd& D : BadDates) {
    TDateTime Value(7);
    EXPECT_FALSE(TryEncodeDate(D.Year, D.Month, D.Day, Value)) << D;
    EXPECT_EQ(Value.Value(), 7) << D;
    EXPECT_THROW(EncodeDate(D.Year, D.Month, D.Day), EConvertError) << D;
    EXPECT_FALSE(TryEncodeDateTime(D.Year, D.Month, D.Day, 12, 0, 0, 0, Value)) << D;
  }
  const std::vector<THms> BadTimes = {{24, 0, 0, 0},      {23, 60, 0, 0}, {23, 59, 60, 0},
                                      {23, 59, 59, 1000}, {-1, 0, 0, 0},  {0, -1, 0, 0},
                                      {0, 0, -1, 0},      {0, 0, 0, -1}};
  for (const THms& T : BadTimes) {
    TDateTime Value;
    EXPECT_FALSE(TryEncodeTime(T.Hour, T.Min, T.Sec, T.MSec, Value)) << T;
    EXPECT_FALSE(TryEncodeDateTime(2016, 10, 7, T.Hour, T.Min, T.Sec, T.MSec, Value)) << T;
    EXPECT_THROW(EncodeDateTime(2016, 10, 7, T.Hour, T.Min, T.Sec, T.MSec), EConvertError) << T;
  }
  try {
    EncodeDate(2016, 2, 30);
    FAIL() << "no error raised";
  } catch (const EConvertError& Error) {
    EXPECT_EQ(Error.Message, "Ungültiges Argument für Datumscodierung");
  }
}

// Every second of the day, with a few millisecond values, must decode to exactly what was
// encoded: fractions of a day are never exact in binary and must not lose a millisecond.
TEST(DateTime, EveryEncodedTimeDecodesToTheSameMillisecond) {
  for (int Second = 0; Second < SecsPerDay; ++Second) {
    for (int MSec : {0, 1, 499, 500, 999}) {
      const THms T{Second / 3600, Second / 60 % 60, Second % 60, MSec};
      const TDateTime Value = EncodeDateTime(2016, 10, 7, T.Hour, T.Min, T.Sec, T.MSec);
      ASSERT_EQ(DecodedTime(Value), T);
      ASSERT_EQ(Decoded(Value), (TYmd{2016, 10, 7})) << T;
    }
  }
}

TEST(DateTime, DecodingRoundsToWholeMillisecondsConsistently) {
  EXPECT_EQ(DecodedTime(TDateTime(0.5)), (THms{12, 0, 0, 0}));
  EXPECT_EQ(DecodedTime(TDateTime(42650.75)), (THms{18, 0, 0, 0}));
  EXPECT_EQ(DecodedTime(TDateTime(1.0 / 3)), (THms{8, 0, 0, 0}));
  // A hair before midnight is midnight of the next day, in the date as well as the time.
  const TDateTime AlmostMidnight(42650 + (MSecsPerDay - 0.4) / MSecsPerDay);
  EXPECT_EQ(DecodedTime(AlmostMidnight), (THms{0, 0, 0, 0}));
  EXPECT_EQ(Decoded(AlmostMidnight), (TYmd{2016, 10, 8}));
  EXPECT_EQ(DateOf(AlmostMidnight), EncodeDate(2016, 10, 8));
  EXPECT_EQ(TimeOf(AlmostMidnight).Value(), 0);
  const TDateTime Evening = EncodeDateTime(2016, 10, 7, 18, 30, 0, 0);
  EXPECT_EQ(DateOf(Evening), EncodeDate(2016, 10, 7));
  EXPECT_EQ(TimeOf(Evening), EncodeTime(18, 30, 0, 0));
  EXPECT_EQ(YearOf(Evening), 2016);
  EXPECT_EQ(MonthOf(Evening), 10);
  EXPECT_EQ(DayOf(Evening), 7);
  EXPECT_EQ(HourOf(Evening), 18);
  EXPECT_EQ(MinuteOf(Evening), 30);
  EXPECT_EQ(SecondOf(Evening), 0);
}

TEST(DateTime, ValuesBefore1899CountTheTimeForward) {
  const TDateTime Morning = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
  EXPECT_EQ(Morning.Value(), -1.25);
  EXPECT_EQ(Decoded(Morning), (TYmd{1899, 12, 29}));
  EXPECT_EQ(DecodedTime(Morning), (THms{6, 0, 0, 0}));
  EXPECT_EQ(IncHour(Morning, 1), EncodeDateTime(1899, 12, 29, 7, 0, 0, 0));
  EXPECT_EQ(IncDay(Morning, 2), EncodeDateTime(1899, 12, 31, 6, 0, 0, 0));
  EXPECT_EQ(IncDay(EncodeDateTime(1900, 1, 1, 6, 0, 0, 0), -4),
            EncodeDateTime(1899, 12, 28, 6, 0, 0, 0));
  EXPECT_EQ(IncHour(EncodeDateTime(1899, 12, 29, 23, 0, 0, 0), 2),
            EncodeDateTime(1899, 12, 30, 1, 0, 0, 0));
  EXPECT_EQ(IncMinute(EncodeDateTime(1899, 12, 30, 0, 30, 0, 0), -60),
            EncodeDateTime(1899, 12, 29, 23, 30, 0, 0));
  EXPECT_EQ(DateOf(Morning).Value(), -1);
  EXPECT_EQ(TimeOf(Morning).Value(), 0.25);
  EXPECT_EQ(MinutesBetween(Morning, EncodeDateTime(1899, 12, 30, 6, 0, 0, 0)), 24 * 60);
  EXPECT_EQ(DayOfTheWeek(Morning), 5);
}

TEST(DateTime, ValuesThatAreNoDateDoNotCrash) {
  const double Odd[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e300, -1e300};
  for (double V : Odd) {
    const TYmd D = Decoded(TDateTime(V));
    EXPECT_GE(D.Year, 1) << V;
    EXPECT_LE(D.Year, 9999) << V;
    EXPECT_TRUE(DecodedTime(TDateTime(V)).Hour < 24) << V;
    EXPECT_GE(DayOfTheWeek(TDateTime(V)), 1) << V;
  }
  EXPECT_EQ(Decoded(TDateTime(1e300)), (TYmd{9999, 12, 31}));
  EXPECT_EQ(Decoded(TDateTime(-1e300)), (TYmd{1, 1, 1}));
}

TEST(DateTime, WeekdaysOfKnownDates) {
  const std::vector<std::tuple<TYmd, int, int>> Cases = {
      // date, ISO weekday, Delphi DayOfWeek
      {{2016, 10, 7}, 5, 6},  {{2000, 1, 1}, 6, 7}, {{1899, 12, 30}, 6, 7}, {{2016, 2, 29}, 1, 2},
      {{2016, 12, 25}, 7, 1}, {{1900, 3, 1}, 4, 5}, {{2024, 12, 31}, 2, 3},
  };
  for (const auto& [D, Iso, Delphi] : Cases) {
    const TDateTime Value = EncodeDateTime(D.Year, D.Month, D.Day, 23, 59, 0, 0);
    EXPECT_EQ(DayOfTheWeek(Value), Iso) << D;
    EXPECT_EQ(DayOfWeek(Value), Delphi) << D;
  }
}

TEST(DateTime, IncrementsCrossMidnightMonthAndYearWithoutDaylightSaving) {
  const auto At = [](int Y, int Mo, int D, int H, int Mi, int S, int Ms = 0) {
    return EncodeDateTime(Y, Mo, D, H, Mi, S, Ms);
  };
  const std::vector<std::tuple<const char*, TDateTime, TDateTime>> Cases = {
      {"day over new year", IncDay(At(2016, 12, 31, 23, 30, 0)), At(2017, 1, 1, 23, 30, 0)},
      {"day into leap day", IncDay(At(2016, 2, 28, 8, 0, 0)), At(2016, 2, 29, 8, 0, 0)},
      {"day over Feb 2017", IncDay(At(2017, 2, 28, 8, 0, 0)), At(2017, 3, 1, 8, 0, 0)},
      {"day back", IncDay(At(2016, 3, 1, 8, 0, 0), -1), At(2016, 2, 29, 8, 0, 0)},
      {"many days", IncDay(At(2016, 10, 7, 0, 0, 0), 365), At(2017, 10, 7, 0, 0, 0)},
      {"second over new year", IncSecond(At(2016, 12, 31, 23, 59, 59)), At(2017, 1, 1, 0, 0, 0)},
      {"second back a day", IncSecond(At(2016, 3, 1, 0, 0, 5), -86400), At(2016, 2, 29, 0, 0, 5)},
      {"spring forward hour", IncMinute(At(2016, 3, 27, 1, 30, 0), 60), At(2016, 3, 27, 2, 30, 0)},
      {"autumn hour", IncHour(At(2016, 10, 30, 2, 30, 0), 1), At(2016, 10, 30, 3, 30, 0)},
      {"millisecond", IncMilliSecond(At(2016, 10, 7, 23, 59, 59, 999)), At(2016, 10, 8, 0, 0, 0)},
      {"many seconds", IncSecond(At(2016, 10, 7, 7, 30, 0), 36000), At(2016, 10, 7, 17, 30, 0)},
  };
  for (const auto& [Name, Actual, Expected] : Cases) {
    EXPECT_EQ(Actual, Expected) << Name;
  }
  // Whole days keep an odd time of day exactly.
  const TDateTime Odd(42650.123456789);
  EXPECT_EQ(IncDay(Odd, 3).Value(), 42653.123456789);
}

TEST(DateTime, DistancesCountWholeUnitsOnMilliseconds) {
  const TDateTime From = EncodeDateTime(2016, 10, 7, 10, 0, 0, 0);
  const TDateTime To = EncodeDateTime(2016, 10, 7, 10, 7, 0, 0);
  EXPECT_EQ(MinutesBetween(From, To), 7);
  EXPECT_EQ(MinutesBetween(To, From), 7);
  EXPECT_EQ(SecondsBetween(From, IncSecond(From, 59)), 59);
  EXPECT_EQ(MinutesBetween(From, IncSecond(From, 59)), 0);
  EXPECT_EQ(MilliSecondsBetween(From, IncMilliSecond(From, 1)), 1);
  EXPECT_EQ(DaysBetween(From, IncHour(From, 47)), 1);
  // Every minute of a day: no off-by-one from binary fractions.
  for (int Minute = 0; Minute < MinsPerDay; ++Minute) {
    const TDateTime Later = EncodeDateTime(2016, 10, 7, Minute / 60, Minute % 60, 0, 0);
    ASSERT_EQ(MinutesBetween(EncodeDate(2016, 10, 7), Later), Minute);
  }
}

TEST(DateTime, ComparisonAndRawArithmetic) {
  const TDateTime Day = EncodeDate(2016, 10, 7);
  const TDateTime Later = EncodeDateTime(2016, 10, 7, 0, 0, 1, 0);
  EXPECT_LT(Day, Later);
  EXPECT_GT(Later, Day);
  EXPECT_LE(Day, Day);
  EXPECT_NE(Day, Later);
  EXPECT_EQ(Day + 1.5, EncodeDateTime(2016, 10, 8, 12, 0, 0, 0));
  EXPECT_EQ(Day - 1, EncodeDate(2016, 10, 6));
  EXPECT_EQ(EncodeDate(2016, 10, 8) - Day, 1.0);
  TDateTime Running = Day;
  Running += 0.25;
  EXPECT_EQ(HourOf(Running), 6);
  EXPECT_EQ(TDateTime().Value(), 0);
}

TEST(DateTime, QtConversionsKeepTheDateAndTimeAsShown) {
  const QDateTime Shown(QDate(2016, 10, 7), QTime(12, 34, 56, 789));
  const TDateTime Value = TDateTime::FromQDateTime(Shown);
  EXPECT_EQ(Value, EncodeDateTime(2016, 10, 7, 12, 34, 56, 789));
  EXPECT_EQ(Value.ToQDateTime(), Shown);
  EXPECT_EQ(Value.ToQDate(), QDate(2016, 10, 7));
  EXPECT_EQ(Value.ToQTime(), QTime(12, 34, 56, 789));
  EXPECT_EQ(TDateTime::FromQDate(QDate(1900, 1, 1)).Value(), 2);
  const QDateTime Utc(QDate(2016, 10, 7), QTime(23, 0), Qt::UTC);
  EXPECT_EQ(TDateTime::FromQDateTime(Utc), EncodeDateTime(2016, 10, 7, 23, 0, 0, 0));
  EXPECT_EQ(TDateTime::FromQDate(QDate()).Value(), 0);
}

TEST(DateTime, TodayIsMidnightOfTheCurrentDay) {
  const TDateTime Today = Date();
  const TDateTime Moment = Now();
  EXPECT_EQ(TimeOf(Today).Value(), 0);
  EXPECT_GE(Moment, Today);
  EXPECT_LT(Moment, Today + 2);
  EXPECT_GT(Today, EncodeDate(2020, 1, 1));
}

}  // namespace
