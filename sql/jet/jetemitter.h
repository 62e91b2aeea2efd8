#pragma once

#include <QString>
#include <QVector>
#include <functional>

#include "sql/jet/jetast.h"
#include "sql/jet/jetcompiler.h"

// A piece of emitted SQLite SQL with the type Jet gives it.
struct JetTyped {
  QString Sql;
  JetType Type = JetType::Variant;
  bool HasAggregate = false;
  bool IsNull = false;            // the NULL literal
  int TextLiteralParameter = -1;  // parameter index when the piece is a bare text literal
  QString ColumnName;             // declared name when the piece is a plain column
  // Set when Sql is an unbracketed chain "a OP b OP c" ("AND", "OR", "||", "&", "+-"): the next
  // link of the same chain appends without brackets, which keeps long chains flat for SQLite.
  QString ChainOp;
};

// A typed piece of SQLite SQL that is neither a literal nor a plain column.
inline JetTyped Typed(const QString& sql, JetType type, bool aggregate) {
  JetTyped result;
  result.Sql = sql;
  result.Type = type;
  result.HasAggregate = aggregate;
  return result;
}

// The tables (and derived tables) whose columns an expression may name.
struct JetScopeSource {
  QString Qualifier;  // alias or table name, as a statement writes it before the dot
  QString SqlName;    // the quoted name emitted before the dot
  QVector<JetColumnInfo> Columns;
};

struct JetScope {
  QVector<JetScopeSource> Sources;
  const JetScope* Outer = nullptr;
  const QVector<JetResultColumn>* SelectAliases = nullptr;  // ORDER BY may name them
};

// Walks the syntax tree once, inferring Jet's types bottom-up and emitting SQLite SQL that
// behaves the way Jet does. Statements live in jetstatementemitter.cpp, expressions and
// functions in jetemitter.cpp and jetfunctionemitter.cpp.
class JetEmitter {
 public:
  explicit JetEmitter(const JetSchema& Schema) : FSchema(Schema) {}
  JetCompiledStatement Compile(const JetStatement& Statement);

 private:
  struct SelectOutput {
    QString Sql;
    QVector<JetResultColumn> Columns;
  };
  enum class AggregateRule { Forbidden, Allowed };

  // statements
  JetCompiledStatement CompileSelectStatement(const JetSelect& Select);
  JetCompiledStatement CompileInsert(const JetInsert& Insert);
  JetCompiledStatement CompileUpdate(const JetUpdate& Update);
  JetCompiledStatement CompileDelete(const JetDelete& Delete);
  JetCompiledStatement CompileCreateTable(const JetCreateTable& Create);
  JetCompiledStatement CompileCreateIndex(const JetCreateIndex& Create);
  JetCompiledStatement CompileDropTable(const JetDropTable& Drop);
  JetCompiledStatement CompileDropIndex(const JetDropIndex& Drop);
  SelectOutput CompileSelect(const JetSelect& Select, const JetScope* Outer,
                             bool NumberedAliases = false);
  QString CompileSource(const JetSource& Source, JetScope& Scope);
  // A column used outside an aggregate in a select list, HAVING or ORDER BY.
  struct BareColumn {
    QString Sql;
    QString Name;
  };
  bool AddSelectItem(const JetSelectItem& Item, const JetScope& Scope, bool Distinct,
                     QStringList& Expressions, QVector<JetResultColumn>& Columns,
                     int& ExpressionNumber);
  QString CompileOrderBy(const JetSelect& Select, const JetScope& Scope,
                         const QVector<JetResultColumn>& Columns, bool& HasAggregate);
  static void RequireGrouped(const QVector<BareColumn>& Columns, const QStringList& GroupTerms);
  const JetTableInfo& RequireTable(const JetNamePos& Name) const;
  JetScope TableScope(const JetTableInfo& Table) const;
  QString Coerced(const JetTyped& Value, const JetTableInfo& Table, const JetColumnInfo& Column);

  // expressions
  JetTyped CompileExpr(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileCondition(const JetExpr& Expr, const JetScope& Scope, AggregateRule Rule);
  JetTyped CompileLiteral(const JetExpr& Expr);
  JetTyped CompileColumn(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileUnary(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileBinary(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileChain(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CombineBinary(const QString& Op, const JetTyped& Left, const JetTyped& Right,
                         int Position);
  JetTyped CompileArithmetic(const QString& Op, JetTyped Left, JetTyped Right, int Position);
  JetTyped CompilePlus(JetTyped Left, JetTyped Right, int Position);
  JetTyped CompileComparison(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileBetween(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileIn(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileLike(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileSubquery(const JetExpr& Expr, const JetScope& Scope);
  // Brings the operands of a comparison to one type the way Jet does: a text literal next
  // to a date is read as a date, text next to a number as a number. True when they compare
  // as text (case-insensitively).
  bool HarmonizeComparison(QVector<JetTyped*> Operands, int Position);
  JetTyped AsText(const JetTyped& Value);
  JetTyped AsNumber(const JetTyped& Value, int Position);
  void RequireNotBinary(const JetTyped& Value, int Position) const;

  // functions (jetfunctionemitter.cpp)
  JetTyped CompileFunction(const JetExpr& Expr, const JetScope& Scope);
  JetTyped CompileAggregate(const JetExpr& Expr, const JetScope& Scope);

  QString AddParameter(const QVariant& Value);
  static QString Quote(const QString& Name);

  const JetSchema& FSchema;
  QVector<QVariant> FParameters;
  AggregateRule FAggregates = AggregateRule::Forbidden;
  bool FInsideAggregate = false;
  // Where CompileColumn notes the columns of FBareScope met outside aggregates.
  QVector<BareColumn>* FBareColumns = nullptr;
  const JetScope* FBareScope = nullptr;
};

// Kind code that tells the runtime functions how to read a stored number: 1 date, 2 Boolean.
int JetValueKind(JetType Type);
QString TextCollation();
