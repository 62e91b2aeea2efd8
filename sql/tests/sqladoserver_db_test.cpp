// TSQLADOServer against a real local database file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "sql/sqladoserver.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"
#include "sql/tests/qstringprinter.h"

namespace {
class AccessDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    server.SetADODBTyp(MSAccess);
    server.DataSource = dir.filePath("ZEPRouting.mdb");
    ASSERT_TRUE(server.CreateAccessDatabase()) << server.SQLErrorMsg.toStdString();
    ASSERT_TRUE(server.Connect()) << server.SQLErrorMsg.toStdString();
    ASSERT_TRUE(server.ExecSQLStatement(
        "CREATE TABLE T (Id INT, Name VARCHAR(50), Wert DOUBLE, Datum DATETIME, Aktiv BIT)"))
        << server.SQLErrorMsg.toStdString();
  }

  bool Insert(int id, const QString& name) {
    return server.SQLInsert("T", "Id,Name", QString::number(id) + "," + SQLString(name, 2));
  }

  QTemporaryDir dir;
  TSQLADOServer server;
};

TEST_F(AccessDatabaseTest, ConnectProbesLanguageAndVersion) {
  EXPECT_TRUE(server.Connected);
  EXPECT_EQ(server.SQLLanguage, "deutsch");
  EXPECT_EQ(server.SQLVersion, "ADO-Version " + server.ConnectionObject.Version());
  EXPECT_EQ(server.SQLNow, "NOW()");
}

TEST_F(AccessDatabaseTest, ConnectResetsTheReportModeAndReopens) {
  server.SQLReportMode = LogOnly;
  server.SQLExecStatement = "alt";
  ASSERT_TRUE(server.Connect());
  EXPECT_EQ(server.SQLReportMode, ExecOnly);
  EXPECT_EQ(server.SQLExecStatement, "");
  EXPECT_EQ(server.SQLSelectCount("T", ""), 0);
}

TEST_F(AccessDatabaseTest, SelectCountOfAMissingTableFails) {
  ASSERT_TRUE(Insert(1, "Anna"));
  EXPECT_EQ(server.SQLSelectCount("T", ""), 1);
  EXPECT_EQ(server.SQLSelectCount("Fehlt", ""), -1);
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
  EXPECT_EQ(server.SQLExecStatement, "SELECT COUNT(*) FROM Fehlt");
  // The next successful statement clears the failure.
  EXPECT_EQ(server.SQLSelectCount("T", "Id=1"), 1);
  EXPECT_FALSE(server.SQLExecError);
}

TEST_F(AccessDatabaseTest, LiteralsComeBackUnchanged) {
  const QString texts[] = {"it's", "a\r\nb", "  Müller  ", "100%", "x'+'y"};
  int id = 0;
  for (const QString& text : texts) ASSERT_TRUE(Insert(++id, text)) << text.toStdString();
  TADORecordsetPtr rs;
  ASSERT_TRUE(server.SQLSelect("Name", "T", "", "Id", rs));
  ASSERT_EQ(SQLRecordCount(rs), 5);
  EXPECT_EQ(SQLFieldString(rs, 1, 1), "it's");
  EXPECT_EQ(SQLFieldString(rs, 2, 1), "a\r\nb");
  EXPECT_EQ(SQLFieldString(rs, 3, 1), "Müller");  // read values are trimmed
  EXPECT_EQ(SQLFieldString(rs, 4, 1), "100%");
  EXPECT_EQ(SQLFieldString(rs, 5, 1), "x'+'y");
  int rows = 0;
  EXPECT_EQ(server.GetSQLTableIntegerValue("T", "Name", SQLString("it's", 0), "Id", rows), 1);
  EXPECT_EQ(rows, 1);
}

TEST_F(AccessDatabaseTest, ReadersSeeTheColumnsOfARealResult) {
  ASSERT_TRUE(server.SQLInsert("T", "Id,Name,Wert,Datum,Aktiv",
                               "7,'Anna',12.5,CDate('06.09.2016 07:30'),1"));
  TADORecordsetPtr rs;
  ASSERT_TRUE(server.SQLSelect("Id,Name,Wert,Datum,Aktiv", "T", "", "", rs));
  EXPECT_TRUE(SQLIsResultSet(rs));
  EXPECT_EQ(SQLFieldCount(rs), 5);
  EXPECT_EQ(SQLFieldName(rs, 2), "Name");
  EXPECT_EQ(SQLFieldInteger(rs, 1, 1), 7);
  EXPECT_EQ(SQLFieldString(rs, 1, 3), "12,5");
  EXPECT_EQ(SQLFieldInteger(rs, 1, 3), 0);
  EXPECT_EQ(SQLFieldString(rs, 1, 4), "06.09.2016 07:30:00");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 1), "n");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 2), "c");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 3), "n");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 4), "d");
  EXPECT_EQ(SQLFieldTypeLetter(rs, 1, 5), "s");
  EXPECT_EQ(SQLFieldString(rs, 2, 1), "");
}

TEST_F(AccessDatabaseTest, AStatementWithoutRowsGivesNoResultSet) {
  ASSERT_TRUE(Insert(1, "Anna"));
  TADORecordsetPtr rs;
  ASSERT_TRUE(server.SQLSelect("Name", "T", "Id=99", "", rs));
  EXPECT_TRUE(SQLIsResultSet(rs));
  EXPECT_EQ(SQLRecordCount(rs), 0);
  EXPECT_EQ(SQLFieldString(rs, 1, 1), "");
  ASSERT_TRUE(server.SQLDelete("T", "Id=1"));
  EXPECT_EQ(server.GetRecordsAffected(), 1);
}

TEST_F(AccessDatabaseTest, SingleValueLookupsReportTheirRows) {
  ASSERT_TRUE(Insert(1, "Anna"));
  ASSERT_TRUE(Insert(2, "Bernd"));
  ASSERT_TRUE(server.SQLUpdate("T", "Datum=CDate('24.12.2016 18:05')", "Id=2"));
  int rows = 0;
  EXPECT_EQ(server.GetSQLTableStringValue("T", "Id", "2", "Name", rows), "Bernd");
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(server.GetSQLTableStringValue("T", "Id", "3", "Name", rows), "");
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(server.GetSQLTableStringValue("T", "?", "", "COUNT(*)", rows), "2");
  EXPECT_EQ(server.GetSQLTableDateTimeValue("T", "Id", "2", "Datum", rows), "24.12.2016 18:05");
  EXPECT_EQ(server.GetSQLTableIntegerValue("Fehlt", "Id", "1", "Id", rows), 0);
  EXPECT_EQ(rows, -1);
}

TEST_F(AccessDatabaseTest, UpdateReportsTheAffectedRecords) {
  ASSERT_TRUE(Insert(1, "Anna"));
  ASSERT_TRUE(Insert(2, "Bernd"));
  ASSERT_TRUE(Insert(3, "Carla"));
  ASSERT_TRUE(server.SQLUpdate("T", "Wert=1", "Id<3"));
  EXPECT_EQ(server.GetRecordsAffected(), 2);
  ASSERT_TRUE(server.SQLDelete("T", ""));
  EXPECT_EQ(server.GetRecordsAffected(), 3);
}

TEST_F(AccessDatabaseTest, IdentityValueIsNullForAccess) {
  ASSERT_TRUE(Insert(1, "Anna"));
  EXPECT_EQ(server.GetIdentityValue(), "null");
}

TEST_F(AccessDatabaseTest, BatchRunsItsStatementsInOrder) {
  ASSERT_TRUE(
      server.ExecSQLBatch("INSERT INTO T (Id) VALUES (1)\r\nGO\r\n"
                          "INSERT INTO T (Id)\r\n VALUES (2)\r\n go \r\n"
                          "UPDATE T SET Wert=Id*10",
                          false))
      << server.SQLErrorMsg.toStdString();
  EXPECT_EQ(server.SQLSelectCount("T", "Wert=Id*10"), 2);
}

TEST_F(AccessDatabaseTest, FailingBatchRollsBackAndNamesTheFailingStatement) {
  ASSERT_TRUE(Insert(1, "Anna"));
  EXPECT_FALSE(
      server.ExecSQLBatch("INSERT INTO T (Id) VALUES (2)\r\nGO\r\n"
                          "INSERT INTO Fehlt (Id) VALUES (3)\r\nGO\r\n"
                          "INSERT INTO T (Id) VALUES (4)",
                          true));
  EXPECT_EQ(server.SQLExecStatement, "INSERT INTO Fehlt (Id) VALUES (3)");
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
  EXPECT_EQ(server.SQLSelectCount("T", ""), 1);
}

TEST_F(AccessDatabaseTest, FailingBatchWithoutTransactionKeepsWhatRan) {
  EXPECT_FALSE(
      server.ExecSQLBatch("INSERT INTO T (Id) VALUES (2)\r\nGO\r\n"
                          "INSERT INTO Fehlt (Id) VALUES (3)\r\nGO\r\n"
                          "INSERT INTO T (Id) VALUES (4)",
                          false));
  EXPECT_EQ(server.SQLExecStatement, "INSERT INTO Fehlt (Id) VALUES (3)");
  EXPECT_EQ(server.SQLSelectCount("T", ""), 1);
  EXPECT_EQ(server.SQLSelectCount("T", "Id=4"), 0);
}

TEST_F(AccessDatabaseTest, TransactionsCommitOrRollBack) {
  ASSERT_TRUE(server.BeginTransaction());
  ASSERT_TRUE(Insert(1, "Anna"));
  ASSERT_TRUE(server.RollbackTransaction());
  EXPECT_EQ(server.SQLSelectCount("T", ""), 0);
  ASSERT_TRUE(server.BeginTransaction());
  ASSERT_TRUE(Insert(2, "Bernd"));
  ASSERT_TRUE(server.CommitTransaction());
  EXPECT_EQ(server.SQLSelectCount("T", ""), 1);
}

TEST_F(AccessDatabaseTest, CommitWithoutTransactionFailsWithoutMessage) {
  server.SQLErrorMsg.clear();
  EXPECT_FALSE(server.CommitTransaction());
  EXPECT_FALSE(server.RollbackTransaction());
  EXPECT_TRUE(server.SQLErrorMsg.isEmpty());
}

TEST_F(AccessDatabaseTest, ReportModesDecideBetweenRunningAndLogging) {
  server.SQLReportMode = LogOnly;
  ASSERT_TRUE(Insert(1, "Anna"));
  server.SQLReportMode = ExecAndLog;
  ASSERT_TRUE(Insert(2, "Bernd"));
  server.SQLReportMode = ExecOnly;
  ASSERT_TRUE(Insert(3, "Carla"));
  EXPECT_EQ(server.SQLSelectCount("T", ""), 2);
  EXPECT_EQ(QString::fromLatin1(server.SQLReportStream.data()),
            "INSERT INTO T(Id,Name)\r\nVALUES(1,'Anna')\r\n"
            "INSERT INTO T(Id,Name)\r\nVALUES(2,'Bernd')\r\n");
}

TEST_F(AccessDatabaseTest, DisconnectEndsTheUse) {
  EXPECT_TRUE(server.DisConnect());
  EXPECT_FALSE(server.Connected);
  EXPECT_EQ(server.ConnectionObject.State(), 0);
  server.SQLErrorMsg.clear();
  EXPECT_FALSE(Insert(1, "Anna"));
  EXPECT_TRUE(server.SQLErrorMsg.isEmpty());
  ASSERT_TRUE(server.Connect());
  EXPECT_EQ(server.SQLSelectCount("T", ""), 0);
}

TEST_F(AccessDatabaseTest, ChangingTheProductClosesTheConnection) {
  server.SetADODBTyp(MSAccess);
  EXPECT_FALSE(server.Connected);
  EXPECT_EQ(server.ConnectionObject.State(), 0);
}

TEST_F(AccessDatabaseTest, AnExistingFileIsNotCreatedAgain) {
  EXPECT_FALSE(server.CreateAccessDatabase());
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
}

TEST(AccessConnectTest, AFileThatIsNoDatabaseFailsToConnect) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile file(dir.filePath("kaputt.mdb"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4096, 'x'));
  file.close();
  TSQLADOServer server;
  server.SetADODBTyp(MSAccess);
  server.DataSource = file.fileName();
  EXPECT_FALSE(server.Connect());
  EXPECT_FALSE(server.Connected);
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
}

TEST(AccessConnectTest, NoProductChosenMeansNoProvider) {
  TSQLADOServer server;
  server.DataSource = "/tmp/egal.mdb";
  EXPECT_FALSE(server.Connect());
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
}
}  // namespace
