#include "sql/jet/jetdatabase.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QFileInfo>

#include "sql/jet/jeterror.h"
#include "sql/jet/jetfunctions.h"
#include "sql/jet/jetprovider.h"

namespace {

constexpr int kBusyTimeoutMs = 5000;

QString SqliteMessage(sqlite3* database) { return QString::fromUtf8(sqlite3_errmsg(database)); }

void Run(sqlite3* database, const char* sql) {
  if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    RaiseJetError(QStringLiteral("Die Datenbank kann nicht eingerichtet werden: %1")
                      .arg(SqliteMessage(database)));
}

// Reads one integer pragma; false when the file is not a database at all.
bool ReadPragma(sqlite3* database, const char* sql, int& value) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) != SQLITE_OK) return false;
  const bool ok = sqlite3_step(statement) == SQLITE_ROW;
  if (ok) value = sqlite3_column_int(statement, 0);
  sqlite3_finalize(statement);
  return ok;
}

[[noreturn]] void RaiseUnrecognised(sqlite3* database, const QString& path) {
  sqlite3_close_v2(database);
  RaiseJetError(QStringLiteral("Nicht erkennbares Datenbankformat \"%1\".").arg(path));
}

sqlite3* OpenHandle(const QString& path, int flags) {
  sqlite3* database = nullptr;
  const int result =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &database, flags, nullptr);
  if (result != SQLITE_OK) {
    const QString message = database ? SqliteMessage(database) : QStringLiteral("kein Speicher");
    sqlite3_close_v2(database);
    RaiseJetError(
        QStringLiteral("Die Datenbank \"%1\" kann nicht geöffnet werden: %2").arg(path, message));
  }
  sqlite3_extended_result_codes(database, 1);
  return database;
}

}  // namespace

sqlite3* OpenJetDatabaseFile(const QString& Path) {
  if (Path.isEmpty() || !QFileInfo(Path).isFile())
    RaiseJetError(QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(Path));
  sqlite3* database = OpenHandle(Path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
  int applicationId = 0;
  if (!ReadPragma(database, "PRAGMA application_id", applicationId) ||
      applicationId != kJetApplicationId)
    RaiseUnrecognised(database, Path);
  try {
    sqlite3_busy_timeout(database, kBusyTimeoutMs);
    Run(database, "PRAGMA journal_mode=WAL");
    Run(database, "PRAGMA synchronous=NORMAL");
    if (RegisterJetFunctions(database) != SQLITE_OK)
      RaiseJetError(QStringLiteral("Die Datenbankfunktionen können nicht angemeldet werden: %1")
                        .arg(SqliteMessage(database)));
  } catch (...) {
    sqlite3_close_v2(database);
    throw;
  }
  return database;
}

void CreateJetDatabase(const QString& Path) {
  if (Path.isEmpty())
    RaiseJetError(QStringLiteral("Kein Dateiname für die neue Datenbank angegeben."));
  // The file holds customer addresses: only its owner may read it. O_EXCL refuses a file
  // that exists, as creating an Access database does.
  const int descriptor =
      ::open(QFile::encodeName(Path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (descriptor < 0) {
    if (QFileInfo::exists(Path))
      RaiseJetError(QStringLiteral("Die Datenbank \"%1\" ist bereits vorhanden.").arg(Path));
    RaiseJetError(QStringLiteral("Die Datenbank \"%1\" kann nicht angelegt werden.").arg(Path));
  }
  ::close(descriptor);
  sqlite3* database = nullptr;
  try {
    database = OpenHandle(Path, SQLITE_OPEN_READWRITE);
    Run(database,
        QStringLiteral("PRAGMA application_id=%1").arg(kJetApplicationId).toUtf8().constData());
    Run(database, "PRAGMA user_version=1");
    Run(database, "PRAGMA journal_mode=WAL");
  } catch (...) {
    sqlite3_close_v2(database);
    QFile::remove(Path);
    throw;
  }
  sqlite3_close_v2(database);
}
