#include "sql/sqlstring.h"

#include <gtest/gtest.h>

#include "sql/tests/qstringprinter.h"

namespace {
struct LiteralCase {
  QString text;
  quint8 mode;
  QString literal;
};

class SQLStringTest : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(SQLStringTest, WritesTheLiteralOfEachQuotingStyle) {
  const LiteralCase& c = GetParam();
  EXPECT_EQ(SQLString(c.text, c.mode), c.literal) << "mode " << int(c.mode);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SQLStringTest,
    ::testing::Values(
        LiteralCase{"it's", 0, "'it''s'"}, LiteralCase{"it's", 1, "'it'||CHR(39)||'s'"},
        LiteralCase{"it's", 2, "'it'+CHR(39)+'s'"}, LiteralCase{"it's", 3, "'it'+CHAR(39)+'s'"},
        LiteralCase{"it's", 200, "'it'+CHAR(39)+'s'"}, LiteralCase{"a\r\nb", 0, "'a\r\nb'"},
        LiteralCase{"a\r\nb", 1, "'a'||CHR(13)||''||CHR(10)||'b'"},
        LiteralCase{"a\r\nb", 2, "'a'+CHR(13)+''+CHR(10)+'b'"},
        LiteralCase{"a\r\nb", 3, "'a'+CHAR(13)+''+CHAR(10)+'b'"},
        LiteralCase{"'\n'", 2, "''+CHR(39)+''+CHR(10)+''+CHR(39)+''"}, LiteralCase{"", 0, "null"},
        LiteralCase{"", 2, "null"}, LiteralCase{" ", 0, "' '"}, LiteralCase{" ", 2, "' '"},
        LiteralCase{"Müller", 2, "'Müller'"}));

TEST(SQLEqualStringTest, CompletesAConditionOrTestsForNull) {
  EXPECT_EQ(SQLEqualString("   "), " is null");
  EXPECT_EQ(SQLEqualString(""), " is null");
  EXPECT_EQ(SQLEqualString("x"), "='x'");
  // The literal keeps the blanks: only the emptiness test trims.
  EXPECT_EQ(SQLEqualString(" O'Neil "), "=' O'+CHR(39)+'Neil '");
}

TEST(QuoteStringTest, EnclosesWithoutEscaping) {
  EXPECT_EQ(QuoteString("dd.mm.yyyy"), "'dd.mm.yyyy'");
  EXPECT_EQ(QuoteString(""), "''");
  EXPECT_EQ(QuoteString("a'b"), "'a'b'");
}

struct DateExprCase {
  TADODBTyp product;
  QString date;
  QString time;
  QString dateTime;
};

class DateExpressionTest : public ::testing::TestWithParam<DateExprCase> {};

TEST_P(DateExpressionTest, TurnsAColumnIntoGermanText) {
  const DateExprCase& c = GetParam();
  EXPECT_EQ(SQLDateText("X", c.product), c.date);
  EXPECT_EQ(SQLTimeText("X", c.product), c.time);
  EXPECT_EQ(SQLDateTimeText("X", c.product), c.dateTime);
}

INSTANTIATE_TEST_SUITE_P(
    Products, DateExpressionTest,
    ::testing::Values(DateExprCase{MSAccess, "Format(X,\"dd.mm.yyyy\")", "Format(X,\"hh:mm\")",
                                   "Format(X,'dd.mm.yyyy hh:nn')"},
                      DateExprCase{MSSQL, "CONVERT(varchar(10),X,104)", "CONVERT(varchar(5),X,8)",
                                   "CONVERT(varchar(10),X,104)+' '+CONVERT(varchar(5),X,8)"},
                      DateExprCase{Oracle, "TO_CHAR(X,'dd.mm.yyyy','NLS_DATE_LANGUAGE=GERMAN')",
                                   "TO_CHAR(X,'hh24:mi','NLS_DATE_LANGUAGE=GERMAN')",
                                   "TO_CHAR(X,'dd.mm.yyyy hh24:mi','NLS_DATE_LANGUAGE=GERMAN')"},
                      DateExprCase{ADS, "X", "X", "X+' '+X"},
                      DateExprCase{ODBC, "X", "X", "X+' '+X"}));

TEST(DateExpressionTest, KeepsAnExpressionWithPercentSignsIntact) {
  EXPECT_EQ(SQLDateText("T.[%1 Datum]", MSSQL), "CONVERT(varchar(10),T.[%1 Datum],104)");
  EXPECT_EQ(SQLDateTimeText("a%s", Oracle),
            "TO_CHAR(a%s,'dd.mm.yyyy hh24:mi','NLS_DATE_LANGUAGE=GERMAN')");
}
}  // namespace
