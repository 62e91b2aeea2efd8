#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "base/datetime.h"
class TPlannerDisplay;

using TPlannerImages = QList<QPixmap>;

enum TSidebarPosition { spLeft = 0, spTop = 2 };

// The time axis.
struct TPlannerSidebar {
  int Width = 50;
  bool Visible = true;
  bool TimeIndicator = false;  // marks the current time
  TSidebarPosition Position = spLeft;
  bool ShowInPositionGap = false;  // a time axis in the gap before every column
  bool ShowOccupied = false;       // that axis marks the times the column's items take
};

enum TImagePosition { ipLeft, ipRight };

// Column captions: entry 0 stands above the time axis, entry n + 1 above column n. Images are
// drawn beside the captions; with time axes in the column gaps every gap counts as a section,
// so column n then shows image n + 1, otherwise image n.
struct TPlannerHeader {
  QStringList Captions;
  TPlannerImages Images;
  TImagePosition ImagePosition = ipRight;
  Qt::Alignment Alignment = Qt::AlignCenter;
  QFont Font;
  bool AllowPositionResize = false;
  bool RotateOnLeft = false;  // captions turned upright when the columns lie below each other
  int Height = 30;
  QPointer<QMenu> PopupMenu;
};

// The footer: completion values are set by the program ("%d%%"); its indices are shifted like
// the header images when time axes stand in the column gaps.
struct TPlannerFooter {
  bool Visible = false;
  bool ShowCompletion = false;
  bool CustomCompletionValue = false;
  int Height = 24;
};

struct TPlannerCaption {
  QString Title;  // may hold <b>…</b>
  bool Visible = true;
};

struct TPlannerNavigatorButtons {
  bool Visible = true;
  QString NextHint;
  QString PrevHint;
  bool ShowHint = false;
};

enum THourType { ht24hrs, ht12hrs };

struct TPlannerMode {
  TDateTime TimeLineStart;
  int Year = 0;
  int Month = 0;
};

// Settings of one column. ActiveStart/ActiveEnd are cells; −1 makes the whole column
// non-working. They are held in minutes, like the grid's own ranges.
class TPositionProp {
 public:
  explicit TPositionProp(const TPlannerDisplay& Display);
  bool Use = false;
  QColor ColorActive;
  QColor ColorNonActive;
  int ActiveStart() const;
  int ActiveEnd() const;
  void SetActiveStart(int Cell);
  void SetActiveEnd(int Cell);
  // Whether the cell starting at Minutes is a working one.
  bool IsActive(int Minutes) const;

 private:
  const TPlannerDisplay& FDisplay;
  int FActiveStartMinutes;
  int FActiveEndMinutes;
};

class TPositionProps {
 public:
  explicit TPositionProps(const TPlannerDisplay& Display) : FDisplay(Display) {}
  // A new entry starts with the grid's working range and colours, not in use.
  TPositionProp* Add();
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  // The entry at Index, or nullptr outside the list.
  TPositionProp* Items(int Index) const;

 private:
  const TPlannerDisplay& FDisplay;
  std::vector<std::unique_ptr<TPositionProp>> FItems;
};
