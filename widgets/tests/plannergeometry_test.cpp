#include "widgets/plannergeometry.h"

#include <gtest/gtest.h>

#include "widgets/plannerdisplay.h"

namespace {

// 3 columns of 100 pixels after a 50 pixel time axis and below a 30 pixel header; cells of
// 20 pixels from 07:00.
TPlannerMetrics Metrics(bool TimeOnTop, int Unit) {
  TPlannerMetrics M;
  M.StartMinutes = 7 * 60;
  M.CellCount = 40;
  M.Unit = Unit;
  M.Scale = 20;
  M.Positions = 3;
  M.PositionWidth = 100;
  M.SidebarSize = 50;
  M.HeaderSize = 30;
  M.TimeOnTop = TimeOnTop;
  M.Viewport = QSize(600, 400);
  return M;
}

TEST(PlannerGeometry, PixelToCellInBothAxisPositionsAndSeveralUnits) {
  struct TCase {
    bool TimeOnTop;
    int Unit;
    QPoint Pixel;
    QPoint Cell;  // screen order: horizontal, vertical
  };
  const TCase Cases[] = {
      // Time axis on the left: X is the column, Y the cell.
      {false, 15, {50, 30}, {0, 28}},
      {false, 15, {149, 49}, {0, 28}},
      {false, 15, {150, 50}, {1, 29}},
      {false, 30, {260, 110}, {2, 18}},
      {false, 60, {260, 110}, {2, 11}},
      {false, 15, {49, 100}, {-1, -1}},   // on the time axis
      {false, 15, {100, 10}, {-1, -1}},   // on the header
      {false, 15, {360, 100}, {-1, -1}},  // right of the last column
      // Time axis on top: X is the cell, Y the column.
      {true, 15, {30, 50}, {28, 0}},
      {true, 15, {71, 150}, {30, 1}},
      {true, 10, {71, 150}, {44, 1}},
      {true, 15, {20, 100}, {-1, -1}},  // on the header
  };
  for (const TCase& Case : Cases) {
    TPlannerGeometry G(Metrics(Case.TimeOnTop, Case.Unit));
    EXPECT_EQ(G.XYToCell(Case.Pixel.x(), Case.Pixel.y()), Case.Cell)
        << (Case.TimeOnTop ? "top " : "left ") << Case.Unit << " at " << Case.Pixel.x() << ","
        << Case.Pixel.y();
  }
}

TEST(PlannerGeometry, TimeAndPixelAgreeBothWaysAndFollowScrolling) {
  for (bool TimeOnTop : {false, true}) {
    TPlannerMetrics M = Metrics(TimeOnTop, 15);
    TPlannerGeometry G(M);
    EXPECT_EQ(G.MinutesToAlong(7 * 60), 30);
    EXPECT_EQ(G.MinutesToAlong(8 * 60 + 7.5), 30 + 90);
    EXPECT_DOUBLE_EQ(G.AlongToMinutes(30 + 90), 8 * 60 + 7.5);
    M.TimeScroll = 40;
    TPlannerGeometry Scrolled(M);
    EXPECT_EQ(Scrolled.MinutesToAlong(7 * 60 + 30), 30);
    QPoint Cell = Scrolled.XYToCell(TimeOnTop ? 30 : 60, TimeOnTop ? 60 : 30);
    EXPECT_EQ(TimeOnTop ? Cell.x() : Cell.y(), 30);
  }
}

TEST(PlannerGeometry, ScrollingStopsAtTheContentEnd) {
  TPlannerMetrics M = Metrics(false, 15);
  M.TimeScroll = 100000;
  M.PositionScroll = 5000;
  TPlannerGeometry G(M);
  EXPECT_EQ(G.Metrics().TimeScroll, 40 * 20 - (400 - 30));
  EXPECT_EQ(G.Metrics().PositionScroll, 0);  // 300 pixels of columns fit into 550
}

TEST(PlannerGeometry, FittedColumnsShareTheWidthAndGapsHoldNoCell) {
  TPlannerMetrics M = Metrics(false, 15);
  M.PositionWidth = 0;
  M.PositionGap = 10;
  TPlannerGeometry G(M);
  EXPECT_EQ(G.ColumnWidth(), (550 - 3 * 10) / 3);
  EXPECT_EQ(G.ColumnStart(0), 60);
  EXPECT_EQ(G.ColumnStart(1), 60 + 173 + 10);
  EXPECT_EQ(G.AcrossToPosition(55), -1);  // the gap before column 0
  EXPECT_EQ(G.AcrossToPosition(60), 0);
  EXPECT_EQ(G.GapRect(1), QRect(233, 30, 10, 800));
}

TEST(PlannerGeometry, HeaderSectionsAndFooterColumns) {
  TPlannerMetrics M = Metrics(false, 15);
  M.FooterSize = 24;
  TPlannerGeometry G(M);
  EXPECT_EQ(G.HeaderSectionAt({10, 10}), 0);
  EXPECT_EQ(G.HeaderSectionAt({60, 10}), 1);
  EXPECT_EQ(G.HeaderSectionAt({260, 10}), 3);
  EXPECT_EQ(G.HeaderSectionAt({360, 10}), -1);
  EXPECT_EQ(G.HeaderSectionAt({60, 40}), -1);
  EXPECT_EQ(G.FooterPositionAt({160, 390}), 1);
  EXPECT_EQ(G.FooterPositionAt({160, 370}), -1);
  EXPECT_EQ(G.XYToCell(160, 390), QPoint(-1, -1));  // the footer covers the cells
}

TEST(PlannerGeometry, NoColumnsMeansNoCells) {
  TPlannerMetrics M = Metrics(false, 15);
  M.Positions = 0;
  M.PositionWidth = 0;
  TPlannerGeometry G(M);
  EXPECT_EQ(G.ColumnWidth(), 0);
  EXPECT_EQ(G.XYToCell(100, 100), QPoint(-1, -1));
  EXPECT_EQ(G.MaxPositionScroll(), 0);
}

TEST(PlannerDisplay, ANewCellLengthKeepsTheShownAndTheWorkingTime) {
  TPlannerDisplay D;
  D.SetDisplayUnit(15);
  D.SetDisplayStart(0);
  D.SetDisplayEnd(96);
  D.SetActiveStart(30);  // 07:30
  D.SetActiveEnd(72);    // 18:00
  struct TCase {
    int Unit, End, ActiveStart, ActiveEnd;
  };
  for (TCase Case : {TCase{30, 48, 15, 36}, TCase{60, 24, 7, 18}, TCase{10, 144, 45, 108},
                     TCase{90, 16, 5, 12}, TCase{15, 96, 30, 72}}) {
    D.SetDisplayUnit(Case.Unit);
    EXPECT_EQ(D.DisplayStart(), 0) << Case.Unit;
    EXPECT_EQ(D.DisplayEnd(), Case.End) << Case.Unit;
    EXPECT_EQ(D.ActiveStart(), Case.ActiveStart) << Case.Unit;
    EXPECT_EQ(D.ActiveEnd(), Case.ActiveEnd) << Case.Unit;
  }
  EXPECT_TRUE(D.IsActive(7 * 60 + 30));
  EXPECT_FALSE(D.IsActive(18 * 60));
}

TEST(PlannerDisplay, ARangeOfNoCellsStillShowsOneAndBadValuesAreLimited) {
  TPlannerDisplay D;
  D.SetDisplayStart(40);
  D.SetDisplayEnd(10);
  EXPECT_EQ(D.DisplayEnd(), 40);
  EXPECT_EQ(D.CellCount(), 1);
  D.SetDisplayEnd(100000);
  EXPECT_EQ(D.DisplayEnd(), 96);
  D.SetDisplayStart(-5);
  EXPECT_EQ(D.DisplayStart(), 0);
  D.SetDisplayUnit(0);
  EXPECT_EQ(D.DisplayUnit(), 1);
  D.SetDisplayScale(-3);
  EXPECT_EQ(D.DisplayScale(), 4);
}

}  // namespace
