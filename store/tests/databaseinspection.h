#pragma once

#include <sqlite3.h>

#include <QFile>
#include <QString>
#include <QStringList>

// Looks into a database file directly with SQLite, past the SQL layer under test, so a
// test sees what really is in the file.
class DatabaseInspection {
 public:
  explicit DatabaseInspection(const QString& Path) {
    if (sqlite3_open_v2(QFile::encodeName(Path).constData(), &FDatabase, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK) {
      sqlite3_close_v2(FDatabase);
      FDatabase = nullptr;
    }
  }
  ~DatabaseInspection() { sqlite3_close_v2(FDatabase); }
  DatabaseInspection(const DatabaseInspection&) = delete;
  DatabaseInspection& operator=(const DatabaseInspection&) = delete;

  // The user tables of the file, as declared, in order of creation.
  QStringList Tables() const {
    return Column(
        "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%' "
        "ORDER BY rowid");
  }
  QStringList ColumnsOf(const QString& Table) const {
    return Column(QStringLiteral("SELECT name FROM pragma_table_info('%1') ORDER BY cid")
                      .arg(Table)
                      .toUtf8());
  }
  // The first column of every row of Sql, as text; "<null>" for null values.
  QStringList Column(const QByteArray& Sql) const {
    QStringList values;
    sqlite3_stmt* statement = nullptr;
    if (!FDatabase ||
        sqlite3_prepare_v2(FDatabase, Sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
      return {QStringLiteral("<error>")};
    while (sqlite3_step(statement) == SQLITE_ROW) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      values << (text ? QString::fromUtf8(text) : QStringLiteral("<null>"));
    }
    sqlite3_finalize(statement);
    return values;
  }

 private:
  sqlite3* FDatabase = nullptr;
};
