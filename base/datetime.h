#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <compare>
#include <stdexcept>

// Raised by EncodeDate/EncodeTime/EncodeDateTime for a date or time that does not exist.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};

// Delphi's TDateTime: days since 30.12.1899 00:00, the fraction being the time of day.
// Before 1899 the value is negative and, as in Delphi and OLE, its fraction still counts the
// time forward from midnight: -1.25 is 29.12.1899 06:00. The operators work on the raw value
// (as Delphi's do); IncDay and friends move along the real time line, also before 1899.
// Supported are the years 1 to 9999; other values are read as the nearest supported moment.
class TDateTime {
 public:
  constexpr TDateTime() = default;
  constexpr explicit TDateTime(double Value) : FValue(Value) {}
  constexpr double Value() const { return FValue; }

  // The date and time as the QDateTime shows them; its time zone is not converted.
  static TDateTime FromQDateTime(const QDateTime& Value);
  static TDateTime FromQDate(const QDate& Value);
  // Local time; a moment inside a daylight-saving gap is moved by Qt as it does for any
  // local time.
  QDateTime ToQDateTime() const;
  QDate ToQDate() const;
  QTime ToQTime() const;

  friend constexpr auto operator<=>(TDateTime A, TDateTime B) = default;
  friend constexpr bool operator==(TDateTime A, TDateTime B) = default;

  TDateTime& operator+=(double Days) {
    FValue += Days;
    return *this;
  }
  TDateTime& operator-=(double Days) {
    FValue -= Days;
    return *this;
  }
  friend TDateTime operator+(TDateTime A, double Days) { return A += Days; }
  friend TDateTime operator-(TDateTime A, double Days) { return A -= Days; }
  friend double operator-(TDateTime A, TDateTime B) { return A.FValue - B.FValue; }

 private:
  double FValue = 0;
};

inline constexpr int HoursPerDay = 24;
inline constexpr int MinsPerDay = 24 * 60;
inline constexpr int SecsPerDay = 24 * 60 * 60;
inline constexpr int MSecsPerDay = SecsPerDay * 1000;

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);

// The Try forms answer false for a date outside 1..9999 or a time outside 00:00:00.000 to
// 23:59:59.999; the plain forms raise EConvertError then.
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);
bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Result);
bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec,
                       TDateTime& Result);
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec);

// Decoding first rounds to whole milliseconds, so 0.5 is 12:00:00.000 and a value a hair
// before midnight belongs to the next day in both date and time.
void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec);
void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec,
                    int& MSec);
int YearOf(TDateTime Value);
int MonthOf(TDateTime Value);
int DayOf(TDateTime Value);
int HourOf(TDateTime Value);
int MinuteOf(TDateTime Value);
int SecondOf(TDateTime Value);

// ISO weekday: Monday 1 … Sunday 7.
int DayOfTheWeek(TDateTime Value);
// Delphi's DayOfWeek: Sunday 1 … Saturday 7.
int DayOfWeek(TDateTime Value);

// The date at midnight and the time of day (as a value between 0 and 1), after rounding to
// milliseconds as decoding does.
TDateTime DateOf(TDateTime Value);
TDateTime TimeOf(TDateTime Value);

// Plain time arithmetic without time zones or daylight saving. IncDay keeps the time of day
// exactly; the others round the result to whole milliseconds.
TDateTime IncDay(TDateTime Value, int Days = 1);
TDateTime IncHour(TDateTime Value, qint64 Hours = 1);
TDateTime IncMinute(TDateTime Value, qint64 Minutes = 1);
TDateTime IncSecond(TDateTime Value, qint64 Seconds = 1);
TDateTime IncMilliSecond(TDateTime Value, qint64 MilliSeconds = 1);

// Whole units between two moments, whatever their order; counted on milliseconds, so 10:00
// to 10:07 is 7 minutes even where the raw difference falls a hair short.
qint64 MilliSecondsBetween(TDateTime A, TDateTime B);
qint64 SecondsBetween(TDateTime A, TDateTime B);
qint64 MinutesBetween(TDateTime A, TDateTime B);
qint64 DaysBetween(TDateTime A, TDateTime B);

// The local clock: Now with time of day, Date at midnight.
TDateTime Now();
TDateTime Date();
