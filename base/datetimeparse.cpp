#include "base/datetimetext.h"
#include "base/delphistr.h"

namespace {

// Reads German date and time texts field by field; every step fails cleanly on bad input.
class TDateTimeScanner {
 public:
  explicit TDateTimeScanner(const QString& S) : FText(Trim(S)) {}

  bool AtEnd() const { return FPos == FText.size(); }

  bool ScanDate(int& Year, int& Month, int& Day) {
    int YearDigits = 0;
    if (!ScanNumber(2, Day) || !Skip(u'.') || !ScanNumber(2, Month) || !Skip(u'.') ||
        !ScanNumber(4, Year, &YearDigits)) {
      return false;
    }
    if (YearDigits <= 2) Year += Year < 50 ? 2000 : 1900;
    return true;
  }

  bool ScanTime(int& Hour, int& Min, int& Sec) {
    Sec = 0;
    if (!ScanNumber(2, Hour) || !Skip(u':') || !ScanNumber(2, Min)) return false;
    return !Skip(u':') || ScanNumber(2, Sec);
  }

  // At least one blank; the date and the time of a date-time stand apart.
  bool SkipBlanks() {
    const qsizetype Start = FPos;
    while (FPos < FText.size() && FText[FPos].unicode() <= u' ') ++FPos;
    return FPos > Start;
  }

 private:
  static bool IsDigit(QChar C) { return C >= u'0' && C <= u'9'; }

  bool Skip(QChar C) {
    if (FPos >= FText.size() || FText[FPos] != C) return false;
    ++FPos;
    return true;
  }

  bool ScanNumber(int MaxDigits, int& Value, int* Digits = nullptr) {
    const qsizetype Start = FPos;
    Value = 0;
    while (FPos < FText.size() && IsDigit(FText[FPos])) {
      if (FPos - Start == MaxDigits) return false;
      Value = Value * 10 + (FText[FPos++].unicode() - u'0');
    }
    if (Digits) *Digits = int(FPos - Start);
    return FPos > Start;
  }

  QString FText;
  qsizetype FPos = 0;
};

}  // namespace

bool TryStrToDate(const QString& S, TDateTime& Value) {
  TDateTimeScanner Scanner(S);
  int Year, Month, Day;
  return Scanner.ScanDate(Year, Month, Day) && Scanner.AtEnd() &&
         TryEncodeDate(Year, Month, Day, Value);
}

bool TryStrToTime(const QString& S, TDateTime& Value) {
  TDateTimeScanner Scanner(S);
  int Hour, Min, Sec;
  return Scanner.ScanTime(Hour, Min, Sec) && Scanner.AtEnd() &&
         TryEncodeTime(Hour, Min, Sec, 0, Value);
}

bool TryStrToDateTime(const QString& S, TDateTime& Value) {
  TDateTimeScanner Scanner(S);
  int Year, Month, Day, Hour = 0, Min = 0, Sec = 0;
  if (!Scanner.ScanDate(Year, Month, Day)) return false;
  if (!Scanner.AtEnd()) {
    if (!Scanner.SkipBlanks() || !Scanner.ScanTime(Hour, Min, Sec) || !Scanner.AtEnd()) {
      return false;
    }
  }
  return TryEncodeDateTime(Year, Month, Day, Hour, Min, Sec, 0, Value);
}

TDateTime StrToDateDef(const QString& S, TDateTime Default) {
  TDateTime Value;
  return TryStrToDate(S, Value) ? Value : Default;
}

TDateTime StrToTimeDef(const QString& S, TDateTime Default) {
  TDateTime Value;
  return TryStrToTime(S, Value) ? Value : Default;
}

TDateTime StrToDateTimeDef(const QString& S, TDateTime Default) {
  TDateTime Value;
  return TryStrToDateTime(S, Value) ? Value : Default;
}
