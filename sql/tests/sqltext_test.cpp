#include "sql/sqltext.h"

#include <gtest/gtest.h>

#include "sql/tests/qstringprinter.h"

namespace {
struct PadCase {
  QString text;
  int length;
  QChar pad;
  bool leftPad;
  QString padded;
};

class PadStringTest : public ::testing::TestWithParam<PadCase> {};

TEST_P(PadStringTest, BringsTheTrimmedTextToTheLength) {
  const PadCase& c = GetParam();
  EXPECT_EQ(PadString(c.text, c.length, c.pad, c.leftPad), c.padded)
      << c.text.toStdString() << " / " << c.length;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadStringTest,
    ::testing::Values(PadCase{" 42 ", 5, '0', true, "00042"},
                      PadCase{" 42 ", 5, '0', false, "42000"},
                      PadCase{"abcdef", 3, ' ', true, "def"},
                      PadCase{"abcdef", 3, ' ', false, "abc"}, PadCase{"abc", 3, '*', true, "abc"},
                      PadCase{"", 2, '-', true, "--"}, PadCase{"000420", 0, '0', true, "420"},
                      PadCase{" 000420 ", 0, '0', false, "420"}, PadCase{"0000", 0, '0', true, ""},
                      PadCase{"xx7", -1, 'x', true, "7"},
                      PadCase{"  a b  ", 5, '.', false, "a b.."}));

TEST(PadIntegerTest, RightAlignsTheDecimalValue) {
  EXPECT_EQ(PadInteger(7, 3, '0'), "007");
  EXPECT_EQ(PadInteger(1234, 3, '0'), "234");
  EXPECT_EQ(PadInteger(42, 4, ' '), "  42");
  EXPECT_EQ(PadInteger(0, 3, '0'), "000");
  EXPECT_EQ(PadInteger(5, 0, '0'), "5");
}

TEST(PadIntegerTest, KeepsTheMinusSignInFrontOfZeros) {
  EXPECT_EQ(PadInteger(-5, 3, '0'), "-05");
  EXPECT_EQ(PadInteger(-2147483647 - 1, 4, '0'), "-648");
  EXPECT_EQ(PadInteger(-5, 3, ' '), " -5");
}
}  // namespace
