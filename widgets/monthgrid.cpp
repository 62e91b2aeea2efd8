#include "widgets/monthgrid.h"

TMonthGrid::TMonthGrid(int Year, int Month) : FYear(Year), FMonth(Month) {
  QDate First(Year, Month, 1);
  if (!First.isValid()) {
    First = QDate::currentDate();
    First = QDate(First.year(), First.month(), 1);
    FYear = First.year();
    FMonth = First.month();
  }
  FFirstShown = First.addDays(1 - First.dayOfWeek());
}

bool TMonthGrid::CellOf(QDate Day, int& Row, int& Column) const {
  qint64 Offset = FFirstShown.daysTo(Day);
  if (!Day.isValid() || Offset < 0 || Offset >= Rows * Columns) return false;
  Row = static_cast<int>(Offset / Columns);
  Column = static_cast<int>(Offset % Columns);
  return true;
}

TMonthGrid TMonthGrid::Next() const {
  QDate Day = QDate(FYear, FMonth, 1).addMonths(1);
  return TMonthGrid(Day.year(), Day.month());
}

TMonthGrid TMonthGrid::Previous() const {
  QDate Day = QDate(FYear, FMonth, 1).addMonths(-1);
  return TMonthGrid(Day.year(), Day.month());
}
