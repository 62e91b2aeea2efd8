#include "widgets/plannergrid.h"

#include <QDrag>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>
#include <cmath>

#include "widgets/itemeditor.h"
#include "widgets/planner.h"
#include "widgets/planneritempaint.h"
#include "widgets/plannerwaitlist.h"

namespace {

constexpr int ResizeGrip = 4;
constexpr int MinColumnWidth = 20;

}  // namespace

TPlannerGrid::TPlannerGrid(TPlanner& Planner)
    : QAbstractScrollArea(&Planner), FPlanner(Planner), FView(Planner) {
  setFocusPolicy(Qt::StrongFocus);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  viewport()->setMouseTracking(true);
  setFrameShape(QFrame::StyledPanel);
}

QScrollBar* TPlannerGrid::TimeBar() const {
  return FView.Sidebar().Position == spTop ? horizontalScrollBar() : verticalScrollBar();
}

QScrollBar* TPlannerGrid::PositionBar() const {
  return FView.Sidebar().Position == spTop ? verticalScrollBar() : horizontalScrollBar();
}

void TPlannerGrid::UpdateScrollBars() {
  const TPlannerGeometry G = FPlanner.Geometry();
  TimeBar()->setRange(0, G.MaxTimeScroll());
  TimeBar()->setPageStep(std::max(1, G.VisibleTimeLength()));
  TimeBar()->setSingleStep(G.Metrics().Scale);
  PositionBar()->setRange(0, G.MaxPositionScroll());
  PositionBar()->setPageStep(std::max(1, G.VisibleAcrossLength()));
  PositionBar()->setSingleStep(std::max(1, G.ColumnWidth() / 4));
}

void TPlannerGrid::resizeEvent(QResizeEvent* Event) {
  QAbstractScrollArea::resizeEvent(Event);
  UpdateScrollBars();
}

void TPlannerGrid::scrollContentsBy(int, int) { viewport()->update(); }

void TPlannerGrid::mousePressEvent(QMouseEvent* Event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint Pixel = Event->position().toPoint();
  if (FPlanner.OnPlannerMouseDown)
    FPlanner.OnPlannerMouseDown(&FPlanner, Event->button(), Event->modifiers(), Pixel.x(),
                                Pixel.y());
  const TPlannerGeometry G = FPlanner.Geometry();
  int Section = G.HeaderSectionAt(Pixel);
  if (Section >= 0) return PressOnHeader(Event, Section);
  if (!G.GridRect().contains(Pixel)) return;
  if (TPlannerItem* Item = FPlanner.ItemAtPixel(Pixel)) return PressOnItem(Event, Item);
  PressOnCells(Event);
}

void TPlannerGrid::PressOnHeader(QMouseEvent* Event, int Section) {
  const QPoint Pixel = Event->position().toPoint();
  if (Event->button() == Qt::RightButton) {
    if (FPlanner.OnHeaderRightClick) FPlanner.OnHeaderRightClick(&FPlanner, Section);
    if (QMenu* Menu = FView.Header().PopupMenu) Menu->popup(Event->globalPosition().toPoint());
    return;
  }
  if (Event->button() != Qt::LeftButton) return;
  const TPlannerGeometry G = FPlanner.Geometry();
  if (FView.Header().AllowPositionResize && Section > 0) {
    QRect Rect = G.HeaderSectionRect(Section);
    bool TimeOnTop = G.Metrics().TimeOnTop;
    int Across = TimeOnTop ? Pixel.y() : Pixel.x();
    int End = TimeOnTop ? Rect.bottom() : Rect.right();
    if (std::abs(Across - End) <= ResizeGrip) {
      FResize = TColumnResize{Section - 1, Across, G.ColumnWidth()};
      return;
    }
  }
  if (FPlanner.OnHeaderClick) FPlanner.OnHeaderClick(&FPlanner, Section);
}

void TPlannerGrid::PressOnItem(QMouseEvent* Event, TPlannerItem* Item) {
  const QPoint Pixel = Event->position().toPoint();
  if (Event->button() == Qt::RightButton) {
    if (FPlanner.OnItemRightClick) FPlanner.OnItemRightClick(&FPlanner, Item);
    if (FPlanner.Items().IndexOf(Item) >= 0 && Item->PopupMenu())
      Item->PopupMenu()->popup(Event->globalPosition().toPoint());
    return;
  }
  if (Event->button() != Qt::LeftButton) return;
  if (PressOnLink(Item, Pixel)) return;
  const bool Toggle = Event->modifiers().testFlag(Qt::ControlModifier);
  FPlanner.SelectItemByUser(Item, Toggle);
  FPlanner.FocusItem(Item);
  if (Toggle) return;
  TDragKind Kind = DragKindAt(Item, Pixel);
  if (!TItemDrag::CanStart(*Item, Kind)) Kind = TDragKind::Move;
  if (!TItemDrag::CanStart(*Item, Kind)) return;
  const TPlannerDisplay& D = FView.Display();
  TDragLimits Limits{D.DisplayStart(), D.DisplayEnd(), FPlanner.Positions(), FPlanner.Layer(),
                     &FPlanner.Items()};
  FDrag.emplace(*Item, Kind, CellUnbounded(Pixel), Limits);
  FDragItem = Item;
}

bool TPlannerGrid::PressOnLink(TPlannerItem* Item, QPoint Pixel) {
  const TPlannerGeometry G = FPlanner.Geometry();
  TItemLane Lane = FPlanner.Layout().LaneOf(Item);
  QRect Rect =
      G.SpanRect(Item->ItemPos(), Item->StartMinutes(), Item->EndMinutes(), Lane.Lane, Lane.Lanes);
  QRect Link = ItemLinkRect(*Item, Rect.adjusted(1, 1, -2, -2));
  if (Link.isEmpty() || !Link.adjusted(-2, -2, 2, 2).contains(Pixel)) return false;
  if (FPlanner.UrlOpener) FPlanner.UrlOpener(QUrl::fromUserInput(Item->URL()));
  return true;
}

void TPlannerGrid::PressOnCells(QMouseEvent* Event) {
  int Cell = -1;
  int Pos = -1;
  if (!FPlanner.Geometry().CellAt(Event->position().toPoint(), Cell, Pos)) return;
  const bool Right = Event->button() == Qt::RightButton;
  const bool InSelection = Pos == FPlanner.SelPosition() && Cell >= FPlanner.SelItemBegin() &&
                           Cell <= FPlanner.SelItemEnd();
  if (!Right || !InSelection) {
    FPlanner.SelectCells(Cell, Cell, Pos);
    FSelectAnchor = Cell;
  }
  if (!Right) {
    if (!Event->modifiers().testFlag(Qt::ControlModifier)) {
      for (TPlannerItem* Item : FPlanner.Items().SelectedItems()) {
        Item->SetSelected(false);
        if (FPlanner.OnItemUnSelect) FPlanner.OnItemUnSelect(&FPlanner, Item);
      }
    }
    FPlanner.FocusItem(nullptr);
    return;
  }
  FSelectAnchor = -1;
  if (FPlanner.OnPlannerRightClick)
    FPlanner.OnPlannerRightClick(&FPlanner, FPlanner.SelItemBegin(), FPlanner.SelItemEnd(),
                                 FPlanner.SelPosition());
  if (QMenu* Menu = FPlanner.GridPopup()) Menu->popup(Event->globalPosition().toPoint());
}

TDragKind TPlannerGrid::DragKindAt(TPlannerItem* Item, QPoint Pixel) const {
  const TPlannerGeometry G = FPlanner.Geometry();
  TItemLane Lane = FPlanner.Layout().LaneOf(Item);
  QRect Rect =
      G.SpanRect(Item->ItemPos(), Item->StartMinutes(), Item->EndMinutes(), Lane.Lane, Lane.Lanes);
  const bool TimeOnTop = G.Metrics().TimeOnTop;
  int Along = TimeOnTop ? Pixel.x() : Pixel.y();
  int Start = TimeOnTop ? Rect.left() : Rect.top();
  int End = TimeOnTop ? Rect.right() : Rect.bottom();
  if (End - Along <= SizeHandle) return TDragKind::SizeEnd;
  if (Along - Start <= SizeHandle && End - Start > 3 * SizeHandle) return TDragKind::SizeBegin;
  return TDragKind::Move;
}

int TPlannerGrid::CellUnbounded(QPoint Pixel) const {
  const TPlannerGeometry G = FPlanner.Geometry();
  int Along = G.Metrics().TimeOnTop ? Pixel.x() : Pixel.y();
  return static_cast<int>(std::floor(G.AlongToMinutes(Along) / G.Metrics().Unit));
}

void TPlannerGrid::mouseMoveEvent(QMouseEvent* Event) {
  const QPoint Pixel = Event->position().toPoint();
  const TPlannerGeometry G = FPlanner.Geometry();
  const bool TimeOnTop = G.Metrics().TimeOnTop;
  if (FResize) {
    int Across = TimeOnTop ? Pixel.y() : Pixel.x();
    FPlanner.SetPositionWidth(
        std::max(MinColumnWidth, FResize->StartWidth + Across - FResize->StartAcross));
    return;
  }
  if (FDrag && !DraggedItemAlive()) FinishDrag();
  if (FDrag && FDragItem) {
    int Pos = G.AcrossToPosition(TimeOnTop ? Pixel.y() : Pixel.x());
    TItemCells Before = FDrag->Current();
    if (!(FDrag->Track(CellUnbounded(Pixel), Pos) == Before)) FDrag->Apply(*FDragItem);
    return;
  }
  if (FSelectAnchor >= 0 && Event->buttons().testFlag(Qt::LeftButton)) {
    int Cell = -1;
    int Pos = -1;
    if (G.CellAt(Pixel, Cell, Pos) && Pos == FPlanner.SelPosition())
      FPlanner.SelectCells(FSelectAnchor, Cell, Pos);
  }
}

void TPlannerGrid::mouseReleaseEvent(QMouseEvent*) {
  FResize.reset();
  FSelectAnchor = -1;
  FinishDrag();
}

// A handler or a reload may remove the item while the button is still down.
bool TPlannerGrid::DraggedItemAlive() const {
  return FDragItem && FPlanner.Items().IndexOf(FDragItem) >= 0;
}

void TPlannerGrid::FinishDrag() {
  if (!FDrag) return;
  const bool Alive = DraggedItemAlive();
  TItemDrag Drag = *FDrag;
  TPlannerItem* Item = FDragItem;
  FDrag.reset();
  FDragItem = nullptr;
  if (!Alive || !Drag.Changed()) return;
  // The item's own cells after the snap: a moved item may cover a cell more or less than
  // before when it did not start on a cell border.
  TItemCells From = Drag.Original();
  TItemCells To{Item->ItemBegin(), Item->ItemEnd(), Item->ItemPos()};
  if (Drag.Kind() == TDragKind::Move) {
    if (FPlanner.OnItemMove)
      FPlanner.OnItemMove(&FPlanner, Item, From.Begin, From.End, From.Pos, To.Begin, To.End,
                          To.Pos);
  } else if (FPlanner.OnItemSize) {
    FPlanner.OnItemSize(&FPlanner, Item, To.Pos, From.Begin, From.End, To.Begin, To.End);
  }
}

void TPlannerGrid::mouseDoubleClickEvent(QMouseEvent* Event) {
  TPlannerItem* Item = FPlanner.ItemAtPixel(Event->position().toPoint());
  if (Item && !Item->ReadOnly()) OpenEditor(Item);
}

void TPlannerGrid::OpenEditor(TPlannerItem* Item) {
  const TPlannerGeometry G = FPlanner.Geometry();
  TItemLane Lane = FPlanner.Layout().LaneOf(Item);
  QRect Rect =
      G.SpanRect(Item->ItemPos(), Item->StartMinutes(), Item->EndMinutes(), Lane.Lane, Lane.Lanes);
  TPlanner* Planner = &FPlanner;
  auto* Editor =
      new TItemEditor(viewport(), Item->Text(), [Planner, Item](const QStringList& Text) {
        // The item may have been removed while the editor was open.
        if (Planner->Items().IndexOf(Item) >= 0) Item->SetText(Text);
      });
  Editor->setGeometry(Rect.intersected(G.GridRect()));
  Editor->show();
  Editor->setFocus();
}

bool TPlannerGrid::viewportEvent(QEvent* Event) {
  if (Event->type() == QEvent::ToolTip) return ShowToolTip(static_cast<QHelpEvent*>(Event));
  return QAbstractScrollArea::viewportEvent(Event);
}

bool TPlannerGrid::ShowToolTip(QHelpEvent* Event) {
  if (!FPlanner.ShowHint) return true;
  const QPoint Pixel = Event->pos();
  const TPlannerGeometry G = FPlanner.Geometry();
  QString Hint;
  int Section = G.HeaderSectionAt(Pixel);
  int FooterPos = G.FooterPositionAt(Pixel);
  if (Section >= 0) {
    const QStringList& Captions = FView.Header().Captions;
    Hint = Section < Captions.size() ? Captions[Section] : QString();
    if (FPlanner.OnHeaderHint) FPlanner.OnHeaderHint(&FPlanner, Section, Hint);
  } else if (FooterPos >= 0) {
    if (FPlanner.OnFooterHint) FPlanner.OnFooterHint(&FPlanner, FooterPos + 1, Hint);
  } else if (TPlannerItem* Item = FPlanner.ItemAtPixel(Pixel)) {
    Hint = Item->DefaultHint();
    if (FPlanner.OnItemHint) FPlanner.OnItemHint(&FPlanner, Item, Hint);
  }
  if (Hint.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(Event->globalPos(), Hint, viewport());
  return true;
}

bool TPlannerGrid::AcceptDrag(QDropEvent* Event) {
  const QPoint Pixel = Event->position().toPoint();
  QObject* Source = TPlannerWaitList::DragSource(Event);
  bool Accept = Source && FPlanner.XYToCell(Pixel.x(), Pixel.y()).x() >= 0;
  if (FPlanner.OnDragOver) FPlanner.OnDragOver(&FPlanner, Source, Pixel.x(), Pixel.y(), Accept);
  return Accept;
}

void TPlannerGrid::dragEnterEvent(QDragEnterEvent* Event) {
  if (TPlannerWaitList::DragSource(Event) || FPlanner.OnDragOver)
    Event->acceptProposedAction();
  else
    Event->ignore();
}

void TPlannerGrid::dragMoveEvent(QDragMoveEvent* Event) {
  if (AcceptDrag(Event))
    Event->acceptProposedAction();
  else
    Event->ignore();
}

void TPlannerGrid::dropEvent(QDropEvent* Event) {
  if (!AcceptDrag(Event)) return Event->ignore();
  const QPoint Pixel = Event->position().toPoint();
  QObject* Source = TPlannerWaitList::DragSource(Event);
  Event->acceptProposedAction();
  if (FPlanner.OnDragDrop) return FPlanner.OnDragDrop(&FPlanner, Source, Pixel.x(), Pixel.y());
  // Without a handler the dragged list item simply moves to the cell.
  if (auto* List = qobject_cast<TPlannerWaitList*>(Source))
    List->MoveToPlanner(&FPlanner, List->ItemIndex(), Pixel.x(), Pixel.y());
}
