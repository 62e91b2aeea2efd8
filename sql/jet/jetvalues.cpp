#include "sql/jet/jetvalues.h"

#include <QRegularExpression>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr double kSecondsPerDay = 86400.0;

struct DateParts {
  int Year = 1899, Month = 12, Day = 30;
  int Hour = 0, Minute = 0, Second = 0;
};

int FullYear(const QString& digits) {
  const int year = digits.toInt();
  if (digits.size() > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<double> DaysOf(const DateParts& parts) {
  const QDate date(parts.Year, parts.Month, parts.Day);
  if (!date.isValid() || parts.Year < 100 || parts.Year > 9999) return std::nullopt;
  if (parts.Hour > 23 || parts.Minute > 59 || parts.Second > 59) return std::nullopt;
  const double day = double(kDayZero.daysTo(date));
  const double time = (parts.Hour * 3600 + parts.Minute * 60 + parts.Second) / kSecondsPerDay;
  // Jet keeps days before 1899 negative with the time counting away from zero.
  return day < 0 ? day - time : day + time;
}

void ReadTime(const QRegularExpressionMatch& match, int first, DateParts& parts) {
  if (match.captured(first).isEmpty()) return;
  parts.Hour = match.captured(first).toInt();
  parts.Minute = match.captured(first + 1).toInt();
  parts.Second = match.captured(first + 2).toInt();
}

const QString kTimePart = QStringLiteral("(?:[ T]+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?");

const char16_t kCp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                              0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                              0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                              0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAscii(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

QString SortBase(const QString& folded) {
  QString base;
  base.reserve(folded.size());
  for (QChar c : folded.normalized(QString::NormalizationForm_D)) {
    if (c.category() == QChar::Mark_NonSpacing) continue;
    if (c == QChar(0x00DF))
      base.append(QLatin1String("ss"));
    else
      base.append(c);
  }
  return base;
}

}  // namespace

double DaysFromDateTime(const QDateTime& Value) {
  const QDate date = Value.date();
  const QTime time = Value.time();
  const double day = double(kDayZero.daysTo(date));
  const double fraction = (time.msecsSinceStartOfDay() / 1000.0) / kSecondsPerDay;
  return day < 0 ? day - fraction : day + fraction;
}

bool IsJetDateInRange(double Days) {
  return std::isfinite(Days) && Days > -657435.0 && Days < 2958466.0;
}

QDateTime DateTimeFromDays(double Days) {
  if (!IsJetDateInRange(Days)) return QDateTime();
  double day = std::trunc(Days);
  qint64 seconds = qint64(std::llround(std::fabs(Days - day) * kSecondsPerDay));
  if (seconds >= 86400) {
    seconds -= 86400;
    day += Days < 0 ? -1 : 1;
  }
  return QDateTime(kDayZero.addDays(qint64(day)),
                   QTime::fromMSecsSinceStartOfDay(int(seconds * 1000)));
}

std::optional<double> ParseJetDateText(const QString& Text) {
  static const QRegularExpression german(
      QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}|\\d{2})") + kTimePart + "$");
  static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})") +
                                      kTimePart + "$");
  static const QRegularExpression timeOnly(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
  const QString text = Text.trimmed();
  DateParts parts;
  QRegularExpressionMatch match = german.match(text);
  if (match.hasMatch()) {
    parts.Day = match.captured(1).toInt();
    parts.Month = match.captured(2).toInt();
    parts.Year = FullYear(match.captured(3));
    ReadTime(match, 4, parts);
    return DaysOf(parts);
  }
  match = iso.match(text);
  if (match.hasMatch()) {
    parts.Year = match.captured(1).toInt();
    parts.Month = match.captured(2).toInt();
    parts.Day = match.captured(3).toInt();
    ReadTime(match, 4, parts);
    return DaysOf(parts);
  }
  match = timeOnly.match(text);
  if (match.hasMatch()) {
    ReadTime(match, 1, parts);
    return DaysOf(parts);
  }
  return std::nullopt;
}

std::optional<double> ParseJetDateLiteral(const QString& Text) {
  static const QRegularExpression us(
      QStringLiteral("^(\\d{1,2})/(\\d{1,2})/"
                     "(\\d{4}|\\d{2})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*(AM|PM)?)?$"),
      QRegularExpression::CaseInsensitiveOption);
  const QString text = Text.trimmed();
  const QRegularExpressionMatch match = us.match(text);
  if (!match.hasMatch()) return ParseJetDateText(text);
  DateParts parts;
  parts.Month = match.captured(1).toInt();
  parts.Day = match.captured(2).toInt();
  if (parts.Month > 12 && parts.Day <= 12) std::swap(parts.Month, parts.Day);
  parts.Year = FullYear(match.captured(3));
  ReadTime(match, 4, parts);
  const QString half = match.captured(7).toUpper();
  if (!half.isEmpty()) {
    if (parts.Hour < 1 || parts.Hour > 12) return std::nullopt;
    parts.Hour = parts.Hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
  }
  return DaysOf(parts);
}

std::optional<double> ParseJetNumber(const QString& Text) {
  static const QRegularExpression decimal(
      QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)([eE][+-]?\\d+)?$"));
  static const QRegularExpression hex(QStringLiteral("^&[hH]([0-9A-Fa-f]{1,8})$"));
  const QString text = Text.trimmed();
  if (decimal.match(text).hasMatch()) {
    bool ok = false;
    const double value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (ok && std::isfinite(value)) return value;
    return std::nullopt;
  }
  const QRegularExpressionMatch match = hex.match(text);
  if (match.hasMatch()) return double(qint32(match.captured(1).toUInt(nullptr, 16)));
  return std::nullopt;
}

QString JetNumberText(double Value) {
  if (std::isfinite(Value) && Value == std::trunc(Value) && std::fabs(Value) < 1e15)
    return QString::number(qint64(Value));
  QString text = QString::number(Value, 'g', 15).toUpper();
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString JetDateText(double Days) {
  if (!IsJetDateInRange(Days)) return JetNumberText(Days);
  const QDateTime value = DateTimeFromDays(Days);
  const bool hasTime = value.time().msecsSinceStartOfDay() != 0;
  if (std::trunc(Days) == 0 && hasTime) return value.time().toString(QStringLiteral("HH:mm:ss"));
  if (!hasTime) return value.date().toString(QStringLiteral("dd.MM.yyyy"));
  return value.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString JetBooleanText(bool Value) {
  return Value ? QStringLiteral("Wahr") : QStringLiteral("Falsch");
}

double BankersRound(double Value) { return std::nearbyint(Value); }

std::optional<QChar> AnsiCharacter(int Code) {
  if (Code < 0 || Code > 255) return std::nullopt;
  if (Code >= 0x80 && Code < 0xA0) return QChar(kCp1252[Code - 0x80]);
  return QChar(Code);
}

int AnsiCode(QChar Character) {
  const int unicode = Character.unicode();
  if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) return unicode;
  for (int i = 0; i < 32; ++i)
    if (kCp1252[i] == Character.unicode()) return 0x80 + i;
  return '?';
}

int JetCompareText(const QString& Left, const QString& Right) {
  const QString left = Left.toCaseFolded();
  const QString right = Right.toCaseFolded();
  if (left == right) return 0;
  // Plain ASCII needs no umlaut handling; most keys are plain.
  if (IsAscii(left) && IsAscii(right)) return left.compare(right) < 0 ? -1 : 1;
  const int byBase = SortBase(left).compare(SortBase(right));
  if (byBase != 0) return byBase < 0 ? -1 : 1;
  return left.compare(right) < 0 ? -1 : 1;
}
