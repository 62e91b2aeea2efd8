#pragma once

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <variant>
#include <vector>

// The syntax tree of one Jet SQL statement, as the parser builds it. Names keep the
// spelling of the statement; the compiler resolves them against the database.

struct JetSelect;

struct JetExpr;
using JetExprPtr = std::unique_ptr<JetExpr>;

struct JetExpr {
  JetExpr() = default;
  JetExpr(const JetExpr&) = delete;
  JetExpr& operator=(const JetExpr&) = delete;
  // Frees long operator chains without one stack frame per link.
  ~JetExpr();

  enum class Kind {
    Literal,   // Value with LiteralType
    Column,    // [Qualifier.]Name
    Star,      // * or Qualifier.* (select list, COUNT(*))
    Unary,     // Op on Args[0]: "-", "+", "NOT"
    Binary,    // Args[0] Op Args[1]
    Function,  // Name(Args...)
    Between,   // Args[0] [NOT] BETWEEN Args[1] AND Args[2]
    In,        // Args[0] [NOT] IN (Args[1..]) or IN (Query)
    IsNull,    // Args[0] IS [NOT] NULL
    Like,      // Args[0] [NOT] LIKE Args[1]
    Subquery,  // (Query) as a value
    Exists     // EXISTS (Query)
  };
  enum class LiteralType { Null, Integer, Double, Text, Date, Binary, Boolean };

  Kind Type = Kind::Literal;
  int Position = 0;
  LiteralType Literal = LiteralType::Null;
  QVariant Value;  // qlonglong, double, QString, QByteArray, bool; date text as written
  QString Qualifier;
  QString Name;
  QString Op;  // upper case
  std::vector<JetExprPtr> Args;
  bool Negated = false;
  std::unique_ptr<JetSelect> Query;
};

struct JetSelectItem {
  JetExprPtr Expr;
  QString Alias;
};

struct JetSource {
  enum class Kind { Table, Subquery, Join };
  Kind Type = Kind::Table;
  int Position = 0;
  QString Name;   // table name
  QString Alias;  // empty when none
  std::unique_ptr<JetSelect> Query;
  std::unique_ptr<JetSource> Left;
  std::unique_ptr<JetSource> Right;
  QString JoinType;  // "INNER", "LEFT", "RIGHT"
  JetExprPtr On;
};
using JetSourcePtr = std::unique_ptr<JetSource>;

struct JetOrderItem {
  JetExprPtr Expr;
  bool Descending = false;
};

struct JetSelect {
  int Position = 0;
  bool Distinct = false;
  qint64 Top = -1;  // -1: no TOP
  bool TopPercent = false;
  std::vector<JetSelectItem> Items;
  std::vector<JetSourcePtr> From;
  JetExprPtr Where;
  std::vector<JetExprPtr> GroupBy;
  JetExprPtr Having;
  std::vector<JetOrderItem> OrderBy;
};

struct JetNamePos {
  QString Name;
  int Position = 0;
};

struct JetInsert {
  JetNamePos Table;
  QVector<JetNamePos> Columns;  // empty: all columns in table order
  std::vector<JetExprPtr> Values;
  std::unique_ptr<JetSelect> Query;  // INSERT INTO ... SELECT
};

struct JetUpdate {
  JetNamePos Table;
  QVector<JetNamePos> Targets;
  std::vector<JetExprPtr> Values;
  JetExprPtr Where;
};

struct JetDelete {
  JetNamePos Table;
  JetExprPtr Where;
};

struct JetColumnDef {
  JetNamePos Name;
  QString TypeName;
  int TypePosition = 0;
  int Size = 0;
  bool NotNull = false;
  bool PrimaryKey = false;
  bool Unique = false;
  QString ConstraintName;
};

struct JetTableConstraint {
  int Position = 0;
  QString Name;
  bool PrimaryKey = false;  // otherwise UNIQUE
  QVector<JetNamePos> Columns;
};

struct JetCreateTable {
  JetNamePos Table;
  QVector<JetColumnDef> Columns;
  QVector<JetTableConstraint> Constraints;
};

struct JetIndexColumn {
  JetNamePos Name;
  bool Descending = false;
};

struct JetCreateIndex {
  bool Unique = false;
  JetNamePos Index;
  JetNamePos Table;
  QVector<JetIndexColumn> Columns;
  bool Primary = false;       // WITH PRIMARY
  bool DisallowNull = false;  // WITH DISALLOW NULL
};

struct JetDropTable {
  JetNamePos Table;
};

struct JetDropIndex {
  JetNamePos Index;
  JetNamePos Table;
};

using JetStatement = std::variant<JetSelect, JetInsert, JetUpdate, JetDelete, JetCreateTable,
                                  JetCreateIndex, JetDropTable, JetDropIndex>;
