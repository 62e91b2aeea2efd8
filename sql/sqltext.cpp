#include "sql/sqltext.h"

#include "base/delphistr.h"

QString PadString(const QString& S, int Len, QChar PadChar, bool LeftPad) {
  QString text = Trim(S);
  if (Len <= 0) {
    int start = 0;
    while (start < text.size() && text[start] == PadChar) ++start;
    return text.mid(start);
  }
  if (LeftPad) return text.size() > Len ? text.right(Len) : text.rightJustified(Len, PadChar);
  return text.leftJustified(Len, PadChar, true);
}

QString PadInteger(int Value, int Len, QChar PadChar) {
  // Zeros in front of a minus sign would not read as a number, so the sign leads.
  if (Value < 0 && PadChar == QLatin1Char('0') && Len > 1) {
    const QString digits = QString::number(-qint64(Value));
    return QLatin1Char('-') + PadString(digits, Len - 1, PadChar, true);
  }
  return PadString(QString::number(Value), Len, PadChar, true);
}
