#pragma once

#include <QDate>

// The days a month page of the date picker shows: six weeks from the Monday on or before the
// first of the month, each row with its ISO week number.
class TMonthGrid {
 public:
  static constexpr int Rows = 6;
  static constexpr int Columns = 7;

  TMonthGrid(int Year, int Month);
  int Year() const { return FYear; }
  int Month() const { return FMonth; }
  QDate DayAt(int Row, int Column) const { return FFirstShown.addDays(Row * Columns + Column); }
  int WeekNumber(int Row) const { return DayAt(Row, 0).weekNumber(); }
  // Row and column of a shown day; false when the page does not show it.
  bool CellOf(QDate Day, int& Row, int& Column) const;
  TMonthGrid Next() const;
  TMonthGrid Previous() const;

 private:
  int FYear;
  int FMonth;
  QDate FFirstShown;
};
