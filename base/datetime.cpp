#include "base/datetime.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// 30.12.1899, day 0 of TDateTime, as a Julian day number.
constexpr qint64 JulianDayOfZero = 2415019;
constexpr int MinYear = 1;
constexpr int MaxYear = 9999;
// 01.01.0001 00:00 and 31.12.9999 23:59:59.999 as values; the first is negative, and its
// time counts forward, so the earliest moment of that day is the value itself.
constexpr double FirstDay = -693593;
constexpr double LastDay = 2958465;
constexpr double LastTimeOfDay = (MSecsPerDay - 1) / double(MSecsPerDay);

// A moment split into its day and its milliseconds after midnight; Day is negative before
// 30.12.1899 while Time still counts forward.
struct TTimeStamp {
  qint64 Day = 0;
  qint64 Time = 0;
};

// Keeps NaN, infinities and out-of-range values away from the integer conversions.
double ClampToSupported(double Value) {
  if (std::isnan(Value)) return 0;
  if (Value < 0) return std::max(Value, FirstDay - LastTimeOfDay);
  return std::min(Value, LastDay + LastTimeOfDay);
}

// Rounds to whole milliseconds first, so date and time always agree.
TTimeStamp ToTimeStamp(TDateTime Value) {
  const double V = ClampToSupported(Value.Value());
  const qint64 Ms = std::llround(std::abs(V) * MSecsPerDay);
  const qint64 Day = Ms / MSecsPerDay;
  return {V < 0 ? -Day : Day, Ms % MSecsPerDay};
}

TDateTime FromTimeStamp(TTimeStamp Stamp) {
  const double Fraction = double(Stamp.Time) / MSecsPerDay;
  return TDateTime(Stamp.Day < 0 ? double(Stamp.Day) - Fraction : double(Stamp.Day) + Fraction);
}

// Milliseconds on the real time line, which the raw value is not before 1899.
qint64 ToLinearMSecs(TDateTime Value) {
  const TTimeStamp Stamp = ToTimeStamp(Value);
  return Stamp.Day * MSecsPerDay + Stamp.Time;
}

TDateTime FromLinearMSecs(qint64 MSecs) {
  const qint64 Day = MSecs >= 0 ? MSecs / MSecsPerDay : -((-MSecs + MSecsPerDay - 1) / MSecsPerDay);
  return FromTimeStamp({Day, MSecs - Day * MSecsPerDay});
}

// Days on the real time line, unrounded, so that whole days can be added exactly.
double ToLinearDays(TDateTime Value) {
  const double V = ClampToSupported(Value.Value());
  if (V >= 0) return V;
  const double Day = std::trunc(V);
  return Day + (Day - V);
}

TDateTime FromLinearDays(double Days) {
  if (Days >= 0) return TDateTime(Days);
  const double Day = std::floor(Days);
  return TDateTime(Day - (Days - Day));
}

QDate DateOfStamp(TTimeStamp Stamp) { return QDate::fromJulianDay(Stamp.Day + JulianDayOfZero); }

// The day of a value made by TryEncodeDate, which is always whole.
qint64 DayNumber(TDateTime Date) { return qint64(Date.Value()); }

std::optional<qint64> TimeToMSecs(int Hour, int Min, int Sec, int MSec) {
  const bool Valid = Hour >= 0 && Hour < HoursPerDay && Min >= 0 && Min < 60 && Sec >= 0 &&
                     Sec < 60 && MSec >= 0 && MSec < 1000;
  if (!Valid) return std::nullopt;
  return ((qint64(Hour) * 60 + Min) * 60 + Sec) * 1000 + MSec;
}

}  // namespace

TDateTime TDateTime::FromQDateTime(const QDateTime& Value) {
  return FromTimeStamp({DayNumber(FromQDate(Value.date())), Value.time().msecsSinceStartOfDay()});
}

TDateTime TDateTime::FromQDate(const QDate& Value) {
  TDateTime Result;
  TryEncodeDate(Value.year(), Value.month(), Value.day(), Result);
  return Result;
}

QDateTime TDateTime::ToQDateTime() const { return QDateTime(ToQDate(), ToQTime()); }

QDate TDateTime::ToQDate() const { return DateOfStamp(ToTimeStamp(*this)); }

QTime TDateTime::ToQTime() const {
  return QTime::fromMSecsSinceStartOfDay(int(ToTimeStamp(*this).Time));
}

bool IsLeapYear(int Year) { return QDate::isLeapYear(Year); }

int DaysInAMonth(int Year, int Month) {
  if (Month < 1 || Month > 12) return 0;
  return QDate(Year, Month, 1).daysInMonth();
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result) {
  if (Year < MinYear || Year > MaxYear) return false;
  const QDate Date(Year, Month, Day);
  if (!Date.isValid()) return false;
  Result = TDateTime(double(Date.toJulianDay() - JulianDayOfZero));
  return true;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Result) {
  const std::optional<qint64> Ms = TimeToMSecs(Hour, Min, Sec, MSec);
  if (!Ms) return false;
  Result = FromTimeStamp({0, *Ms});
  return true;
}

bool TryEncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec,
                       TDateTime& Result) {
  TDateTime Date;
  const std::optional<qint64> Ms = TimeToMSecs(Hour, Min, Sec, MSec);
  if (!TryEncodeDate(Year, Month, Day, Date) || !Ms) return false;
  Result = FromTimeStamp({DayNumber(Date), *Ms});
  return true;
}

TDateTime EncodeDate(int Year, int Month, int Day) {
  TDateTime Result;
  if (!TryEncodeDate(Year, Month, Day, Result)) {
    throw EConvertError(QStringLiteral("Ungültiges Argument für Datumscodierung"));
  }
  return Result;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec) {
  TDateTime Result;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, Result)) {
    throw EConvertError(QStringLiteral("Ungültiges Argument für Zeitcodierung"));
  }
  return Result;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Min, int Sec, int MSec) {
  const TDateTime Date = EncodeDate(Year, Month, Day);
  const TDateTime Time = EncodeTime(Hour, Min, Sec, MSec);
  return FromTimeStamp({DayNumber(Date), ToTimeStamp(Time).Time});
}

void DecodeDate(TDateTime Value, int& Year, int& Month, int& Day) {
  DateOfStamp(ToTimeStamp(Value)).getDate(&Year, &Month, &Day);
}

void DecodeTime(TDateTime Value, int& Hour, int& Min, int& Sec, int& MSec) {
  const qint64 Ms = ToTimeStamp(Value).Time;
  Hour = int(Ms / 3600000);
  Min = int(Ms / 60000 % 60);
  Sec = int(Ms / 1000 % 60);
  MSec = int(Ms % 1000);
}

void DecodeDateTime(TDateTime Value, int& Year, int& Month, int& Day, int& Hour, int& Min, int& Sec,
                    int& MSec) {
  DecodeDate(Value, Year, Month, Day);
  DecodeTime(Value, Hour, Min, Sec, MSec);
}

int YearOf(TDateTime Value) { return Value.ToQDate().year(); }
int MonthOf(TDateTime Value) { return Value.ToQDate().month(); }
int DayOf(TDateTime Value) { return Value.ToQDate().day(); }
int HourOf(TDateTime Value) { return Value.ToQTime().hour(); }
int MinuteOf(TDateTime Value) { return Value.ToQTime().minute(); }
int SecondOf(TDateTime Value) { return Value.ToQTime().second(); }

int DayOfTheWeek(TDateTime Value) { return Value.ToQDate().dayOfWeek(); }

int DayOfWeek(TDateTime Value) { return DayOfTheWeek(Value) % 7 + 1; }

TDateTime DateOf(TDateTime Value) { return FromTimeStamp({ToTimeStamp(Value).Day, 0}); }

TDateTime TimeOf(TDateTime Value) { return FromTimeStamp({0, ToTimeStamp(Value).Time}); }

TDateTime IncDay(TDateTime Value, int Days) { return FromLinearDays(ToLinearDays(Value) + Days); }

TDateTime IncHour(TDateTime Value, qint64 Hours) { return IncMilliSecond(Value, Hours * 3600000); }

TDateTime IncMinute(TDateTime Value, qint64 Minutes) {
  return IncMilliSecond(Value, Minutes * 60000);
}

TDateTime IncSecond(TDateTime Value, qint64 Seconds) {
  return IncMilliSecond(Value, Seconds * 1000);
}

TDateTime IncMilliSecond(TDateTime Value, qint64 MilliSeconds) {
  return FromLinearMSecs(ToLinearMSecs(Value) + MilliSeconds);
}

qint64 MilliSecondsBetween(TDateTime A, TDateTime B) {
  const qint64 Difference = ToLinearMSecs(A) - ToLinearMSecs(B);
  return Difference < 0 ? -Difference : Difference;
}

qint64 SecondsBetween(TDateTime A, TDateTime B) { return MilliSecondsBetween(A, B) / 1000; }

qint64 MinutesBetween(TDateTime A, TDateTime B) { return MilliSecondsBetween(A, B) / 60000; }

qint64 DaysBetween(TDateTime A, TDateTime B) { return MilliSecondsBetween(A, B) / MSecsPerDay; }

TDateTime Now() { return TDateTime::FromQDateTime(QDateTime::currentDateTime()); }

TDateTime Date() { return TDateTime::FromQDate(QDate::currentDate()); }
