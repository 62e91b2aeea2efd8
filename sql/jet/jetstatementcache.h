#pragma once

#include <sqlite3.h>

#include <QByteArray>
#include <QHash>
#include <QList>

// Prepared SQLite statements by their SQL text. The compiler turns every literal into a
// parameter, so the planning code's thousands of inserts and updates that differ only in
// their values share one prepared statement. Statements come back reset and unbound.
class JetStatementCache {
 public:
  explicit JetStatementCache(sqlite3* database) : FDatabase(database) {}
  ~JetStatementCache();
  JetStatementCache(const JetStatementCache&) = delete;
  JetStatementCache& operator=(const JetStatementCache&) = delete;

  // The prepared statement for Sql, or nullptr with SQLite's error left on the database.
  sqlite3_stmt* Acquire(const QByteArray& Sql);
  // Hands a statement from Acquire back after use; it is reset for its next use.
  void Release(sqlite3_stmt* Statement);

 private:
  static constexpr int kCapacity = 64;
  sqlite3* FDatabase;
  QHash<QByteArray, sqlite3_stmt*> FStatements;
  QList<QByteArray> FOrder;  // oldest first, for eviction
};
