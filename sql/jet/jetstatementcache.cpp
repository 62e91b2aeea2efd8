#include "sql/jet/jetstatementcache.h"

JetStatementCache::~JetStatementCache() {
  for (sqlite3_stmt* statement : std::as_const(FStatements)) sqlite3_finalize(statement);
}

sqlite3_stmt* JetStatementCache::Acquire(const QByteArray& Sql) {
  if (sqlite3_stmt* cached = FStatements.value(Sql)) return cached;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(FDatabase, Sql.constData(), int(Sql.size()), &statement, nullptr) !=
      SQLITE_OK) {
    sqlite3_finalize(statement);
    return nullptr;
  }
  if (FOrder.size() >= kCapacity) sqlite3_finalize(FStatements.take(FOrder.takeFirst()));
  FStatements.insert(Sql, statement);
  FOrder.append(Sql);
  return statement;
}

void JetStatementCache::Release(sqlite3_stmt* Statement) {
  sqlite3_reset(Statement);
  sqlite3_clear_bindings(Statement);
}
