// Jet's value conversions and FORMAT masks, without a database.
#include <gtest/gtest.h>

#include <QDateTime>

#include "sql/jet/jetformat.h"
#include "sql/jet/jetvalues.h"

namespace {

TEST(JetValuesTest, DaysSince1899RoundTripAndSort) {
  EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
  EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(2016, 10, 7), QTime(12, 0))), 42650.5);
  EXPECT_DOUBLE_EQ(DaysFromDateTime(QDateTime(QDate(1899, 12, 29), QTime(12, 0))), -1.5);
  for (const QDateTime& value : {QDateTime(QDate(2016, 10, 7), QTime(8, 30, 15)),
                                 QDateTime(QDate(1850, 1, 1), QTime(23, 59, 59)),
                                 QDateTime(QDate(9999, 12, 31), QTime(0, 0, 1))})
    EXPECT_EQ(DateTimeFromDays(DaysFromDateTime(value)), value);
  EXPECT_FALSE(DateTimeFromDays(1e300).isValid());
  EXPECT_EQ(FormatJetDate(-1e9, QStringLiteral("dd mmmm yyyy")), QStringLiteral("-1000000000"));
  EXPECT_LT(DaysFromDateTime(QDateTime(QDate(2016, 9, 30), QTime(0, 0))),
            DaysFromDateTime(QDateTime(QDate(2016, 10, 7), QTime(0, 0))));
}

TEST(JetValuesTest, DateTextsAreReadGermanIsoAndAsLiterals) {
  struct Case {
    const char* Text;
    bool Literal;
    const char* Expected;  // yyyy-MM-dd HH:mm:ss, or "" when refused
  };
  const Case cases[] = {
      {"07.10.2016", false, "2016-10-07 00:00:00"},
      {" 7.10.2016 8:05 ", false, "2016-10-07 08:05:00"},
      {"07.10.2016 08:30:15", false, "2016-10-07 08:30:15"},
      {"07.10.16", false, "2016-10-07 00:00:00"},
      {"07.10.45", false, "1945-10-07 00:00:00"},
      {"2016-10-07T08:30:00", false, "2016-10-07 08:30:00"},
      {"2016-10-07 08:30", false, "2016-10-07 08:30:00"},
      {"08:30", false, "1899-12-30 08:30:00"},
      {"31.02.2016", false, ""},
      {"07.10.2016 24:00", false, ""},
      {"C:\\Karten", false, ""},
      {"", false, ""},
      {"10/7/2016", true, "2016-10-07 00:00:00"},
      {"13/10/2016", true, "2016-10-13 00:00:00"},
      {"10/7/2016 2:15 PM", true, "2016-10-07 14:15:00"},
      {"12/31/2016 12:00 AM", true, "2016-12-31 00:00:00"},
      {"2016-10-07", true, "2016-10-07 00:00:00"},
      {"07.10.2016", true, "2016-10-07 00:00:00"},
      {"13/13/2016", true, ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.Text);
    const std::optional<double> days =
        test.Literal ? ParseJetDateLiteral(test.Text) : ParseJetDateText(test.Text);
    const QString expected = QString::fromUtf8(test.Expected);
    ASSERT_EQ(days.has_value(), !expected.isEmpty());
    if (days) {
      EXPECT_EQ(DateTimeFromDays(*days).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), expected);
    }
  }
}

TEST(JetValuesTest, NumbersReadAndWriteTheGermanWay) {
  EXPECT_EQ(ParseJetNumber(QStringLiteral("2,5")), 2.5);
  EXPECT_EQ(ParseJetNumber(QStringLiteral(" -2.5 ")), -2.5);
  EXPECT_EQ(ParseJetNumber(QStringLiteral("1e3")), 1000.0);
  EXPECT_EQ(ParseJetNumber(QStringLiteral("&HFF")), 255.0);
  EXPECT_FALSE(ParseJetNumber(QStringLiteral("")).has_value());
  EXPECT_FALSE(ParseJetNumber(QStringLiteral("12abc")).has_value());
  EXPECT_FALSE(ParseJetNumber(QStringLiteral("1.000,5")).has_value());
  EXPECT_EQ(JetNumberText(12), QStringLiteral("12"));
  EXPECT_EQ(JetNumberText(-2.5), QStringLiteral("-2,5"));
  EXPECT_EQ(JetNumberText(0.1 + 0.2), QStringLiteral("0,3"));
  EXPECT_EQ(JetNumberText(1e20), QStringLiteral("1E+20"));
  EXPECT_EQ(BankersRound(2.5), 2.0);
  EXPECT_EQ(BankersRound(3.5), 4.0);
  EXPECT_EQ(BankersRound(-2.5), -2.0);
}

TEST(JetValuesTest, FormatMasksOfAccess) {
  const double days = DaysFromDateTime(QDateTime(QDate(2016, 10, 7), QTime(8, 5, 9)));
  struct Case {
    const char* Mask;
    const char* Expected;
  };
  const Case cases[] = {
      {"dd.mm.yyyy hh:nn", "07.10.2016 08:05"},
      {"dd.mm.yyyy", "07.10.2016"},
      {"hh:mm", "08:05"},
      {"hh:mm:ss", "08:05:09"},
      {"mm:ss", "05:09"},
      {"d.m.yy h:n:s", "7.10.16 8:5:9"},
      {"dd/mm/yyyy", "07.10.2016"},
      {"ddd dddd", "Fr Freitag"},
      {"mmm mmmm", "Okt Oktober"},
      {"hh:nn AM/PM", "08:05 AM"},
      {"\"Tag\" d \\m", "Tag 7 m"},
      {"Short Date", "07.10.2016"},
      {"Short Time", "08:05"},
      {"q w y", "4 6 281"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.Mask);
    EXPECT_TRUE(IsJetDateMask(test.Mask));
    EXPECT_EQ(FormatJetDate(days, test.Mask), QString::fromUtf8(test.Expected));
  }
  EXPECT_FALSE(IsJetDateMask(QStringLiteral("#,##0.00")));
  EXPECT_EQ(FormatJetNumber(1234567.891, QStringLiteral("#,##0.00")),
            QStringLiteral("1.234.567,89"));
  EXPECT_EQ(FormatJetNumber(5, QStringLiteral("000")), QStringLiteral("005"));
  EXPECT_EQ(FormatJetNumber(0.256, QStringLiteral("0%")), QStringLiteral("26%"));
  EXPECT_EQ(FormatJetNumber(-1.5, QStringLiteral("Fixed")), QStringLiteral("-1,50"));
  EXPECT_EQ(FormatJetNumber(2.5, QStringLiteral("0.##")), QStringLiteral("2,5"));
}

TEST(JetValuesTest, TextComparesWithoutCaseAndSortsUmlautsWithTheirLetters) {
  EXPECT_EQ(JetCompareText(QStringLiteral("Müller"), QStringLiteral("MÜLLER")), 0);
  EXPECT_NE(JetCompareText(QStringLiteral("Müller"), QStringLiteral("Muller")), 0);
  EXPECT_LT(JetCompareText(QStringLiteral("Äpfel"), QStringLiteral("Birne")), 0);
  EXPECT_LT(JetCompareText(QStringLiteral("apfel"), QStringLiteral("Äpfel")), 0);
  EXPECT_GT(JetCompareText(QStringLiteral("Äpfel"), QStringLiteral("apfel")), 0);
  EXPECT_LT(JetCompareText(QStringLiteral("Straße"), QStringLiteral("Strasser")), 0);
  EXPECT_EQ(AnsiCharacter(128), QChar(0x20AC));
  EXPECT_EQ(AnsiCode(QChar(0x20AC)), 128);
  EXPECT_FALSE(AnsiCharacter(256).has_value());
}

}  // namespace
