// The statements TSQLADOServer builds, seen through its statement log. No database is
// needed: LogOnly writes statements without a connection, and the server products cannot
// connect on this machine anyway.
#include <gtest/gtest.h>

#include "sql/sqladoserver.h"
#include "sql/tests/qstringprinter.h"

namespace {
class LoggingServer : public TSQLADOServer {
 public:
  using TSQLADOServer::Provider;
  using TSQLADOServer::QTmp;

  explicit LoggingServer(TADODBTyp product, TSQLReportMode mode = LogOnly) {
    SetADODBTyp(product);
    SQLReportMode = mode;
  }
  QString Log() const { return QString::fromLatin1(SQLReportStream.data()); }
};

TEST(TSQLADOServerTest, StartsUnconnectedWithEmptySettings) {
  TSQLADOServer fresh;
  EXPECT_EQ(fresh.GetADODBTyp(), MSAccess);
  EXPECT_FALSE(fresh.Connected);
  EXPECT_FALSE(fresh.SQLExecError);
  EXPECT_FALSE(fresh.UseSequenz);
  EXPECT_FALSE(fresh.TransformSQL);
  EXPECT_TRUE(fresh.UserId.isEmpty() && fresh.Password.isEmpty());
  EXPECT_TRUE(fresh.SequenzField.isEmpty() && fresh.SequenzName.isEmpty());
  EXPECT_EQ(fresh.SQLReportMode, ExecOnly);
  EXPECT_EQ(fresh.GetRecordsAffected(), 0);
  EXPECT_EQ(fresh.ConnectionObject.CursorLocation, 3);
  EXPECT_EQ(fresh.ConnectionObject.CommandTimeout, 180);
  EXPECT_EQ(fresh.ConnectionObject.State(), 0);
  EXPECT_TRUE(fresh.SQLReportStream.data().isEmpty());
}

TEST(TSQLADOServerTest, SetsProviderAndNowExpressionPerProduct) {
  const struct {
    TADODBTyp product;
    const char* provider;
    const char* now;
  } table[] = {{MSAccess, "Microsoft.Jet.OLEDB.4.0", "NOW()"},
               {MSSQL, "SQLOLEDB", "GETDATE()"},
               {Oracle, "OraOLEDB.Oracle", "SYSDATE"},
               {ADS, "ADsDSOObject", "NOW()"},
               {ODBC, "MSDASQL", "NOW()"}};
  for (const auto& row : table) {
    LoggingServer server(row.product);
    EXPECT_EQ(server.GetADODBTyp(), row.product);
    EXPECT_EQ(server.Provider, row.provider);
    EXPECT_EQ(server.SQLNow, row.now);
  }
}

TEST(TSQLADOServerTest, ReadsTheProductNumberOnlyForAccessAndOracle) {
  const std::pair<const char*, TADODBTyp> table[] = {
      {"1", MSAccess}, {" 1", MSAccess}, {"3", Oracle}, {"4", MSSQL},  {"2", MSSQL},
      {"0", MSSQL},    {"", MSSQL},      {"x", MSSQL},  {"1.0", MSSQL}};
  for (const auto& [text, product] : table)
    EXPECT_EQ(TSQLADOServer::StrToADODBTyp(text), product) << '"' << text << '"';
}

TEST(TSQLADOServerTest, LogOnlyOnAClosedConnectionLogsAndSucceeds) {
  LoggingServer server(MSAccess);
  EXPECT_TRUE(server.ExecSQLStatement("DELETE FROM T"));
  EXPECT_TRUE(server.SQLUpdate("T", "A=1", ""));
  EXPECT_EQ(server.Log(), "DELETE FROM T\r\nUPDATE T SET A=1\r\n");
  EXPECT_FALSE(server.SQLExecError);
}

TEST(TSQLADOServerTest, AClosedConnectionFailsWithoutMessageOrLog) {
  for (TSQLReportMode mode : {ExecOnly, ExecAndLog}) {
    LoggingServer server(MSAccess, mode);
    EXPECT_FALSE(server.ExecSQLStatement("DELETE FROM T"));
    EXPECT_EQ(server.SQLExecStatement, "DELETE FROM T");
    EXPECT_TRUE(server.SQLErrorMsg.isEmpty());
    EXPECT_TRUE(server.Log().isEmpty());
  }
}

TEST(TSQLADOServerTest, AnEarlierFailureKeepsLogOnlyFalse) {
  LoggingServer server(MSSQL);
  EXPECT_FALSE(server.Connect());  // no SQL Server reachable here
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_TRUE(server.SQLErrorMsg.contains("SQLOLEDB")) << server.SQLErrorMsg.toStdString();
  server.SQLReportMode = LogOnly;
  EXPECT_FALSE(server.ExecSQLStatement("DELETE FROM T"));
  EXPECT_EQ(server.Log(), "DELETE FROM T\r\n");
}

TEST(TSQLADOServerTest, LogsOneBytePerCharacterAndAlwaysAppends) {
  LoggingServer server(MSAccess);
  server.ExecSQLStatement(QString::fromUtf8("SELECT 'Größe €'"));
  server.SQLReportStream.seek(0);
  server.ExecSQLStatement("X");
  const QByteArray expected = QByteArray(
      "SELECT 'Gr\xF6\xDF"
      "e \xAC'\r\nX\r\n");
  EXPECT_EQ(server.SQLReportStream.data(), expected);
}

struct SelectCase {
  TADODBTyp product;
  const char* what;
  const char* from;
  const char* where;
  const char* order;
  const char* statement;
};

class SQLSelectTest : public ::testing::TestWithParam<SelectCase> {};

TEST_P(SQLSelectTest, BuildsTheProductsStatement) {
  const SelectCase& c = GetParam();
  LoggingServer server(c.product);
  TADORecordsetPtr result;
  EXPECT_TRUE(server.SQLSelect(c.what, c.from, c.where, c.order, result));
  EXPECT_EQ(server.SQLExecStatement, c.statement);
  EXPECT_EQ(server.Log(), QString(c.statement) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Statements, SQLSelectTest,
    ::testing::Values(
        SelectCase{MSAccess, "", "T", "", "", "SELECT * FROM T"},
        SelectCase{MSAccess, "  A, B ", " T ", " A=1 ", " B ",
                   "SELECT A, B FROM T WHERE A=1 ORDER BY B"},
        SelectCase{MSAccess, "TOP 5 Name", "T", "", "Name",
                   "SELECT TOP 5 Name FROM T ORDER BY Name"},
        SelectCase{MSSQL, "TOP 5 Name", "T", "", "", "SELECT TOP 5 Name FROM T"},
        SelectCase{MSSQL, "@@version", "", "", "", "SELECT @@version"},
        SelectCase{Oracle, "TOP 5 Name", "T", "", "Name",
                   "SELECT * FROM (SELECT Name FROM T ORDER BY Name) WHERE (ROWNUM<=5)"},
        SelectCase{Oracle, "TOP 5 Name", "T", "", "", "SELECT Name FROM T WHERE (ROWNUM<=5)"},
        SelectCase{Oracle, "top 12 A,B", "T", "", "", "SELECT A,B FROM T WHERE (ROWNUM<=12)"},
        SelectCase{Oracle, "TOP 3 Name", "T", "A=1 OR B=2", "",
                   "SELECT Name FROM T WHERE (A=1 OR B=2) and (ROWNUM<=3)"},
        SelectCase{Oracle, "TOP 3 Name", "T", "A=1", "Name",
                   "SELECT * FROM (SELECT Name FROM T WHERE A=1 ORDER BY Name) WHERE (ROWNUM<=3)"},
        SelectCase{Oracle, "TOPNAME", "T", "", "", "SELECT TOPNAME FROM T"},
        SelectCase{Oracle, "TOP Name", "T", "", "", "SELECT TOP Name FROM T"},
        SelectCase{Oracle, "SYSDATE", "", "", "", "SELECT SYSDATE FROM dual"},
        SelectCase{Oracle, "", "", "", "", "SELECT * FROM dual"}));

TEST(TSQLADOServerTest, SelectCountRunsCountStar) {
  LoggingServer server(MSSQL);
  server.SQLSelectCount("T", "A=1");
  EXPECT_EQ(server.Log(), "SELECT COUNT(*) FROM T WHERE A=1\r\n");
}

TEST(TSQLADOServerTest, InsertsWithOrWithoutColumnList) {
  LoggingServer server(MSAccess);
  EXPECT_TRUE(server.SQLInsert("RO", "Class,Data1", "1,'x'"));
  EXPECT_TRUE(server.SQLInsert("RO", "", "1,'x'"));
  EXPECT_EQ(server.Log(),
            "INSERT INTO RO(Class,Data1)\r\nVALUES(1,'x')\r\n"
            "INSERT INTO RO\r\nVALUES(1,'x')\r\n");
}

TEST(TSQLADOServerTest, RefusesStatementsWithoutTableOrValues) {
  LoggingServer server(MSAccess);
  server.SQLExecStatement = "vorher";
  EXPECT_FALSE(server.SQLInsert("RO", "Class", ""));
  EXPECT_FALSE(server.SQLInsert("", "Class", "1"));
  EXPECT_FALSE(server.SQLUpdate("RO", "", "Class=1"));
  EXPECT_FALSE(server.SQLUpdate("", "A=1", ""));
  EXPECT_FALSE(server.SQLDelete("", "Class=1"));
  EXPECT_TRUE(server.Log().isEmpty());
  EXPECT_EQ(server.SQLExecStatement, "vorher");
  EXPECT_FALSE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
  EXPECT_TRUE(server.SQLDelete("RO", "")) << "a refusal must not fail the next logged statement";
}

TEST(TSQLADOServerTest, OracleInsertTakesTheKeyFromTheSequence) {
  LoggingServer server(Oracle);
  server.UseSequenz = true;
  server.SequenzField = "ID";
  server.SequenzName = "SEQ_T";
  server.SQLInsert("T", "A,B", "1,2");
  server.SQLInsert("T", "", "1");
  server.SequenzName.clear();
  server.SQLInsert("T", "A", "1");
  EXPECT_EQ(server.Log(),
            "INSERT INTO T(A,B,ID)\r\nVALUES(1,2,SEQ_T.NEXTVAL)\r\n"
            "INSERT INTO T(ID)\r\nVALUES(1,SEQ_T.NEXTVAL)\r\n"
            "INSERT INTO T(A)\r\nVALUES(1)\r\n");
}

TEST(TSQLADOServerTest, OnlyOracleUsesTheSequence) {
  LoggingServer server(MSSQL);
  server.UseSequenz = true;
  server.SequenzField = "ID";
  server.SequenzName = "SEQ_T";
  server.SQLInsert("T", "A", "1");
  EXPECT_EQ(server.Log(), "INSERT INTO T(A)\r\nVALUES(1)\r\n");
}

TEST(TSQLADOServerTest, UpdatesAndDeletesWithOptionalCondition) {
  LoggingServer server(MSAccess);
  server.SQLUpdate("RO", "Data1='x'", "Class=1");
  server.SQLDelete("RO", "Class=1");
  server.SQLDelete("RO", "");
  EXPECT_EQ(server.Log(),
            "UPDATE RO SET Data1='x' WHERE Class=1\r\n"
            "DELETE FROM RO WHERE Class=1\r\n"
            "DELETE FROM RO\r\n");
}

TEST(TSQLADOServerTest, RunsStoredProceduresOnlyOnMSSQL) {
  LoggingServer mssql(MSSQL);
  TADORecordsetPtr result;
  EXPECT_TRUE(mssql.SQLExecSP("sp_who", "", result));
  EXPECT_TRUE(mssql.SQLExecSP("sp_x", "1, 'a'", result));
  EXPECT_FALSE(mssql.SQLExecSP("", "1", result));
  EXPECT_EQ(mssql.Log(), "EXECUTE sp_who\r\nEXECUTE sp_x 1, 'a'\r\n");
  LoggingServer access(MSAccess);
  EXPECT_FALSE(access.SQLExecSP("sp_who", "", result));
  EXPECT_TRUE(access.Log().isEmpty());
}

TEST(TSQLADOServerTest, TransactionStatementsPerProduct) {
  LoggingServer mssql(MSSQL);
  EXPECT_TRUE(mssql.BeginTransaction());
  EXPECT_TRUE(mssql.CommitTransaction());
  EXPECT_TRUE(mssql.RollbackTransaction());
  EXPECT_EQ(mssql.Log(), "BEGIN TRANSACTION\r\nCOMMIT TRANSACTION\r\nROLLBACK TRANSACTION\r\n");
  LoggingServer oracle(Oracle);
  oracle.BeginTransaction();
  oracle.CommitTransaction();
  oracle.RollbackTransaction();
  EXPECT_EQ(oracle.Log(), "SET TRANSACTION READ WRITE\r\nCOMMIT\r\nROLLBACK\r\n");
}

TEST(TSQLADOServerTest, AccessTransactionsNeedTheConnectionAndRecordNoMessage) {
  LoggingServer server(MSAccess);
  EXPECT_FALSE(server.BeginTransaction());
  EXPECT_FALSE(server.CommitTransaction());
  EXPECT_FALSE(server.RollbackTransaction());
  EXPECT_TRUE(server.Log().isEmpty());
  EXPECT_TRUE(server.SQLErrorMsg.isEmpty());
  EXPECT_FALSE(server.SQLExecError);
}

struct BatchCase {
  const char* batch;
  bool withTransaction;
  const char* log;
};

class ExecSQLBatchTest : public ::testing::TestWithParam<BatchCase> {};

TEST_P(ExecSQLBatchTest, SplitsAtGoLines) {
  LoggingServer server(MSSQL);
  EXPECT_TRUE(server.ExecSQLBatch(GetParam().batch, GetParam().withTransaction));
  EXPECT_EQ(server.Log(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Batches, ExecSQLBatchTest,
    ::testing::Values(
        BatchCase{"A\r\nGO\r\nB", false, "A\r\nB\r\n"},
        BatchCase{"A\n go \nB\n", false, "A\r\nB\r\n"},
        BatchCase{"A\rGo\rB\r\nGO", false, "A\r\nB\r\n"},
        BatchCase{"  SELECT 1\r\n  FROM T  \r\n\r\n", false, "SELECT 1\r\nFROM T\r\n"},
        BatchCase{"A\r\nGO\r\nGO\r\nB", false, "A\r\nB\r\n"},
        BatchCase{"A\r\ngoal\r\nB", false, "A\r\ngoal\r\nB\r\n"}, BatchCase{"", false, ""},
        BatchCase{"A\r\nGO\r\nB", true, "BEGIN TRANSACTION\r\nA\r\nB\r\nCOMMIT TRANSACTION\r\n"}));

TEST(TSQLADOServerTest, BatchStopsWhenItCannotStartTheTransaction) {
  LoggingServer server(MSAccess);
  EXPECT_FALSE(server.ExecSQLBatch("A\r\nGO\r\nB", true));
  EXPECT_TRUE(server.Log().isEmpty());
}

TEST(TSQLADOServerTest, FailedBatchRollsBackAndKeepsTheFailure) {
  LoggingServer server(MSSQL, ExecOnly);
  ASSERT_FALSE(server.Connect());
  const QString reason = server.SQLErrorMsg;
  server.SQLReportMode = LogOnly;
  EXPECT_FALSE(server.ExecSQLBatch("A\r\nGO\r\nB", true));
  EXPECT_EQ(server.Log(), "BEGIN TRANSACTION\r\nROLLBACK TRANSACTION\r\n");
  EXPECT_EQ(server.SQLExecStatement, "BEGIN TRANSACTION");
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_EQ(server.SQLErrorMsg, reason);
}

TEST(TSQLADOServerTest, OracleTransformRewritesAfterLogging) {
  LoggingServer server(Oracle);
  server.TransformSQL = true;
  server.ExecSQLStatement("SELECT a+ISNULL(b,'x') FROM dual");
  EXPECT_EQ(server.Log(), "SELECT a+ISNULL(b,'x') FROM dual\r\n");
  EXPECT_EQ(server.SQLExecStatement, "SELECT a||NVL(b,'x') FROM dual");
  LoggingServer mssql(MSSQL);
  mssql.TransformSQL = true;
  mssql.ExecSQLStatement("SELECT a+ISNULL(b,'x')");
  EXPECT_EQ(mssql.SQLExecStatement, "SELECT a+ISNULL(b,'x')");
}

TEST(TSQLADOServerTest, IdentityCommandPerProduct) {
  LoggingServer mssql(MSSQL);
  EXPECT_EQ(mssql.GetIdentityBefehl(), "@@IDENTITY");
  mssql.SequenzName = "Auftrag";
  EXPECT_EQ(mssql.GetIdentityBefehl(), "IDENT_CURRENT('Auftrag')");
  LoggingServer oracle(Oracle);
  oracle.SequenzName = "SEQ_T";
  EXPECT_EQ(oracle.GetIdentityBefehl(), "SEQ_T.CURRVAL");
  for (TADODBTyp product : {MSAccess, ADS, ODBC}) {
    LoggingServer other(product);
    other.SequenzName = "SEQ_T";
    EXPECT_EQ(other.GetIdentityBefehl(), "") << product;
  }
}

TEST(TSQLADOServerTest, IdentityValueSelectsTheCommand) {
  LoggingServer oracle(Oracle);
  oracle.SequenzName = "SEQ_T";
  oracle.GetIdentityValue();
  EXPECT_EQ(oracle.Log(), "SELECT SEQ_T.CURRVAL FROM dual\r\n");
  LoggingServer access(MSAccess);
  EXPECT_EQ(access.GetIdentityValue(), "null");
  EXPECT_TRUE(access.Log().isEmpty());
  LoggingServer closed(MSSQL, ExecOnly);
  EXPECT_EQ(closed.GetIdentityValue(), "null");
}

TEST(TSQLADOServerTest, OracleTraceSwitchesTwoSessionSettings) {
  LoggingServer oracle(Oracle);
  oracle.SetSQLTraceOracle(true);
  oracle.SetSQLTraceOracle(false);
  EXPECT_EQ(
      oracle.Log(),
      "ALTER SESSION SET TIMED_STATISTICS = TRUE\r\nALTER SESSION SET SQL_TRACE = TRUE\r\n"
      "ALTER SESSION SET TIMED_STATISTICS = FALSE\r\nALTER SESSION SET SQL_TRACE = FALSE\r\n");
  LoggingServer mssql(MSSQL);
  mssql.SetSQLTraceOracle(true);
  EXPECT_TRUE(mssql.Log().isEmpty());
}

TEST(TSQLADOServerTest, SingleValueLookupsBuildTheirSelect) {
  LoggingServer server(MSSQL);
  int rows = 0;
  server.GetSQLTableStringValue("master.dbo.syslanguages", "langid", "@@langid", "name", rows);
  server.GetSQLTableIntegerValue("T", "?", "7", "Nr", rows);
  server.GetSQLTableStringValue("", "", "", "@@version", rows);
  server.GetSQLTableDateTimeValue("T", "Id", "5", "D", rows);
  EXPECT_EQ(server.Log(),
            "SELECT name FROM master.dbo.syslanguages WHERE langid=@@langid\r\n"
            "SELECT Nr FROM T\r\n"
            "SELECT @@version\r\n"
            "SELECT CONVERT(varchar(10),D,104)+' '+CONVERT(varchar(5),D,8) FROM T WHERE Id=5\r\n");
}

TEST(TSQLADOServerTest, LookupsOnAClosedConnectionReportNoRows) {
  LoggingServer server(MSAccess, ExecOnly);
  int rows = 0;
  EXPECT_EQ(server.GetSQLTableStringValue("RO", "Class", "1", "Data1", rows), "");
  EXPECT_EQ(rows, -1);
  rows = 0;
  EXPECT_EQ(server.GetSQLTableIntegerValue("RO", "Class", "1", "Data1", rows), 0);
  EXPECT_EQ(rows, -1);
  EXPECT_EQ(server.SQLSelectCount("RO", ""), -1);
}

TEST(TSQLADOServerTest, SystemUserOnlyForMSSQL) {
  LoggingServer mssql(MSSQL);
  mssql.GetSystemUser();
  EXPECT_EQ(mssql.Log(), "SELECT SYSTEM_USER\r\n");
  LoggingServer oracle(Oracle);
  EXPECT_EQ(oracle.GetSystemUser(), "");
  EXPECT_TRUE(oracle.Log().isEmpty());
}

TEST(TSQLADOServerTest, ServerProductsFailToConnectWithTheProvidersMessage) {
  for (TADODBTyp product : {MSSQL, Oracle, ADS, ODBC}) {
    LoggingServer server(product, ExecAndLog);
    server.SQLExecStatement = "alt";
    server.DataSource = "server";
    EXPECT_FALSE(server.Connect());
    EXPECT_FALSE(server.Connected);
    EXPECT_TRUE(server.SQLExecError);
    EXPECT_TRUE(server.SQLErrorMsg.contains(server.Provider)) << server.SQLErrorMsg.toStdString();
    EXPECT_EQ(server.SQLExecStatement, "");
    EXPECT_EQ(server.SQLReportMode, ExecAndLog);
  }
}

TEST(TSQLADOServerTest, AccessDatabaseIsCreatedOnlyForAccess) {
  LoggingServer server(MSSQL);
  server.DataSource = "/nirgends/db.mdb";
  EXPECT_FALSE(server.CreateAccessDatabase());
  EXPECT_FALSE(server.SQLExecError);
}

TEST(TSQLADOServerTest, ConnectionSettingsFailOnAClosedConnection) {
  LoggingServer server(MSAccess, ExecOnly);
  EXPECT_TRUE(server.DisConnect());
  EXPECT_FALSE(server.SQLExecError);
  EXPECT_FALSE(server.SetDefaultDB("master"));
  EXPECT_TRUE(server.SQLExecError);
  EXPECT_FALSE(server.SQLErrorMsg.isEmpty());
}
}  // namespace
