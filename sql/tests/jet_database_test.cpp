// The database file: creation, marking, refusal of foreign files, journal settings,
// transactions and the connection's life cycle.
#include <sqlite3.h>
#include <sys/stat.h>

#include <QFile>

#include "sql/jet/jetdatabase.h"
#include "sql/tests/jettestdatabase.h"

namespace {

QString PragmaText(const QString& path, const char* pragma) {
  sqlite3* database = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &database, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  QString value;
  if (sqlite3_prepare_v2(database, pragma, -1, &statement, nullptr) == SQLITE_OK &&
      sqlite3_step(statement) == SQLITE_ROW)
    value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
  sqlite3_finalize(statement);
  sqlite3_close_v2(database);
  return value;
}

QString OpenError(const QString& path) {
  TADOConnection connection;
  try {
    connection.Open(JetConnectionString(path), QString(), QString());
  } catch (const EADOError& error) {
    return error.Message;
  }
  return QString();
}

class JetDatabaseFileTest : public JetDatabaseTest {};

TEST_F(JetDatabaseFileTest, NewFileIsOursOwnerOnlyAndInWalMode) {
  struct stat status {};
  ASSERT_EQ(::stat(QFile::encodeName(FPath).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(PragmaText(FPath, "PRAGMA application_id").toInt(), kJetApplicationId);
  EXPECT_EQ(PragmaText(FPath, "PRAGMA journal_mode"), QStringLiteral("wal"));
  EXPECT_EQ(Connection.State(), TADOConnection::adStateOpen);
  // The write-ahead log holds the same addresses and gets the same protection.
  Exec(kCreateRO);
  ASSERT_EQ(::stat(QFile::encodeName(FPath + QStringLiteral("-wal")).constData(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST_F(JetDatabaseFileTest, CreatingOverAnExistingFileFails) {
  Exec(kCreateRO);
  try {
    TADOXCatalog().Create(JetConnectionString(FPath));
    ADD_FAILURE() << "no error for an existing file";
  } catch (const EADOError& error) {
    EXPECT_TRUE(error.Message.contains(QStringLiteral("bereits vorhanden")));
  }
  EXPECT_EQ(Value("SELECT COUNT(*) FROM RO").toInt(), 0);
}

TEST_F(JetDatabaseFileTest, ForeignMissingAndDamagedFilesAreRefused) {
  const QString missing = FDir.filePath(QStringLiteral("fehlt.mdb"));
  EXPECT_TRUE(OpenError(missing).contains(QStringLiteral("nicht gefunden")));

  const QString garbage = FDir.filePath(QStringLiteral("garbage.mdb"));
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, '\x5a'));
  file.close();
  EXPECT_TRUE(OpenError(garbage).contains(QStringLiteral("Nicht erkennbares Datenbankformat")));

  const QString empty = FDir.filePath(QStringLiteral("empty.mdb"));
  ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
  EXPECT_TRUE(OpenError(empty).contains(QStringLiteral("Nicht erkennbares Datenbankformat")));

  const QString foreign = FDir.filePath(QStringLiteral("foreign.db"));
  sqlite3* database = nullptr;
  sqlite3_open(QFile::encodeName(foreign).constData(), &database);
  sqlite3_exec(database, "CREATE TABLE RO (x INT)", nullptr, nullptr, nullptr);
  sqlite3_close(database);
  EXPECT_TRUE(OpenError(foreign).contains(QStringLiteral("Nicht erkennbares Datenbankformat")));

  // A refused file is left as it was; the store deletes and recreates it.
  EXPECT_TRUE(QFile::remove(garbage));
  CreateJetDatabase(garbage);
  EXPECT_TRUE(OpenError(garbage).isEmpty());
}

TEST_F(JetDatabaseFileTest, DataSurvivesReopeningAndIsSeenByASecondConnection) {
  Exec(kCreateRO);
  Exec("INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(1001,'2',null)");
  TADOConnection second;
  second.Open(JetConnectionString(FPath), QString(), QString());
  int affected = 0;
  EXPECT_EQ(second.Execute("SELECT Data1 FROM RO WHERE Class=1001", affected)->Field(0).Value(),
            QVariant(QStringLiteral("2")));
  // A table made on one connection is known to the other at once.
  second.Execute("CREATE TABLE R9 (AuftragId INT)", affected);
  Exec("INSERT INTO R9 (AuftragId) VALUES (9)");
  second.Close();
  Connection.Close();
  EXPECT_EQ(Connection.State(), TADOConnection::adStateClosed);
  Connection.Open(JetConnectionString(FPath), QString(), QString());
  EXPECT_EQ(Value("SELECT COUNT(*) FROM R9").toInt(), 1);
}

TEST_F(JetDatabaseFileTest, TransactionsCommitRollBackAndNest) {
  Exec(kCreateRO);
  Connection.BeginTrans();
  Exec("INSERT INTO RO(Class) VALUES(1)");
  Connection.RollbackTrans();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM RO").toInt(), 0);

  Connection.BeginTrans();
  Exec("INSERT INTO RO(Class) VALUES(2)");
  Connection.BeginTrans();
  Exec("INSERT INTO RO(Class) VALUES(3)");
  Connection.RollbackTrans();
  Connection.CommitTrans();
  EXPECT_EQ(Value("SELECT Class FROM RO").toInt(), 2);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM RO").toInt(), 1);

  // A failing statement inside a transaction leaves the transaction usable.
  Connection.BeginTrans();
  EXPECT_FALSE(ErrorOf("INSERT INTO RO(Class) VALUES('x')").isEmpty());
  Exec("INSERT INTO RO(Class) VALUES(4)");
  Connection.CommitTrans();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM RO").toInt(), 2);

  EXPECT_THROW(Connection.CommitTrans(), EADOError);
  EXPECT_THROW(Connection.RollbackTrans(), EADOError);
}

TEST_F(JetDatabaseFileTest, RolledBackTablesAreForgotten) {
  Connection.BeginTrans();
  Exec("CREATE TABLE X (A INT)");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM X").toInt(), 0);
  Connection.RollbackTrans();
  Connection.BeginTrans();
  Exec("CREATE TABLE Y (B INT)");
  EXPECT_TRUE(
      ErrorOf("SELECT COUNT(*) FROM X").contains(QStringLiteral("findet die Eingabetabelle")));
  Connection.CommitTrans();
  Exec("CREATE TABLE X (C INT)");
  EXPECT_EQ(Exec("INSERT INTO X (C) VALUES (1)"), 1);
}

TEST_F(JetDatabaseFileTest, StatementsReportAffectedRowsAndRecordsetState) {
  int affected = 0;
  EXPECT_FALSE(Connection.Execute(kCreateRO, affected)->IsOpen());
  EXPECT_EQ(affected, -1);
  EXPECT_FALSE(Connection.Execute("INSERT INTO RO(Class) VALUES(1)", affected)->IsOpen());
  EXPECT_EQ(affected, 1);
  Connection.Execute("INSERT INTO RO(Class) SELECT Class + 1 FROM RO", affected);
  EXPECT_EQ(affected, 1);
  Connection.Execute("UPDATE RO SET Data1='x' WHERE Class=99", affected);
  EXPECT_EQ(affected, 0);
  TADORecordsetPtr empty = Connection.Execute("SELECT * FROM RO WHERE Class=99", affected);
  EXPECT_TRUE(empty->IsOpen());
  EXPECT_EQ(empty->RecordCount(), 0);
  EXPECT_EQ(empty->FieldCount(), 4);
  EXPECT_EQ(affected, -1);
  EXPECT_EQ(Connection.Execute("SELECT * FROM RO;", affected)->RecordCount(), 2);
}

TEST_F(JetDatabaseFileTest, ClosedConnectionRefusesWork) {
  Connection.Close();
  int affected = 0;
  EXPECT_THROW(Connection.Execute("SELECT 1", affected), EADOError);
  EXPECT_THROW(Connection.BeginTrans(), EADOError);
  EXPECT_THROW(Connection.Close(), EADOError);
  auto provider = CreateJetProvider();
  EXPECT_THROW(provider->Execute("SELECT 1", affected), EADOError);
  EXPECT_THROW(provider->DefaultDatabase(), EADOError);
}

}  // namespace
