#include "widgets/planner.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "widgets/plannergrid.h"
#include "widgets/titlemarkup.h"

namespace {

constexpr int FlashIntervalMs = 500;
constexpr int TopModeHeaderWidth = 160;
constexpr int TopModeFooterWidth = 56;

}  // namespace

TPlanner::TPlanner(QWidget* Parent) : QWidget(Parent) {
  FItems.SetUnitSource(&FDisplay);
  FItems.OnChange = [this] { ItemsChanged(); };
  UrlOpener = [](const QUrl& Url) { return QDesktopServices::openUrl(Url); };

  FCaptionBar = new QWidget(this);
  FCaptionBar->setObjectName("CaptionBar");
  FPrevButton = new QToolButton(FCaptionBar);
  FPrevButton->setObjectName("PrevButton");
  FPrevButton->setArrowType(Qt::LeftArrow);
  FPrevButton->setAutoRaise(true);
  FNextButton = new QToolButton(FCaptionBar);
  FNextButton->setObjectName("NextButton");
  FNextButton->setArrowType(Qt::RightArrow);
  FNextButton->setAutoRaise(true);
  FTitle = new QLabel(FCaptionBar);
  FTitle->setObjectName("CaptionTitle");
  FTitle->setTextFormat(Qt::RichText);
  FTitle->setAlignment(Qt::AlignCenter);
  auto* BarLayout = new QHBoxLayout(FCaptionBar);
  BarLayout->setContentsMargins(2, 2, 2, 2);
  BarLayout->addWidget(FPrevButton);
  BarLayout->addWidget(FTitle, 1);
  BarLayout->addWidget(FNextButton);
  connect(FPrevButton, &QToolButton::clicked, this, [this] {
    if (OnPlannerPrev) OnPlannerPrev(this);
  });
  connect(FNextButton, &QToolButton::clicked, this, [this] {
    if (OnPlannerNext) OnPlannerNext(this);
  });

  FGrid = new TPlannerGrid(*this);
  FGrid->setObjectName("PlannerGrid");
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(0);
  Layout->addWidget(FCaptionBar);
  Layout->addWidget(FGrid, 1);

  FFlashTimer = new QTimer(this);
  FFlashTimer->setInterval(FlashIntervalMs);
  connect(FFlashTimer, &QTimer::timeout, this, [this] { Flash(); });

  FHeader.Font = font();
  UpdateCaptionBar();
}

TPlanner::~TPlanner() { FItems.OnChange = nullptr; }

void TPlanner::FreeItem(TPlannerItem* Item) { FItems.FreeItem(Item); }

void TPlanner::SetPositions(int Value) {
  FPositions = std::clamp(Value, 0, MaxPositions);
  FLayoutValid = false;
  Invalidate();
}

void TPlanner::SetPositionWidth(int Value) {
  FPositionWidth = std::max(Value, 0);
  Invalidate();
}

void TPlanner::SetPositionGap(int Value) {
  FPositionGap = std::max(Value, 0);
  Invalidate();
}

TPlannerDisplay& TPlanner::Display() {
  // The cell length decides the items' cells and thus their lanes.
  FLayoutValid = false;
  Invalidate();
  return FDisplay;
}

TPlannerSidebar& TPlanner::Sidebar() {
  Invalidate();
  return FSidebar;
}

TPlannerHeader& TPlanner::Header() {
  Invalidate();
  return FHeader;
}

TPlannerFooter& TPlanner::Footer() {
  Invalidate();
  return FFooter;
}

TPlannerCaption& TPlanner::Caption() {
  // The caller changes the title after this returns; the bar follows on the next event turn.
  QTimer::singleShot(0, this, [this] { UpdateCaptionBar(); });
  return FCaption;
}

TPlannerNavigatorButtons& TPlanner::NavigatorButtons() {
  QTimer::singleShot(0, this, [this] { UpdateCaptionBar(); });
  return FNavigator;
}

TPositionProps& TPlanner::PositionProps() {
  Invalidate();
  return FPositionProps;
}

TPlannerImages& TPlanner::PlannerImages() {
  Invalidate();
  return FPlannerImages;
}

void TPlanner::SetLayer(int Value) {
  if (FLayer == Value) return;
  FLayer = Value;
  FLayoutValid = false;
  Invalidate();
}

void TPlanner::SetCompletionValue(int Index, int Value) {
  FCompletion[Index] = Value;
  Invalidate();
}

int TPlanner::CompletionValue(int Index) const {
  auto Found = FCompletion.find(Index);
  return Found == FCompletion.end() ? 0 : Found->second;
}

int TPlanner::FooterIndexOf(int Pos) const { return Pos + (FSidebar.ShowInPositionGap ? 1 : 0); }

int TPlanner::HeaderImageIndexOf(int Pos) const { return FooterIndexOf(Pos); }

TPlannerGeometry TPlanner::Geometry() const {
  TPlannerMetrics M;
  const bool Top = FSidebar.Position == spTop;
  M.StartMinutes = FDisplay.StartMinutes();
  M.CellCount = FDisplay.CellCount();
  M.Unit = FDisplay.DisplayUnit();
  M.Scale = FDisplay.DisplayScale();
  M.Positions = FPositions;
  M.PositionWidth = FPositionWidth;
  M.PositionGap = FPositionGap;
  M.TimeOnTop = Top;
  bool MainAxis = FSidebar.Visible && !FSidebar.ShowInPositionGap;
  M.SidebarSize = MainAxis ? std::max(FSidebar.Width, 0) : 0;
  M.HeaderSize = Top && !FHeader.RotateOnLeft ? TopModeHeaderWidth : FHeader.Height;
  M.FooterSize = FFooter.Visible ? (Top ? TopModeFooterWidth : FFooter.Height) : 0;
  M.Viewport = FGrid->viewport()->size();
  M.TimeScroll = FGrid->TimeBar()->value();
  M.PositionScroll = FGrid->PositionBar()->value();
  return TPlannerGeometry(M);
}

const TPlannerLayout& TPlanner::Layout() const {
  if (!FLayoutValid) {
    FLayout.Build(FItems, FLayer, FPositions);
    FLayoutValid = true;
  }
  return FLayout;
}

QPoint TPlanner::XYToCell(int X, int Y) const { return Geometry().XYToCell(X, Y); }

TPlannerItem* TPlanner::CellToItem(int X, int Y) const {
  const bool Top = FSidebar.Position == spTop;
  const int Cell = Top ? X : Y;
  const int Pos = Top ? Y : X;
  for (int I = 0; I < FItems.Count(); ++I) {
    TPlannerItem* Item = FItems.Items(I);
    if (Item->ItemPos() == Pos && LayerMatches(FLayer, Item->Layer()) &&
        Item->ItemBegin() <= Cell && Cell < Item->ItemEnd())
      return Item;
  }
  return nullptr;
}

TPlannerItem* TPlanner::ItemAtPixel(QPoint Pixel) const {
  const TPlannerGeometry G = Geometry();
  if (!G.GridRect().contains(Pixel)) return nullptr;
  const TPlannerLayout& L = Layout();
  int Pos = G.AcrossToPosition(FSidebar.Position == spTop ? Pixel.y() : Pixel.x());
  if (Pos < 0) return nullptr;
  const auto& Column = L.Column(Pos);
  // The last drawn item lies on top.
  for (auto It = Column.rbegin(); It != Column.rend(); ++It) {
    TItemLane Lane = L.LaneOf(*It);
    QRect Rect = G.SpanRect(Pos, (*It)->StartMinutes(), (*It)->EndMinutes(), Lane.Lane, Lane.Lanes);
    if (Rect.contains(Pixel)) return *It;
  }
  return nullptr;
}

void TPlanner::SelectCells(int SelBegin, int SelEnd, int SelPos) {
  if (SelPos < 0 || SelPos >= FPositions) {
    FSelBegin = FSelEnd = FSelPos = -1;
  } else {
    int First = FDisplay.DisplayStart();
    int Last = FDisplay.DisplayEnd();
    FSelBegin = std::clamp(std::min(SelBegin, SelEnd), First, Last);
    FSelEnd = std::clamp(std::max(SelBegin, SelEnd), First, Last);
    FSelPos = SelPos;
  }
  Invalidate();
}

void TPlanner::ScrollToTime(TDateTime ATime) {
  // The cell holding the time comes first, shown whole.
  const int Unit = FDisplay.DisplayUnit();
  double Minutes = std::floor(TimeOf(ATime).Value() * MinsPerDay / Unit) * Unit;
  TPlannerGeometry G = Geometry();
  int Offset = G.MinutesToAlong(Minutes) - G.MinutesToAlong(FDisplay.StartMinutes());
  FGrid->UpdateScrollBars();
  FGrid->TimeBar()->setValue(Offset);
}

QWidget* TPlanner::GridControl() const { return FGrid; }

void TPlanner::SelectItemByUser(TPlannerItem* Item, bool Toggle) {
  if (Toggle && MultiSelect) {
    Item->SetSelected(!Item->Selected());
    if (Item->Selected()) {
      FItems.SetSelected(Item);
      if (OnItemSelect) OnItemSelect(this, Item);
    } else if (OnItemUnSelect) {
      OnItemUnSelect(this, Item);
    }
    return;
  }
  for (TPlannerItem* Other : FItems.SelectedItems()) {
    if (Other == Item) continue;
    Other->SetSelected(false);
    if (OnItemUnSelect) OnItemUnSelect(this, Other);
  }
  FItems.SetSelected(Item);
  if (!Item->Selected()) {
    Item->SetSelected(true);
    if (OnItemSelect) OnItemSelect(this, Item);
  }
}

void TPlanner::FocusItem(TPlannerItem* Item) {
  for (int I = 0; I < FItems.Count(); ++I) {
    TPlannerItem* Other = FItems.Items(I);
    if (Other == Item || !Other->Focus()) continue;
    Other->SetFocus(false);
    if (OnItemDeactivate) OnItemDeactivate(this, Other);
  }
  if (Item) Item->SetFocus(true);
}

void TPlanner::Invalidate() {
  if (FGrid) {
    FGrid->viewport()->update();
    FGrid->UpdateScrollBars();
  }
}

void TPlanner::ItemsChanged() {
  FLayoutValid = false;
  Invalidate();
}

void TPlanner::UpdateCaptionBar() {
  FTitle->setText(BoldMarkupToHtml(FCaption.Title));
  FTitle->setVisible(FCaption.Visible);
  FPrevButton->setVisible(FNavigator.Visible);
  FNextButton->setVisible(FNavigator.Visible);
  FPrevButton->setToolTip(FNavigator.ShowHint ? FNavigator.PrevHint : QString());
  FNextButton->setToolTip(FNavigator.ShowHint ? FNavigator.NextHint : QString());
  FCaptionBar->setVisible(FCaption.Visible || FNavigator.Visible);
}

void TPlanner::KeepFlashing(bool AnyFlashing) {
  if (AnyFlashing && !FFlashTimer->isActive()) FFlashTimer->start();
  if (!AnyFlashing) FFlashTimer->stop();
}

void TPlanner::Flash() {
  FItems.BeginUpdate();
  for (int I = 0; I < FItems.Count(); ++I) {
    TPlannerItem* Item = FItems.Items(I);
    if (Item->Flashing()) Item->SetFlashOn(!Item->FlashOn());
  }
  FItems.EndUpdate();
}
