#include "base/datetimetext.h"

#include <gtest/gtest.h>

#include "base/tests/printers.h"

namespace {

TEST(FormatDateTime, DelphiMasksWithGermanSettings) {
  const TDateTime Value = EncodeDateTime(2016, 10, 7, 9, 5, 3, 4);
  const std::vector<std::pair<QString, QString>> Cases = {
      {"dd.mm.yyyy", "07.10.2016"},
      {"dd.mm.yyyy hh:nn", "07.10.2016 09:05"},
      {"d.m.yy", "7.10.16"},
      {"DD.MM.YYYY HH:NN", "07.10.2016 09:05"},
      {"hh:mm", "09:05"},
      {"h:m:s", "9:5:3"},
      {"hh 'Uhr' mm", "09 Uhr 05"},
      {"mm/yyyy hh:mm", "10.2016 09:05"},
      {"hh:nn:mm", "09:05:10"},
      {"hh:nn:ss.zzz", "09:05:03.004"},
      {"s z", "3 4"},
      {"yyyymmdd", "20161007"},
      {"dd/mm/yyyy", "07.10.2016"},
      {"ddd dd.mm.", "Fr 07.10."},
      {"dddd dd.mm.yyyy", "Freitag 07.10.2016"},
      {"mmm mmmm", "Okt Oktober"},
      {"'Uhrzeit:' hh:nn \"Uhr\"", "Uhrzeit: 09:05 Uhr"},
      {"'dd'd", "dd7"},
      {"'offen", "offen"},
      {"[dd]", "[07]"},
      {"ddddd", "07.10.2016"},
      {"dddddd", "Freitag, 7. Oktober 2016"},
      {"t", "09:05"},
      {"tt", "09:05:03"},
      {"c", "07.10.2016 09:05:03"},
      {"", "07.10.2016 09:05:03"},
  };
  for (const auto& [Mask, Expected] : Cases) {
    EXPECT_EQ(FormatDateTime(Mask, Value), Expected) << Mask.toStdString();
  }
}

TEST(FormatDateTime, NamesPaddingAndRounding) {
  EXPECT_EQ(FormatDateTime("mmmm", EncodeDate(2016, 3, 1)), "März");
  EXPECT_EQ(FormatDateTime("ddd dddd", EncodeDate(2016, 10, 9)), "So Sonntag");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", EncodeDate(99, 1, 1)), "01.01.0099");
  EXPECT_EQ(FormatDateTime("yy", EncodeDate(2005, 1, 1)), "05");
  EXPECT_EQ(FormatDateTime("hh:nn:ss.zzz", TDateTime(0.5)), "12:00:00.000");
  const TDateTime AlmostMidnight(42650 + (MSecsPerDay - 0.4) / MSecsPerDay);
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", AlmostMidnight), "08.10.2016 00:00");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", EncodeDateTime(1899, 12, 29, 6, 0, 0, 0)),
            "29.12.1899 06:00");
}

TEST(FormatDateTime, ShortForms) {
  const TDateTime Midnight = EncodeDate(2016, 10, 7);
  const TDateTime Afternoon = EncodeDateTime(2016, 10, 7, 14, 30, 15, 0);
  EXPECT_EQ(DateToStr(Afternoon), "07.10.2016");
  EXPECT_EQ(TimeToStr(Afternoon), "14:30:15");
  EXPECT_EQ(DateTimeToStr(Afternoon), "07.10.2016 14:30:15");
  EXPECT_EQ(DateTimeToStr(Midnight), "07.10.2016");
  EXPECT_EQ(TimeToStr(Midnight), "00:00:00");
}

TEST(StrToDateTime, ReadsGermanDatesAndTimes) {
  const std::vector<std::pair<QString, TDateTime>> Cases = {
      {"07.10.2016", EncodeDate(2016, 10, 7)},
      {"7.1.2016", EncodeDate(2016, 1, 7)},
      {"07.10.2016 12:30", EncodeDateTime(2016, 10, 7, 12, 30, 0, 0)},
      {" 07.10.2016   12:30 ", EncodeDateTime(2016, 10, 7, 12, 30, 0, 0)},
      {"\t07.10.2016\t8:05\r\n", EncodeDateTime(2016, 10, 7, 8, 5, 0, 0)},
      {"7.10.2016 8:5", EncodeDateTime(2016, 10, 7, 8, 5, 0, 0)},
      {"07.10.2016 12:30:45", EncodeDateTime(2016, 10, 7, 12, 30, 45, 0)},
      {"07.10.2016 00:00", EncodeDate(2016, 10, 7)},
      {"31.12.9999 23:59:59", EncodeDateTime(9999, 12, 31, 23, 59, 59, 0)},
      {"29.02.2000", EncodeDate(2000, 2, 29)},
      {"07.10.16", EncodeDate(2016, 10, 7)},
      {"01.01.00", EncodeDate(2000, 1, 1)},
      {"01.01.49", EncodeDate(2049, 1, 1)},
      {"01.01.50", EncodeDate(1950, 1, 1)},
      {"01.01.99 10:00", EncodeDateTime(1999, 1, 1, 10, 0, 0, 0)},
      {"01.01.5", EncodeDate(2005, 1, 1)},
      {"01.01.0099", EncodeDate(99, 1, 1)},
      {"01.01.999", EncodeDate(999, 1, 1)},
  };
  for (const auto& [Text, Expected] : Cases) {
    TDateTime Value;
    EXPECT_TRUE(TryStrToDateTime(Text, Value)) << Text.toStdString();
    EXPECT_EQ(Value, Expected) << Text.toStdString();
    EXPECT_EQ(StrToDateTimeDef(Text, TDateTime(-7)), Expected) << Text.toStdString();
  }
}

TEST(StrToDateTime, RefusesEverythingElse) {
  const QStringList Bad = {"",
                           "   ",
                           "31.02.2016",
                           "29.02.1900",
                           "32.01.2016",
                           "00.01.2016",
                           "07.13.2016",
                           "07.00.2016",
                           "01.01.0000",
                           "07.10.2016 24:00",
                           "07.10.2016 12:60",
                           "07.10.2016 12:30:60",
                           "07-10-2016",
                           "2016-10-07",
                           "07.10.2016x",
                           "07.10.2016 12",
                           "07.10.2016 12:",
                           "07.10.2016 12:30:",
                           "07.10.2016 12:30 x",
                           "07.10.2016T12:30",
                           "07.10.201612:30",
                           "007.10.2016",
                           "07.010.2016",
                           "07.10.20160",
                           "07.10.",
                           "07.10",
                           "12:30",
                           "+7.10.2016",
                           "7.10.-2016",
                           "07.10.2016 123:00",
                           QString::fromUtf8("٠٧.١٠.٢٠١٦")};
  for (const QString& Text : Bad) {
    TDateTime Value(3);
    EXPECT_FALSE(TryStrToDateTime(Text, Value)) << Text.toStdString();
    EXPECT_EQ(StrToDateTimeDef(Text, TDateTime(-7)).Value(), -7) << Text.toStdString();
  }
}

TEST(StrToDateTime, DateOnlyAndTimeOnlyReaders) {
  EXPECT_EQ(StrToDateDef(" 7.10.2016 ", TDateTime()), EncodeDate(2016, 10, 7));
  EXPECT_EQ(StrToDateDef("07.10.2016 12:30", TDateTime(-1)).Value(), -1);
  EXPECT_EQ(StrToDateDef("30.02.2016", TDateTime(-1)).Value(), -1);

  const std::vector<std::pair<QString, double>> Times = {
      {"8:05", 8 * 3600 + 5 * 60},
      {"08:05:30", 8 * 3600 + 5 * 60 + 30},
      {" 23:59 ", 23 * 3600 + 59 * 60},
      {"0:0", 0},
      {"24:00", -1},
      {"12", -1},
      {"12:5:", -1},
      {"12:30:99", -1},
      {"07.10.2016 12:30", -1},
      {"", -1},
  };
  for (const auto& [Text, Seconds] : Times) {
    const TDateTime Default(-1);
    const TDateTime Expected = Seconds < 0 ? Default : TDateTime(Seconds / SecsPerDay);
    EXPECT_EQ(StrToTimeDef(Text, Default), Expected) << Text.toStdString();
  }
}

TEST(StrToDateTime, WrittenTextReadsBackToTheSameMinute) {
  for (TDateTime Value = EncodeDateTime(2016, 1, 1, 0, 7, 0, 0); Value < EncodeDate(2017, 1, 1);
       Value = IncMinute(Value, 997)) {
    const QString Text = FormatDateTime("dd.mm.yyyy hh:nn", Value);
    ASSERT_EQ(StrToDateTimeDef(Text, TDateTime()), Value) << Text.toStdString();
  }
}

}  // namespace
