#include "sql/varianttext.h"

#include <QDateTime>
#include <cmath>

namespace {
constexpr int kSignificantDigits = 15;
const QDate kDelphiDayZero(1899, 12, 30);

QString DateTimeText(const QDate& date, const QTime& time) {
  QString text = date.toString(QStringLiteral("dd.MM.yyyy"));
  if (time.isValid() && time != QTime(0, 0)) text += time.toString(QStringLiteral(" HH:mm:ss"));
  return text;
}

bool IsArray(const QVariant& value) {
  const int type = value.typeId();
  return type == QMetaType::QByteArray || type == QMetaType::QVariantList ||
         type == QMetaType::QStringList;
}

QString ScientificText(double value) {
  // Mantissa with trailing zeros removed, exponent without "+" and leading zeros.
  const QString text = QString::number(value, 'e', kSignificantDigits - 1);
  const int e = text.indexOf(QLatin1Char('e'));
  QString mantissa = text.left(e);
  if (mantissa.contains(QLatin1Char('.'))) {
    while (mantissa.endsWith(QLatin1Char('0'))) mantissa.chop(1);
    if (mantissa.endsWith(QLatin1Char('.'))) mantissa.chop(1);
  }
  return mantissa + QLatin1Char('E') + QString::number(text.mid(e + 1).toInt());
}

QString FixedText(double value, int exponent) {
  QString text = QString::number(value, 'f', qMax(0, kSignificantDigits - 1 - exponent));
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  return text;
}
}  // namespace

QString FloatToText(double Value) {
  if (std::isnan(Value)) return QStringLiteral("NAN");
  if (std::isinf(Value)) return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (Value == 0) return QStringLiteral("0");
  // The exponent after rounding to 15 digits decides the form (9.999...95 becomes 1E1).
  const QString rounded = QString::number(Value, 'e', kSignificantDigits - 1);
  const int exponent = rounded.mid(rounded.indexOf(QLatin1Char('e')) + 1).toInt();
  const bool fixed = exponent >= -4 && exponent < kSignificantDigits;
  QString text = fixed ? FixedText(Value, exponent) : ScientificText(Value);
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString VariantToText(const QVariant& Value, bool& Ok) {
  Ok = true;
  if (Value.isNull()) return QString();
  switch (Value.typeId()) {
    case QMetaType::Bool:
      return Value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
      return FloatToText(Value.toDouble());
    case QMetaType::QDateTime: {
      const QDateTime dateTime = Value.toDateTime();
      return DateTimeText(dateTime.date(), dateTime.time());
    }
    case QMetaType::QDate:
      return DateTimeText(Value.toDate(), QTime());
    case QMetaType::QTime:
      return DateTimeText(kDelphiDayZero, Value.toTime());
    default:
      break;
  }
  if (IsArray(Value) || !Value.canConvert<QString>()) {
    Ok = false;
    return QString();
  }
  return Value.toString();
}

QStringList ArrayElementTexts(const QVariant& Value, bool& Ok) {
  QStringList texts;
  Ok = true;
  if (Value.typeId() == QMetaType::QByteArray) {
    for (char byte : Value.toByteArray()) texts << QString::number(quint8(byte));
    return texts;
  }
  if (!IsArray(Value)) {
    Ok = false;
    return texts;
  }
  for (const QVariant& element : Value.toList()) {
    const QString text = VariantToText(element, Ok);
    if (!Ok) break;
    texts << text;
  }
  return texts;
}
