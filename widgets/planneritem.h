#pragma once

#include <QColor>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>

#include "base/datetime.h"
#include "base/stringlist.h"
class TPlannerItems;

enum TCaptionType { ctNone, ctText };

// Layer bits the calendar gives its items.
inline constexpr int PlannedLayer = 1;
inline constexpr int LoadedLayer = 2;
inline constexpr int CompletedLayer = 4;
inline constexpr int FixedLayer = 8;
inline constexpr int WarningLayer = 16;
inline constexpr int WaitTimeLayer = 64;

// One appointment of the grid or of a waiting list. Start and end are held as times of day
// (day fractions), so that a changed cell length keeps every item where it was; the cells are
// derived from the cell length of the owning collection.
class TPlannerItem {
 public:
  explicit TPlannerItem(TPlannerItems* Owner);
  TPlannerItem(const TPlannerItem&) = delete;
  TPlannerItem& operator=(const TPlannerItem&) = delete;
  ~TPlannerItem();

  TPlannerItems* Collection() const { return FOwner; }

  // Copies every attribute except the attached object, the selection and the focus.
  void Assign(const TPlannerItem& Source);

  int ID() const { return FID; }
  void SetID(int Value) { FID = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  // The attached object belongs to the item; TakeItemObject hands it over.
  TObject* ItemObject() const { return FItemObject.get(); }
  void SetItemObject(std::unique_ptr<TObject> Value) { FItemObject = std::move(Value); }
  std::unique_ptr<TObject> TakeItemObject() { return std::move(FItemObject); }
  // The object as T, or nullptr when there is none or it is of another type.
  template <class T>
  T* ItemObjectAs() const {
    return dynamic_cast<T*>(FItemObject.get());
  }

  int ItemPos() const { return FItemPos; }
  void SetItemPos(int Value);

  // Cells counted from midnight in the collection's cell length. ItemEnd is the first cell
  // after the item (an item of 08:00 to 08:30 with 15 minute cells has cells 32 and 33).
  int ItemBegin() const;
  int ItemEnd() const;
  void SetItemBegin(int Cell);
  void SetItemEnd(int Cell);
  // Places the item on whole cells, or on minutes after midnight, in one step.
  void SetItemCells(int Begin, int End, int Pos);
  void SetSpan(double StartMinutes, double EndMinutes, int Pos);

  // Times of day. On setting, the date part is ignored; an end on a later day than the start
  // that falls before the start of day (08.09. 00:30 for an item starting 07.09. 23:30) ends
  // the item at midnight instead of turning it round.
  TDateTime ItemStartTime() const { return TDateTime(FStart); }
  TDateTime ItemEndTime() const { return TDateTime(FEnd); }
  void SetItemStartTime(TDateTime Value);
  void SetItemEndTime(TDateTime Value);
  // Start and end in minutes after midnight; an item with invalid times ends one cell after
  // its start.
  double StartMinutes() const;
  double EndMinutes() const;
  // An end before (or at) its start: the item is drawn one cell long and marked as faulty.
  bool HasInvalidTimes() const { return FEnd <= FStart; }

  int Layer() const { return FLayer; }
  void SetLayer(int Value) { Set(FLayer, Value); }

  const QStringList& Text() const { return FText; }
  void SetText(const QStringList& Value) { Set(FText, Value); }
  TCaptionType CaptionType() const { return FCaptionType; }
  void SetCaptionType(TCaptionType Value) { Set(FCaptionType, Value); }
  QString CaptionText() const { return FCaptionText; }
  void SetCaptionText(const QString& Value) { Set(FCaptionText, Value); }

  QColor Color() const { return FColor; }
  void SetColor(const QColor& Value) { Set(FColor, Value); }
  QColor TrackColor() const { return FTrackColor; }
  void SetTrackColor(const QColor& Value) { Set(FTrackColor, Value); }
  bool TrackVisible() const { return FTrackVisible; }
  void SetTrackVisible(bool Value) { Set(FTrackVisible, Value); }
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value) { Set(FShadow, Value); }
  bool ShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool Value) { Set(FShowSelection, Value); }
  bool Flashing() const { return FFlashing; }
  void SetFlashing(bool Value);
  bool FlashOn() const { return FFlashOn; }
  void SetFlashOn(bool Value) { Set(FFlashOn, Value); }

  bool FixedPos() const { return FFixedPos; }
  void SetFixedPos(bool Value) { FFixedPos = Value; }
  bool FixedPosition() const { return FFixedPosition; }
  void SetFixedPosition(bool Value) { FFixedPosition = Value; }
  bool FixedSize() const { return FFixedSize; }
  void SetFixedSize(bool Value) { FFixedSize = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool AllowOverlap() const { return FAllowOverlap; }
  void SetAllowOverlap(bool Value) { FAllowOverlap = Value; }

  bool Selected() const { return FSelected; }
  void SetSelected(bool Value) { Set(FSelected, Value); }
  bool Focus() const { return FFocus; }
  void SetFocus(bool Value) { Set(FFocus, Value); }

  QMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(QMenu* Value) { FPopupMenu = Value; }
  QString URL() const { return FURL; }
  void SetURL(const QString& Value) { Set(FURL, Value); }
  const QList<int>& ImageIndexList() const { return FImageIndexList; }
  void SetImageIndexList(const QList<int>& Value) { Set(FImageIndexList, Value); }

  // The text the grid shows as the item's hint before a handler may replace it.
  QString DefaultHint() const;

 private:
  template <class T>
  void Set(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  void Changed();
  int UnitMinutes() const;

  TPlannerItems* FOwner;
  int FID = 0;
  int FTag = 0;
  std::unique_ptr<TObject> FItemObject;
  int FItemPos = 0;
  double FStart = 0;
  double FStartDay = 0;  // date part of the last start given as a date-time
  double FEnd = 0;
  int FLayer = 0;
  QStringList FText;
  TCaptionType FCaptionType = ctText;
  QString FCaptionText;
  QColor FColor = QColor(255, 255, 255);
  QColor FTrackColor = QColor(0, 0, 255);
  bool FTrackVisible = true;
  bool FShadow = true;
  bool FShowSelection = true;
  bool FFlashing = false;
  bool FFlashOn = false;
  bool FFixedPos = false;
  bool FFixedPosition = false;
  bool FFixedSize = false;
  bool FReadOnly = false;
  bool FAllowOverlap = true;
  bool FSelected = false;
  bool FFocus = false;
  QPointer<QMenu> FPopupMenu;
  QString FURL;
  QList<int> FImageIndexList;
};
