#include "sql/jet/jetfunctions.h"

#include <sqlite3.h>

#include <QHash>
#include <QRegularExpression>
#include <QVariant>
#include <QVector>
#include <cmath>
#include <limits>
#include <optional>

#include "sql/jet/jetcompiler.h"
#include "sql/jet/jetformat.h"
#include "sql/jet/jettypes.h"
#include "sql/jet/jetvalues.h"

namespace {

// Raised inside a function; the wrapper turns it into the statement's error.
struct FunctionError {
  QString Message;
};

[[noreturn]] void Fail(const QString& message) { throw FunctionError{message}; }

[[noreturn]] void FailInvalidNull(const char* function) {
  Fail(QStringLiteral("Unzulässige Verwendung von Null in %1.").arg(QLatin1String(function)));
}

[[noreturn]] void FailInvalidArgument(const char* function) {
  Fail(QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument in %1.")
           .arg(QLatin1String(function)));
}

using Args = QVector<QVariant>;

// --- reading values ------------------------------------------------------------------------

QVariant ValueOf(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return qlonglong(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
      return sqlite3_value_double(value);
    case SQLITE_TEXT:
      return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                               sqlite3_value_bytes(value));
    case SQLITE_BLOB:
      return QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                        sqlite3_value_bytes(value));
    default:
      return QVariant();
  }
}

bool IsNumber(const QVariant& value) {
  return value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Double;
}

QString Shown(const QVariant& value) {
  const QString text = value.toString();
  return text.size() > 40 ? text.left(40) + QStringLiteral("...") : text;
}

// A number from any value; text must read as one. NULL stays empty.
std::optional<double> NumberOf(const QVariant& value, const char* function) {
  if (value.isNull()) return std::nullopt;
  if (IsNumber(value)) return value.toDouble();
  if (value.typeId() == QMetaType::QString) {
    const std::optional<double> number = ParseJetNumber(value.toString());
    if (number) return number;
  }
  Fail(QStringLiteral("Typen unverträglich: \"%1\" ist keine Zahl (%2).")
           .arg(Shown(value), QLatin1String(function)));
}

double RequireNumber(const QVariant& value, const char* function) {
  const std::optional<double> number = NumberOf(value, function);
  if (!number) FailInvalidNull(function);
  return *number;
}

double InDateRange(double days, const char* function) {
  if (!IsJetDateInRange(days))
    Fail(QStringLiteral("Überlauf in %1: %2 liegt außerhalb des Datumsbereichs.")
             .arg(QLatin1String(function), JetNumberText(days)));
  return days;
}

// A day number from a date, a number or a date text.
std::optional<double> DaysOf(const QVariant& value, const char* function) {
  if (value.isNull()) return std::nullopt;
  if (IsNumber(value)) return InDateRange(value.toDouble(), function);
  if (value.typeId() == QMetaType::QString) {
    const std::optional<double> days = ParseJetDateText(value.toString());
    if (days) return days;
  }
  Fail(QStringLiteral("Typen unverträglich: \"%1\" ist kein Datum (%2).")
           .arg(Shown(value), QLatin1String(function)));
}

// Text of a value the way CStr writes it; Kind says how a stored number is meant.
QString TextOf(const QVariant& value, int kind) {
  if (value.typeId() == QMetaType::QString) return value.toString();
  if (value.typeId() == QMetaType::QByteArray) return QString::fromLatin1(value.toByteArray());
  if (kind == 1) return JetDateText(value.toDouble());
  if (kind == 2) return JetBooleanText(value.toDouble() != 0);
  return JetNumberText(value.toDouble());
}

QString TextArg(const Args& args, int index) { return TextOf(args[index], 0); }

qint64 IntegerArg(const Args& args, int index, const char* function) {
  const double number = BankersRound(RequireNumber(args[index], function));
  if (std::fabs(number) > 2147483647.0) FailInvalidArgument(function);
  return qint64(number);
}

QVariant Whole(double value) {
  if (!(value > -9.2e18 && value < 9.2e18))
    Fail(QStringLiteral("Überlauf: %1 ist keine darstellbare ganze Zahl.")
             .arg(JetNumberText(value)));
  return qlonglong(value);
}

QVariant RangeChecked(double value, double low, double high, const char* function) {
  const double rounded = BankersRound(value);
  if (rounded < low || rounded > high)
    Fail(QStringLiteral("Überlauf in %1: %2 liegt außerhalb des Wertebereichs.")
             .arg(QLatin1String(function), JetNumberText(value)));
  return Whole(rounded);
}

// --- text functions ----------------------------------------------------------------------

QVariant Mid(const Args& args) {
  if (args[0].isNull()) return QVariant();
  const qint64 start = IntegerArg(args, 1, "MID");
  if (start < 1) FailInvalidArgument("MID");
  const QString text = TextArg(args, 0);
  if (args.size() < 3) return text.mid(start - 1);
  const qint64 length = IntegerArg(args, 2, "MID");
  if (length < 0) FailInvalidArgument("MID");
  return start - 1 >= text.size() ? QString() : text.mid(start - 1, length);
}

QVariant Left(const Args& args) {
  if (args[0].isNull()) return QVariant();
  const qint64 length = IntegerArg(args, 1, "LEFT");
  if (length < 0) FailInvalidArgument("LEFT");
  return TextArg(args, 0).left(length);
}

QVariant Right(const Args& args) {
  if (args[0].isNull()) return QVariant();
  const qint64 length = IntegerArg(args, 1, "RIGHT");
  if (length < 0) FailInvalidArgument("RIGHT");
  return TextArg(args, 0).right(length);
}

QVariant Len(const Args& args) {
  if (args[0].isNull()) return QVariant();
  return qlonglong(TextArg(args, 0).size());
}

QVariant TrimSpaces(const Args& args, bool left, bool right) {
  if (args[0].isNull()) return QVariant();
  const QString text = TextArg(args, 0);
  qsizetype begin = 0, end = text.size();
  while (left && begin < end && text[begin] == QLatin1Char(' ')) ++begin;
  while (right && end > begin && text[end - 1] == QLatin1Char(' ')) --end;
  return text.mid(begin, end - begin);
}

QVariant Instr(const Args& args) {
  if (args[1].isNull() || args[2].isNull()) return QVariant();
  const qint64 start = IntegerArg(args, 0, "INSTR");
  if (start < 1) FailInvalidArgument("INSTR");
  const QString text = TextArg(args, 1);
  const QString search = TextArg(args, 2);
  const Qt::CaseSensitivity sensitivity = args[3].isNull() || RequireNumber(args[3], "INSTR") != 0
                                              ? Qt::CaseInsensitive
                                              : Qt::CaseSensitive;
  if (start > text.size())
    return qlonglong(search.isEmpty() && start == text.size() + 1 ? start : 0);
  return qlonglong(text.indexOf(search, start - 1, sensitivity) + 1);
}

QVariant Chr(const Args& args) {
  const qint64 code = IntegerArg(args, 0, "CHR");
  const std::optional<QChar> character =
      AnsiCharacter(int(qBound<qint64>(qint64(-1), code, qint64(256))));
  if (!character) FailInvalidArgument("CHR");
  return QString(*character);
}

QVariant Asc(const Args& args) {
  if (args[0].isNull()) FailInvalidNull("ASC");
  const QString text = TextArg(args, 0);
  if (text.isEmpty()) FailInvalidArgument("ASC");
  return qlonglong(AnsiCode(text[0]));
}

QVariant Space(const Args& args) {
  const qint64 count = IntegerArg(args, 0, "SPACE");
  if (count < 0 || count > 1000000) FailInvalidArgument("SPACE");
  return QString(count, QLatin1Char(' '));
}

QVariant Replace(const Args& args) {
  if (args[0].isNull()) FailInvalidNull("REPLACE");
  const QString find = TextArg(args, 1);
  if (find.isEmpty()) return TextArg(args, 0);
  return TextArg(args, 0).replace(find, TextArg(args, 2), Qt::CaseSensitive);
}

QVariant Val(const Args& args) {
  if (args[0].isNull()) FailInvalidNull("VAL");
  // Val reads the leading number, ignores blanks inside it and always uses the point.
  static const QRegularExpression leading(
      QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?"));
  const QString text = TextArg(args, 0).remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
  const QRegularExpressionMatch match = leading.match(text);
  return match.hasMatch() ? match.captured(0).toDouble() : 0.0;
}

// --- conversions -------------------------------------------------------------------------

QVariant CStr(const Args& args) {
  if (args[0].isNull()) FailInvalidNull("CSTR");
  return TextOf(args[0], int(args[1].toLongLong()));
}

QVariant Text(const Args& args) {
  if (args[0].isNull()) return QVariant();
  return TextOf(args[0], int(args[1].toLongLong()));
}

QVariant CLng(const Args& args) {
  return RangeChecked(RequireNumber(args[0], "CLNG"), -2147483648.0, 2147483647.0, "CLNG");
}
QVariant CInt(const Args& args) {
  return RangeChecked(RequireNumber(args[0], "CINT"), -32768.0, 32767.0, "CINT");
}
QVariant CByte(const Args& args) {
  return RangeChecked(RequireNumber(args[0], "CBYTE"), 0.0, 255.0, "CBYTE");
}
QVariant CDbl(const Args& args) { return RequireNumber(args[0], "CDBL"); }
QVariant CSng(const Args& args) { return double(float(RequireNumber(args[0], "CSNG"))); }
QVariant CCur(const Args& args) {
  return std::nearbyint(RequireNumber(args[0], "CCUR") * 10000.0) / 10000.0;
}

QVariant CBool(const Args& args) {
  if (args[0].isNull()) FailInvalidNull("CBOOL");
  if (args[0].typeId() == QMetaType::QString) {
    const QString text = args[0].toString().trimmed();
    if (text.compare(QLatin1String("Wahr"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
      return qlonglong(-1);
    if (text.compare(QLatin1String("Falsch"), Qt::CaseInsensitive) == 0 ||
        text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
      return qlonglong(0);
  }
  return qlonglong(RequireNumber(args[0], "CBOOL") != 0 ? -1 : 0);
}

QVariant CDate(const Args& args) {
  const std::optional<double> days = DaysOf(args[0], "CDATE");
  if (!days) FailInvalidNull("CDATE");
  return *days;
}

QVariant ToDate(const Args& args) {
  const std::optional<double> days = DaysOf(args[0], "CDATE");
  return days ? QVariant(*days) : QVariant();
}

QVariant Num(const Args& args) {
  if (args[0].isNull() || IsNumber(args[0])) return args[0];
  const std::optional<double> number =
      args[0].typeId() == QMetaType::QString ? ParseJetNumber(args[0].toString()) : std::nullopt;
  if (!number)
    Fail(QStringLiteral("Datentypen in Kriterienausdruck unverträglich: \"%1\" ist keine Zahl.")
             .arg(Shown(args[0])));
  return *number;
}

// --- dates ---------------------------------------------------------------------------------

template <int (*Part)(const QDateTime&)>
QVariant DatePart(const Args& args) {
  const std::optional<double> days = DaysOf(args[0], "DATEPART");
  if (!days) return QVariant();
  return qlonglong(Part(DateTimeFromDays(*days)));
}
int YearOf(const QDateTime& value) { return value.date().year(); }
int MonthOf(const QDateTime& value) { return value.date().month(); }
int DayOf(const QDateTime& value) { return value.date().day(); }
int HourOf(const QDateTime& value) { return value.time().hour(); }
int MinuteOf(const QDateTime& value) { return value.time().minute(); }
int SecondOf(const QDateTime& value) { return value.time().second(); }
int WeekdayOf(const QDateTime& value) { return value.date().dayOfWeek() % 7 + 1; }

QVariant DateValue(const Args& args) {
  const std::optional<double> days = DaysOf(args[0], "DATEVALUE");
  if (!days) FailInvalidNull("DATEVALUE");
  return std::trunc(*days);
}

QVariant TimeValue(const Args& args) {
  const std::optional<double> days = DaysOf(args[0], "TIMEVALUE");
  if (!days) FailInvalidNull("TIMEVALUE");
  return std::fabs(*days - std::trunc(*days));
}

QVariant Now(const Args&) {
  const QDateTime now = QDateTime::currentDateTime();
  return DaysFromDateTime(
      QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second())));
}
QVariant Today(const Args&) {
  return DaysFromDateTime(QDateTime(QDate::currentDate(), QTime(0, 0)));
}
QVariant TimeNow(const Args&) {
  const QTime now = QTime::currentTime();
  return (now.hour() * 3600 + now.minute() * 60 + now.second()) / 86400.0;
}

QVariant Format(const Args& args) {
  if (args[0].isNull()) return QVariant();
  const int kind = int(args[1].toLongLong());
  const QString mask = args.size() > 2 ? TextOf(args[2], 0) : QString();
  if (mask.isEmpty()) return TextOf(args[0], kind);
  if (IsJetDateMask(mask)) {
    if (kind == 1 || IsNumber(args[0]))
      return FormatJetDate(InDateRange(args[0].toDouble(), "FORMAT"), mask);
    const std::optional<double> days = ParseJetDateText(TextOf(args[0], kind));
    return days ? FormatJetDate(*days, mask) : TextOf(args[0], kind);
  }
  const std::optional<double> number = IsNumber(args[0]) ? std::optional<double>(args[0].toDouble())
                                                         : ParseJetNumber(TextOf(args[0], kind));
  return number ? FormatJetNumber(*number, mask) : TextOf(args[0], kind);
}

// --- arithmetic ----------------------------------------------------------------------------

QVariant Plus(const Args& args) {
  if (args[0].isNull() || args[2].isNull()) return QVariant();
  if (IsNumber(args[0]) && IsNumber(args[2])) {
    qlonglong sum = 0;
    if (args[0].typeId() == QMetaType::LongLong && args[2].typeId() == QMetaType::LongLong &&
        !__builtin_add_overflow(args[0].toLongLong(), args[2].toLongLong(), &sum))
      return sum;
    return args[0].toDouble() + args[2].toDouble();
  }
  return TextOf(args[0], int(args[1].toLongLong())) + TextOf(args[2], int(args[3].toLongLong()));
}

QVariant Divide(const Args& args) {
  const std::optional<double> left = NumberOf(args[0], "/");
  const std::optional<double> right = NumberOf(args[1], "/");
  if (!left || !right) return QVariant();
  if (*right == 0) Fail(QStringLiteral("Division durch Null."));
  return *left / *right;
}

QVariant IntegerDivide(const Args& args) {
  const std::optional<double> left = NumberOf(args[0], "\\");
  const std::optional<double> right = NumberOf(args[1], "\\");
  if (!left || !right) return QVariant();
  const double divisor = BankersRound(*right);
  if (divisor == 0) Fail(QStringLiteral("Division durch Null."));
  return Whole(std::trunc(BankersRound(*left) / divisor));
}

QVariant Modulo(const Args& args) {
  const std::optional<double> left = NumberOf(args[0], "MOD");
  const std::optional<double> right = NumberOf(args[1], "MOD");
  if (!left || !right) return QVariant();
  const double divisor = BankersRound(*right);
  if (divisor == 0) Fail(QStringLiteral("Division durch Null."));
  return Whole(std::fmod(BankersRound(*left), divisor));
}

QVariant Power(const Args& args) {
  const std::optional<double> left = NumberOf(args[0], "^");
  const std::optional<double> right = NumberOf(args[1], "^");
  if (!left || !right) return QVariant();
  const double result = std::pow(*left, *right);
  if (!std::isfinite(result)) FailInvalidArgument("^");
  return result;
}

QVariant KeepIntegers(const QVariant& original, double value) {
  if (original.typeId() == QMetaType::LongLong) return Whole(value);
  return value;
}

QVariant Int(const Args& args) {
  const std::optional<double> number = NumberOf(args[0], "INT");
  return number ? KeepIntegers(args[0], std::floor(*number)) : QVariant();
}
QVariant Fix(const Args& args) {
  const std::optional<double> number = NumberOf(args[0], "FIX");
  return number ? KeepIntegers(args[0], std::trunc(*number)) : QVariant();
}
QVariant Abs(const Args& args) {
  const std::optional<double> number = NumberOf(args[0], "ABS");
  return number ? KeepIntegers(args[0], std::fabs(*number)) : QVariant();
}
QVariant Round(const Args& args) {
  const std::optional<double> number = NumberOf(args[0], "ROUND");
  if (!number) return QVariant();
  const qint64 places = args.size() > 1 ? IntegerArg(args, 1, "ROUND") : 0;
  if (places < 0 || places > 15) FailInvalidArgument("ROUND");
  const double scale = std::pow(10.0, double(places));
  return BankersRound(*number * scale) / scale;
}

// --- LIKE ----------------------------------------------------------------------------------

// Jet's wildcards: % and * for any text, _ and ? for one character, [abc], [a-z] and [!abc]
// for a character class; "[*]" matches a literal star. Text compares without case.
QString LikePatternToRegex(const QString& pattern) {
  QString regex = QStringLiteral("^");
  for (int i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == QLatin1Char('%') || c == QLatin1Char('*')) {
      regex += QStringLiteral(".*");
    } else if (c == QLatin1Char('_') || c == QLatin1Char('?')) {
      regex += QLatin1Char('.');
    } else if (c == QLatin1Char('[')) {
      const int close = pattern.indexOf(QLatin1Char(']'), i + 1);
      if (close < 0) Fail(QStringLiteral("Ungültiges Muster in LIKE: \"[\" ohne \"]\"."));
      QString members = pattern.mid(i + 1, close - i - 1);
      QString cls = QStringLiteral("[");
      if (members.startsWith(QLatin1Char('!'))) {
        cls += QLatin1Char('^');
        members.remove(0, 1);
      }
      if (members.isEmpty())
        Fail(QStringLiteral("Ungültiges Muster in LIKE: leere Zeichenklasse."));
      for (QChar member : members)
        cls += member == QLatin1Char('-') ? QString(member)
                                          : QRegularExpression::escape(QString(member));
      regex += cls + QLatin1Char(']');
      i = close;
    } else {
      regex += QRegularExpression::escape(QString(c));
    }
  }
  return regex + QLatin1Char('$');
}

void LikeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  auto* regex = static_cast<QRegularExpression*>(sqlite3_get_auxdata(context, 1));
  if (!regex) {
    try {
      const QString pattern = ValueOf(argv[1]).toString().toCaseFolded();
      regex = new QRegularExpression(LikePatternToRegex(pattern),
                                     QRegularExpression::DotMatchesEverythingOption);
    } catch (const FunctionError& error) {
      sqlite3_result_error(context, error.Message.toUtf8().constData(), -1);
      return;
    }
    if (!regex->isValid()) {
      delete regex;
      sqlite3_result_error(context, "Ungültiges Muster in LIKE.", -1);
      return;
    }
    sqlite3_set_auxdata(context, 1, regex,
                        [](void* p) { delete static_cast<QRegularExpression*>(p); });
    regex = static_cast<QRegularExpression*>(sqlite3_get_auxdata(context, 1));
    if (!regex) {
      sqlite3_result_error_nomem(context);
      return;
    }
  }
  const QString value = ValueOf(argv[0]).toString().toCaseFolded();
  sqlite3_result_int(context, regex->match(value).hasMatch() ? 1 : 0);
}

// --- values into columns -------------------------------------------------------------------

[[noreturn]] void FailColumnType(const QVariant& value, const QString& column) {
  Fail(QStringLiteral("Der Wert \"%1\" passt nicht zum Datentyp des Feldes \"%2\".")
           .arg(Shown(value), column));
}

double ColumnNumber(const QVariant& value, const QString& column) {
  if (IsNumber(value)) return value.toDouble();
  if (value.typeId() == QMetaType::QString) {
    const std::optional<double> number = ParseJetNumber(value.toString());
    if (number) return *number;
  }
  FailColumnType(value, column);
}

QVariant ColumnInteger(double value, double low, double high, const QString& column) {
  const double rounded = BankersRound(value);
  if (rounded < low || rounded > high)
    Fail(QStringLiteral("Überlauf: der Wert %1 passt nicht in das Feld \"%2\".")
             .arg(JetNumberText(value), column));
  return Whole(rounded);
}

// jet_to(value, kind, type name, size, "table.column")
QVariant ToColumn(const Args& args) {
  const QVariant& value = args[0];
  if (value.isNull()) return QVariant();
  const int kind = int(args[1].toLongLong());
  JetType type = JetType::Variant;
  JetTypeFromName(args[2].toString(), type);
  const int size = int(args[3].toLongLong());
  const QString column = args[4].toString();
  switch (type) {
    case JetType::Text:
    case JetType::Memo: {
      const QString text = TextOf(value, kind);
      if (type == JetType::Text && text.size() > size)
        Fail(QStringLiteral("Der Text für das Feld \"%1\" ist mit %2 Zeichen länger als die "
                            "erlaubten %3 Zeichen.")
                 .arg(column)
                 .arg(text.size())
                 .arg(size));
      return text;
    }
    case JetType::Long:
      return ColumnInteger(ColumnNumber(value, column), -2147483648.0, 2147483647.0, column);
    case JetType::Short:
      return ColumnInteger(ColumnNumber(value, column), -32768.0, 32767.0, column);
    case JetType::Byte:
      return ColumnInteger(ColumnNumber(value, column), 0.0, 255.0, column);
    case JetType::Single:
    case JetType::Double:
      return ColumnNumber(value, column);
    case JetType::Currency:
      return std::nearbyint(ColumnNumber(value, column) * 10000.0) / 10000.0;
    case JetType::Boolean:
      if (value.typeId() == QMetaType::QString) return CBool({value});
      return qlonglong(ColumnNumber(value, column) != 0 ? -1 : 0);
    case JetType::DateTime: {
      if (IsNumber(value)) return InDateRange(value.toDouble(), "CDATE");
      const std::optional<double> days =
          value.typeId() == QMetaType::QString ? ParseJetDateText(value.toString()) : std::nullopt;
      if (!days) FailColumnType(value, column);
      return *days;
    }
    case JetType::Binary: {
      if (value.typeId() == QMetaType::QByteArray) return value;
      if (value.typeId() != QMetaType::QString) FailColumnType(value, column);
      const QString text = value.toString();
      for (QChar c : text)
        if (c.unicode() > 0xFF) FailColumnType(value, column);
      return text.toLatin1();
    }
    case JetType::Variant:
      break;
  }
  return value;
}

// --- registration ----------------------------------------------------------------------------

using Function = QVariant (*)(const Args&);

void SetResult(sqlite3_context* context, const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::LongLong:
      sqlite3_result_int64(context, value.toLongLong());
      return;
    case QMetaType::Double:
      sqlite3_result_double(context, value.toDouble());
      return;
    case QMetaType::QString: {
      const QByteArray utf8 = value.toString().toUtf8();
      sqlite3_result_text64(context, utf8.constData(), sqlite3_uint64(utf8.size()),
                            SQLITE_TRANSIENT, SQLITE_UTF8);
      return;
    }
    case QMetaType::QByteArray: {
      const QByteArray bytes = value.toByteArray();
      sqlite3_result_blob64(context, bytes.constData(), sqlite3_uint64(bytes.size()),
                            SQLITE_TRANSIENT);
      return;
    }
    default:
      sqlite3_result_null(context);
  }
}

void CallFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const auto function = reinterpret_cast<Function>(sqlite3_user_data(context));
  Args args;
  args.reserve(argc);
  for (int i = 0; i < argc; ++i) args.append(ValueOf(argv[i]));
  try {
    SetResult(context, function(args));
  } catch (const FunctionError& error) {
    sqlite3_result_error(context, error.Message.toUtf8().constData(), -1);
  }
}

int CompareText(void*, int leftBytes, const void* left, int rightBytes, const void* right) {
  return JetCompareText(QString(static_cast<const QChar*>(left), leftBytes / int(sizeof(QChar))),
                        QString(static_cast<const QChar*>(right), rightBytes / int(sizeof(QChar))));
}

struct Registration {
  const char* Name;
  int Args;
  Function Call;
  bool Deterministic;
};

const Registration kFunctions[] = {
    {"jet_mid", 2, Mid, true},
    {"jet_mid", 3, Mid, true},
    {"jet_left", 2, Left, true},
    {"jet_right", 2, Right, true},
    {"jet_len", 1, Len, true},
    {"jet_instr", 4, Instr, true},
    {"jet_chr", 1, Chr, true},
    {"jet_asc", 1, Asc, true},
    {"jet_space", 1, Space, true},
    {"jet_replace", 3, Replace, true},
    {"jet_val", 1, Val, true},
    {"jet_cstr", 2, CStr, true},
    {"jet_text", 2, Text, true},
    {"jet_clng", 1, CLng, true},
    {"jet_cint", 1, CInt, true},
    {"jet_cbyte", 1, CByte, true},
    {"jet_cdbl", 1, CDbl, true},
    {"jet_csng", 1, CSng, true},
    {"jet_ccur", 1, CCur, true},
    {"jet_cbool", 1, CBool, true},
    {"jet_cdate", 1, CDate, true},
    {"jet_todate", 1, ToDate, true},
    {"jet_num", 1, Num, true},
    {"jet_datevalue", 1, DateValue, true},
    {"jet_timevalue", 1, TimeValue, true},
    {"jet_year", 1, DatePart<YearOf>, true},
    {"jet_month", 1, DatePart<MonthOf>, true},
    {"jet_day", 1, DatePart<DayOf>, true},
    {"jet_hour", 1, DatePart<HourOf>, true},
    {"jet_minute", 1, DatePart<MinuteOf>, true},
    {"jet_second", 1, DatePart<SecondOf>, true},
    {"jet_weekday", 1, DatePart<WeekdayOf>, true},
    {"jet_format", 2, Format, true},
    {"jet_format", 3, Format, true},
    {"jet_now", 0, Now, false},
    {"jet_date", 0, Today, false},
    {"jet_time", 0, TimeNow, false},
    {"jet_plus", 4, Plus, true},
    {"jet_div", 2, Divide, true},
    {"jet_idiv", 2, IntegerDivide, true},
    {"jet_mod", 2, Modulo, true},
    {"jet_pow", 2, Power, true},
    {"jet_int", 1, Int, true},
    {"jet_fix", 1, Fix, true},
    {"jet_abs", 1, Abs, true},
    {"jet_round", 1, Round, true},
    {"jet_round", 2, Round, true},
    {"jet_to", 5, ToColumn, true},
    {"jet_trim", 1, [](const Args& a) { return TrimSpaces(a, true, true); }, true},
    {"jet_ltrim", 1, [](const Args& a) { return TrimSpaces(a, true, false); }, true},
    {"jet_rtrim", 1, [](const Args& a) { return TrimSpaces(a, false, true); }, true},
    {"jet_ucase", 1,
     [](const Args& a) { return a[0].isNull() ? QVariant() : QVariant(TextArg(a, 0).toUpper()); },
     true},
    {"jet_lcase", 1,
     [](const Args& a) { return a[0].isNull() ? QVariant() : QVariant(TextArg(a, 0).toLower()); },
     true},
};

}  // namespace

int RegisterJetFunctions(sqlite3* Database) {
  int result = sqlite3_create_collation_v2(Database, kJetTextCollation, SQLITE_UTF16, nullptr,
                                           CompareText, nullptr);
  for (const Registration& function : kFunctions) {
    if (result != SQLITE_OK) return result;
    const int flags = SQLITE_UTF8 | (function.Deterministic ? SQLITE_DETERMINISTIC : 0);
    result = sqlite3_create_function_v2(Database, function.Name, function.Args, flags,
                                        reinterpret_cast<void*>(function.Call), CallFunction,
                                        nullptr, nullptr, nullptr);
  }
  if (result != SQLITE_OK) return result;
  return sqlite3_create_function_v2(Database, "jet_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                    nullptr, LikeFunction, nullptr, nullptr, nullptr);
}
