#include "sql/jet/jettypes.h"

#include <QHash>
#include <QRegularExpression>

#include "sql/adorecordset.h"

namespace {
constexpr int kAdoSingle = 4;
constexpr int kAdoUnsignedTinyInt = 17;

struct TypeNames {
  JetType Type;
  const char* Name;
};
constexpr TypeNames kTypeNames[] = {
    {JetType::Variant, "VARIANT"}, {JetType::Boolean, "BIT"},   {JetType::Byte, "BYTE"},
    {JetType::Short, "SHORT"},     {JetType::Long, "LONG"},     {JetType::Currency, "CURRENCY"},
    {JetType::Single, "SINGLE"},   {JetType::Double, "DOUBLE"}, {JetType::DateTime, "DATETIME"},
    {JetType::Text, "TEXT"},       {JetType::Memo, "MEMO"},     {JetType::Binary, "LONGBINARY"},
};

int NumericRank(JetType Type) {
  switch (Type) {
    case JetType::Boolean:
      return 1;
    case JetType::Byte:
      return 2;
    case JetType::Short:
      return 3;
    case JetType::Long:
      return 4;
    case JetType::Currency:
      return 5;
    case JetType::Single:
      return 6;
    case JetType::Double:
      return 7;
    default:
      return 0;
  }
}
}  // namespace

bool IsNumericType(JetType Type) { return NumericRank(Type) > 0; }

bool IsIntegerType(JetType Type) {
  const int rank = NumericRank(Type);
  return rank >= 1 && rank <= 4;
}

bool IsTextType(JetType Type) { return Type == JetType::Text || Type == JetType::Memo; }

int AdoTypeOf(JetType Type) {
  switch (Type) {
    case JetType::Variant:
      return adotype::VarWChar;
    case JetType::Boolean:
      return adotype::Boolean;
    case JetType::Byte:
      return kAdoUnsignedTinyInt;
    case JetType::Short:
      return adotype::SmallInt;
    case JetType::Long:
      return adotype::Integer;
    case JetType::Currency:
      return adotype::Currency;
    case JetType::Single:
      return kAdoSingle;
    case JetType::Double:
      return adotype::Double;
    case JetType::DateTime:
      return adotype::Date;
    case JetType::Text:
      return adotype::VarWChar;
    case JetType::Memo:
      return adotype::LongVarWChar;
    case JetType::Binary:
      return adotype::LongVarBinary;
  }
  return adotype::Empty;
}

JetType WiderNumericType(JetType Left, JetType Right) {
  // Integer arithmetic in Jet never stays below Short, and Single mixed with Long or
  // Currency becomes Double.
  JetType wider = NumericRank(Left) >= NumericRank(Right) ? Left : Right;
  if (wider == JetType::Boolean || wider == JetType::Byte) wider = JetType::Short;
  if (wider == JetType::Single && (Left == JetType::Long || Right == JetType::Long ||
                                   Left == JetType::Currency || Right == JetType::Currency))
    wider = JetType::Double;
  return wider;
}

JetType CommonType(JetType Left, JetType Right) {
  if (Left == Right) return Left;
  if (IsNumericType(Left) && IsNumericType(Right)) return WiderNumericType(Left, Right);
  if (IsTextType(Left) && IsTextType(Right)) return JetType::Memo;
  return JetType::Variant;
}

QString SqliteDeclType(const JetColumnType& Column) {
  switch (Column.Type) {
    case JetType::Text:
      return QStringLiteral("VARCHAR(%1)").arg(Column.Size);
    case JetType::Memo:
      return QStringLiteral("LONGTEXT");
    // Only a counter is declared INTEGER: SQLite makes "INTEGER PRIMARY KEY" count up by
    // itself, which a plain Long key must not do.
    case JetType::Long:
      return Column.Counter ? QStringLiteral("INTEGER") : QStringLiteral("INT");
    case JetType::Short:
      return QStringLiteral("SMALLINT");
    case JetType::Byte:
      return QStringLiteral("TINYINT");
    case JetType::Single:
      return QStringLiteral("REAL");
    case JetType::Double:
      return QStringLiteral("DOUBLE");
    case JetType::Currency:
      return QStringLiteral("CURRENCY");
    case JetType::DateTime:
      return QStringLiteral("DATETIME");
    case JetType::Boolean:
      return QStringLiteral("BIT");
    case JetType::Binary:
      return QStringLiteral("LONGBINARY");
    case JetType::Variant:
      break;
  }
  return QString();
}

JetColumnType ParseSqliteDeclType(const QString& DeclType) {
  static const QRegularExpression sized(QStringLiteral("^VARCHAR\\((\\d+)\\)$"));
  JetColumnType result;
  const QString decl = DeclType.trimmed().toUpper();
  const QRegularExpressionMatch match = sized.match(decl);
  if (match.hasMatch()) {
    result.Type = JetType::Text;
    result.Size = match.captured(1).toInt();
    return result;
  }
  static const QHash<QString, JetType> plain = {
      {"LONGTEXT", JetType::Memo},     {"INT", JetType::Long},
      {"INTEGER", JetType::Long},      {"SMALLINT", JetType::Short},
      {"TINYINT", JetType::Byte},      {"REAL", JetType::Single},
      {"DOUBLE", JetType::Double},     {"CURRENCY", JetType::Currency},
      {"DATETIME", JetType::DateTime}, {"BIT", JetType::Boolean},
      {"LONGBINARY", JetType::Binary}};
  result.Type = plain.value(decl, JetType::Variant);
  result.Counter = decl == QLatin1String("INTEGER");
  return result;
}

bool JetTypeFromDdlName(const QString& Name, int Size, JetColumnType& Result) {
  static const QHash<QString, JetType> names = {
      {"TEXT", JetType::Text},          {"VARCHAR", JetType::Text},
      {"CHAR", JetType::Text},          {"CHARACTER", JetType::Text},
      {"NVARCHAR", JetType::Text},      {"NCHAR", JetType::Text},
      {"STRING", JetType::Text},        {"ALPHANUMERIC", JetType::Text},
      {"MEMO", JetType::Memo},          {"LONGTEXT", JetType::Memo},
      {"LONGCHAR", JetType::Memo},      {"NOTE", JetType::Memo},
      {"NTEXT", JetType::Memo},         {"INT", JetType::Long},
      {"INTEGER", JetType::Long},       {"LONG", JetType::Long},
      {"INTEGER4", JetType::Long},      {"COUNTER", JetType::Long},
      {"AUTOINCREMENT", JetType::Long}, {"IDENTITY", JetType::Long},
      {"SMALLINT", JetType::Short},     {"SHORT", JetType::Short},
      {"INTEGER2", JetType::Short},     {"BYTE", JetType::Byte},
      {"TINYINT", JetType::Byte},       {"INTEGER1", JetType::Byte},
      {"REAL", JetType::Single},        {"SINGLE", JetType::Single},
      {"FLOAT4", JetType::Single},      {"IEEESINGLE", JetType::Single},
      {"FLOAT", JetType::Double},       {"DOUBLE", JetType::Double},
      {"FLOAT8", JetType::Double},      {"NUMBER", JetType::Double},
      {"IEEEDOUBLE", JetType::Double},  {"CURRENCY", JetType::Currency},
      {"MONEY", JetType::Currency},     {"DATETIME", JetType::DateTime},
      {"DATE", JetType::DateTime},      {"TIME", JetType::DateTime},
      {"TIMESTAMP", JetType::DateTime}, {"BIT", JetType::Boolean},
      {"YESNO", JetType::Boolean},      {"LOGICAL", JetType::Boolean},
      {"LOGICAL1", JetType::Boolean},   {"BOOLEAN", JetType::Boolean},
      {"LONGBINARY", JetType::Binary},  {"OLEOBJECT", JetType::Binary},
      {"GENERAL", JetType::Binary},     {"IMAGE", JetType::Binary},
      {"BINARY", JetType::Binary},      {"VARBINARY", JetType::Binary}};
  const QString upper = Name.toUpper();
  if (!names.contains(upper)) return false;
  Result = JetColumnType();
  Result.Type = names.value(upper);
  Result.Counter = upper == "COUNTER" || upper == "AUTOINCREMENT" || upper == "IDENTITY";
  if (Result.Type == JetType::Text) {
    // A TEXT without length is a memo in the ANSI-92 mode that OLE DB speaks.
    if (Size == 0 && upper == "TEXT") Result.Type = JetType::Memo;
    Result.Size = Size == 0 ? 255 : Size;
  }
  return true;
}

QString JetTypeName(JetType Type) {
  for (const TypeNames& entry : kTypeNames)
    if (entry.Type == Type) return QLatin1String(entry.Name);
  return QString();
}

bool JetTypeFromName(const QString& Name, JetType& Result) {
  for (const TypeNames& entry : kTypeNames) {
    if (Name == QLatin1String(entry.Name)) {
      Result = entry.Type;
      return true;
    }
  }
  return false;
}
