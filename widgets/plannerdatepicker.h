#pragma once

#include <QWidget>
#include <functional>

#include "base/datetime.h"

class QLineEdit;
class QToolButton;
class TMonthCalendar;

// A date field with a drop-down month page. Typed dates are read as dd.mm.yyyy; text that is
// no date is refused with a German message and the last date stays.
class TPlannerDatePicker : public QWidget {
  Q_OBJECT
 public:
  explicit TPlannerDatePicker(QWidget* Parent = nullptr);

  // The chosen day at midnight.
  TDateTime Date() const;
  // Sets the shown day without reporting it as a user's choice.
  void SetDate(TDateTime Value);

  void DropDown();
  void CloseUp();
  TMonthCalendar* Calendar() const { return FCalendar; }
  QLineEdit* Editor() const { return FEdit; }
  // Why the last typed text was refused; empty after a good one.
  QString ErrorText() const { return FErrorText; }

  // A day chosen by the user, on the month page or typed.
  std::function<void(QObject* Sender, TDateTime ADate)> OnDaySelect;

 private:
  void ChooseDay(QDate Day);
  void ReadTypedDate();
  void ShowDate();

  QDate FDate;
  QString FErrorText;
  QLineEdit* FEdit;
  QToolButton* FButton;
  TMonthCalendar* FCalendar;
};
