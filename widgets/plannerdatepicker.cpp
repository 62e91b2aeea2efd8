#include "widgets/plannerdatepicker.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "widgets/monthcalendar.h"

namespace {

const char* const DateFormat = "dd.MM.yyyy";

QDate ParseDate(const QString& Text) {
  for (const char* Format : {"dd.MM.yyyy", "d.M.yyyy"}) {
    QDate Day = QDate::fromString(Text.trimmed(), Format);
    if (Day.isValid()) return Day;
  }
  return QDate();
}

}  // namespace

TPlannerDatePicker::TPlannerDatePicker(QWidget* Parent)
    : QWidget(Parent), FDate(QDate::currentDate()) {
  FEdit = new QLineEdit(this);
  FEdit->setObjectName("DateEdit");
  FButton = new QToolButton(this);
  FButton->setObjectName("DropDownButton");
  FButton->setArrowType(Qt::DownArrow);
  auto* Layout = new QHBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->setSpacing(2);
  Layout->addWidget(FEdit, 1);
  Layout->addWidget(FButton);
  FCalendar = new TMonthCalendar(this);
  FCalendar->setWindowFlags(Qt::Popup);
  FCalendar->OnDayClicked = [this](QDate Day) {
    CloseUp();
    ChooseDay(Day);
  };
  connect(FButton, &QToolButton::clicked, this, [this] { DropDown(); });
  connect(FEdit, &QLineEdit::editingFinished, this, [this] { ReadTypedDate(); });
  ShowDate();
}

TDateTime TPlannerDatePicker::Date() const { return TDateTime::FromQDate(FDate); }

void TPlannerDatePicker::SetDate(TDateTime Value) {
  QDate Day = Value.ToQDate();
  if (!Day.isValid()) return;
  FDate = Day;
  ShowDate();
}

void TPlannerDatePicker::DropDown() {
  FCalendar->SetSelectedDate(FDate);
  FCalendar->move(mapToGlobal(QPoint(0, height())));
  FCalendar->show();
}

void TPlannerDatePicker::CloseUp() { FCalendar->hide(); }

void TPlannerDatePicker::ChooseDay(QDate Day) {
  FDate = Day;
  ShowDate();
  if (OnDaySelect) OnDaySelect(this, Date());
}

void TPlannerDatePicker::ReadTypedDate() {
  QString Text = FEdit->text();
  QDate Day = ParseDate(Text);
  if (!Day.isValid()) {
    FErrorText = QString("Ungültiges Datum: \"%1\" (erwartet TT.MM.JJJJ)").arg(Text.left(40));
    FEdit->setToolTip(FErrorText);
    FEdit->setStyleSheet("QLineEdit { color: #b00000; }");
    return;
  }
  FErrorText.clear();
  FEdit->setToolTip(QString());
  FEdit->setStyleSheet(QString());
  if (Day != FDate)
    ChooseDay(Day);
  else
    ShowDate();
}

void TPlannerDatePicker::ShowDate() {
  FEdit->setText(FDate.toString(DateFormat));
  FCalendar->SetSelectedDate(FDate);
}
