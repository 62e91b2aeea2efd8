#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

#include "sql/jet/jetschema.h"
#include "sql/jet/jettypes.h"

struct JetResultColumn {
  QString Name;
  JetType Type = JetType::Variant;
};

// One Jet statement compiled to SQLite. Every literal of the statement travels in
// Parameters (bound to ?1, ?2, ...); Sql holds only names the compiler quoted itself.
struct JetCompiledStatement {
  enum class Kind { Query, Change, Definition };
  Kind Type = Kind::Query;
  QString Sql;
  QVector<QVariant> Parameters;
  QVector<JetResultColumn> Columns;  // result columns of a query
};

// Tokenises, parses, infers the types and emits the SQLite statement. Raises EADOError
// naming what was not understood and where; nothing runs in that case.
JetCompiledStatement CompileJetSql(const QString& Statement, const JetSchema& Schema);

// Name of the collation that compares text the Access way.
inline constexpr char kJetTextCollation[] = "JETTEXT";
