#include "widgets/plannerwaitlist.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QToolTip>

#include "widgets/planner.h"
#include "widgets/planneritempaint.h"

namespace {

const char* const DragFormat = "application/x-zep-planner-waitlist";
constexpr int ItemSpacing = 2;
const QColor ListBackground(240, 242, 245);
const QColor SelectionBand(198, 219, 247);

// The lists alive now, so that a drop can name its source by address without trusting it.
QSet<TPlannerWaitList*>& LiveLists() {
  static QSet<TPlannerWaitList*> Lists;
  return Lists;
}

}  // namespace

TPlannerWaitList::TPlannerWaitList(QWidget* Parent) : QAbstractScrollArea(Parent) {
  LiveLists().insert(this);
  FItems.OnChange = [this] { ItemsChanged(); };
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setMouseTracking(true);
}

TPlannerWaitList::~TPlannerWaitList() {
  FItems.OnChange = nullptr;
  LiveLists().remove(this);
}

void TPlannerWaitList::SetItemIndex(int Index) {
  FCurrent = FItems.Items(Index);
  viewport()->update();
}

bool TPlannerWaitList::Selected(int Index) const {
  const TPlannerItem* Item = FItems.Items(Index);
  return Item && FListSelection.contains(Item);
}

void TPlannerWaitList::SetSelected(int Index, bool Value) {
  const TPlannerItem* Item = FItems.Items(Index);
  if (!Item) return;
  if (Value)
    FListSelection.insert(Item);
  else
    FListSelection.remove(Item);
  viewport()->update();
}

void TPlannerWaitList::ClearSelection() {
  FListSelection.clear();
  viewport()->update();
}

void TPlannerWaitList::SetItemHeight(int Value) {
  FItemHeight = std::clamp(Value, 16, 1000);
  UpdateScrollBar();
  viewport()->update();
}

TPlannerItem* TPlannerWaitList::MoveToPlanner(TPlanner* APlanner, int ItemIndex, int X, int Y) {
  TPlannerItem* Source = FItems.Items(ItemIndex);
  if (!APlanner || !Source) return nullptr;
  QPoint Cell = APlanner->XYToCell(X, Y);
  if (Cell.x() < 0 || Cell.y() < 0) return nullptr;
  const bool TimeOnTop = std::as_const(*APlanner).Sidebar().Position == spTop;
  const int Begin = TimeOnTop ? Cell.x() : Cell.y();
  const int Pos = TimeOnTop ? Cell.y() : Cell.x();
  const int Length = Source->ItemEnd() - Source->ItemBegin();
  TPlannerItem* Item = APlanner->Items().Add();
  Item->Assign(*Source);
  Item->SetID(0);
  Item->SetItemObject(Source->TakeItemObject());
  Item->SetItemCells(Begin, Begin + Length, Pos);
  FItems.FreeItem(Source);
  return Item;
}

int TPlannerWaitList::IndexAt(QPoint Pixel) const {
  int Offset = Pixel.y() + verticalScrollBar()->value();
  if (Offset < 0) return -1;
  int Index = Offset / (FItemHeight + ItemSpacing);
  return ItemRect(Index).contains(Pixel) ? Index : -1;
}

QRect TPlannerWaitList::ItemRect(int Index) const {
  if (!FItems.Items(Index)) return QRect();
  int Top = Index * (FItemHeight + ItemSpacing) - verticalScrollBar()->value();
  return QRect(2, Top + ItemSpacing, viewport()->width() - 4, FItemHeight);
}

QMimeData* TPlannerWaitList::DragData(int Index) const {
  auto* Data = new QMimeData;
  QByteArray Payload =
      QByteArray::number(reinterpret_cast<quintptr>(this)) + ' ' + QByteArray::number(Index);
  Data->setData(DragFormat, Payload);
  return Data;
}

TPlannerWaitList* TPlannerWaitList::DragSource(const QDropEvent* Event) {
  if (auto* List = qobject_cast<TPlannerWaitList*>(Event->source())) return List;
  const QMimeData* Data = Event->mimeData();
  if (!Data || !Data->hasFormat(DragFormat)) return nullptr;
  QList<QByteArray> Parts = Data->data(DragFormat).split(' ');
  bool Ok = false;
  auto* List = reinterpret_cast<TPlannerWaitList*>(Parts.value(0).toULongLong(&Ok));
  return Ok && LiveLists().contains(List) ? List : nullptr;
}

void TPlannerWaitList::paintEvent(QPaintEvent*) {
  QPainter Painter(viewport());
  Painter.fillRect(viewport()->rect(), ListBackground);
  TItemPaintOptions Options(font());
  Options.Images = &Images;
  Options.ShowSelection = ShowSelection;
  for (int I = 0; I < FItems.Count(); ++I) {
    QRect Rect = ItemRect(I);
    if (Rect.bottom() < 0) continue;
    if (Rect.top() > viewport()->height()) break;
    if (ShowSelection && Selected(I)) Painter.fillRect(Rect.adjusted(-2, -1, 2, 1), SelectionBand);
    PaintPlannerItem(Painter, *FItems.Items(I), Rect.adjusted(2, 1, -2, -1), Options);
    if (FItems.Items(I) == FCurrent && hasFocus()) {
      Painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      Painter.drawRect(Rect.adjusted(0, 0, -1, -1));
    }
  }
}

void TPlannerWaitList::resizeEvent(QResizeEvent* Event) {
  QAbstractScrollArea::resizeEvent(Event);
  UpdateScrollBar();
}

void TPlannerWaitList::mousePressEvent(QMouseEvent* Event) {
  setFocus(Qt::MouseFocusReason);
  int Index = IndexAt(Event->position().toPoint());
  if (Index < 0 || Event->button() != Qt::LeftButton) return;
  FPressed = true;
  FPressPoint = Event->position().toPoint();
  FCurrent = FItems.Items(Index);
  const bool Toggle = MultiSelect && Event->modifiers().testFlag(Qt::ControlModifier);
  if (Toggle) {
    SetSelected(Index, !Selected(Index));
  } else {
    FListSelection.clear();
    SetSelected(Index, true);
  }
  if (OnItemSelect) OnItemSelect(this, FItems.Items(Index));
  viewport()->update();
}

void TPlannerWaitList::mouseMoveEvent(QMouseEvent* Event) {
  if (!FPressed || !Event->buttons().testFlag(Qt::LeftButton)) return;
  QPoint Moved = Event->position().toPoint() - FPressPoint;
  if (Moved.manhattanLength() < QApplication::startDragDistance()) return;
  FPressed = false;
  if (ItemIndex() >= 0) StartDrag(ItemIndex());
}

void TPlannerWaitList::StartDrag(int Index) {
  auto* Drag = new QDrag(this);
  Drag->setMimeData(DragData(Index));
  QRect Rect = ItemRect(Index);
  QPixmap Picture(Rect.size());
  Picture.fill(Qt::transparent);
  {
    QPainter Painter(&Picture);
    TItemPaintOptions Options(font());
    Options.Images = &Images;
    PaintPlannerItem(Painter, *FItems.Items(Index), Picture.rect(), Options);
  }
  Drag->setPixmap(Picture);
  Drag->setHotSpot(FPressPoint - Rect.topLeft());
  Drag->exec(Qt::MoveAction);
}

void TPlannerWaitList::mouseDoubleClickEvent(QMouseEvent* Event) {
  int Index = IndexAt(Event->position().toPoint());
  if (Index >= 0 && OnItemDblClick) OnItemDblClick(this, FItems.Items(Index));
}

bool TPlannerWaitList::viewportEvent(QEvent* Event) {
  if (Event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(Event);
  auto* Help = static_cast<QHelpEvent*>(Event);
  int Index = IndexAt(Help->pos());
  QString Hint;
  if (ShowHint && Index >= 0) {
    Hint = FItems.Items(Index)->DefaultHint();
    if (OnItemHint) OnItemHint(this, FItems.Items(Index), Hint);
  }
  if (Hint.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(Help->globalPos(), Hint, viewport());
  return true;
}

void TPlannerWaitList::ItemsChanged() {
  // Removed items leave the list selection and stop being the current one.
  for (auto It = FListSelection.begin(); It != FListSelection.end();)
    It = FItems.IndexOf(*It) < 0 ? FListSelection.erase(It) : std::next(It);
  if (FItems.IndexOf(FCurrent) < 0) FCurrent = nullptr;
  UpdateScrollBar();
  viewport()->update();
}

void TPlannerWaitList::UpdateScrollBar() {
  int Content = FItems.Count() * (FItemHeight + ItemSpacing) + ItemSpacing;
  verticalScrollBar()->setRange(0, std::max(0, Content - viewport()->height()));
  verticalScrollBar()->setPageStep(std::max(1, viewport()->height()));
  verticalScrollBar()->setSingleStep(FItemHeight / 2 + 1);
}
