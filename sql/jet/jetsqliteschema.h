#pragma once

#include <QHash>

#include "sql/jet/jetschema.h"

struct sqlite3;

// The tables of an open database file, read from SQLite's catalogue and kept until the
// schema changes (any connection's DDL bumps SQLite's schema version).
class JetSqliteSchema : public JetSchema {
 public:
  explicit JetSqliteSchema(sqlite3* Database) : FDatabase(Database) {}
  const JetTableInfo* FindTable(const QString& Name) const override;
  bool HasIndex(const QString& SqliteName) const override;
  // Forgets what was read; a rollback can bring back an old schema version number with a
  // different schema.
  void Invalidate();

 private:
  void DropCacheIfChanged() const;

  sqlite3* FDatabase;
  mutable QHash<QString, JetTableInfo> FTables;  // by folded name
  mutable int FSchemaVersion = -1;
};
