#include "sql/sqladoserver.h"

#include <QRegularExpression>

#include "base/delphistr.h"
#include "sql/adoerror.h"
#include "sql/jet/jetprovider.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"

namespace {
constexpr int kCommandTimeoutSeconds = 180;
const QString kCRLF = QStringLiteral("\r\n");

struct ProductInfo {
  const char* Provider;
  const char* Now;
};

ProductInfo InfoOf(TADODBTyp DBTyp) {
  switch (DBTyp) {
    case MSSQL:
      return {"SQLOLEDB", "GETDATE()"};
    case Oracle:
      return {"OraOLEDB.Oracle", "SYSDATE"};
    case ADS:
      return {"ADsDSOObject", "NOW()"};
    case ODBC:
      return {"MSDASQL", "NOW()"};
    default:
      return {kJetProviderName, "NOW()"};
  }
}

// Oracle has no TOP: "TOP n rest" gives the limit n and the column list "rest".
bool SplitOracleTop(const QString& What, QString& Columns, QString& Limit) {
  if (!What.toUpper().startsWith(QLatin1String("TOP "))) return false;
  static const QRegularExpression topPattern(
      QStringLiteral("^TOP\\s+([0-9]+)(.*)$"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = topPattern.match(What);
  if (!match.hasMatch()) return false;
  Limit = match.captured(1);
  Columns = Trim(match.captured(2));
  return true;
}
}  // namespace

TSQLADOServer::TSQLADOServer() {
  ConnectionObject.CursorLocation = TADOConnection::adUseClient;
  ConnectionObject.CommandTimeout = kCommandTimeoutSeconds;
  SQLReportStream.open(QIODevice::ReadWrite);
}

TSQLADOServer::~TSQLADOServer() {
  if (Connected || ConnectionObject.State() == TADOConnection::adStateOpen) DisConnect();
}

void TSQLADOServer::RecordError(const QString& Message) {
  SQLErrorMsg = Message;
  SQLExecError = true;
}

void TSQLADOServer::RecordError(const std::exception& Error) {
  if (auto* adoError = dynamic_cast<const EADOError*>(&Error))
    RecordError(adoError->Message);
  else
    RecordError(QString::fromUtf8(Error.what()));
}

// A statement that cannot be built is refused before it reaches the database: the reason is
// kept for the caller, but SQLExecError stays as it was, so a refusal does not make the
// following statements of a LogOnly run fail as an execution error would.
void TSQLADOServer::RefuseStatement(const QString& Reason) { SQLErrorMsg = Reason; }

void TSQLADOServer::SetADODBTyp(TADODBTyp DBTyp) {
  if (Connected || ConnectionObject.State() == TADOConnection::adStateOpen) DisConnect();
  const ProductInfo info = InfoOf(DBTyp);
  ADODBTyp = DBTyp;
  Provider = QString::fromLatin1(info.Provider);
  SQLNow = QString::fromLatin1(info.Now);
}

TADODBTyp TSQLADOServer::StrToADODBTyp(const QString& S) {
  switch (StrToIntDef(S, 2)) {
    case 1:
      return MSAccess;
    case 3:
      return Oracle;
    default:
      return MSSQL;
  }
}

QString TSQLADOServer::ConnectionString() const {
  return Format(QStringLiteral("Provider=%s;Data Source=%s"), {Provider, DataSource});
}

bool TSQLADOServer::CreateAccessDatabase() {
  if (ADODBTyp != MSAccess) return false;
  try {
    TADOXCatalog().Create(ConnectionString());
    return true;
  } catch (const std::exception& error) {
    RecordError(error);
    return false;
  }
}

bool TSQLADOServer::Connect() {
  SQLExecStatement.clear();
  try {
    if (ConnectionObject.State() == TADOConnection::adStateOpen) ConnectionObject.Close();
    ConnectionObject.Open(ConnectionString(), UserId, Password);
    SQLReportMode = ExecOnly;
    SQLExecError = false;
    Connected = true;
    ProbeProduct();
  } catch (const std::exception& error) {
    RecordError(error);
    Connected = false;
  }
  return Connected;
}

void TSQLADOServer::ProbeProduct() {
  int rows = 0;
  SQLLanguage.clear();
  SQLVersion.clear();
  switch (ADODBTyp) {
    case MSSQL:
      SQLLanguage = GetSQLTableStringValue(QStringLiteral("master.dbo.syslanguages"),
                                           QStringLiteral("langid"), QStringLiteral("@@langid"),
                                           QStringLiteral("name"), rows);
      SQLVersion = GetSQLTableStringValue(QString(), QString(), QString(),
                                          QStringLiteral("@@version"), rows);
      break;
    case Oracle:
      SQLLanguage = GetSQLTableStringValue(
          QStringLiteral("dual"), QStringLiteral("?"), QString(),
          Format(QStringLiteral("USERENV(%s)"), {QuoteString(QStringLiteral("LANG"))}), rows);
      if (SQLSelect(QStringLiteral("Banner"), QStringLiteral("V$Version"),
                    Format(QStringLiteral("%s LIKE %s"),
                           {QStringLiteral("Banner"), QuoteString(QStringLiteral("%Oracle%"))}),
                    QString(), QTmp) &&
          SQLRecordCount(QTmp) > 0)
        SQLVersion = SQLFieldString(QTmp, 1, 1);
      break;
    default:
      SQLLanguage = QStringLiteral("deutsch");
      SQLVersion = Format(QStringLiteral("ADO-Version %s"), {ConnectionObject.Version()});
      break;
  }
  // A failed probe only leaves its value empty; the connection itself stands.
  SQLExecError = false;
}

bool TSQLADOServer::DisConnect() {
  try {
    if (ConnectionObject.State() == TADOConnection::adStateOpen) ConnectionObject.Close();
    SQLExecError = false;
    Connected = false;
  } catch (const std::exception& error) {
    RecordError(error);
  }
  return !Connected;
}

bool TSQLADOServer::SetDefaultDB(const QString& DBName) {
  try {
    ConnectionObject.SetDefaultDatabase(DBName);
    return true;
  } catch (const std::exception& error) {
    RecordError(error);
    return false;
  }
}

void TSQLADOServer::LogStatement() {
  const QString line = SQLExecStatement + kCRLF;
  QByteArray bytes(line.size(), '\0');
  for (qsizetype i = 0; i < line.size(); ++i) bytes[i] = char(line[i].unicode() & 0xFF);
  SQLReportStream.seek(SQLReportStream.size());
  SQLReportStream.write(bytes);
}

void TSQLADOServer::TransformForOracle() {
  SQLExecStatement.replace(QLatin1Char('+'), QLatin1String("||"));
  SQLExecStatement.replace(QLatin1String("ISNULL"), QLatin1String("NVL"));
}

bool TSQLADOServer::ExecSQLServer(TADORecordsetPtr& ResultSet) {
  if (!Connected && SQLReportMode != LogOnly) return false;
  if (SQLReportMode != ExecOnly) LogStatement();
  if (TransformSQL && ADODBTyp == Oracle) TransformForOracle();
  if (SQLReportMode != LogOnly) {
    try {
      ResultSet = ConnectionObject.Execute(SQLExecStatement, RecordsAffected);
      SQLExecError = false;
    } catch (const std::exception& error) {
      RecordError(error);
    }
  }
  return !SQLExecError;
}

bool TSQLADOServer::ExecSQLStatement(const QString& Statement) {
  SQLExecStatement = Statement;
  return ExecSQLServer(QTmp);
}

bool TSQLADOServer::ExecSQLBatch(const QString& BatchStatements, bool WithTransaction) {
  bool result = WithTransaction ? BeginTransaction() : true;
  try {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QString gathered;
    for (const QString& line : BatchStatements.split(lineBreak)) {
      if (!result) break;
      if (Trim(line).toLower() != QLatin1String("go")) {
        gathered += Trim(line) + kCRLF;
        continue;
      }
      // A separator with nothing before it (a doubled "go") has no statement to run.
      const QString statement = Trim(gathered);
      if (!statement.isEmpty()) result = ExecSQLStatement(statement);
      if (result) gathered.clear();
    }
    const QString rest = Trim(gathered);
    if (result && !rest.isEmpty()) result = ExecSQLStatement(rest);
  } catch (const std::exception&) {
    result = false;
  }
  if (!WithTransaction) return result;
  if (result) return CommitTransaction();
  // The caller wants to see the statement that failed and why, not the rollback's outcome.
  const QString failedStatement = SQLExecStatement;
  const bool failedError = SQLExecError;
  const QString failedMessage = SQLErrorMsg;
  RollbackTransaction();
  SQLExecStatement = failedStatement;
  SQLExecError = failedError;
  SQLErrorMsg = failedMessage;
  return false;
}

bool TSQLADOServer::SQLSelect(QString What, QString From, QString Where, QString Order,
                              TADORecordsetPtr& ResultSet) {
  What = Trim(What);
  From = Trim(From);
  Where = Trim(Where);
  Order = Trim(Order);
  QString limit;
  QString columns = What;
  if (ADODBTyp == Oracle && SplitOracleTop(What, columns, limit)) {
    limit = QStringLiteral("(ROWNUM<=") + limit + QLatin1Char(')');
    // The condition is bracketed so that an OR inside it cannot escape the limit.
    if (Order.isEmpty()) Where = Where.isEmpty() ? limit : "(" + Where + ") and " + limit;
  }
  QString statement = What.isEmpty() ? Format(QStringLiteral("SELECT %s"), {QStringLiteral("*")})
                                     : QStringLiteral("SELECT ") + columns;
  if (ADODBTyp == Oracle && From.isEmpty()) From = QStringLiteral("dual");
  if (!From.isEmpty()) statement += QStringLiteral(" FROM ") + From;
  if (!Where.isEmpty()) statement += QStringLiteral(" WHERE ") + Where;
  if (!Order.isEmpty()) statement += QStringLiteral(" ORDER BY ") + Order;
  if (!limit.isEmpty() && !Order.isEmpty())
    statement = Format(QStringLiteral("SELECT %s"), {QStringLiteral("*")}) +
                QStringLiteral(" FROM (") + statement + QStringLiteral(") WHERE ") + limit;
  SQLExecStatement = statement;
  return ExecSQLServer(ResultSet);
}

int TSQLADOServer::SQLSelectCount(const QString& From, const QString& Where) {
  if (!SQLSelect(QStringLiteral("COUNT(*)"), From, Where, QString(), QTmp)) return -1;
  return SQLFieldInteger(QTmp, 1, 1);
}

bool TSQLADOServer::SQLInsert(const QString& TabName, const QString& Fields,
                              const QString& NewValues) {
  if (TabName.isEmpty() || NewValues.isEmpty()) {
    RefuseStatement(QStringLiteral("INSERT ohne Tabellenname oder ohne Werte ist nicht möglich."));
    return false;
  }
  QString fields = Fields;
  QString values = NewValues;
  if (ADODBTyp == Oracle && UseSequenz && !SequenzField.isEmpty() && !SequenzName.isEmpty()) {
    fields += (fields.isEmpty() ? QString() : QStringLiteral(",")) + SequenzField;
    values += QLatin1Char(',') + SequenzName + QStringLiteral(".NEXTVAL");
  }
  QString statement = QStringLiteral("INSERT INTO ") + TabName;
  if (!fields.isEmpty()) statement += QLatin1Char('(') + fields + QLatin1Char(')');
  SQLExecStatement = statement + kCRLF + QStringLiteral("VALUES(") + values + QLatin1Char(')');
  return ExecSQLServer(QTmp);
}

bool TSQLADOServer::SQLUpdate(const QString& TabName, const QString& What, const QString& Where) {
  if (TabName.isEmpty() || What.isEmpty()) {
    RefuseStatement(
        QStringLiteral("UPDATE ohne Tabellenname oder ohne Zuweisung ist nicht möglich."));
    return false;
  }
  SQLExecStatement = QStringLiteral("UPDATE ") + TabName + QStringLiteral(" SET ") + What;
  if (!Where.isEmpty()) SQLExecStatement += QStringLiteral(" WHERE ") + Where;
  return ExecSQLServer(QTmp);
}

bool TSQLADOServer::SQLDelete(const QString& TabName, const QString& Where) {
  if (TabName.isEmpty()) {
    RefuseStatement(QStringLiteral("DELETE ohne Tabellenname ist nicht möglich."));
    return false;
  }
  SQLExecStatement = QStringLiteral("DELETE FROM ") + TabName;
  if (!Where.isEmpty()) SQLExecStatement += QStringLiteral(" WHERE ") + Where;
  return ExecSQLServer(QTmp);
}

bool TSQLADOServer::SQLExecSP(const QString& SPName, const QString& SPParams,
                              TADORecordsetPtr& QResult) {
  if (ADODBTyp != MSSQL || SPName.isEmpty()) {
    RefuseStatement(QStringLiteral(
        "Gespeicherte Prozeduren können nur für MSSQL und nur mit Namen ausgeführt werden."));
    return false;
  }
  SQLExecStatement = QStringLiteral("EXECUTE ") + SPName;
  if (!SPParams.isEmpty()) SQLExecStatement += QLatin1Char(' ') + SPParams;
  return ExecSQLServer(QResult);
}

bool TSQLADOServer::RunTransactionStatement(const QString& MSSQLText, const QString& OracleText,
                                            void (TADOConnection::*ConnectionMethod)()) {
  if (ADODBTyp == MSSQL) return ExecSQLStatement(MSSQLText);
  if (ADODBTyp == Oracle) return ExecSQLStatement(OracleText);
  try {
    (ConnectionObject.*ConnectionMethod)();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TSQLADOServer::BeginTransaction() {
  return RunTransactionStatement(QStringLiteral("BEGIN TRANSACTION"),
                                 QStringLiteral("SET TRANSACTION READ WRITE"),
                                 &TADOConnection::BeginTrans);
}

bool TSQLADOServer::CommitTransaction() {
  return RunTransactionStatement(QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT"),
                                 &TADOConnection::CommitTrans);
}

bool TSQLADOServer::RollbackTransaction() {
  return RunTransactionStatement(QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK"),
                                 &TADOConnection::RollbackTrans);
}

QString TSQLADOServer::FirstValue(const QString& TableName, const QString& IdField,
                                  const QString& IdValue, const QString& ValueField, int& Rows) {
  const bool unconditional = IdField.isEmpty() || IdField == QLatin1String("?");
  const QString where = unconditional ? QString() : IdField + QLatin1Char('=') + IdValue;
  if (!SQLSelect(ValueField, TableName, where, QString(), QTmp)) {
    Rows = -1;
    return QString();
  }
  Rows = SQLRecordCount(QTmp);
  return Rows > 0 ? SQLFieldString(QTmp, 1, 1) : QString();
}

QString TSQLADOServer::GetSQLTableStringValue(const QString& TableName, const QString& IdField,
                                              const QString& IdValue, const QString& ValueField,
                                              int& Rows) {
  return FirstValue(TableName, IdField, IdValue, ValueField, Rows);
}

int TSQLADOServer::GetSQLTableIntegerValue(const QString& TableName, const QString& IdField,
                                           const QString& IdValue, const QString& ValueField,
                                           int& Rows) {
  return StrToIntDef(FirstValue(TableName, IdField, IdValue, ValueField, Rows), 0);
}

QString TSQLADOServer::GetSQLTableDateTimeValue(const QString& TableName, const QString& IdField,
                                                const QString& IdValue, const QString& ValueField,
                                                int& Rows) {
  return FirstValue(TableName, IdField, IdValue, SQLDateTimeText(ValueField, ADODBTyp), Rows);
}

QString TSQLADOServer::GetSystemUser() {
  if (ADODBTyp != MSSQL) return QString();
  if (!SQLSelect(QStringLiteral("SYSTEM_USER"), QString(), QString(), QString(), QTmp))
    return QString();
  return SQLFieldString(QTmp, 1, 1);
}

QString TSQLADOServer::GetIdentityBefehl() const {
  switch (ADODBTyp) {
    case MSSQL:
      if (SequenzName.isEmpty()) return QStringLiteral("@@IDENTITY");
      return QStringLiteral("IDENT_CURRENT(") + QuoteString(SequenzName) + QLatin1Char(')');
    case Oracle:
      return SequenzName + QStringLiteral(".CURRVAL");
    default:
      return QString();
  }
}

QString TSQLADOServer::GetIdentityValue() {
  const QString command = GetIdentityBefehl();
  if (command.isEmpty() || !SQLSelect(command, QString(), QString(), QString(), QTmp))
    return QStringLiteral("null");
  return QString::number(SQLFieldInteger(QTmp, 1, 1));
}

void TSQLADOServer::SetSQLTraceOracle(bool TraceOn) {
  if (ADODBTyp != Oracle) return;
  const QString value = TraceOn ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
  ExecSQLStatement(Format(QStringLiteral("ALTER SESSION SET TIMED_STATISTICS = %s"), {value}));
  ExecSQLStatement(Format(QStringLiteral("ALTER SESSION SET SQL_TRACE = %s"), {value}));
}
