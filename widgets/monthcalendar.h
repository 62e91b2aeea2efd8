#pragma once

#include <QDate>
#include <QWidget>
#include <functional>

#include "widgets/monthgrid.h"

// The drop-down month page of the date picker: week numbers in a column titled "KW", the
// chosen day filled, today ringed; arrows turn the page.
class TMonthCalendar : public QWidget {
  Q_OBJECT
 public:
  explicit TMonthCalendar(QWidget* Parent = nullptr);

  const TMonthGrid& Page() const { return FPage; }
  void SetPage(const TMonthGrid& Page);
  QDate SelectedDate() const { return FSelected; }
  void SetSelectedDate(QDate Day);
  std::function<QDate()> Today = [] { return QDate::currentDate(); };

  QRect DayRect(int Row, int Column) const;
  QRect PreviousRect() const;
  QRect NextRect() const;
  QString Title() const;
  QSize sizeHint() const override;

  std::function<void(QDate)> OnDayClicked;

 protected:
  void paintEvent(QPaintEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;

 private:
  void PaintDay(class QPainter& Painter, int Row, int Column) const;

  TMonthGrid FPage;
  QDate FSelected;
};
