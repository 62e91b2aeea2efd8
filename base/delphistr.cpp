#include "base/delphistr.h"

#include <cmath>
#include <limits>

namespace {
bool IsBlank(QChar c) { return c.unicode() <= 32; }

QString GroupThousands(const QString& digits) {
  QString grouped;
  const int count = digits.size();
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) grouped += QLatin1Char('.');
    grouped += digits[i];
  }
  return grouped;
}

bool IsAllZero(const QString& digits) {
  for (QChar c : digits)
    if (c.isDigit() && c != QLatin1Char('0')) return false;
  return true;
}

QString FormatFixed(double value, int precision, bool grouped) {
  const QString text = QString::number(std::fabs(value), 'f', precision);
  QString integerPart = text.section(QLatin1Char('.'), 0, 0);
  const QString fraction = text.section(QLatin1Char('.'), 1, 1);
  if (grouped) integerPart = GroupThousands(integerPart);
  QString result = integerPart;
  if (!fraction.isEmpty()) result += QLatin1Char(',') + fraction;
  if (value < 0 && !IsAllZero(result)) result.prepend(QLatin1Char('-'));
  return result;
}

bool IsNumeric(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::Char:
    case QMetaType::Long:
    case QMetaType::ULong:
      return true;
    default:
      return false;
  }
}

bool IsIntegral(const QVariant& value) {
  return IsNumeric(value) && value.typeId() != QMetaType::Double &&
         value.typeId() != QMetaType::Float;
}

struct Specifier {
  bool leftJustify = false;
  int width = -1;
  int precision = -1;
  QChar letter;
};

// Renders one argument; returns false when the letter does not fit the value.
bool RenderArgument(const Specifier& spec, const QVariant& arg, QString& out) {
  switch (spec.letter.toLower().unicode()) {
    case 's':
      out = arg.toString();
      if (spec.precision >= 0) out = out.left(spec.precision);
      return true;
    case 'd':
    case 'u': {
      if (!IsIntegral(arg)) return false;
      out = QString::number(arg.toLongLong());
      if (spec.precision > 0) {
        const bool negative = out.startsWith(QLatin1Char('-'));
        QString digits = negative ? out.mid(1) : out;
        digits = digits.rightJustified(spec.precision, QLatin1Char('0'));
        out = negative ? QLatin1Char('-') + digits : digits;
      }
      return true;
    }
    case 'x':
      if (!IsIntegral(arg)) return false;
      out = QString::number(arg.toULongLong() & 0xffffffffULL, 16).toUpper();
      if (spec.precision > 0) out = out.rightJustified(spec.precision, QLatin1Char('0'));
      return true;
    case 'f':
    case 'n':
      if (!IsNumeric(arg)) return false;
      out = FormatFixed(arg.toDouble(), spec.precision < 0 ? 2 : spec.precision,
                        spec.letter.toLower() == QLatin1Char('n'));
      return true;
    case 'e':
    case 'g':
      if (!IsNumeric(arg)) return false;
      out = QString::number(arg.toDouble(), spec.letter.toLower().toLatin1(),
                            spec.precision < 0 ? 15 : spec.precision)
                .replace(QLatin1Char('.'), QLatin1Char(','));
      return true;
    default:
      return false;
  }
}

// Reads "[-][width][.precision]letter" after a '%'; returns the index after the letter or
// -1 when the text is not a specifier.
int ParseSpecifier(const QString& pattern, int pos, Specifier& spec) {
  if (pos < pattern.size() && pattern[pos] == QLatin1Char('-')) {
    spec.leftJustify = true;
    ++pos;
  }
  auto readNumber = [&](int& value) {
    int start = pos;
    while (pos < pattern.size() && pattern[pos].isDigit()) ++pos;
    if (pos > start) value = pattern.mid(start, pos - start).toInt();
  };
  readNumber(spec.width);
  if (pos < pattern.size() && pattern[pos] == QLatin1Char('.')) {
    ++pos;
    spec.precision = 0;
    readNumber(spec.precision);
  }
  if (pos >= pattern.size()) return -1;
  spec.letter = pattern[pos];
  return pos + 1;
}
}  // namespace

QString TrimLeft(const QString& S) {
  int start = 0;
  while (start < S.size() && IsBlank(S[start])) ++start;
  return S.mid(start);
}

QString TrimRight(const QString& S) {
  int end = S.size();
  while (end > 0 && IsBlank(S[end - 1])) --end;
  return S.left(end);
}

QString Trim(const QString& S) { return TrimLeft(TrimRight(S)); }

int StrToIntDef(const QString& S, int Default) {
  QString text = TrimLeft(S);
  bool negative = false;
  if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
    negative = text.startsWith(QLatin1Char('-'));
    text = text.mid(1);
  }
  int base = 10;
  if (text.startsWith(QLatin1Char('$'))) {
    base = 16;
    text = text.mid(1);
  } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    base = 16;
    text = text.mid(2);
  }
  if (text.isEmpty()) return Default;
  for (QChar c : text) {
    const bool digit = base == 10 ? c.isDigit() && c.unicode() < 128
                                  : QStringLiteral("0123456789abcdefABCDEF").contains(c);
    if (!digit) return Default;
  }
  bool ok = false;
  const qulonglong magnitude = text.toULongLong(&ok, base);
  if (!ok) return Default;
  const qulonglong limit = negative ? qulonglong(std::numeric_limits<int>::max()) + 1
                                    : qulonglong(std::numeric_limits<int>::max());
  if (magnitude > limit) return Default;
  return negative ? int(-qint64(magnitude)) : int(magnitude);
}

double StrToFloatDef(const QString& S, double Default) {
  QString text = Trim(S);
  if (text.isEmpty() || text.contains(QLatin1Char('.'))) return Default;
  text.replace(QLatin1Char(','), QLatin1Char('.'));
  for (QChar c : text)
    if (!(c.isDigit() || QStringLiteral("+-.eE").contains(c)) || c.unicode() >= 128)
      return Default;
  bool ok = false;
  const double value = text.toDouble(&ok);
  return ok && std::isfinite(value) ? value : Default;
}

QString Format(const QString& Pattern, std::initializer_list<QVariant> Args) {
  const QVector<QVariant> args(Args);
  QString result;
  int next = 0;
  int pos = 0;
  while (pos < Pattern.size()) {
    const QChar c = Pattern[pos];
    if (c != QLatin1Char('%')) {
      result += c;
      ++pos;
      continue;
    }
    if (pos + 1 < Pattern.size() && Pattern[pos + 1] == QLatin1Char('%')) {
      result += QLatin1Char('%');
      pos += 2;
      continue;
    }
    Specifier spec;
    const int end = ParseSpecifier(Pattern, pos + 1, spec);
    QString rendered;
    if (end < 0 || next >= args.size() || !RenderArgument(spec, args[next], rendered)) {
      const int stop = end < 0 ? Pattern.size() : end;
      result += Pattern.mid(pos, stop - pos);
      pos = stop;
      continue;
    }
    ++next;
    if (spec.width > rendered.size())
      rendered = spec.leftJustify ? rendered.leftJustified(spec.width)
                                  : rendered.rightJustified(spec.width);
    result += rendered;
    pos = end;
  }
  return result;
}
