#pragma once

#include <QAbstractScrollArea>
#include <QSet>
#include <functional>

#include "widgets/planneritems.h"
#include "widgets/plannersettings.h"

class QDropEvent;
class QMimeData;
class TPlanner;

// A list of items waiting for an appointment, drawn like the grid's items one below the
// other. Items are dragged onto a grid by the list itself; the grid's drop handler (or, without
// one, the grid) calls MoveToPlanner.
class TPlannerWaitList : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TPlannerWaitList(QWidget* Parent = nullptr);
  ~TPlannerWaitList() override;

  TPlannerItems& Items() { return FItems; }
  const TPlannerItems& Items() const { return FItems; }

  // The current index (the item last clicked or dragged), −1 for none.
  int ItemIndex() const { return FItems.IndexOf(FCurrent); }
  void SetItemIndex(int Index);
  // List selection by index; indices outside the list read as unselected.
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  void ClearSelection();

  int ItemHeight() const { return FItemHeight; }
  // Limited to 16 … 1000 pixels.
  void SetItemHeight(int Value);
  bool MultiSelect = false;
  bool ShowSelection = true;
  bool ShowHint = false;
  TPlannerImages Images;

  // Creates a grid item at the cell under (X, Y) of the grid part with the attributes and the
  // attached object of list item ItemIndex (not its ID), as long in cells as it was, and
  // removes the list item. Returns the new item (the grid's last), or nullptr when (X, Y) is
  // no cell or there is no such list item; the list then stays as it was.
  TPlannerItem* MoveToPlanner(TPlanner* APlanner, int ItemIndex, int X, int Y);

  // The item drawn at a viewport pixel, as index; −1 for none.
  int IndexAt(QPoint Pixel) const;
  QRect ItemRect(int Index) const;
  // What a drag of item Index carries, and the list a drop event comes from (nullptr when it
  // comes from elsewhere).
  QMimeData* DragData(int Index) const;
  static TPlannerWaitList* DragSource(const QDropEvent* Event);

  std::function<void(QObject* Sender, TPlannerItem* Item, QString& Hint)> OnItemHint;
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemSelect;
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemDblClick;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  bool viewportEvent(QEvent* Event) override;

 private:
  void ItemsChanged();
  void UpdateScrollBar();
  void StartDrag(int Index);

  TPlannerItems FItems;
  const TPlannerItem* FCurrent = nullptr;
  int FItemHeight = 60;
  QPoint FPressPoint;
  bool FPressed = false;
  QSet<const TPlannerItem*> FListSelection;
};
