#include <array>

#include "base/datetimetext.h"

namespace {

// The German settings the program's texts were written with.
const QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
const QString LongDateFormat = QStringLiteral("dddd, d. mmmm yyyy");
const QString ShortTimeFormat = QStringLiteral("hh:nn");
const QString LongTimeFormat = QStringLiteral("hh:nn:ss");
const QChar DateSeparator = u'.';
const QChar TimeSeparator = u':';
const std::array<QString, 12> ShortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                                 "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const std::array<QString, 12> LongMonthNames = {"Januar",    "Februar", "März",     "April",
                                                "Mai",       "Juni",    "Juli",     "August",
                                                "September", "Oktober", "November", "Dezember"};
// Sunday first, as Delphi's DayOfWeek counts.
const std::array<QString, 7> ShortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
const std::array<QString, 7> LongDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                             "Donnerstag", "Freitag", "Samstag"};

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0;
  int WeekDay = 0;  // Sunday 1 … Saturday 7
  bool HasTime = false;
};

TDateTimeParts Decode(TDateTime Value) {
  TDateTimeParts P;
  DecodeDateTime(Value, P.Year, P.Month, P.Day, P.Hour, P.Min, P.Sec, P.MSec);
  P.WeekDay = DayOfWeek(Value);
  P.HasTime = P.Hour != 0 || P.Min != 0 || P.Sec != 0 || P.MSec != 0;
  return P;
}

QString Number(int Value, int Digits) {
  return QStringLiteral("%1").arg(Value, Digits, 10, QLatin1Char('0'));
}

bool IsAsciiLetter(QChar C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }

class TFormatter {
 public:
  explicit TFormatter(const TDateTimeParts& Parts) : P(Parts) {}

  // Nested formats (ddddd, t, c) are expanded only from the caller's mask, as Delphi does.
  void Append(const QString& Format, bool Nested) {
    QChar LastToken = u' ';
    qsizetype Pos = 0;
    while (Pos < Format.size()) {
      const QChar Starter = Format[Pos];
      QChar Token = Starter.toUpper();
      if (IsAsciiLetter(Starter)) {
        // "mm" right after an hour means minutes, as in "hh:mm".
        if (Token == u'M' && LastToken == u'H') Token = u'N';
        LastToken = Token;
      }
      if (Starter == u'\'' || Starter == u'"') {
        Pos = AppendQuoted(Format, Pos);
        continue;
      }
      qsizetype Count = 1;
      while (Pos + Count < Format.size() && Format[Pos + Count] == Starter) ++Count;
      if (AppendToken(Token, int(Count), Nested)) {
        Pos += Count;
      } else {
        Out += Starter;
        ++Pos;
      }
    }
  }

  QString Out;

 private:
  qsizetype AppendQuoted(const QString& Format, qsizetype Pos) {
    const QChar Quote = Format[Pos++];
    while (Pos < Format.size() && Format[Pos] != Quote) Out += Format[Pos++];
    return Pos < Format.size() ? Pos + 1 : Pos;
  }

  void AppendNested(const QString& Format, bool Nested) {
    if (!Nested) Append(Format, true);
  }

  // False when Token is no mask letter; it then stands for itself.
  bool AppendToken(QChar Token, int Count, bool Nested) {
    switch (Token.unicode()) {
      case u'Y':
        Out += Count <= 2 ? Number(P.Year % 100, 2) : Number(P.Year, 4);
        return true;
      case u'M':
        AppendMonth(Count);
        return true;
      case u'D':
        AppendDay(Count, Nested);
        return true;
      case u'H':
        Out += Number(P.Hour, std::min(Count, 2));
        return true;
      case u'N':
        Out += Number(P.Min, std::min(Count, 2));
        return true;
      case u'S':
        Out += Number(P.Sec, std::min(Count, 2));
        return true;
      case u'Z':
        Out += Number(P.MSec, Count > 1 ? 3 : 1);
        return true;
      case u'T':
        AppendNested(Count == 1 ? ShortTimeFormat : LongTimeFormat, Nested);
        return true;
      case u'C':
        AppendDateAndTime(Nested);
        return true;
      case u'/':
        Out += QString(Count, DateSeparator);
        return true;
      case u':':
        Out += QString(Count, TimeSeparator);
        return true;
      default:
        return false;
    }
  }

  void AppendMonth(int Count) {
    if (Count <= 2) {
      Out += Number(P.Month, Count);
    } else {
      Out += (Count == 3 ? ShortMonthNames : LongMonthNames)[P.Month - 1];
    }
  }

  void AppendDay(int Count, bool Nested) {
    switch (Count) {
      case 1:
      case 2:
        Out += Number(P.Day, Count);
        break;
      case 3:
        Out += ShortDayNames[P.WeekDay - 1];
        break;
      case 4:
        Out += LongDayNames[P.WeekDay - 1];
        break;
      case 5:
        AppendNested(ShortDateFormat, Nested);
        break;
      default:
        AppendNested(LongDateFormat, Nested);
    }
  }

  void AppendDateAndTime(bool Nested) {
    AppendNested(ShortDateFormat, Nested);
    if (!P.HasTime) return;
    Out += u' ';
    AppendNested(LongTimeFormat, Nested);
  }

  const TDateTimeParts P;
};

}  // namespace

QString FormatDateTime(const QString& Format, TDateTime Value) {
  TFormatter Formatter(Decode(Value));
  Formatter.Append(Format.isEmpty() ? QStringLiteral("c") : Format, false);
  return Formatter.Out;
}

QString DateToStr(TDateTime Value) { return FormatDateTime(ShortDateFormat, Value); }

QString TimeToStr(TDateTime Value) { return FormatDateTime(LongTimeFormat, Value); }

QString DateTimeToStr(TDateTime Value) { return FormatDateTime(QStringLiteral("c"), Value); }
