#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/tests/printers.h"
#include "planning/mapserverdata.h"

namespace {
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct BlockCase {
  const char* Name;
  QString Page;
  int WorkflowId;
  QStringList Lines;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const BlockCase& Case, std::ostream* Out) { *Out << Case.Name; }

class ReadBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(ReadBlockTest, KeepsTheQueryRowsAndTheWorkflow) {
  const BlockCase& c = GetParam();
  TMapServerData hub;
  hub.ReadMapServerData(c.Page);
  EXPECT_EQ(hub.WorkflowId, c.WorkflowId);
  EXPECT_EQ(hub.ToStringList(), c.Lines);
}

const QString M = QStringLiteral("[ZEPRouting]");

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadBlockTest,
    ::testing::Values(
        BlockCase{"WorkflowTwoWithTwoOrders",
                  M + "\r\n2\r\nQ1R1=1~Meier\r\nQ1R2=2~Huber\r\n" + M + "\r\n",
                  2,
                  {"Q1R1=1~Meier", "Q1R2=2~Huber"}},
        BlockCase{"WorkflowIsTakenModulo1000", M + "\n1050\nQ1R1=a\n" + M, 50, {"Q1R1=a"}},
        BlockCase{"WorkflowThousandIsZero", M + "\n1000\n" + M, 0, {}},
        BlockCase{"WorkflowZeroIsNone", M + "\n0\nQ1R1=a\n" + M, -1, {"Q1R1=a"}},
        BlockCase{"NegativeWorkflowIsNone", M + "\n-3\nQ1R1=a\n" + M, -1, {"Q1R1=a"}},
        BlockCase{"TextWorkflowIsNone", M + "\nabc\nQ1R1=a\n" + M, -1, {"Q1R1=a"}},
        BlockCase{"HexadecimalWorkflowIsNone", M + "\n$32\n" + M, -1, {}},
        BlockCase{"WorkflowBeyondTheIntegerRangeIsNone", M + "\n99999999999\n" + M, -1, {}},
        BlockCase{"WorkflowWithBlanksAround", M + "\n  16 \t\nQ1R1=a\n" + M, 16, {"Q1R1=a"}},
        BlockCase{"BlankLineAfterTheMarkerIsTheWorkflowLine",
                  M + "\n\n2\nQ1R1=a\n" + M,
                  -1,
                  {"2", "Q1R1=a"}},
        BlockCase{"LinesOutsideTheMarkersAreDropped",
                  "<html>\r\nQ9R1=vorher\r\n" + M + "\r\n4\r\nQ1R1=a\r\n" + M +
                      "\r\nQ9R1=nachher\r\n</html>",
                  4,
                  {"Q1R1=a"}},
        BlockCase{"MarkersWithBlanksAndControlCharacters",
                  " \t" + M + " \r\n2\r\nQ1R1=a\r\n\x01" + M + "\t",
                  2,
                  {"Q1R1=a"}},
        BlockCase{"AMarkerInOtherCaseIsNoMarker",
                  "[zeprouting]\n2\nQ1R1=a\n" + M + "\n12\nQ1R1=b\n" + M,
                  12,
                  {"Q1R1=b"}},
        BlockCase{"MarkerInsideALineIsNoMarker", "x" + M + "\n2\n" + M, -1, {}},
        BlockCase{"NoMarkerGivesNothing", "2\nQ1R1=a\n", -1, {}},
        BlockCase{"ASingleMarkerGivesAnEmptyBlock", "2\n" + M + "\nQ1R1=a", -1, {}},
        BlockCase{"TwoMarkersWithNothingBetween", M + "\r\n" + M, -1, {}},
        BlockCase{"TheOuterMarkersDelimitTheBlock",
                  M + "\n2\nQ1R1=a\n" + M + "\nQ1R2=b\n" + M,
                  2,
                  {"Q1R1=a", M, "Q1R2=b"}},
        BlockCase{"MixedLineBreaks", M + "\r2\nQ1R1=a\r\nQ1R2=b\r" + M, 2, {"Q1R1=a", "Q1R2=b"}},
        BlockCase{"BlankLinesAreDroppedOthersKeptAsTheyAre",
                  M + "\n2\n\n  \n\t\nQ1R1=a  \n " + "Q1R2=b\n" + M,
                  2,
                  {"Q1R1=a  ", " Q1R2=b"}},
        BlockCase{"EmptyPage", "", -1, {}},
        BlockCase{"ABrokenCharacterDoesNotHideTheLineBreaks",
                  M + "\n2\nQ1R1=M" + QChar(0xD800) + "ller\n" + M,
                  2,
                  {"Q1R1=M" + QString(QChar(0xD800)) + "ller"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ReadBlockTest, APageWithoutBlockForgetsTheEarlierBlock) {
  TMapServerData hub;
  hub.ReadMapServerData(M + "\n2\nQ1R1=a\n" + M);
  hub.ReadMapServerData("<html>Fehler</html>");
  EXPECT_EQ(hub.WorkflowId, -1);
  EXPECT_EQ(hub.Count(), 0);
}

// A block with several queries, as a set-up page and an order list deliver them.
class QueryDataTest : public ::testing::Test {
 protected:
  QStringList Rows(int QNr) {
    hub.SetQueryData(QNr);
    return hub.QueryData;
  }
  void Read(const QStringList& Rows) {
    hub.ReadMapServerData((QStringList{M, "2"} + Rows + QStringList{M}).join("\r\n"));
  }
  TMapServerData hub;
};

TEST_F(QueryDataTest, RowsAreTakenInNumberOrderWithTheirFieldsSeparatedByBars) {
  Read({"Q1R2=2~Huber~D", "Q1R1=1~Meier~D", "Q2R1=-1~Start"});
  EXPECT_THAT(Rows(1), ElementsAre("1|Meier|D", "2|Huber|D"));
  EXPECT_THAT(Rows(2), ElementsAre("-1|Start"));
}

TEST_F(QueryDataTest, AGapEndsTheQuery) {
  Read({"Q4R1=a", "Q4R3=c"});
  EXPECT_THAT(Rows(4), ElementsAre("a"));
}

TEST_F(QueryDataTest, AQueryNotStartingAtRowOneIsEmpty) {
  Read({"Q5R2=b", "Q5R3=c"});
  EXPECT_THAT(Rows(5), IsEmpty());
}

TEST_F(QueryDataTest, NamesAreComparedWithoutCase) {
  Read({"q1r1=a", "Q1r2=b"});
  EXPECT_THAT(Rows(1), ElementsAre("a", "b"));
}

TEST_F(QueryDataTest, NumbersMustMatchExactly) {
  Read({"Q1R1=a", "Q11R1=b", "Q1R10=c", "Q1R01=d"});
  EXPECT_THAT(Rows(1), ElementsAre("a"));
  EXPECT_THAT(Rows(11), ElementsAre("b"));
}

TEST_F(QueryDataTest, TheValueIsEverythingAfterTheFirstEqualsSign) {
  Read({"Q3R1=Titel = Tour~A=B"});
  EXPECT_THAT(Rows(3), ElementsAre("Titel = Tour|A=B"));
}

TEST_F(QueryDataTest, TheFirstLineOfANameCounts) {
  Read({"Q1R1=erste", "Q1R1=zweite"});
  EXPECT_THAT(Rows(1), ElementsAre("erste"));
}

TEST_F(QueryDataTest, SelectingAnotherQueryReplacesTheRows) {
  Read({"Q1R1=a", "Q1R2=b"});
  Rows(1);
  EXPECT_THAT(Rows(6), IsEmpty());
}

TEST_F(QueryDataTest, ARowIsHandedOutWithOneFieldPerLine) {
  Read({"Q1R1=1~Meier~~D|Hof", "Q1R2=2"});
  hub.SetQueryData(1);
  EXPECT_EQ(hub.GetQueryData(0), "1\r\nMeier\r\n\r\nD\r\nHof");
  TStringList fields;
  fields.SetText(hub.GetQueryData(0));
  EXPECT_THAT(fields.ToStringList(), ElementsAre("1", "Meier", "", "D", "Hof"));
  EXPECT_EQ(hub.GetQueryData(1), "2");
}

TEST_F(QueryDataTest, AnIndexOutsideTheRowsGivesNothing) {
  Read({"Q1R1=a", "Q1R2=b"});
  hub.SetQueryData(1);
  EXPECT_EQ(hub.GetQueryData(2), "");
  EXPECT_EQ(hub.GetQueryData(-1), "");
}
}  // namespace
