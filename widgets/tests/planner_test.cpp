#include "widgets/planner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "widgets/plannergrid.h"
#include "widgets/planneritempaint.h"
#include "widgets/plannerwaitlist.h"
#include "widgets/titlemarkup.h"

namespace {

struct TMoveEvent {
  TPlannerItem* Item;
  int FromBegin, FromEnd, FromPos, ToBegin, ToEnd, ToPos;
};
struct TSizeEvent {
  TPlannerItem* Item;
  int Position, FromBegin, FromEnd, ToBegin, ToEnd;
};

// Three columns of 150 pixels, cells of 16 pixels from 07:00 (cell 28) to 15:00 (cell 60).
class PlannerTest : public ::testing::TestWithParam<TSidebarPosition> {
 protected:
  void SetUp() override {
    Planner.resize(900, 700);
    Planner.Display().SetDisplayUnit(15);
    Planner.Display().SetDisplayStart(28);
    Planner.Display().SetDisplayEnd(60);
    Planner.Display().SetDisplayScale(16);
    Planner.Sidebar().Position = GetParam();
    Planner.SetPositions(3);
    Planner.SetPositionWidth(150);
    Planner.MultiSelect = true;
    Planner.show();
    QApplication::processEvents();
    Planner.OnItemMove = [this](QObject*, TPlannerItem* Item, int FB, int FE, int FP, int TB,
                                int TE, int TP) {
      Moves.push_back({Item, FB, FE, FP, TB, TE, TP});
    };
    Planner.OnItemSize = [this](QObject*, TPlannerItem* Item, int P, int FB, int FE, int TB,
                                int TE) {
      Sizes.push_back({Item, P, FB, FE, TB, TE});
    };
  }

  TPlannerItem* Add(int Begin, int End, int Pos) {
    TPlannerItem* Item = Planner.Items().Add();
    Item->SetItemCells(Begin, End, Pos);
    return Item;
  }
  QWidget* Viewport() { return static_cast<TPlannerGrid*>(Planner.GridControl())->viewport(); }
  QPoint CellCenter(int Pos, int Cell) { return Planner.Geometry().CellRect(Pos, Cell).center(); }
  // A point inside the item's last cell, this many pixels before its end edge.
  QPoint NearEnd(TPlannerItem* Item, int Inset) {
    QRect Rect =
        Planner.Geometry().SpanRect(Item->ItemPos(), Item->StartMinutes(), Item->EndMinutes());
    return GetParam() == spTop ? QPoint(Rect.right() - Inset, Rect.center().y())
                               : QPoint(Rect.center().x(), Rect.bottom() - Inset);
  }
  void Drag(QPoint From, QPoint To, Qt::KeyboardModifiers Modifiers = {}) {
    QTest::mousePress(Viewport(), Qt::LeftButton, Modifiers, From);
    QTest::mouseMove(Viewport(), (From + To) / 2);
    QTest::mouseMove(Viewport(), To);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Modifiers, To);
  }

  TPlanner Planner;
  std::vector<TMoveEvent> Moves;
  std::vector<TSizeEvent> Sizes;
};

INSTANTIATE_TEST_SUITE_P(BothAxisPositions, PlannerTest, ::testing::Values(spLeft, spTop),
                         [](const auto& Info) { return Info.param == spTop ? "Top" : "Left"; });

TEST_P(PlannerTest, XYToCellAndCellToItemUseScreenOrder) {
  TPlannerItem* Item = Add(32, 34, 1);
  QPoint Center = CellCenter(1, 33);
  QPoint Cell = Planner.XYToCell(Center.x(), Center.y());
  QPoint Expected = GetParam() == spTop ? QPoint(33, 1) : QPoint(1, 33);
  EXPECT_EQ(Cell, Expected);
  EXPECT_EQ(Planner.CellToItem(Cell.x(), Cell.y()), Item);
  EXPECT_EQ(Planner.ItemAtPixel(Center), Item);
  EXPECT_EQ(Planner.CellToItem(Expected.x() + (GetParam() == spTop ? 2 : 0),
                               Expected.y() + (GetParam() == spTop ? 0 : 2)),
            nullptr);
}

TEST_P(PlannerTest, TheLayerFilterDecidesWhichItemsTheGridShows) {
  TPlannerItem* Planned = Add(32, 34, 0);
  Planned->SetLayer(1);
  TPlannerItem* Loaded = Add(32, 34, 1);
  Loaded->SetLayer(2);
  TPlannerItem* Completed = Add(32, 34, 2);
  Completed->SetLayer(4);
  auto Shown = [&] {
    std::vector<TPlannerItem*> Items;
    for (int Pos = 0; Pos < 3; ++Pos) Items.push_back(Planner.ItemAtPixel(CellCenter(Pos, 33)));
    return Items;
  };
  Planner.SetLayer(3);
  EXPECT_EQ(Shown(), std::vector<TPlannerItem*>({Planned, Loaded, nullptr}));
  Planner.SetLayer(0);
  EXPECT_EQ(Shown(), std::vector<TPlannerItem*>({Planned, Loaded, Completed}));
  Planner.SetLayer(4);
  EXPECT_EQ(Shown(), std::vector<TPlannerItem*>({nullptr, nullptr, Completed}));
}

TEST_P(PlannerTest, MovingSnapsToCellsAndReportsOldAndNewCellsAndColumns) {
  TPlannerItem* Item = Planner.Items().Add();
  Item->SetSpan(8 * 60 + 5, 8 * 60 + 35, 0);  // 08:05-08:35: cells 32..34
  Drag(CellCenter(0, 33), CellCenter(2, 37));
  ASSERT_EQ(Moves.size(), 1u);
  const TMoveEvent& E = Moves[0];
  EXPECT_EQ(E.Item, Item);
  EXPECT_EQ(std::tuple(E.FromBegin, E.FromEnd, E.FromPos), std::tuple(32, 35, 0));
  EXPECT_EQ(std::tuple(E.ToBegin, E.ToEnd, E.ToPos), std::tuple(36, 38, 2));
  // The start snaps to its cell; the length of 30 minutes stays.
  EXPECT_DOUBLE_EQ(Item->StartMinutes(), 9 * 60);
  EXPECT_DOUBLE_EQ(Item->EndMinutes(), 9 * 60 + 30);
  EXPECT_EQ(Item->ItemPos(), 2);
  EXPECT_TRUE(Sizes.empty());
}

TEST_P(PlannerTest, MovingHonoursEachLimit) {
  struct TCase {
    const char* Name;
    std::function<void(TPlannerItem*)> Limit;
    int ToCell, ToPos;
    int Begin, Pos;  // where the item ends up
    bool Event;
  };
  const TCase Cases[] = {
      {"free", [](TPlannerItem*) {}, 37, 1, 36, 1, true},
      {"FixedPos", [](TPlannerItem* I) { I->SetFixedPos(true); }, 37, 1, 32, 0, false},
      {"FixedPosition", [](TPlannerItem* I) { I->SetFixedPosition(true); }, 37, 2, 36, 0, true},
      {"FixedSize", [](TPlannerItem* I) { I->SetFixedSize(true); }, 37, 1, 36, 1, true},
      {"ReadOnly", [](TPlannerItem* I) { I->SetReadOnly(true); }, 37, 1, 36, 1, true},
      {"past the last cell", [](TPlannerItem*) {}, 60, 0, 59, 0, true},
      {"before the first cell", [](TPlannerItem*) {}, 28, 0, 28, 0, true},
  };
  for (const TCase& Case : Cases) {
    Planner.Items().ClearAll();
    Moves.clear();
    TPlannerItem* Item = Add(32, 34, 0);
    Case.Limit(Item);
    QPoint To = CellCenter(Case.ToPos, Case.ToCell);
    if (std::string(Case.Name) == "past the last cell")
      To += GetParam() == spTop ? QPoint(300, 0) : QPoint(0, 300);
    if (std::string(Case.Name) == "before the first cell")
      To -= GetParam() == spTop ? QPoint(300, 0) : QPoint(0, 300);
    Drag(CellCenter(0, 33), To);
    EXPECT_EQ(Item->ItemBegin(), Case.Begin) << Case.Name;
    EXPECT_EQ(Item->ItemEnd(), Case.Begin + 2) << Case.Name;
    EXPECT_EQ(Item->ItemPos(), Case.Pos) << Case.Name;
    EXPECT_EQ(Moves.size(), Case.Event ? 1u : 0u) << Case.Name;
  }
}

TEST_P(PlannerTest, SizingMovesTheEndEdgeWithinItsLimits) {
  TPlannerItem* Item = Add(32, 34, 0);
  Drag(NearEnd(Item, 2), CellCenter(0, 37));
  ASSERT_EQ(Sizes.size(), 1u);
  EXPECT_EQ(std::tuple(Sizes[0].Position, Sizes[0].FromBegin, Sizes[0].FromEnd, Sizes[0].ToBegin,
                       Sizes[0].ToEnd),
            std::tuple(0, 32, 34, 32, 38));
  EXPECT_TRUE(Moves.empty());
  // Shrinking stops at one cell.
  Drag(NearEnd(Item, 2), CellCenter(0, 29));
  EXPECT_EQ(std::pair(Item->ItemBegin(), Item->ItemEnd()), std::pair(32, 33));
  // Growing stops at the end of the shown range.
  Drag(NearEnd(Item, 2),
       CellCenter(0, 60) + (GetParam() == spTop ? QPoint(400, 0) : QPoint(0, 400)));
  EXPECT_EQ(Item->ItemEnd(), 61);
}

TEST_P(PlannerTest, AFixedSizeItemIsMovedByItsEdgeInsteadOfSized) {
  TPlannerItem* Item = Add(32, 34, 0);
  Item->SetFixedSize(true);
  Drag(NearEnd(Item, 2), CellCenter(0, 37));
  EXPECT_TRUE(Sizes.empty());
  ASSERT_EQ(Moves.size(), 1u);
  EXPECT_EQ(std::pair(Item->ItemBegin(), Item->ItemEnd()), std::pair(36, 38));
}

TEST_P(PlannerTest, NoItemIsMovedOntoAnItemThatForbidsOverlaps) {
  TPlannerItem* Absence = Add(36, 40, 0);
  Absence->SetAllowOverlap(false);
  TPlannerItem* Item = Add(32, 34, 0);
  Drag(CellCenter(0, 33), CellCenter(0, 37));
  // The drag stays at the last allowed cells, just before the absence.
  EXPECT_EQ(std::pair(Item->ItemBegin(), Item->ItemEnd()), std::pair(34, 36));
  ASSERT_EQ(Moves.size(), 1u);
  EXPECT_EQ(Moves[0].ToBegin, 34);
  // Hidden by the layer filter, the absence no longer refuses.
  Absence->SetLayer(8);
  Item->SetLayer(1);
  Planner.SetLayer(1);
  Drag(CellCenter(0, 35), CellCenter(0, 38));
  EXPECT_EQ(Item->ItemBegin(), 37);
}

TEST_P(PlannerTest, ClickSelectsAndCtrlClickAddsToTheSelection) {
  TPlannerItem* A = Add(32, 34, 0);
  TPlannerItem* B = Add(32, 34, 1);
  std::vector<std::pair<std::string, TPlannerItem*>> Events;
  Planner.OnItemSelect = [&](QObject*, TPlannerItem* I) { Events.push_back({"select", I}); };
  Planner.OnItemUnSelect = [&](QObject*, TPlannerItem* I) { Events.push_back({"unselect", I}); };
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCenter(0, 33));
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, CellCenter(1, 33));
  EXPECT_TRUE(A->Selected());
  EXPECT_TRUE(B->Selected());
  EXPECT_EQ(Planner.Items().Selected(), B);
  QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ControlModifier, CellCenter(0, 33));
  EXPECT_FALSE(A->Selected());
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCenter(0, 33));
  EXPECT_TRUE(A->Selected());
  EXPECT_FALSE(B->Selected());
  using E = std::pair<std::string, TPlannerItem*>;
  EXPECT_EQ(Events,
            std::vector<E>(
                {{"select", A}, {"select", B}, {"unselect", A}, {"unselect", B}, {"select", A}}));
  EXPECT_TRUE(Moves.empty());
}

TEST_P(PlannerTest, RightClicksOnItemsCellsAndHeader) {
  TPlannerItem* Item = Add(32, 34, 0);
  TPlannerItem* Clicked = nullptr;
  std::tuple<int, int, int> Cells{-9, -9, -9};
  std::vector<int> Sections;
  Planner.OnItemRightClick = [&](QObject*, TPlannerItem* I) { Clicked = I; };
  Planner.OnPlannerRightClick = [&](QObject*, int B, int E, int P) { Cells = {B, E, P}; };
  Planner.OnHeaderRightClick = [&](QObject*, int S) { Sections.push_back(S); };
  Planner.OnHeaderClick = [&](QObject*, int S) { Sections.push_back(100 + S); };
  QTest::mouseClick(Viewport(), Qt::RightButton, {}, CellCenter(0, 33));
  EXPECT_EQ(Clicked, Item);
  std::vector<std::tuple<Qt::MouseButton, bool, QPoint>> Downs;
  Planner.OnPlannerMouseDown = [&](QObject*, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                   int X, int Y) {
    Downs.push_back({Button, Shift.testFlag(Qt::ShiftModifier), QPoint(X, Y)});
  };
  QTest::mouseClick(Viewport(), Qt::RightButton, Qt::ShiftModifier, CellCenter(2, 40));
  EXPECT_EQ(Cells, std::tuple(40, 40, 2));
  ASSERT_EQ(Downs.size(), 1u);
  EXPECT_EQ(Downs[0], std::tuple(Qt::RightButton, true, CellCenter(2, 40)));
  EXPECT_EQ(std::tuple(Planner.SelItemBegin(), Planner.SelPosition()), std::tuple(40, 2));
  const TPlannerGeometry G = Planner.Geometry();
  QTest::mouseClick(Viewport(), Qt::RightButton, {}, G.HeaderSectionRect(0).center());
  QTest::mouseClick(Viewport(), Qt::RightButton, {}, G.HeaderSectionRect(2).center());
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, G.HeaderSectionRect(3).center());
  EXPECT_EQ(Sections, std::vector<int>({0, 2, 103}));
}

TEST_P(PlannerTest, HintsComeFromTheItemAndAHandlerMayReplaceThem) {
  TPlannerItem* Item = Add(32, 34, 0);
  Item->SetCaptionText("08:00 - 08:30: ID 4711");
  Item->SetText({"Müller", "Hauptstr. 1"});
  Planner.ShowHint = true;
  QString Seen;
  Planner.OnItemHint = [&](QObject*, TPlannerItem*, QString& Hint) {
    Seen = Hint;
    Hint = "ersetzt";
  };
  int FooterIndex = -1;
  Planner.Footer().Visible = true;
  Planner.OnFooterHint = [&](QObject*, int Index, QString& Hint) {
    FooterIndex = Index;
    Hint = "Gesamtzeitbedarf";
  };
  QPoint At = CellCenter(0, 33);
  QHelpEvent Help(QEvent::ToolTip, At, Viewport()->mapToGlobal(At));
  QApplication::sendEvent(Viewport(), &Help);
  EXPECT_EQ(Seen, "08:00 - 08:30: ID 4711\nMüller\nHauptstr. 1");
  QPoint Foot = Planner.Geometry().FooterRect(1).center();
  QHelpEvent FooterHelp(QEvent::ToolTip, Foot, Viewport()->mapToGlobal(Foot));
  QApplication::sendEvent(Viewport(), &FooterHelp);
  EXPECT_EQ(FooterIndex, 2);
}

TEST_P(PlannerTest, TheLinkSymbolOpensTheAddress) {
  TPlannerItem* Item = Add(32, 36, 0);
  Item->SetURL("http://localhost/auftrag?id=4711");
  QUrl Opened;
  Planner.UrlOpener = [&](const QUrl& Url) {
    Opened = Url;
    return true;
  };
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCenter(0, 33));
  EXPECT_TRUE(Opened.isEmpty());
  QRect Rect = Planner.Geometry().SpanRect(0, Item->StartMinutes(), Item->EndMinutes());
  QTest::mouseClick(Viewport(), Qt::LeftButton, {},
                    ItemLinkRect(*Item, Rect.adjusted(1, 1, -2, -2)).center());
  EXPECT_EQ(Opened, QUrl("http://localhost/auftrag?id=4711"));
  EXPECT_TRUE(Moves.empty());
}

TEST_P(PlannerTest, OnlyItemsThatAreNotReadOnlyAreEditedInPlace) {
  TPlannerItem* Locked = Add(32, 36, 0);
  Locked->SetReadOnly(true);
  TPlannerItem* Open = Add(32, 36, 1);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, CellCenter(0, 34));
  EXPECT_EQ(Viewport()->findChild<QWidget*>("ItemEditor"), nullptr);
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, CellCenter(1, 34));
  auto* Editor = Viewport()->findChild<QPlainTextEdit*>("ItemEditor");
  ASSERT_NE(Editor, nullptr);
  Editor->setPlainText("Neu\nZweite Zeile");
  QTest::keyClick(Editor, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Open->Text(), QStringList({"Neu", "Zweite Zeile"}));
}

TEST_P(PlannerTest, DragFromTheWaitingListOntoACell) {
  TPlannerWaitList List;
  TPlannerItem* Waiting = List.Items().Add();
  Waiting->SetID(4711);
  Waiting->SetSpan(0, 45, 0);  // three cells
  Waiting->SetCaptionText("ID: 4711");
  Waiting->SetColor(QColor(0x99, 0x66, 0xFF));
  auto Stay = std::make_unique<TStringList>();
  Stay->Add("2700");
  TObject* Object = Stay.get();
  Waiting->SetItemObject(std::move(Stay));
  List.SetItemIndex(0);
  QObject* Source = nullptr;
  bool Asked = false;
  Planner.OnDragOver = [&](QObject*, QObject* S, int X, int Y, bool& Accept) {
    Asked = true;
    Source = S;
    Accept = Accept && !Planner.CellToItem(Planner.XYToCell(X, Y).x(), Planner.XYToCell(X, Y).y());
  };
  Add(40, 42, 2);  // an occupied cell
  std::unique_ptr<QMimeData> Data(List.DragData(0));
  QPoint Occupied = CellCenter(2, 41);
  QDragEnterEvent Enter(Occupied, Qt::MoveAction, Data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(Viewport(), &Enter);
  EXPECT_TRUE(Enter.isAccepted());
  QDragMoveEvent Refused(Occupied, Qt::MoveAction, Data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(Viewport(), &Refused);
  EXPECT_TRUE(Asked);
  EXPECT_EQ(Source, &List);
  EXPECT_FALSE(Refused.isAccepted());
  QPoint Free = CellCenter(1, 36);
  QDropEvent Drop(Free, Qt::MoveAction, Data.get(), Qt::LeftButton, {});
  QApplication::sendEvent(Viewport(), &Drop);
  ASSERT_EQ(List.Items().Count(), 0);
  TPlannerItem* Placed = Planner.Items().Items(Planner.Items().Count() - 1);
  EXPECT_EQ(Placed->ID(), 0);
  EXPECT_EQ(std::tuple(Placed->ItemBegin(), Placed->ItemEnd(), Placed->ItemPos()),
            std::tuple(36, 39, 1));
  EXPECT_EQ(Placed->ItemObject(), Object);
  EXPECT_EQ(Placed->CaptionText(), "ID: 4711");
  EXPECT_EQ(Placed->Color(), QColor(0x99, 0x66, 0xFF));
}

TEST_P(PlannerTest, MoveToPlannerRefusesAPointOutsideTheCellsAndKeepsTheListItem) {
  TPlannerWaitList List;
  List.Items().Add()->SetID(7);
  EXPECT_EQ(List.MoveToPlanner(&Planner, 0, 2, 2), nullptr);  // the header corner
  EXPECT_EQ(List.MoveToPlanner(&Planner, 5, 300, 300), nullptr);
  EXPECT_EQ(List.MoveToPlanner(nullptr, 0, 300, 300), nullptr);
  EXPECT_EQ(List.Items().Count(), 1);
  EXPECT_EQ(Planner.Items().Count(), 0);
}

TEST_P(PlannerTest, BadInputIsShownWithoutLosingAnItem) {
  const QString Long(100000, QChar('x'));
  Planner.Items().BeginUpdate();
  for (int I = 0; I < 10000; ++I) {
    TPlannerItem* Item = Planner.Items().Add();
    Item->SetSpan(7 * 60 + I % 480, 7 * 60 + I % 480 + 30, I % 5);  // columns 3 and 4 do not exist
    Item->SetText({Long});
  }
  TPlannerItem* Reversed = Planner.Items().Add();
  Reversed->SetSpan(600, 540, 0);
  Planner.Items().EndUpdate();
  QImage Image(Viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  {
    QPainter Painter(&Image);
    static_cast<TPlannerGrid*>(Planner.GridControl())->PaintAll(Painter);
  }
  EXPECT_EQ(Planner.Items().Count(), 10001);
  EXPECT_EQ(Planner.Layout().OutsideColumns().size(), 4000u);
  EXPECT_EQ(Reversed->ItemEnd(), Reversed->ItemBegin() + 1);
  Planner.SetPositions(0);
  Planner.SetPositions(-4);
  EXPECT_EQ(Planner.Positions(), 0);
  EXPECT_EQ(Planner.XYToCell(300, 300), QPoint(-1, -1));
  Planner.Display().SetDisplayEnd(10);  // before the first shown cell
  EXPECT_EQ(Planner.Display().CellCount(), 1);
  QPainter Painter(&Image);
  static_cast<TPlannerGrid*>(Planner.GridControl())->PaintAll(Painter);
  EXPECT_EQ(Planner.Items().Count(), 10001);
}

TEST_P(PlannerTest, HeaderBordersResizeTheColumnsWhenAllowed) {
  std::vector<int> Clicks;
  Planner.OnHeaderClick = [&](QObject*, int Section) { Clicks.push_back(Section); };
  const bool Top = GetParam() == spTop;
  QRect Section = Planner.Geometry().HeaderSectionRect(1);
  QPoint Border = Top ? QPoint(Section.center().x(), Section.bottom())
                      : QPoint(Section.right(), Section.center().y());
  QPoint Wider = Border + (Top ? QPoint(0, 40) : QPoint(40, 0));
  Drag(Border, Wider);
  EXPECT_EQ(Planner.PositionWidth(), 150);  // not allowed: a plain click
  EXPECT_EQ(Clicks, std::vector<int>({1}));
  Planner.Header().AllowPositionResize = true;
  Drag(Border, Wider);
  EXPECT_EQ(Planner.PositionWidth(), 190);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_P(PlannerTest, ScrollToTimeShowsTheCellOfThatTimeFirst) {
  Planner.Display().SetDisplayScale(40);
  QApplication::processEvents();
  Planner.ScrollToTime(EncodeDateTime(2016, 9, 7, 9, 7, 0, 0));
  const TPlannerGeometry G = Planner.Geometry();
  QRect Cell = G.CellRect(0, 36);
  EXPECT_EQ(GetParam() == spTop ? Cell.left() : Cell.top(), G.Metrics().HeaderSize);
  QPoint Probe = GetParam() == spTop ? QPoint(G.Metrics().HeaderSize + 1, Cell.center().y())
                                     : QPoint(Cell.center().x(), G.Metrics().HeaderSize + 1);
  EXPECT_EQ(Planner.XYToCell(Probe.x(), Probe.y()),
            GetParam() == spTop ? QPoint(36, 0) : QPoint(0, 36));
}

TEST(PlannerSettings, CompletionValuesAndHeaderImagesShiftWithAxesInTheGaps) {
  TPlanner Planner;
  Planner.SetPositions(3);
  Planner.SetCompletionValue(1, 87);
  EXPECT_EQ(Planner.CompletionValue(Planner.FooterIndexOf(1)), 87);
  Planner.Sidebar().ShowInPositionGap = true;
  EXPECT_EQ(Planner.FooterIndexOf(0), 1);
  EXPECT_EQ(Planner.HeaderImageIndexOf(0), 1);
  EXPECT_EQ(Planner.CompletionValue(Planner.FooterIndexOf(0)), 87);
  EXPECT_EQ(Planner.CompletionValue(42), 0);
}

TEST(PlannerSettings, PositionPropsKeepTheirWorkingTimeWhenTheCellLengthChanges) {
  TPlanner Planner;
  Planner.Display().SetDisplayUnit(15);
  Planner.Display().SetActiveStart(30);
  Planner.Display().SetActiveEnd(72);
  TPositionProp* Weekday = Planner.PositionProps().Add();
  TPositionProp* Weekend = Planner.PositionProps().Add();
  Weekend->SetActiveStart(-1);
  Weekend->SetActiveEnd(-1);
  EXPECT_EQ(std::pair(Weekday->ActiveStart(), Weekday->ActiveEnd()), std::pair(30, 72));
  Planner.Display().SetDisplayUnit(30);
  EXPECT_EQ(std::pair(Weekday->ActiveStart(), Weekday->ActiveEnd()), std::pair(15, 36));
  EXPECT_EQ(Weekend->ActiveStart(), -1);
  EXPECT_FALSE(Weekend->IsActive(9 * 60));
  EXPECT_TRUE(Weekday->IsActive(9 * 60));
  EXPECT_EQ(Planner.PositionProps().Items(2), nullptr);
}

TEST(PlannerSettings, NavigatorButtonsReportNextAndPreviousWithTheirHints) {
  TPlanner Planner;
  Planner.show();
  Planner.NavigatorButtons().ShowHint = true;
  Planner.NavigatorButtons().NextHint = "Einen Tag vorwärts";
  Planner.Caption().Title = "<b>Personaleinsatzplanung 07.09.2016: Bauer & Söhne</b>";
  QApplication::processEvents();
  std::vector<std::string> Pressed;
  Planner.OnPlannerNext = [&](QObject*) { Pressed.push_back("next"); };
  Planner.OnPlannerPrev = [&](QObject*) { Pressed.push_back("prev"); };
  auto* Next = Planner.findChild<QToolButton*>("NextButton");
  auto* Prev = Planner.findChild<QToolButton*>("PrevButton");
  ASSERT_TRUE(Next && Prev);
  EXPECT_EQ(Next->toolTip(), "Einen Tag vorwärts");
  QTest::mouseClick(Next, Qt::LeftButton);
  QTest::mouseClick(Prev, Qt::LeftButton);
  EXPECT_EQ(Pressed, std::vector<std::string>({"next", "prev"}));
  EXPECT_EQ(Planner.findChild<QLabel*>("CaptionTitle")->text(),
            "<b>Personaleinsatzplanung 07.09.2016: Bauer &amp; Söhne</b>");
}

TEST(TitleMarkup, OnlyBoldTagsSurvive) {
  struct TCase {
    const char* Title;
    const char* Html;
  };
  const TCase Cases[] = {
      {"<b>Plan</b>", "<b>Plan</b>"},
      {"<B>a</B> b", "<b>a</b> b"},
      {"<i>x</i> <script>", "&lt;i&gt;x&lt;/i&gt; &lt;script&gt;"},
      {"Müller & Co <b", "Müller &amp; Co &lt;b"},
      {"", ""},
  };
  for (const TCase& Case : Cases)
    EXPECT_EQ(BoldMarkupToHtml(QString::fromUtf8(Case.Title)), QString::fromUtf8(Case.Html));
}

}  // namespace
