// Jet's built-in functions and aggregates, mapped to SQLite expressions and to the runtime
// functions registered by RegisterJetFunctions.
#include <QHash>

#include "sql/jet/jetemitter.h"
#include "sql/jet/jeterror.h"

namespace {

// How the arguments of a runtime function are prepared.
enum class ArgumentStyle {
  Raw,        // passed as they are; the runtime function converts
  FirstText,  // first argument as text (MID, LEFT, UCASE, ...)
  AllText,    // every argument as text (REPLACE)
  WithKind    // value followed by its kind code (CSTR, FORMAT, conversions of dates)
};

struct RuntimeFunction {
  const char* Sql;
  int MinArgs;
  int MaxArgs;
  JetType Result;  // Variant: the type of the first argument
  ArgumentStyle Style;
};

const QHash<QString, RuntimeFunction>& RuntimeFunctions() {
  static const QHash<QString, RuntimeFunction> functions = {
      {"MID", {"jet_mid", 2, 3, JetType::Text, ArgumentStyle::FirstText}},
      {"LEFT", {"jet_left", 2, 2, JetType::Text, ArgumentStyle::FirstText}},
      {"RIGHT", {"jet_right", 2, 2, JetType::Text, ArgumentStyle::FirstText}},
      {"LEN", {"jet_len", 1, 1, JetType::Long, ArgumentStyle::FirstText}},
      {"UCASE", {"jet_ucase", 1, 1, JetType::Text, ArgumentStyle::FirstText}},
      {"LCASE", {"jet_lcase", 1, 1, JetType::Text, ArgumentStyle::FirstText}},
      {"TRIM", {"jet_trim", 1, 1, JetType::Text, ArgumentStyle::FirstText}},
      {"LTRIM", {"jet_ltrim", 1, 1, JetType::Text, ArgumentStyle::FirstText}},
      {"RTRIM", {"jet_rtrim", 1, 1, JetType::Text, ArgumentStyle::FirstText}},
      {"CHR", {"jet_chr", 1, 1, JetType::Text, ArgumentStyle::Raw}},
      {"ASC", {"jet_asc", 1, 1, JetType::Short, ArgumentStyle::FirstText}},
      {"SPACE", {"jet_space", 1, 1, JetType::Text, ArgumentStyle::Raw}},
      {"REPLACE", {"jet_replace", 3, 3, JetType::Text, ArgumentStyle::AllText}},
      {"VAL", {"jet_val", 1, 1, JetType::Double, ArgumentStyle::FirstText}},
      {"CSTR", {"jet_cstr", 1, 1, JetType::Text, ArgumentStyle::WithKind}},
      {"CLNG", {"jet_clng", 1, 1, JetType::Long, ArgumentStyle::Raw}},
      {"CINT", {"jet_cint", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"CBYTE", {"jet_cbyte", 1, 1, JetType::Byte, ArgumentStyle::Raw}},
      {"CDBL", {"jet_cdbl", 1, 1, JetType::Double, ArgumentStyle::Raw}},
      {"CSNG", {"jet_csng", 1, 1, JetType::Single, ArgumentStyle::Raw}},
      {"CCUR", {"jet_ccur", 1, 1, JetType::Currency, ArgumentStyle::Raw}},
      {"CBOOL", {"jet_cbool", 1, 1, JetType::Boolean, ArgumentStyle::Raw}},
      {"CDATE", {"jet_cdate", 1, 1, JetType::DateTime, ArgumentStyle::Raw}},
      {"CVDATE", {"jet_cdate", 1, 1, JetType::DateTime, ArgumentStyle::Raw}},
      {"DATEVALUE", {"jet_datevalue", 1, 1, JetType::DateTime, ArgumentStyle::Raw}},
      {"TIMEVALUE", {"jet_timevalue", 1, 1, JetType::DateTime, ArgumentStyle::Raw}},
      {"YEAR", {"jet_year", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"MONTH", {"jet_month", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"DAY", {"jet_day", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"HOUR", {"jet_hour", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"MINUTE", {"jet_minute", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"SECOND", {"jet_second", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"WEEKDAY", {"jet_weekday", 1, 1, JetType::Short, ArgumentStyle::Raw}},
      {"FORMAT", {"jet_format", 1, 2, JetType::Text, ArgumentStyle::WithKind}},
      {"INT", {"jet_int", 1, 1, JetType::Variant, ArgumentStyle::Raw}},
      {"FIX", {"jet_fix", 1, 1, JetType::Variant, ArgumentStyle::Raw}},
      {"ABS", {"jet_abs", 1, 1, JetType::Variant, ArgumentStyle::Raw}},
      {"ROUND", {"jet_round", 1, 2, JetType::Double, ArgumentStyle::Raw}},
      {"NOW", {"jet_now", 0, 0, JetType::DateTime, ArgumentStyle::Raw}},
      {"DATE", {"jet_date", 0, 0, JetType::DateTime, ArgumentStyle::Raw}},
      {"TIME", {"jet_time", 0, 0, JetType::DateTime, ArgumentStyle::Raw}},
  };
  return functions;
}

bool IsAggregateName(const QString& name) {
  return name == QLatin1String("COUNT") || name == QLatin1String("SUM") ||
         name == QLatin1String("AVG") || name == QLatin1String("MIN") ||
         name == QLatin1String("MAX");
}

[[noreturn]] void RaiseArgumentCount(const JetExpr& Expr) {
  RaiseJetError(
      QStringLiteral("Falsche Anzahl von Argumenten für die Funktion %1 (an Position %2).")
          .arg(Expr.Name)
          .arg(Expr.Position));
}

void RequireArgumentCount(const JetExpr& Expr, int min, int max) {
  const int count = int(Expr.Args.size());
  if (count < min || count > max) RaiseArgumentCount(Expr);
}

}  // namespace

JetTyped JetEmitter::CompileFunction(const JetExpr& Expr, const JetScope& Scope) {
  if (IsAggregateName(Expr.Name)) return CompileAggregate(Expr, Scope);
  for (const JetExprPtr& arg : Expr.Args)
    if (arg->Type == JetExpr::Kind::Star)
      RaiseJetSyntaxError(QStringLiteral("\"*\" ist nur in COUNT(*) erlaubt"), arg->Position);
  QVector<JetTyped> args;
  bool aggregate = false;
  for (const JetExprPtr& arg : Expr.Args) {
    args.append(CompileExpr(*arg, Scope));
    aggregate = aggregate || args.last().HasAggregate;
  }
  if (Expr.Name == QLatin1String("ISNULL")) {
    RequireArgumentCount(Expr, 1, 1);
    return Typed(QStringLiteral("((%1) IS NULL)").arg(args[0].Sql), JetType::Boolean, aggregate);
  }
  if (Expr.Name == QLatin1String("NZ")) {
    RequireArgumentCount(Expr, 1, 2);
    if (args.size() == 1) {
      // Without a replacement Nz gives an empty value, which reads as empty text.
      const JetType type = IsTextType(args[0].Type) ? args[0].Type : JetType::Variant;
      return Typed(QStringLiteral("IFNULL(%1, '')").arg(args[0].Sql), type, aggregate);
    }
    return Typed(QStringLiteral("IFNULL(%1, %2)").arg(args[0].Sql, args[1].Sql),
                 args[1].IsNull ? args[0].Type : CommonType(args[0].Type, args[1].Type), aggregate);
  }
  if (Expr.Name == QLatin1String("IIF")) {
    RequireArgumentCount(Expr, 3, 3);
    JetType type = CommonType(args[1].Type, args[2].Type);
    if (args[1].IsNull) type = args[2].Type;
    if (args[2].IsNull) type = args[1].Type;
    return Typed(QStringLiteral("(CASE WHEN (%1) THEN (%2) ELSE (%3) END)")
                     .arg(args[0].Sql, args[1].Sql, args[2].Sql),
                 type, aggregate);
  }
  if (Expr.Name == QLatin1String("INSTR")) {
    // InStr([start,] text, search[, compare]); Access compares as text unless told 0.
    RequireArgumentCount(Expr, 2, 4);
    QString start = QStringLiteral("1"), compare = QStringLiteral("1");
    int first = 0;
    if (args.size() >= 3) {
      start = args[0].Sql;
      first = 1;
    }
    if (args.size() == 4) compare = args[3].Sql;
    return Typed(QStringLiteral("jet_instr(%1, %2, %3, %4)")
                     .arg(start, AsText(args[first]).Sql, AsText(args[first + 1]).Sql, compare),
                 JetType::Long, aggregate);
  }
  const auto found = RuntimeFunctions().constFind(Expr.Name);
  if (found == RuntimeFunctions().constEnd())
    RaiseJetError(QStringLiteral("Undefinierte Funktion \"%1\" in Ausdruck (an Position %2).")
                      .arg(Expr.Name)
                      .arg(Expr.Position));
  const RuntimeFunction& function = *found;
  RequireArgumentCount(Expr, function.MinArgs, function.MaxArgs);
  QStringList sqlArgs;
  for (int i = 0; i < args.size(); ++i) {
    const bool asText = (function.Style == ArgumentStyle::FirstText && i == 0) ||
                        function.Style == ArgumentStyle::AllText;
    if (asText) RequireNotBinary(args[i], Expr.Position);
    sqlArgs.append(asText ? AsText(args[i]).Sql : args[i].Sql);
    if (function.Style == ArgumentStyle::WithKind && i == 0)
      sqlArgs.append(QString::number(JetValueKind(args[0].Type)));
  }
  JetType type = function.Result;
  if (type == JetType::Variant)
    type = !args.isEmpty() && IsNumericType(args[0].Type) ? args[0].Type : JetType::Double;
  return Typed(
      QStringLiteral("%1(%2)").arg(QLatin1String(function.Sql), sqlArgs.join(QStringLiteral(", "))),
      type, aggregate);
}

JetTyped JetEmitter::CompileAggregate(const JetExpr& Expr, const JetScope& Scope) {
  if (FAggregates == AggregateRule::Forbidden || FInsideAggregate)
    RaiseJetError(QStringLiteral("Die Aggregatfunktion %1 ist an dieser Stelle nicht zulässig (an "
                                 "Position %2).")
                      .arg(Expr.Name)
                      .arg(Expr.Position));
  RequireArgumentCount(Expr, 1, 1);
  if (Expr.Args[0]->Type == JetExpr::Kind::Star) {
    if (Expr.Name != QLatin1String("COUNT") || !Expr.Args[0]->Qualifier.isEmpty())
      RaiseJetSyntaxError(QStringLiteral("\"*\" ist nur in COUNT(*) erlaubt"), Expr.Position);
    return Typed(QStringLiteral("COUNT(*)"), JetType::Long, true);
  }
  FInsideAggregate = true;
  JetTyped arg = CompileExpr(*Expr.Args[0], Scope);
  FInsideAggregate = false;
  if (Expr.Name == QLatin1String("COUNT"))
    return Typed(QStringLiteral("COUNT(%1)").arg(arg.Sql), JetType::Long, true);
  if (Expr.Name == QLatin1String("MIN") || Expr.Name == QLatin1String("MAX")) {
    const QString collation = IsTextType(arg.Type) ? TextCollation() : QString();
    return Typed(QStringLiteral("%1((%2)%3)").arg(Expr.Name, arg.Sql, collation), arg.Type, true);
  }
  const JetTyped number = AsNumber(arg, Expr.Position);
  JetType type = JetType::Double;
  if (Expr.Name == QLatin1String("SUM")) {
    if (IsIntegerType(number.Type)) type = JetType::Long;
    if (number.Type == JetType::Currency) type = JetType::Currency;
  }
  return Typed(QStringLiteral("%1(%2)").arg(Expr.Name, number.Sql), type, true);
}
