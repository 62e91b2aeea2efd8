#pragma once

// The reference web application on a free loopback port with demo data, for end-to-end tests:
// started as its own process, stopped with the fixture; its database is read directly.
#include <sqlite3.h>

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TWebApplication {
 public:
  TWebApplication() {
    FProcess.setProgram(ZEP_WEBAPP_BINARY);
    FProcess.setArguments({"--port", "0", "--db", DatabaseFile(), "--demo", ZEP_DEMO_MAP_DIR});
    FProcess.start();
    if (!FProcess.waitForStarted(10000)) return;
    while (FProcess.state() == QProcess::Running && !FProcess.canReadLine())
      FProcess.waitForReadyRead(20000);
    FPort = QString::fromLatin1(FProcess.readLine()).trimmed().toInt();
  }
  ~TWebApplication() {
    FProcess.terminate();
    if (!FProcess.waitForFinished(5000)) FProcess.kill();
    FProcess.waitForFinished(5000);
  }
  bool IsRunning() const { return FPort > 0 && FProcess.state() == QProcess::Running; }
  QString BaseUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(FPort); }
  QString DatabaseFile() const { return FDir.filePath("webapp.db"); }

  // The first column of every row of Sql, read from the application's database.
  QStringList Query(const QString& Sql) const { return Run(Sql, SQLITE_OPEN_READONLY); }
  // Changes the application's data behind its back, as another of its users would.
  void Change(const QString& Sql) const { Run(Sql, SQLITE_OPEN_READWRITE); }

 private:
  QStringList Run(const QString& Sql, int OpenFlags) const {
    QStringList Values;
    sqlite3* Db = nullptr;
    if (sqlite3_open_v2(DatabaseFile().toUtf8().constData(), &Db, OpenFlags, nullptr) ==
        SQLITE_OK) {
      sqlite3_busy_timeout(Db, 2000);
      sqlite3_stmt* Statement = nullptr;
      if (sqlite3_prepare_v2(Db, Sql.toUtf8().constData(), -1, &Statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(Statement) == SQLITE_ROW)
          Values << QString::fromUtf8(
              reinterpret_cast<const char*>(sqlite3_column_text(Statement, 0)));
      }
      sqlite3_finalize(Statement);
    }
    sqlite3_close(Db);
    return Values;
  }

  QTemporaryDir FDir;
  QProcess FProcess;
  int FPort = 0;
};
