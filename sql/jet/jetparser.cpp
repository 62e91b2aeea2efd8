#include "sql/jet/jetparser.h"

#include <QSet>

#include "sql/jet/jeterror.h"
#include "sql/jet/jettokenizer.h"

namespace {

// Words that can never stand for a column or table without brackets.
const QSet<QString>& ReservedWords() {
  static const QSet<QString> words = {
      "SELECT",  "FROM",   "WHERE",    "GROUP",       "BY",         "HAVING",  "ORDER",   "AND",
      "OR",      "NOT",    "IN",       "IS",          "NULL",       "LIKE",    "BETWEEN", "AS",
      "ON",      "JOIN",   "INNER",    "LEFT",        "RIGHT",      "OUTER",   "UNION",   "INSERT",
      "INTO",    "VALUES", "UPDATE",   "SET",         "DELETE",     "CREATE",  "DROP",    "TABLE",
      "INDEX",   "TOP",    "DISTINCT", "DISTINCTROW", "ASC",        "DESC",    "EXISTS",  "XOR",
      "EQV",     "IMP",    "MOD",      "ALTER",       "CONSTRAINT", "PRIMARY", "KEY",     "UNIQUE",
      "PERCENT", "ALL",    "WITH",     "TRUE",        "FALSE"};
  return words;
}

bool IsReserved(const JetToken& token) {
  return token.Type == JetToken::Kind::Identifier && !token.Bracketed &&
         ReservedWords().contains(token.Text.toUpper());
}

QString Describe(const JetToken& token) {
  switch (token.Type) {
    case JetToken::Kind::End:
      return QStringLiteral("Ende der Anweisung");
    case JetToken::Kind::Text:
      return QStringLiteral("Zeichenfolge");
    case JetToken::Kind::Date:
      return QStringLiteral("Datumsliteral #%1#").arg(token.Text);
    default:
      return QStringLiteral("\"%1\"").arg(token.Text);
  }
}

JetExprPtr MakeExpr(JetExpr::Kind kind, int position) {
  auto expr = std::make_unique<JetExpr>();
  expr->Type = kind;
  expr->Position = position;
  return expr;
}

class Parser {
 public:
  explicit Parser(const QString& statement) : FTokens(TokenizeJetSql(statement)) {}

  JetStatement ParseStatement() {
    JetStatement statement = ParseAnyStatement();
    if (Current().IsSymbol(";")) Advance();
    if (Current().Type != JetToken::Kind::End) {
      if (Current().Type == JetToken::Kind::Identifier && Previous().IsSymbol(";"))
        RaiseJetSyntaxError(QStringLiteral("nur eine Anweisung je Aufruf erlaubt, gefunden %1")
                                .arg(Describe(Current())),
                            Current().Position);
      Unexpected();
    }
    return statement;
  }

 private:
  // --- token access -------------------------------------------------------------------
  const JetToken& Current() const { return FTokens[FIndex]; }
  const JetToken& Peek(int ahead) const {
    return FTokens[qMin<qsizetype>(FIndex + ahead, FTokens.size() - 1)];
  }
  const JetToken& Previous() const { return FTokens[qMax(0, FIndex - 1)]; }
  const JetToken& Advance() {
    const JetToken& token = FTokens[FIndex];
    if (FIndex < FTokens.size() - 1) ++FIndex;
    return token;
  }
  bool AcceptKeyword(const char* word) {
    if (!Current().IsKeyword(word)) return false;
    Advance();
    return true;
  }
  bool AcceptSymbol(const char* symbol) {
    if (!Current().IsSymbol(symbol)) return false;
    Advance();
    return true;
  }
  [[noreturn]] void Unexpected() const {
    RaiseJetSyntaxError(QStringLiteral("unerwartet: %1").arg(Describe(Current())),
                        Current().Position);
  }
  [[noreturn]] void Expected(const QString& what) const {
    RaiseJetSyntaxError(QStringLiteral("%1 erwartet, gefunden %2").arg(what, Describe(Current())),
                        Current().Position);
  }
  void ExpectKeyword(const char* word) {
    if (!AcceptKeyword(word)) Expected(QLatin1String(word));
  }
  void ExpectSymbol(const char* symbol) {
    if (!AcceptSymbol(symbol)) Expected(QStringLiteral("\"%1\"").arg(QLatin1String(symbol)));
  }
  JetNamePos ExpectName(const QString& what) {
    if (Current().Type != JetToken::Kind::Identifier || IsReserved(Current())) Expected(what);
    const JetToken& token = Advance();
    return {token.Text, token.Position};
  }
  qint64 ExpectInteger(const QString& what) {
    if (Current().Type != JetToken::Kind::Integer) Expected(what);
    bool ok = false;
    const qint64 value = Current().Text.toLongLong(&ok);
    if (!ok || value > 0x7fffffff) Expected(what);
    Advance();
    return value;
  }

  // --- statements ---------------------------------------------------------------------
  JetStatement ParseAnyStatement() {
    if (Current().IsKeyword("SELECT")) return ParseSelect();
    if (Current().IsKeyword("INSERT")) return ParseInsert();
    if (Current().IsKeyword("UPDATE")) return ParseUpdate();
    if (Current().IsKeyword("DELETE")) return ParseDelete();
    if (Current().IsKeyword("CREATE")) return ParseCreate();
    if (Current().IsKeyword("DROP")) return ParseDrop();
    if (Current().Type == JetToken::Kind::End)
      RaiseJetSyntaxError(QStringLiteral("leere Anweisung"), Current().Position);
    RaiseJetSyntaxError(
        QStringLiteral("ungültige SQL-Anweisung; erwartet wurde DELETE, INSERT, SELECT, UPDATE, "
                       "CREATE oder DROP, gefunden %1")
            .arg(Describe(Current())),
        Current().Position);
  }

  JetSelect ParseSelect() {
    JetSelect select;
    select.Position = Current().Position;
    ExpectKeyword("SELECT");
    if (AcceptKeyword("DISTINCT") || AcceptKeyword("DISTINCTROW"))
      select.Distinct = true;
    else
      AcceptKeyword("ALL");
    if (AcceptKeyword("TOP")) {
      select.Top = ExpectInteger(QStringLiteral("Anzahl nach TOP"));
      select.TopPercent = AcceptKeyword("PERCENT");
    }
    do {
      select.Items.push_back(ParseSelectItem());
    } while (AcceptSymbol(","));
    if (AcceptKeyword("FROM")) {
      do {
        select.From.push_back(ParseJoinedSource());
      } while (AcceptSymbol(","));
    }
    if (AcceptKeyword("WHERE")) select.Where = ParseExpression();
    if (AcceptKeyword("GROUP")) {
      ExpectKeyword("BY");
      do {
        select.GroupBy.push_back(ParseExpression());
      } while (AcceptSymbol(","));
    }
    if (AcceptKeyword("HAVING")) select.Having = ParseExpression();
    if (AcceptKeyword("ORDER")) {
      ExpectKeyword("BY");
      do {
        JetOrderItem item;
        item.Expr = ParseExpression();
        if (AcceptKeyword("DESC"))
          item.Descending = true;
        else
          AcceptKeyword("ASC");
        select.OrderBy.push_back(std::move(item));
      } while (AcceptSymbol(","));
    }
    if (Current().IsKeyword("UNION"))
      RaiseJetSyntaxError(QStringLiteral("UNION wird nicht unterstützt"), Current().Position);
    return select;
  }

  JetSelectItem ParseSelectItem() {
    JetSelectItem item;
    if (Current().IsSymbol("*")) {
      item.Expr = MakeExpr(JetExpr::Kind::Star, Advance().Position);
      return item;
    }
    item.Expr = ParseExpression();
    if (AcceptKeyword("AS")) {
      item.Alias = ExpectName(QStringLiteral("Aliasname nach AS")).Name;
    } else if (Current().Type == JetToken::Kind::Identifier && !IsReserved(Current())) {
      item.Alias = Advance().Text;
    }
    return item;
  }

  JetSourcePtr ParseJoinedSource() {
    JetSourcePtr left = ParseSource();
    while (true) {
      QString joinType;
      const int position = Current().Position;
      if (AcceptKeyword("INNER")) {
        joinType = QStringLiteral("INNER");
      } else if (AcceptKeyword("LEFT")) {
        joinType = QStringLiteral("LEFT");
        AcceptKeyword("OUTER");
      } else if (AcceptKeyword("RIGHT")) {
        joinType = QStringLiteral("RIGHT");
        AcceptKeyword("OUTER");
      } else if (Current().IsKeyword("JOIN")) {
        RaiseJetSyntaxError(QStringLiteral("JOIN ohne INNER, LEFT oder RIGHT"), position);
      } else {
        return left;
      }
      ExpectKeyword("JOIN");
      auto join = std::make_unique<JetSource>();
      join->Type = JetSource::Kind::Join;
      join->Position = position;
      join->JoinType = joinType;
      join->Left = std::move(left);
      join->Right = ParseSource();
      ExpectKeyword("ON");
      join->On = ParseExpression();
      left = std::move(join);
    }
  }

  JetSourcePtr ParseSource() {
    auto source = std::make_unique<JetSource>();
    source->Position = Current().Position;
    if (AcceptSymbol("(")) {
      EnterNesting();
      if (Current().IsKeyword("SELECT")) {
        source->Type = JetSource::Kind::Subquery;
        source->Query = std::make_unique<JetSelect>(ParseSelect());
        ExpectSymbol(")");
      } else {
        source = ParseJoinedSource();
        ExpectSymbol(")");
        --FDepth;
        return source;
      }
      --FDepth;
    } else {
      source->Name = ExpectName(QStringLiteral("Tabellenname")).Name;
    }
    if (AcceptKeyword("AS")) {
      source->Alias = ExpectName(QStringLiteral("Aliasname nach AS")).Name;
    } else if (Current().Type == JetToken::Kind::Identifier && !IsReserved(Current())) {
      source->Alias = Advance().Text;
    }
    if (source->Type == JetSource::Kind::Subquery && source->Alias.isEmpty())
      source->Alias = QStringLiteral("Abfrage%1").arg(source->Position);
    return source;
  }

  JetInsert ParseInsert() {
    JetInsert insert;
    ExpectKeyword("INSERT");
    ExpectKeyword("INTO");
    insert.Table = ExpectName(QStringLiteral("Tabellenname"));
    if (AcceptSymbol("(")) {
      do {
        insert.Columns.append(ExpectName(QStringLiteral("Spaltenname")));
      } while (AcceptSymbol(","));
      ExpectSymbol(")");
    }
    if (Current().IsKeyword("SELECT")) {
      insert.Query = std::make_unique<JetSelect>(ParseSelect());
      return insert;
    }
    ExpectKeyword("VALUES");
    ExpectSymbol("(");
    do {
      insert.Values.push_back(ParseExpression());
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    return insert;
  }

  JetUpdate ParseUpdate() {
    JetUpdate update;
    ExpectKeyword("UPDATE");
    update.Table = ExpectName(QStringLiteral("Tabellenname"));
    ExpectKeyword("SET");
    do {
      JetNamePos target = ExpectName(QStringLiteral("Spaltenname"));
      if (AcceptSymbol(".")) {
        if (target.Name.compare(update.Table.Name, Qt::CaseInsensitive) != 0)
          RaiseJetSyntaxError(QStringLiteral("Spalte einer anderen Tabelle"), target.Position);
        target = ExpectName(QStringLiteral("Spaltenname"));
      }
      update.Targets.append(target);
      ExpectSymbol("=");
      update.Values.push_back(ParseExpression());
    } while (AcceptSymbol(","));
    if (AcceptKeyword("WHERE")) update.Where = ParseExpression();
    return update;
  }

  JetDelete ParseDelete() {
    JetDelete deletion;
    ExpectKeyword("DELETE");
    if (Peek(1).IsSymbol(".")) {
      // DELETE Table.* FROM Table
      Advance();
      Advance();
      ExpectSymbol("*");
    } else {
      AcceptSymbol("*");
    }
    ExpectKeyword("FROM");
    deletion.Table = ExpectName(QStringLiteral("Tabellenname"));
    if (AcceptKeyword("WHERE")) deletion.Where = ParseExpression();
    return deletion;
  }

  JetStatement ParseCreate() {
    ExpectKeyword("CREATE");
    if (AcceptKeyword("TABLE")) return ParseCreateTable();
    JetCreateIndex index;
    index.Unique = AcceptKeyword("UNIQUE");
    if (!AcceptKeyword("INDEX")) Expected(QStringLiteral("TABLE oder INDEX"));
    index.Index = ExpectName(QStringLiteral("Indexname"));
    ExpectKeyword("ON");
    index.Table = ExpectName(QStringLiteral("Tabellenname"));
    ExpectSymbol("(");
    do {
      JetIndexColumn column;
      column.Name = ExpectName(QStringLiteral("Spaltenname"));
      if (AcceptKeyword("DESC"))
        column.Descending = true;
      else
        AcceptKeyword("ASC");
      index.Columns.append(column);
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    if (AcceptKeyword("WITH")) {
      do {
        if (AcceptKeyword("PRIMARY")) {
          index.Primary = true;
        } else if (AcceptKeyword("DISALLOW")) {
          ExpectKeyword("NULL");
          index.DisallowNull = true;
        } else if (AcceptKeyword("IGNORE")) {
          ExpectKeyword("NULL");
        } else {
          Expected(QStringLiteral("PRIMARY, DISALLOW NULL oder IGNORE NULL"));
        }
      } while (!Current().IsSymbol(";") && Current().Type != JetToken::Kind::End);
    }
    return index;
  }

  JetCreateTable ParseCreateTable() {
    JetCreateTable table;
    table.Table = ExpectName(QStringLiteral("Tabellenname"));
    ExpectSymbol("(");
    do {
      if (Current().IsKeyword("CONSTRAINT") || Current().IsKeyword("PRIMARY") ||
          Current().IsKeyword("UNIQUE"))
        table.Constraints.append(ParseTableConstraint());
      else
        table.Columns.append(ParseColumnDef());
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    return table;
  }

  JetColumnDef ParseColumnDef() {
    JetColumnDef column;
    column.Name = ExpectName(QStringLiteral("Spaltenname"));
    if (Current().Type != JetToken::Kind::Identifier) Expected(QStringLiteral("Datentyp"));
    column.TypePosition = Current().Position;
    column.TypeName = Advance().Text;
    if (column.TypeName.compare(QLatin1String("DOUBLE"), Qt::CaseInsensitive) == 0)
      AcceptKeyword("PRECISION");
    if (AcceptSymbol("(")) {
      const qint64 first = ExpectInteger(QStringLiteral("Länge"));
      // COUNTER(seed, increment) and IDENTITY(seed, increment): only the plain 1,1 counts up
      // the way SQLite does.
      if (AcceptSymbol(",")) {
        const qint64 increment = ExpectInteger(QStringLiteral("Schrittweite"));
        if (first != 1 || increment != 1)
          RaiseJetSyntaxError(QStringLiteral("Startwert und Schrittweite außer (1,1) werden nicht "
                                             "unterstützt"),
                              column.TypePosition);
      } else {
        column.Size = int(first);
      }
      ExpectSymbol(")");
    }
    while (true) {
      if (AcceptKeyword("NOT")) {
        ExpectKeyword("NULL");
        column.NotNull = true;
      } else if (AcceptKeyword("NULL")) {
      } else if (AcceptKeyword("CONSTRAINT")) {
        column.ConstraintName = ExpectName(QStringLiteral("Name der Einschränkung")).Name;
        ParseColumnConstraintKind(column);
      } else if (Current().IsKeyword("PRIMARY") || Current().IsKeyword("UNIQUE")) {
        ParseColumnConstraintKind(column);
      } else {
        return column;
      }
    }
  }

  void ParseColumnConstraintKind(JetColumnDef& column) {
    if (AcceptKeyword("PRIMARY")) {
      ExpectKeyword("KEY");
      column.PrimaryKey = true;
    } else if (AcceptKeyword("UNIQUE")) {
      column.Unique = true;
    } else if (AcceptKeyword("NOT")) {
      ExpectKeyword("NULL");
      column.NotNull = true;
    } else {
      Expected(QStringLiteral("PRIMARY KEY, UNIQUE oder NOT NULL"));
    }
  }

  JetTableConstraint ParseTableConstraint() {
    JetTableConstraint constraint;
    constraint.Position = Current().Position;
    if (AcceptKeyword("CONSTRAINT"))
      constraint.Name = ExpectName(QStringLiteral("Name der Einschränkung")).Name;
    if (AcceptKeyword("PRIMARY")) {
      ExpectKeyword("KEY");
      constraint.PrimaryKey = true;
    } else if (!AcceptKeyword("UNIQUE")) {
      Expected(QStringLiteral("PRIMARY KEY oder UNIQUE"));
    }
    ExpectSymbol("(");
    do {
      constraint.Columns.append(ExpectName(QStringLiteral("Spaltenname")));
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    return constraint;
  }

  JetStatement ParseDrop() {
    ExpectKeyword("DROP");
    if (AcceptKeyword("TABLE")) return JetDropTable{ExpectName(QStringLiteral("Tabellenname"))};
    if (!AcceptKeyword("INDEX")) Expected(QStringLiteral("TABLE oder INDEX"));
    JetDropIndex drop;
    drop.Index = ExpectName(QStringLiteral("Indexname"));
    ExpectKeyword("ON");
    drop.Table = ExpectName(QStringLiteral("Tabellenname"));
    return drop;
  }

  // --- expressions, lowest precedence first -------------------------------------------
  // Bounds the recursion, so that no statement can exhaust the stack.
  void EnterNesting() {
    if (++FDepth > kMaxDepth)
      RaiseJetSyntaxError(QStringLiteral("Ausdruck zu tief verschachtelt"), Current().Position);
  }

  JetExprPtr ParseExpression() {
    EnterNesting();
    JetExprPtr result = ParseImp();
    --FDepth;
    return result;
  }

  JetExprPtr Binary(const QString& op, int position, JetExprPtr left, JetExprPtr right) {
    if (++FOperators > kMaxOperators)
      RaiseJetSyntaxError(QStringLiteral("zu viele Operatoren in der Anweisung"), position);
    JetExprPtr expr = MakeExpr(JetExpr::Kind::Binary, position);
    expr->Op = op;
    expr->Args.push_back(std::move(left));
    expr->Args.push_back(std::move(right));
    return expr;
  }

  template <typename Next>
  JetExprPtr ParseKeywordLevel(const char* keyword, Next next) {
    JetExprPtr left = (this->*next)();
    while (Current().IsKeyword(keyword)) {
      const int position = Advance().Position;
      left = Binary(QLatin1String(keyword), position, std::move(left), (this->*next)());
    }
    return left;
  }

  JetExprPtr ParseImp() { return ParseKeywordLevel("IMP", &Parser::ParseEqv); }
  JetExprPtr ParseEqv() { return ParseKeywordLevel("EQV", &Parser::ParseXor); }
  JetExprPtr ParseXor() { return ParseKeywordLevel("XOR", &Parser::ParseOr); }
  JetExprPtr ParseOr() { return ParseKeywordLevel("OR", &Parser::ParseAnd); }
  JetExprPtr ParseAnd() { return ParseKeywordLevel("AND", &Parser::ParseNot); }

  JetExprPtr ParseNot() {
    if (Current().IsKeyword("NOT")) {
      EnterNesting();
      JetExprPtr expr = MakeExpr(JetExpr::Kind::Unary, Advance().Position);
      expr->Op = QStringLiteral("NOT");
      expr->Args.push_back(ParseNot());
      --FDepth;
      return expr;
    }
    return ParseComparison();
  }

  JetExprPtr ParseComparison() {
    JetExprPtr left = ParseConcat();
    while (true) {
      const JetToken& token = Current();
      static const char* const operators[] = {"=", "<>", "<", "<=", ">", ">=", "!="};
      bool isOperator = false;
      for (const char* op : operators) isOperator = isOperator || token.IsSymbol(op);
      if (isOperator) {
        const QString op = token.Text == QLatin1String("!=") ? QStringLiteral("<>") : token.Text;
        const int position = Advance().Position;
        left = Binary(op, position, std::move(left), ParseConcat());
        continue;
      }
      const int position = token.Position;
      bool negated = false;
      if (token.IsKeyword("NOT") &&
          (Peek(1).IsKeyword("LIKE") || Peek(1).IsKeyword("BETWEEN") || Peek(1).IsKeyword("IN"))) {
        Advance();
        negated = true;
      }
      if (AcceptKeyword("LIKE")) {
        JetExprPtr like = MakeExpr(JetExpr::Kind::Like, position);
        like->Negated = negated;
        like->Args.push_back(std::move(left));
        like->Args.push_back(ParseConcat());
        left = std::move(like);
      } else if (AcceptKeyword("BETWEEN")) {
        JetExprPtr between = MakeExpr(JetExpr::Kind::Between, position);
        between->Negated = negated;
        between->Args.push_back(std::move(left));
        between->Args.push_back(ParseConcat());
        ExpectKeyword("AND");
        between->Args.push_back(ParseConcat());
        left = std::move(between);
      } else if (AcceptKeyword("IN")) {
        left = ParseInList(std::move(left), position, negated);
      } else if (AcceptKeyword("IS")) {
        JetExprPtr isNull = MakeExpr(JetExpr::Kind::IsNull, position);
        isNull->Negated = AcceptKeyword("NOT");
        ExpectKeyword("NULL");
        isNull->Args.push_back(std::move(left));
        left = std::move(isNull);
      } else {
        return left;
      }
    }
  }

  JetExprPtr ParseInList(JetExprPtr left, int position, bool negated) {
    JetExprPtr in = MakeExpr(JetExpr::Kind::In, position);
    in->Negated = negated;
    in->Args.push_back(std::move(left));
    ExpectSymbol("(");
    if (Current().IsKeyword("SELECT")) {
      in->Query = std::make_unique<JetSelect>(ParseSelect());
    } else {
      do {
        in->Args.push_back(ParseExpression());
      } while (AcceptSymbol(","));
    }
    ExpectSymbol(")");
    return in;
  }

  JetExprPtr ParseConcat() {
    JetExprPtr left = ParseAdditive();
    while (Current().IsSymbol("&")) {
      const int position = Advance().Position;
      left = Binary(QStringLiteral("&"), position, std::move(left), ParseAdditive());
    }
    return left;
  }

  JetExprPtr ParseAdditive() {
    JetExprPtr left = ParseMod();
    while (Current().IsSymbol("+") || Current().IsSymbol("-")) {
      const QString op = Current().Text;
      const int position = Advance().Position;
      left = Binary(op, position, std::move(left), ParseMod());
    }
    return left;
  }

  JetExprPtr ParseMod() {
    JetExprPtr left = ParseIntegerDivision();
    while (Current().IsKeyword("MOD")) {
      const int position = Advance().Position;
      left = Binary(QStringLiteral("MOD"), position, std::move(left), ParseIntegerDivision());
    }
    return left;
  }

  JetExprPtr ParseIntegerDivision() {
    JetExprPtr left = ParseMultiplicative();
    while (Current().IsSymbol("\\")) {
      const int position = Advance().Position;
      left = Binary(QStringLiteral("\\"), position, std::move(left), ParseMultiplicative());
    }
    return left;
  }

  JetExprPtr ParseMultiplicative() {
    JetExprPtr left = ParseUnary();
    while (Current().IsSymbol("*") || Current().IsSymbol("/")) {
      const QString op = Current().Text;
      const int position = Advance().Position;
      left = Binary(op, position, std::move(left), ParseUnary());
    }
    return left;
  }

  JetExprPtr ParseUnary() {
    if (Current().IsSymbol("-") || Current().IsSymbol("+")) {
      EnterNesting();
      JetExprPtr expr = MakeExpr(JetExpr::Kind::Unary, Current().Position);
      expr->Op = Advance().Text;
      expr->Args.push_back(ParseUnary());
      --FDepth;
      return expr;
    }
    return ParsePower();
  }

  JetExprPtr ParsePower() {
    JetExprPtr left = ParsePrimary();
    while (Current().IsSymbol("^")) {
      const int position = Advance().Position;
      left = Binary(QStringLiteral("^"), position, std::move(left), ParsePrimary());
    }
    return left;
  }

  JetExprPtr Literal(JetExpr::LiteralType type, const QVariant& value, int position) {
    JetExprPtr expr = MakeExpr(JetExpr::Kind::Literal, position);
    expr->Literal = type;
    expr->Value = value;
    return expr;
  }

  JetExprPtr ParsePrimary() {
    const JetToken& token = Current();
    switch (token.Type) {
      case JetToken::Kind::Integer: {
        Advance();
        bool ok = false;
        const qlonglong value = token.Text.toLongLong(&ok);
        // Jet reads integers beyond the Long range as Double.
        if (ok && value <= 0x7fffffff)
          return Literal(JetExpr::LiteralType::Integer, value, token.Position);
        return Literal(JetExpr::LiteralType::Double, token.Text.toDouble(), token.Position);
      }
      case JetToken::Kind::Float:
        Advance();
        return Literal(JetExpr::LiteralType::Double, token.Text.toDouble(), token.Position);
      case JetToken::Kind::Text:
        Advance();
        return Literal(JetExpr::LiteralType::Text, token.Text, token.Position);
      case JetToken::Kind::Date:
        Advance();
        return Literal(JetExpr::LiteralType::Date, token.Text, token.Position);
      case JetToken::Kind::Binary:
        Advance();
        return Literal(JetExpr::LiteralType::Binary, token.Bytes, token.Position);
      case JetToken::Kind::Symbol:
        if (token.IsSymbol("(")) return ParseParenthesized();
        Unexpected();
      case JetToken::Kind::Identifier:
        return ParseWord();
      case JetToken::Kind::End:
        Expected(QStringLiteral("Ausdruck"));
    }
    Unexpected();
  }

  JetExprPtr ParseParenthesized() {
    const int position = Advance().Position;
    if (Current().IsKeyword("SELECT")) {
      JetExprPtr expr = MakeExpr(JetExpr::Kind::Subquery, position);
      expr->Query = std::make_unique<JetSelect>(ParseSelect());
      ExpectSymbol(")");
      return expr;
    }
    JetExprPtr inner = ParseExpression();
    ExpectSymbol(")");
    return inner;
  }

  JetExprPtr ParseWord() {
    const JetToken& token = Current();
    if (token.IsKeyword("NULL")) {
      Advance();
      return Literal(JetExpr::LiteralType::Null, QVariant(), token.Position);
    }
    if (token.IsKeyword("TRUE") || token.IsKeyword("FALSE")) {
      Advance();
      return Literal(JetExpr::LiteralType::Boolean, token.IsKeyword("TRUE"), token.Position);
    }
    if (token.IsKeyword("EXISTS")) {
      JetExprPtr expr = MakeExpr(JetExpr::Kind::Exists, Advance().Position);
      ExpectSymbol("(");
      if (!Current().IsKeyword("SELECT")) Expected(QStringLiteral("SELECT"));
      expr->Query = std::make_unique<JetSelect>(ParseSelect());
      ExpectSymbol(")");
      return expr;
    }
    // LEFT, RIGHT and ASC are keywords and functions.
    const bool keywordFunction =
        (token.IsKeyword("LEFT") || token.IsKeyword("RIGHT") || token.IsKeyword("ASC")) &&
        Peek(1).IsSymbol("(");
    if (IsReserved(token) && !keywordFunction) Unexpected();
    Advance();
    if (!token.Bracketed && Current().IsSymbol("(")) return ParseFunctionCall(token);
    if (AcceptSymbol(".")) {
      if (Current().IsSymbol("*")) {
        JetExprPtr star = MakeExpr(JetExpr::Kind::Star, token.Position);
        star->Qualifier = token.Text;
        Advance();
        return star;
      }
      JetExprPtr column = MakeExpr(JetExpr::Kind::Column, token.Position);
      column->Qualifier = token.Text;
      column->Name = ExpectName(QStringLiteral("Spaltenname")).Name;
      return column;
    }
    JetExprPtr column = MakeExpr(JetExpr::Kind::Column, token.Position);
    column->Name = token.Text;
    return column;
  }

  JetExprPtr ParseFunctionCall(const JetToken& name) {
    JetExprPtr call = MakeExpr(JetExpr::Kind::Function, name.Position);
    call->Name = name.Text.toUpper();
    ExpectSymbol("(");
    if (AcceptSymbol(")")) return call;
    if (Current().IsSymbol("*")) {
      call->Args.push_back(MakeExpr(JetExpr::Kind::Star, Advance().Position));
    } else {
      do {
        call->Args.push_back(ParseExpression());
      } while (AcceptSymbol(","));
    }
    ExpectSymbol(")");
    return call;
  }

  // Deep enough for any real statement, shallow enough for SQLite's parser stack.
  static constexpr int kMaxDepth = 48;
  // Long chains like 'a'+CHR(39)+'b'+... stay far below this; it bounds the tree's size.
  static constexpr int kMaxOperators = 2000;
  QVector<JetToken> FTokens;
  int FIndex = 0;
  int FDepth = 0;
  int FOperators = 0;
};

}  // namespace

JetStatement ParseJetSql(const QString& Statement) { return Parser(Statement).ParseStatement(); }
