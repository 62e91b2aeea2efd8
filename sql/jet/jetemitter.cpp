#include "sql/jet/jetemitter.h"

#include "sql/jet/jeterror.h"
#include "sql/jet/jetvalues.h"

namespace {

// SQLite's default limit of bound parameters in one statement.
constexpr int kMaxParameters = 32766;

[[noreturn]] void RaiseTypeMismatch(int Position) {
  RaiseJetError(QStringLiteral("Datentypen in Kriterienausdruck unverträglich (an Position %1).")
                    .arg(Position));
}

bool IsComparisonOp(const QString& op) {
  return op == QLatin1String("=") || op == QLatin1String("<>") || op == QLatin1String("<") ||
         op == QLatin1String("<=") || op == QLatin1String(">") || op == QLatin1String(">=");
}

bool IsDateOrNumber(JetType type) { return type == JetType::DateTime || IsNumericType(type); }

// The operators whose left-deep chains are compiled in a loop and emitted flat.
bool IsChainLevel(const QString& op, const QString& level) {
  if (level == QLatin1String("+") || level == QLatin1String("-"))
    return op == QLatin1String("+") || op == QLatin1String("-");
  return op == level;
}

bool IsChainOperator(const QString& op) {
  return op == QLatin1String("AND") || op == QLatin1String("OR") || op == QLatin1String("&") ||
         op == QLatin1String("+") || op == QLatin1String("-");
}

QString Linked(const JetTyped& left, const QString& chain) {
  return left.ChainOp == chain ? left.Sql : QStringLiteral("(%1)").arg(left.Sql);
}

JetTyped Chained(const QString& sql, JetType type, bool aggregate, const QString& chain) {
  JetTyped result = Typed(sql, type, aggregate);
  result.ChainOp = chain;
  return result;
}

}  // namespace

int JetValueKind(JetType Type) {
  if (Type == JetType::DateTime) return 1;
  if (Type == JetType::Boolean) return 2;
  return 0;
}

QString TextCollation() { return QStringLiteral(" COLLATE ") + QLatin1String(kJetTextCollation); }

QString JetEmitter::Quote(const QString& Name) {
  return QLatin1Char('"') + QString(Name).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
         QLatin1Char('"');
}

QString JetEmitter::AddParameter(const QVariant& Value) {
  if (FParameters.size() >= kMaxParameters)
    RaiseJetError(
        QStringLiteral("Die Anweisung enthält zu viele Werte (mehr als %1).").arg(kMaxParameters));
  FParameters.append(Value);
  return QStringLiteral("?%1").arg(FParameters.size());
}

JetTyped JetEmitter::CompileCondition(const JetExpr& Expr, const JetScope& Scope,
                                      AggregateRule Rule) {
  const AggregateRule saved = FAggregates;
  FAggregates = Rule;
  JetTyped result = CompileExpr(Expr, Scope);
  FAggregates = saved;
  return result;
}

JetTyped JetEmitter::CompileExpr(const JetExpr& Expr, const JetScope& Scope) {
  switch (Expr.Type) {
    case JetExpr::Kind::Literal:
      return CompileLiteral(Expr);
    case JetExpr::Kind::Column:
      return CompileColumn(Expr, Scope);
    case JetExpr::Kind::Star:
      RaiseJetSyntaxError(QStringLiteral("\"*\" ist hier nicht erlaubt"), Expr.Position);
    case JetExpr::Kind::Unary:
      return CompileUnary(Expr, Scope);
    case JetExpr::Kind::Binary:
      if (IsComparisonOp(Expr.Op)) return CompileComparison(Expr, Scope);
      return CompileBinary(Expr, Scope);
    case JetExpr::Kind::Function:
      return CompileFunction(Expr, Scope);
    case JetExpr::Kind::Between:
      return CompileBetween(Expr, Scope);
    case JetExpr::Kind::In:
      return CompileIn(Expr, Scope);
    case JetExpr::Kind::IsNull: {
      const JetTyped operand = CompileExpr(*Expr.Args[0], Scope);
      return Typed(QStringLiteral("((%1) IS %2NULL)")
                       .arg(operand.Sql, Expr.Negated ? QStringLiteral("NOT ") : QString()),
                   JetType::Boolean, operand.HasAggregate);
    }
    case JetExpr::Kind::Like:
      return CompileLike(Expr, Scope);
    case JetExpr::Kind::Subquery:
      return CompileSubquery(Expr, Scope);
    case JetExpr::Kind::Exists: {
      const SelectOutput inner = CompileSelect(*Expr.Query, &Scope);
      return Typed(QStringLiteral("EXISTS (%1)").arg(inner.Sql), JetType::Boolean, false);
    }
  }
  RaiseJetSyntaxError(QStringLiteral("unbekannter Ausdruck"), Expr.Position);
}

JetTyped JetEmitter::CompileLiteral(const JetExpr& Expr) {
  JetTyped result;
  switch (Expr.Literal) {
    case JetExpr::LiteralType::Null:
      result.Sql = QStringLiteral("NULL");
      result.IsNull = true;
      return result;
    case JetExpr::LiteralType::Integer:
      return Typed(AddParameter(Expr.Value.toLongLong()), JetType::Long, false);
    case JetExpr::LiteralType::Double:
      return Typed(AddParameter(Expr.Value.toDouble()), JetType::Double, false);
    case JetExpr::LiteralType::Text:
      result = Typed(AddParameter(Expr.Value.toString()), JetType::Text, false);
      result.TextLiteralParameter = int(FParameters.size()) - 1;
      return result;
    case JetExpr::LiteralType::Date: {
      const std::optional<double> days = ParseJetDateLiteral(Expr.Value.toString());
      if (!days)
        RaiseJetSyntaxError(QStringLiteral("ungültiges Datum #%1#").arg(Expr.Value.toString()),
                            Expr.Position);
      return Typed(AddParameter(*days), JetType::DateTime, false);
    }
    case JetExpr::LiteralType::Binary:
      return Typed(AddParameter(Expr.Value.toByteArray()), JetType::Binary, false);
    case JetExpr::LiteralType::Boolean:
      // Jet's True is -1.
      return Typed(AddParameter(qlonglong(Expr.Value.toBool() ? -1 : 0)), JetType::Boolean, false);
  }
  return result;
}

JetTyped JetEmitter::CompileColumn(const JetExpr& Expr, const JetScope& Scope) {
  for (const JetScope* scope = &Scope; scope; scope = scope->Outer) {
    const JetScopeSource* foundSource = nullptr;
    int foundColumn = -1;
    for (const JetScopeSource& source : scope->Sources) {
      if (!Expr.Qualifier.isEmpty() &&
          source.Qualifier.compare(Expr.Qualifier, Qt::CaseInsensitive) != 0)
        continue;
      for (int i = 0; i < source.Columns.size(); ++i) {
        if (source.Columns[i].Name.compare(Expr.Name, Qt::CaseInsensitive) != 0) continue;
        if (foundSource)
          RaiseJetError(QStringLiteral("Das angegebene Feld \"%1\" kann sich auf mehrere Tabellen "
                                       "beziehen (an Position %2).")
                            .arg(Expr.Name)
                            .arg(Expr.Position));
        foundSource = &source;
        foundColumn = i;
      }
    }
    if (foundSource) {
      const JetColumnInfo& column = foundSource->Columns[foundColumn];
      JetTyped result = Typed(foundSource->SqlName + QLatin1Char('.') + Quote(column.Name),
                              column.Type.Type, false);
      result.ColumnName = column.Name;
      if (FBareColumns && scope == FBareScope && !FInsideAggregate)
        FBareColumns->append({result.Sql, foundSource->Qualifier + QLatin1Char('.') + column.Name});
      return result;
    }
  }
  if (Expr.Qualifier.isEmpty() && Scope.SelectAliases) {
    for (const JetResultColumn& alias : *Scope.SelectAliases)
      if (alias.Name.compare(Expr.Name, Qt::CaseInsensitive) == 0)
        return Typed(Quote(alias.Name), alias.Type, false);
  }
  const QString name =
      Expr.Qualifier.isEmpty() ? Expr.Name : Expr.Qualifier + QLatin1Char('.') + Expr.Name;
  RaiseJetError(
      QStringLiteral("Unbekannter Feldname \"%1\" (an Position %2).").arg(name).arg(Expr.Position));
}

JetTyped JetEmitter::CompileUnary(const JetExpr& Expr, const JetScope& Scope) {
  JetTyped operand = CompileExpr(*Expr.Args[0], Scope);
  if (Expr.Op == QLatin1String("NOT"))
    return Typed(QStringLiteral("(NOT (%1))").arg(operand.Sql), JetType::Boolean,
                 operand.HasAggregate);
  if (operand.IsNull) return operand;
  const JetTyped number = AsNumber(operand, Expr.Position);
  JetType type = number.Type;
  if (type == JetType::Boolean || type == JetType::Byte) type = JetType::Short;
  if (Expr.Op == QLatin1String("+")) return Typed(number.Sql, type, number.HasAggregate);
  return Typed(QStringLiteral("(-(%1))").arg(number.Sql), type, number.HasAggregate);
}

JetTyped JetEmitter::CompileBinary(const JetExpr& Expr, const JetScope& Scope) {
  if (IsChainOperator(Expr.Op)) return CompileChain(Expr, Scope);
  return CombineBinary(Expr.Op, CompileExpr(*Expr.Args[0], Scope),
                       CompileExpr(*Expr.Args[1], Scope), Expr.Position);
}

JetTyped JetEmitter::CompileChain(const JetExpr& Expr, const JetScope& Scope) {
  // 'a'+CHR(39)+'b'+... is a left-deep tree; walking it in a loop keeps the stack flat.
  std::vector<const JetExpr*> links;
  const JetExpr* node = &Expr;
  while (node->Type == JetExpr::Kind::Binary && IsChainLevel(node->Op, Expr.Op)) {
    links.push_back(node);
    node = node->Args[0].get();
  }
  JetTyped result = CompileExpr(*node, Scope);
  for (auto link = links.rbegin(); link != links.rend(); ++link)
    result = CombineBinary((*link)->Op, result, CompileExpr(*(*link)->Args[1], Scope),
                           (*link)->Position);
  return result;
}

JetTyped JetEmitter::CombineBinary(const QString& Op, const JetTyped& Left, const JetTyped& Right,
                                   int Position) {
  const bool aggregate = Left.HasAggregate || Right.HasAggregate;
  if (Op == QLatin1String("AND") || Op == QLatin1String("OR"))
    return Chained(QStringLiteral("%1 %2 (%3)").arg(Linked(Left, Op), Op, Right.Sql),
                   JetType::Boolean, aggregate, Op);
  if (Op == QLatin1String("XOR") || Op == QLatin1String("EQV"))
    return Typed(
        QStringLiteral("(((%1) <> 0) %2 ((%3) <> 0))")
            .arg(Left.Sql, Op == QLatin1String("XOR") ? QStringLiteral("<>") : QStringLiteral("="),
                 Right.Sql),
        JetType::Boolean, aggregate);
  if (Op == QLatin1String("IMP"))
    return Typed(QStringLiteral("((NOT (%1)) OR (%2))").arg(Left.Sql, Right.Sql), JetType::Boolean,
                 aggregate);
  if (Op == QLatin1String("&")) {
    RequireNotBinary(Left, Position);
    RequireNotBinary(Right, Position);
    const JetType type =
        Left.Type == JetType::Memo || Right.Type == JetType::Memo ? JetType::Memo : JetType::Text;
    const QString left = Left.ChainOp == QLatin1String("&")
                             ? Left.Sql
                             : QStringLiteral("IFNULL(%1, '')").arg(AsText(Left).Sql);
    return Chained(QStringLiteral("%1 || IFNULL(%2, '')").arg(left, AsText(Right).Sql), type,
                   aggregate, QStringLiteral("&"));
  }
  if (Op == QLatin1String("+")) return CompilePlus(Left, Right, Position);
  return CompileArithmetic(Op, Left, Right, Position);
}

JetTyped JetEmitter::CompilePlus(JetTyped Left, JetTyped Right, int Position) {
  RequireNotBinary(Left, Position);
  RequireNotBinary(Right, Position);
  const bool aggregate = Left.HasAggregate || Right.HasAggregate;
  if (Left.IsNull || Right.IsNull)
    return Typed(QStringLiteral("NULL"), JetType::Variant, aggregate);
  if (IsTextType(Left.Type) || IsTextType(Right.Type)) {
    const JetType type =
        Left.Type == JetType::Memo || Right.Type == JetType::Memo ? JetType::Memo : JetType::Text;
    // || keeps NULL as NULL, as Jet's + does.
    const JetTyped left = AsText(Left);
    const QString leftSql =
        left.ChainOp == QLatin1String("||") || left.ChainOp == QLatin1String("&")
            ? left.Sql
            : QStringLiteral("(%1)").arg(left.Sql);
    return Chained(QStringLiteral("%1 || (%2)").arg(leftSql, AsText(Right).Sql), type, aggregate,
                   QStringLiteral("||"));
  }
  if (Left.Type == JetType::Variant || Right.Type == JetType::Variant)
    return Typed(QStringLiteral("jet_plus(%1, %2, %3, %4)")
                     .arg(Left.Sql)
                     .arg(JetValueKind(Left.Type))
                     .arg(Right.Sql)
                     .arg(JetValueKind(Right.Type)),
                 JetType::Variant, aggregate);
  return CompileArithmetic(QStringLiteral("+"), Left, Right, Position);
}

JetTyped JetEmitter::CompileArithmetic(const QString& Op, JetTyped Left, JetTyped Right,
                                       int Position) {
  const bool aggregate = Left.HasAggregate || Right.HasAggregate;
  if (Left.IsNull || Right.IsNull)
    return Typed(QStringLiteral("NULL"), JetType::Variant, aggregate);
  const bool leftDate = Left.Type == JetType::DateTime;
  const bool rightDate = Right.Type == JetType::DateTime;
  const JetTyped left = AsNumber(Left, Position);
  const JetTyped right = AsNumber(Right, Position);
  const auto numericType = [&]() {
    const JetType l = leftDate ? JetType::Double : left.Type;
    const JetType r = rightDate ? JetType::Double : right.Type;
    if (l == JetType::Variant || r == JetType::Variant) return JetType::Variant;
    return WiderNumericType(l, r);
  };
  if (Op == QLatin1String("+") || Op == QLatin1String("-")) {
    JetType type = numericType();
    // Date plus or minus a number stays a date; the difference of two dates is a number.
    if ((leftDate != rightDate) && !(rightDate && Op == QLatin1String("-")))
      type = JetType::DateTime;
    return Chained(
        QStringLiteral("%1 %2 (%3)").arg(Linked(left, QStringLiteral("+-")), Op, right.Sql), type,
        aggregate, QStringLiteral("+-"));
  }
  if (Op == QLatin1String("*"))
    return Typed(QStringLiteral("((%1) * (%2))").arg(left.Sql, right.Sql), numericType(),
                 aggregate);
  struct Runtime {
    const char* Op;
    const char* Function;
    JetType Type;
  };
  static const Runtime runtime[] = {{"/", "jet_div", JetType::Double},
                                    {"\\", "jet_idiv", JetType::Long},
                                    {"MOD", "jet_mod", JetType::Long},
                                    {"^", "jet_pow", JetType::Double}};
  for (const Runtime& entry : runtime) {
    if (Op == QLatin1String(entry.Op))
      return Typed(
          QStringLiteral("%1(%2, %3)").arg(QLatin1String(entry.Function), left.Sql, right.Sql),
          entry.Type, aggregate);
  }
  RaiseJetSyntaxError(QStringLiteral("unbekannter Operator \"%1\"").arg(Op), Position);
}

JetTyped JetEmitter::AsText(const JetTyped& Value) {
  if (IsTextType(Value.Type) || Value.IsNull) return Value;
  JetTyped result = Value;
  result.ChainOp.clear();
  result.Sql = QStringLiteral("jet_text(%1, %2)").arg(Value.Sql).arg(JetValueKind(Value.Type));
  result.Type = JetType::Text;
  result.TextLiteralParameter = -1;
  return result;
}

JetTyped JetEmitter::AsNumber(const JetTyped& Value, int Position) {
  RequireNotBinary(Value, Position);
  if (IsDateOrNumber(Value.Type) || Value.IsNull) return Value;
  JetTyped result = Value;
  if (Value.TextLiteralParameter >= 0) {
    const std::optional<double> number =
        ParseJetNumber(FParameters[Value.TextLiteralParameter].toString());
    if (!number) RaiseTypeMismatch(Position);
    FParameters[Value.TextLiteralParameter] = *number;
    result.Type = JetType::Double;
    result.TextLiteralParameter = -1;
    return result;
  }
  result.ChainOp.clear();
  result.Sql = QStringLiteral("jet_num(%1)").arg(Value.Sql);
  result.Type = JetType::Variant;
  return result;
}

void JetEmitter::RequireNotBinary(const JetTyped& Value, int Position) const {
  if (Value.Type == JetType::Binary) RaiseTypeMismatch(Position);
}

bool JetEmitter::HarmonizeComparison(QVector<JetTyped*> Operands, int Position) {
  bool anyDate = false, anyNumber = false, anyText = false, anyBinary = false, anyOther = false;
  for (const JetTyped* operand : Operands) {
    if (operand->IsNull) continue;
    anyDate = anyDate || operand->Type == JetType::DateTime;
    anyNumber = anyNumber || IsNumericType(operand->Type);
    anyText = anyText || IsTextType(operand->Type);
    anyBinary = anyBinary || operand->Type == JetType::Binary;
    anyOther = anyOther || operand->Type != JetType::Binary;
  }
  if (anyBinary && anyOther) RaiseTypeMismatch(Position);
  if (!anyText || (!anyDate && !anyNumber)) return anyText && !anyNumber && !anyDate;
  for (JetTyped* operand : Operands) {
    if (!IsTextType(operand->Type)) continue;
    if (!anyDate) {
      *operand = AsNumber(*operand, Position);
      continue;
    }
    if (operand->TextLiteralParameter >= 0) {
      const std::optional<double> days =
          ParseJetDateText(FParameters[operand->TextLiteralParameter].toString());
      if (!days) RaiseTypeMismatch(Position);
      FParameters[operand->TextLiteralParameter] = *days;
      operand->TextLiteralParameter = -1;
    } else {
      operand->Sql = QStringLiteral("jet_todate(%1)").arg(operand->Sql);
      operand->ChainOp.clear();
    }
    operand->Type = JetType::DateTime;
  }
  return false;
}

JetTyped JetEmitter::CompileComparison(const JetExpr& Expr, const JetScope& Scope) {
  JetTyped left = CompileExpr(*Expr.Args[0], Scope);
  JetTyped right = CompileExpr(*Expr.Args[1], Scope);
  const bool asText = HarmonizeComparison({&left, &right}, Expr.Position);
  return Typed(QStringLiteral("((%1)%2 %3 (%4))")
                   .arg(left.Sql, asText ? TextCollation() : QString(), Expr.Op, right.Sql),
               JetType::Boolean, left.HasAggregate || right.HasAggregate);
}

JetTyped JetEmitter::CompileBetween(const JetExpr& Expr, const JetScope& Scope) {
  JetTyped value = CompileExpr(*Expr.Args[0], Scope);
  JetTyped low = CompileExpr(*Expr.Args[1], Scope);
  JetTyped high = CompileExpr(*Expr.Args[2], Scope);
  const bool asText = HarmonizeComparison({&value, &low, &high}, Expr.Position);
  return Typed(QStringLiteral("((%1)%2 %3BETWEEN (%4) AND (%5))")
                   .arg(value.Sql, asText ? TextCollation() : QString(),
                        Expr.Negated ? QStringLiteral("NOT ") : QString(), low.Sql, high.Sql),
               JetType::Boolean, value.HasAggregate || low.HasAggregate || high.HasAggregate);
}

JetTyped JetEmitter::CompileIn(const JetExpr& Expr, const JetScope& Scope) {
  JetTyped value = CompileExpr(*Expr.Args[0], Scope);
  const QString negation = Expr.Negated ? QStringLiteral("NOT ") : QString();
  if (Expr.Query) {
    const SelectOutput inner = CompileSelect(*Expr.Query, &Scope);
    if (inner.Columns.size() != 1)
      RaiseJetError(QStringLiteral("Die Unterabfrage nach IN muss genau ein Feld liefern (an "
                                   "Position %1).")
                        .arg(Expr.Position));
    const bool asText = IsTextType(value.Type) && IsTextType(inner.Columns[0].Type);
    return Typed(QStringLiteral("((%1)%2 %3IN (%4))")
                     .arg(value.Sql, asText ? TextCollation() : QString(), negation, inner.Sql),
                 JetType::Boolean, value.HasAggregate);
  }
  QVector<JetTyped> items;
  for (size_t i = 1; i < Expr.Args.size(); ++i) items.append(CompileExpr(*Expr.Args[i], Scope));
  QVector<JetTyped*> operands{&value};
  for (JetTyped& item : items) operands.append(&item);
  const bool asText = HarmonizeComparison(operands, Expr.Position);
  QStringList list;
  bool aggregate = value.HasAggregate;
  for (const JetTyped& item : items) {
    list.append(QStringLiteral("(%1)").arg(item.Sql));
    aggregate = aggregate || item.HasAggregate;
  }
  return Typed(QStringLiteral("((%1)%2 %3IN (%4))")
                   .arg(value.Sql, asText ? TextCollation() : QString(), negation,
                        list.join(QStringLiteral(", "))),
               JetType::Boolean, aggregate);
}

JetTyped JetEmitter::CompileLike(const JetExpr& Expr, const JetScope& Scope) {
  const JetTyped value = CompileExpr(*Expr.Args[0], Scope);
  const JetTyped pattern = CompileExpr(*Expr.Args[1], Scope);
  RequireNotBinary(value, Expr.Position);
  RequireNotBinary(pattern, Expr.Position);
  return Typed(QStringLiteral("(%1jet_like(%2, %3))")
                   .arg(Expr.Negated ? QStringLiteral("NOT ") : QString(), AsText(value).Sql,
                        AsText(pattern).Sql),
               JetType::Boolean, value.HasAggregate || pattern.HasAggregate);
}

JetTyped JetEmitter::CompileSubquery(const JetExpr& Expr, const JetScope& Scope) {
  const SelectOutput inner = CompileSelect(*Expr.Query, &Scope);
  if (inner.Columns.size() != 1)
    RaiseJetError(QStringLiteral("Die Unterabfrage muss genau ein Feld liefern (an Position %1).")
                      .arg(Expr.Position));
  return Typed(QStringLiteral("(%1)").arg(inner.Sql), inner.Columns[0].Type, false);
}
