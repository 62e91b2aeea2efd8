#include "sql/jet/jetformat.h"

#include <QHash>
#include <QRegularExpression>
#include <QVector>
#include <cmath>

#include "sql/jet/jetvalues.h"

namespace {

const char* const kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                    "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const char* const kWeekdays[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
const char* const kShortWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

// One piece of a date mask: a placeholder run ("dd", "nn", "AM/PM") or literal text.
struct MaskPiece {
  QString Code;  // lower case placeholder, empty for literal text
  QString Literal;
};

bool IsPlaceholderLetter(QChar c) { return QStringLiteral("dmyhnswq").contains(c.toLower()); }

QVector<MaskPiece> SplitDateMask(const QString& mask) {
  QVector<MaskPiece> pieces;
  auto literal = [&pieces](const QString& text) {
    if (!pieces.isEmpty() && pieces.last().Code.isEmpty())
      pieces.last().Literal += text;
    else
      pieces.append({QString(), text});
  };
  for (int i = 0; i < mask.size();) {
    const QChar c = mask[i];
    if (c == QLatin1Char('"')) {
      const int close = mask.indexOf(QLatin1Char('"'), i + 1);
      const int end = close < 0 ? mask.size() : close;
      literal(mask.mid(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == QLatin1Char('\\')) {
      literal(mask.mid(i + 1, 1));
      i += 2;
    } else if (mask.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
      pieces.append({QStringLiteral("am/pm"), mask.mid(i, 5)});
      i += 5;
    } else if (mask.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
      pieces.append({QStringLiteral("a/p"), mask.mid(i, 3)});
      i += 3;
    } else if (IsPlaceholderLetter(c)) {
      int end = i;
      while (end < mask.size() && mask[end].toLower() == c.toLower()) ++end;
      pieces.append({mask.mid(i, end - i).toLower(), QString()});
      i = end;
    } else if (c == QLatin1Char('/')) {
      literal(QStringLiteral("."));
      ++i;
    } else {
      literal(QString(c));
      ++i;
    }
  }
  return pieces;
}

bool IsHour(const QString& code) { return code.startsWith(QLatin1Char('h')); }
bool IsSecond(const QString& code) { return code.startsWith(QLatin1Char('s')); }

// "m" and "mm" mean minutes right after an hour or right before seconds.
bool MeansMinutes(const QVector<MaskPiece>& pieces, int index) {
  if (pieces[index].Code.size() > 2) return false;
  for (int i = index - 1; i >= 0; --i) {
    if (pieces[i].Code.isEmpty()) continue;
    if (IsHour(pieces[i].Code)) return true;
    break;
  }
  for (int i = index + 1; i < pieces.size(); ++i) {
    if (pieces[i].Code.isEmpty()) continue;
    return IsSecond(pieces[i].Code);
  }
  return false;
}

bool HasHalfDay(const QVector<MaskPiece>& pieces) {
  for (const MaskPiece& piece : pieces)
    if (piece.Code == QLatin1String("am/pm") || piece.Code == QLatin1String("a/p")) return true;
  return false;
}

QString TwoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

QString FormatPiece(const QVector<MaskPiece>& pieces, int index, const QDateTime& value) {
  const QString& code = pieces[index].Code;
  const QDate date = value.date();
  const QTime time = value.time();
  const int weekday = date.dayOfWeek() % 7;  // Sunday 0
  const QChar first = code[0];
  const int length = code.size();
  if (first == QLatin1Char('d')) {
    if (length == 1) return QString::number(date.day());
    if (length == 2) return TwoDigits(date.day());
    if (length == 3) return QLatin1String(kShortWeekdays[weekday]);
    if (length == 4) return QLatin1String(kWeekdays[weekday]);
    if (length == 5) return date.toString(QStringLiteral("dd.MM.yyyy"));
    return QStringLiteral("%1, %2. %3 %4")
        .arg(QLatin1String(kWeekdays[weekday]))
        .arg(date.day())
        .arg(QString::fromUtf8(kMonths[date.month() - 1]))
        .arg(date.year());
  }
  if (first == QLatin1Char('m')) {
    if (MeansMinutes(pieces, index))
      return length == 1 ? QString::number(time.minute()) : TwoDigits(time.minute());
    if (length == 1) return QString::number(date.month());
    if (length == 2) return TwoDigits(date.month());
    if (length == 3) return QLatin1String(kShortMonths[date.month() - 1]);
    return QString::fromUtf8(kMonths[date.month() - 1]);
  }
  if (first == QLatin1Char('y')) {
    if (length == 1) return QString::number(date.dayOfYear());
    if (length <= 3) return TwoDigits(date.year() % 100);
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
  }
  if (first == QLatin1Char('h')) {
    int hour = time.hour();
    if (HasHalfDay(pieces)) hour = hour % 12 == 0 ? 12 : hour % 12;
    return length == 1 ? QString::number(hour) : TwoDigits(hour);
  }
  if (first == QLatin1Char('n'))
    return length == 1 ? QString::number(time.minute()) : TwoDigits(time.minute());
  if (first == QLatin1Char('s'))
    return length == 1 ? QString::number(time.second()) : TwoDigits(time.second());
  if (first == QLatin1Char('w'))
    return length == 1 ? QString::number(weekday + 1) : QString::number(date.weekNumber());
  if (first == QLatin1Char('q')) return QString::number((date.month() - 1) / 3 + 1);
  const bool morning = time.hour() < 12;
  const QString& written = pieces[index].Literal;
  if (code == QLatin1String("a/p")) {
    const QString letter = morning ? written.left(1) : written.right(1);
    return letter;
  }
  const QString half = morning ? written.left(2) : written.right(2);
  return half;
}

const QHash<QString, QString>& NamedDateFormats() {
  static const QHash<QString, QString> formats = {
      {"short date", "dd.mm.yyyy"}, {"medium date", "dd. mmm. yy"}, {"long date", "dddddd"},
      {"short time", "hh:nn"},      {"medium time", "hh:nn AM/PM"}, {"long time", "hh:nn:ss"}};
  return formats;
}

const QHash<QString, QString>& NamedNumberFormats() {
  static const QHash<QString, QString> formats = {
      {"general number", ""}, {"fixed", "0.00"}, {"standard", "#,##0.00"}, {"percent", "0.00%"}};
  return formats;
}

QString GroupThousands(const QString& digits) {
  QString grouped;
  for (int i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.append(QLatin1Char('.'));
    grouped.append(digits[i]);
  }
  return grouped;
}

}  // namespace

bool IsJetDateMask(const QString& Mask) {
  if (NamedDateFormats().contains(Mask.toLower()) ||
      Mask.compare(QLatin1String("general date"), Qt::CaseInsensitive) == 0)
    return true;
  for (const MaskPiece& piece : SplitDateMask(Mask))
    if (!piece.Code.isEmpty()) return true;
  return false;
}

QString FormatJetDate(double Days, const QString& Mask) {
  if (!IsJetDateInRange(Days)) return JetNumberText(Days);
  const QString named = Mask.toLower();
  if (named == QLatin1String("general date") || Mask.isEmpty()) return JetDateText(Days);
  const QString mask = NamedDateFormats().value(named, Mask);
  const QDateTime value = DateTimeFromDays(Days);
  const QVector<MaskPiece> pieces = SplitDateMask(mask);
  QString result;
  for (int i = 0; i < pieces.size(); ++i)
    result += pieces[i].Code.isEmpty() ? pieces[i].Literal : FormatPiece(pieces, i, value);
  return result;
}

QString FormatJetNumber(double Value, const QString& Mask) {
  const QString mask =
      NamedNumberFormats().value(Mask.toLower(), Mask.section(QLatin1Char(';'), 0, 0));
  if (mask.isEmpty()) return JetNumberText(Value);
  const int firstPlaceholder = mask.indexOf(QRegularExpression(QStringLiteral("[0#.,]")));
  const int lastPlaceholder = mask.lastIndexOf(QRegularExpression(QStringLiteral("[0#.,]")));
  if (firstPlaceholder < 0) return mask;
  const QString prefix = mask.left(firstPlaceholder);
  const QString suffix = mask.mid(lastPlaceholder + 1);
  const QString body = mask.mid(firstPlaceholder, lastPlaceholder - firstPlaceholder + 1);
  const int point = body.indexOf(QLatin1Char('.'));
  const QString integerPart = point < 0 ? body : body.left(point);
  const QString fractionPart = point < 0 ? QString() : body.mid(point + 1);
  const int decimals =
      int(fractionPart.count(QLatin1Char('0')) + fractionPart.count(QLatin1Char('#')));
  const int minimumIntegerDigits = int(integerPart.count(QLatin1Char('0')));
  const bool grouping = integerPart.contains(QLatin1Char(','));
  double value = Value;
  if (mask.contains(QLatin1Char('%'))) value *= 100;
  QString digits = QString::number(std::fabs(value), 'f', decimals);
  QString integerDigits = digits.section(QLatin1Char('.'), 0, 0);
  QString fraction = digits.section(QLatin1Char('.'), 1, 1);
  // '#' after the point drops trailing zeros beyond the '0' places.
  const int requiredDecimals = int(fractionPart.count(QLatin1Char('0')));
  while (fraction.size() > requiredDecimals && fraction.endsWith(QLatin1Char('0')))
    fraction.chop(1);
  integerDigits.remove(QRegularExpression(QStringLiteral("^0+")));
  while (integerDigits.size() < minimumIntegerDigits) integerDigits.prepend(QLatin1Char('0'));
  if (grouping) integerDigits = GroupThousands(integerDigits);
  QString number = integerDigits;
  if (!fraction.isEmpty()) number += QLatin1Char(',') + fraction;
  const bool negative = value < 0 && (number.contains(QRegularExpression(QStringLiteral("[1-9]"))));
  return (negative ? QStringLiteral("-") : QString()) + prefix + number + suffix;
}
