#pragma once

#include <QPoint>
#include <QPointer>
#include <QTime>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "widgets/plannerdisplay.h"
#include "widgets/plannergeometry.h"
#include "widgets/planneritems.h"
#include "widgets/plannerlayout.h"
#include "widgets/plannersettings.h"

class QLabel;
#include <QMenu>
class QToolButton;
class TPlannerGrid;

// The calendar grid: a day's time axis against Positions columns (technicians or days), with
// appointments as items. Settings reached through the non-const accessors repaint the grid.
class TPlanner : public QWidget {
  Q_OBJECT
 public:
  explicit TPlanner(QWidget* Parent = nullptr);
  ~TPlanner() override;

  TPlannerItems& Items() { return FItems; }
  const TPlannerItems& Items() const { return FItems; }
  // Removes one item (its attached object with it).
  void FreeItem(TPlannerItem* Item);

  int Positions() const { return FPositions; }
  // Limited to 0 … MaxPositions.
  void SetPositions(int Value);
  static constexpr int MaxPositions = 1000;
  int PositionWidth() const { return FPositionWidth; }
  void SetPositionWidth(int Value);
  int PositionGap() const { return FPositionGap; }
  void SetPositionGap(int Value);

  TPlannerDisplay& Display();
  const TPlannerDisplay& Display() const { return FDisplay; }
  TPlannerSidebar& Sidebar();
  const TPlannerSidebar& Sidebar() const { return FSidebar; }
  TPlannerHeader& Header();
  const TPlannerHeader& Header() const { return FHeader; }
  TPlannerFooter& Footer();
  const TPlannerFooter& Footer() const { return FFooter; }
  TPlannerCaption& Caption();
  const TPlannerCaption& Caption() const { return FCaption; }
  TPlannerNavigatorButtons& NavigatorButtons();
  TPositionProps& PositionProps();
  const TPositionProps& PositionProps() const { return FPositionProps; }
  TPlannerMode& Mode() { return FMode; }
  TPlannerImages& PlannerImages();
  const TPlannerImages& PlannerImages() const { return FPlannerImages; }

  int Layer() const { return FLayer; }
  void SetLayer(int Value);

  QMenu* GridPopup() const { return FGridPopup; }
  void SetGridPopup(QMenu* Value) { FGridPopup = Value; }
  bool MultiSelect = false;
  bool ShowSelection = true;  // show the selected cells
  bool DragItem = false;
  THourType HourType = ht24hrs;
  bool IndicateNonVisibleItems = false;
  bool ShowHint = false;
  int HintPause = 500;

  // Footer completion value by footer index (see TPlannerFooter).
  void SetCompletionValue(int Index, int Value);
  int CompletionValue(int Index) const;
  // The footer index that column Pos shows, and the header image index.
  int FooterIndexOf(int Pos) const;
  int HeaderImageIndexOf(int Pos) const;

  // Pixel (of the grid part) to cell in screen order: X the horizontal and Y the vertical
  // index; (−1, −1) outside the cells.
  QPoint XYToCell(int X, int Y) const;
  // The first shown item (in collection order) at a cell given in screen order, or nullptr.
  TPlannerItem* CellToItem(int X, int Y) const;
  // The shown item under a pixel of the grid part, or nullptr.
  TPlannerItem* ItemAtPixel(QPoint Pixel) const;
  // Selects the cells [SelBegin, SelEnd] of column SelPos (clamped to the shown cells).
  void SelectCells(int SelBegin, int SelEnd, int SelPos);
  int SelItemBegin() const { return FSelBegin; }
  int SelItemEnd() const { return FSelEnd; }
  int SelPosition() const { return FSelPos; }
  void ScrollToTime(TDateTime ATime);
  // The focusable part of the grid.
  QWidget* GridControl() const;

  // Current time for the time indicator; replaceable so that pictures and tests are stable.
  std::function<QTime()> Clock = [] { return QTime::currentTime(); };
  // Opens an item's link; the desktop's default handler unless replaced.
  std::function<bool(const QUrl&)> UrlOpener;

  // The geometry and the shown items as they are now.
  TPlannerGeometry Geometry() const;
  const TPlannerLayout& Layout() const;

  // Events.
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemRightClick;
  std::function<void(QObject* Sender, TPlannerItem* Item, int Position, int FromBegin, int FromEnd,
                     int ToBegin, int ToEnd)>
      OnItemSize;
  std::function<void(QObject* Sender, TPlannerItem* Item, int FromBegin, int FromEnd, int FromPos,
                     int ToBegin, int ToEnd, int ToPos)>
      OnItemMove;
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemSelect;
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemUnSelect;
  std::function<void(QObject* Sender, TPlannerItem* Item)> OnItemDeactivate;
  std::function<void(QObject* Sender, TPlannerItem* Item, QString& Hint)> OnItemHint;
  std::function<void(QObject* Sender, int SelBegin, int SelEnd, int SelPos)> OnPlannerRightClick;
  std::function<void(QObject* Sender)> OnPlannerNext;
  std::function<void(QObject* Sender)> OnPlannerPrev;
  std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X,
                     int Y)>
      OnPlannerMouseDown;
  std::function<void(QObject* Sender, int Index, QString& Hint)> OnFooterHint;
  std::function<void(QObject* Sender, int SectionIndex)> OnHeaderClick;
  std::function<void(QObject* Sender, int SectionIndex, QString& Hint)> OnHeaderHint;
  std::function<void(QObject* Sender, int SectionIndex)> OnHeaderRightClick;
  std::function<void(QObject* Sender, QObject* Source, int X, int Y, bool& Accept)> OnDragOver;
  std::function<void(QObject* Sender, QObject* Source, int X, int Y)> OnDragDrop;

  // For the grid part: selection and item changes that the user makes.
  void SelectItemByUser(TPlannerItem* Item, bool Toggle);
  void FocusItem(TPlannerItem* Item);
  // The painter reports whether shown items flash; the blink timer runs only then.
  void KeepFlashing(bool AnyFlashing);

 private:
  void Invalidate();
  void ItemsChanged();
  void UpdateCaptionBar();
  void Flash();

  TPlannerItems FItems;
  TPlannerDisplay FDisplay;
  TPlannerSidebar FSidebar;
  TPlannerHeader FHeader;
  TPlannerFooter FFooter;
  TPlannerCaption FCaption;
  TPlannerNavigatorButtons FNavigator;
  TPositionProps FPositionProps{FDisplay};
  TPlannerMode FMode;
  TPlannerImages FPlannerImages;
  int FPositions = 1;
  int FPositionWidth = 0;
  int FPositionGap = 0;
  int FLayer = 0;
  QPointer<QMenu> FGridPopup;
  std::map<int, int> FCompletion;
  int FSelBegin = -1;
  int FSelEnd = -1;
  int FSelPos = -1;
  mutable TPlannerLayout FLayout;
  mutable bool FLayoutValid = false;

  QWidget* FCaptionBar = nullptr;
  QLabel* FTitle = nullptr;
  QToolButton* FPrevButton = nullptr;
  QToolButton* FNextButton = nullptr;
  TPlannerGrid* FGrid = nullptr;
  class QTimer* FFlashTimer = nullptr;
};
