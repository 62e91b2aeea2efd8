#include "sql/jet/jetsqliteschema.h"

#include <sqlite3.h>

#include <QVariant>
#include <functional>

#include "sql/jet/jeterror.h"

namespace {

QString ColumnText(sqlite3_stmt* statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                           sqlite3_column_bytes(statement, column));
}

// Runs a catalogue query with one text parameter and hands each row to OnRow.
void Query(sqlite3* database, const char* sql, const QString& parameter,
           const std::function<void(sqlite3_stmt*)>& OnRow) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) != SQLITE_OK)
    RaiseJetError(QStringLiteral("Der Datenbankkatalog kann nicht gelesen werden: %1")
                      .arg(QString::fromUtf8(sqlite3_errmsg(database))));
  const QByteArray utf8 = parameter.toUtf8();
  sqlite3_bind_text(statement, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
  int result;
  while ((result = sqlite3_step(statement)) == SQLITE_ROW) OnRow(statement);
  sqlite3_finalize(statement);
  if (result != SQLITE_DONE)
    RaiseJetError(QStringLiteral("Der Datenbankkatalog kann nicht gelesen werden: %1")
                      .arg(QString::fromUtf8(sqlite3_errstr(result))));
}

}  // namespace

void JetSqliteSchema::DropCacheIfChanged() const {
  int version = -1;
  Query(FDatabase, "PRAGMA schema_version", QString(),
        [&version](sqlite3_stmt* row) { version = sqlite3_column_int(row, 0); });
  if (version != FSchemaVersion) {
    FTables.clear();
    FSchemaVersion = version;
  }
}

void JetSqliteSchema::Invalidate() {
  FTables.clear();
  FSchemaVersion = -1;
}

const JetTableInfo* JetSqliteSchema::FindTable(const QString& Name) const {
  DropCacheIfChanged();
  const QString key = Name.toCaseFolded();
  auto cached = FTables.constFind(key);
  if (cached != FTables.constEnd()) return &*cached;

  JetTableInfo table;
  Query(FDatabase,
        "SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE JETTEXT "
        "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
        Name, [&table](sqlite3_stmt* row) { table.Name = ColumnText(row, 0); });
  if (table.Name.isEmpty()) return nullptr;
  Query(FDatabase, "SELECT name, type FROM pragma_table_info(?1)", table.Name,
        [&table](sqlite3_stmt* row) {
          table.Columns.append({ColumnText(row, 0), ParseSqliteDeclType(ColumnText(row, 1))});
        });
  return &*FTables.insert(key, table);
}

bool JetSqliteSchema::HasIndex(const QString& SqliteName) const {
  bool found = false;
  Query(FDatabase, "SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ?1", SqliteName,
        [&found](sqlite3_stmt*) { found = true; });
  return found;
}
