#include "widgets/monthcalendar.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int CellWidth = 34;
constexpr int CellHeight = 22;
constexpr int TitleHeight = 26;
const char* const DayNames[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
const QColor WeekColumn(234, 237, 242);
const QColor ChosenDay(31, 78, 153);
const QColor TodayRing(210, 40, 40);
const QColor OtherMonth(160, 166, 176);

}  // namespace

TMonthCalendar::TMonthCalendar(QWidget* Parent)
    : QWidget(Parent), FPage(QDate::currentDate().year(), QDate::currentDate().month()) {
  setObjectName("MonthCalendar");
  resize(sizeHint());
}

QSize TMonthCalendar::sizeHint() const {
  return QSize(CellWidth * 8 + 2, TitleHeight + CellHeight * (TMonthGrid::Rows + 1) + 4);
}

void TMonthCalendar::SetPage(const TMonthGrid& Page) {
  FPage = Page;
  update();
}

void TMonthCalendar::SetSelectedDate(QDate Day) {
  FSelected = Day;
  if (Day.isValid()) FPage = TMonthGrid(Day.year(), Day.month());
  update();
}

QRect TMonthCalendar::DayRect(int Row, int Column) const {
  return QRect(1 + CellWidth * (Column + 1), TitleHeight + CellHeight * (Row + 1), CellWidth,
               CellHeight);
}

QRect TMonthCalendar::PreviousRect() const { return QRect(2, 2, 24, TitleHeight - 4); }

QRect TMonthCalendar::NextRect() const { return QRect(width() - 26, 2, 24, TitleHeight - 4); }

QString TMonthCalendar::Title() const {
  return QLocale(QLocale::German).standaloneMonthName(FPage.Month()) + " " +
         QString::number(FPage.Year());
}

void TMonthCalendar::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.fillRect(rect(), Qt::white);
  Painter.setPen(QColor(160, 170, 184));
  Painter.drawRect(rect().adjusted(0, 0, -1, -1));
  QFont Bold = font();
  Bold.setBold(true);
  Painter.setFont(Bold);
  Painter.setPen(Qt::black);
  Painter.drawText(QRect(0, 0, width(), TitleHeight), Qt::AlignCenter, Title());
  Painter.drawText(PreviousRect(), Qt::AlignCenter, QString::fromUtf8("\u2039"));
  Painter.drawText(NextRect(), Qt::AlignCenter, QString::fromUtf8("\u203A"));
  QRect WeekHeader(1, TitleHeight, CellWidth, CellHeight);
  Painter.fillRect(WeekHeader.adjusted(0, 0, 0, CellHeight * TMonthGrid::Rows), WeekColumn);
  Painter.drawText(WeekHeader, Qt::AlignCenter, "KW");
  for (int Column = 0; Column < TMonthGrid::Columns; ++Column)
    Painter.drawText(DayRect(-1, Column), Qt::AlignCenter, DayNames[Column]);
  Painter.setFont(font());
  for (int Row = 0; Row < TMonthGrid::Rows; ++Row) {
    Painter.setPen(OtherMonth);
    Painter.drawText(QRect(1, DayRect(Row, 0).top(), CellWidth, CellHeight), Qt::AlignCenter,
                     QString::number(FPage.WeekNumber(Row)));
    for (int Column = 0; Column < TMonthGrid::Columns; ++Column) PaintDay(Painter, Row, Column);
  }
}

void TMonthCalendar::PaintDay(QPainter& Painter, int Row, int Column) const {
  QDate Day = FPage.DayAt(Row, Column);
  QRect Rect = DayRect(Row, Column).adjusted(2, 1, -2, -1);
  QColor Text = Day.month() == FPage.Month() ? QColor(Qt::black) : OtherMonth;
  if (Day == FSelected) {
    Painter.setPen(Qt::NoPen);
    Painter.setBrush(ChosenDay);
    Painter.drawRoundedRect(Rect, 4, 4);
    Text = Qt::white;
  }
  if (Today && Day == Today()) {
    Painter.setPen(QPen(TodayRing, 1.5));
    Painter.setBrush(Qt::NoBrush);
    Painter.drawRoundedRect(Rect, 4, 4);
  }
  Painter.setPen(Text);
  Painter.drawText(Rect, Qt::AlignCenter, QString::number(Day.day()));
}

void TMonthCalendar::mousePressEvent(QMouseEvent* Event) {
  const QPoint Pixel = Event->position().toPoint();
  if (PreviousRect().contains(Pixel)) return SetPage(FPage.Previous());
  if (NextRect().contains(Pixel)) return SetPage(FPage.Next());
  for (int Row = 0; Row < TMonthGrid::Rows; ++Row)
    for (int Column = 0; Column < TMonthGrid::Columns; ++Column)
      if (DayRect(Row, Column).contains(Pixel) && OnDayClicked)
        return OnDayClicked(FPage.DayAt(Row, Column));
}
