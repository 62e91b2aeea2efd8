#pragma once

#include <QBuffer>
#include <QString>

#include "sql/adoconnection.h"
#include "sql/adorecordset.h"
#include "sql/sqltypes.h"

class TCSVFile;

// A thin SQL layer over one ADO connection for five database products. It builds SELECT,
// INSERT, UPDATE, DELETE and procedure statements from their parts, adapts them to the
// product, runs them and turns every database failure into a false result with the reason
// in SQLErrorMsg. Statements can be written to SQLReportStream instead of or besides
// running them. Statement parts are joined as given: quoting literals is the caller's job.
class TSQLADOServer {
 public:
  TSQLADOServer();
  ~TSQLADOServer();
  TSQLADOServer(const TSQLADOServer&) = delete;
  TSQLADOServer& operator=(const TSQLADOServer&) = delete;

  void SetADODBTyp(TADODBTyp DBTyp);
  TADODBTyp GetADODBTyp() const { return ADODBTyp; }
  // "1" is Access, "3" Oracle, anything else (even "4" or no number) MSSQL.
  static TADODBTyp StrToADODBTyp(const QString& S);

  bool CreateAccessDatabase();
  bool Connect();
  bool DisConnect();
  bool SetDefaultDB(const QString& DBName);

  // Runs SQLExecStatement; every statement operation ends here.
  bool ExecSQLServer(TADORecordsetPtr& ResultSet);
  bool ExecSQLStatement(const QString& Statement);
  // Runs the statements between lines that read "go"; stops at the first failure.
  bool ExecSQLBatch(const QString& BatchStatements, bool WithTransaction);

  int SQLSelectCount(const QString& From, const QString& Where);
  bool SQLSelect(QString What, QString From, QString Where, QString Order,
                 TADORecordsetPtr& ResultSet);
  bool SQLInsert(const QString& TabName, const QString& Fields, const QString& NewValues);
  bool SQLUpdate(const QString& TabName, const QString& What, const QString& Where);
  bool SQLDelete(const QString& TabName, const QString& Where);
  bool SQLExecSP(const QString& SPName, const QString& SPParams, TADORecordsetPtr& QResult);

  bool BeginTransaction();
  bool CommitTransaction();
  bool RollbackTransaction();

  // The first column of the first record of ValueField FROM TableName WHERE IdField=IdValue
  // (no condition for IdField "?" or empty); Rows gets the record count, -1 on failure.
  QString GetSQLTableStringValue(const QString& TableName, const QString& IdField,
                                 const QString& IdValue, const QString& ValueField, int& Rows);
  int GetSQLTableIntegerValue(const QString& TableName, const QString& IdField,
                              const QString& IdValue, const QString& ValueField, int& Rows);
  QString GetSQLTableDateTimeValue(const QString& TableName, const QString& IdField,
                                   const QString& IdValue, const QString& ValueField, int& Rows);

  QString GetSystemUser();
  QString GetIdentityBefehl() const;
  QString GetIdentityValue();
  void SetSQLTraceOracle(bool TraceOn);
  int GetRecordsAffected() const { return RecordsAffected; }

  // ---- Table export (csvexport.cpp) and long values (longvalues.cpp) ----
  // Fills CSVFile with the result of ASQL: field names, type letters and one line per record;
  // a statement without rows gives a "Meldung" line, a failure a "SQL-Fehlermeldung" line.
  bool WriteCSVData(TCSVFile& CSVFile, const QString& ASQL, bool ClearCSVData);
  // Moves the value of one column of the row selected by Where between the database and
  // Blob; reading appends at Blob's position. Texts travel one byte per character.
  bool ReadSQLBlob(const QString& Table, const QString& BlobFeld, const QString& Where,
                   QBuffer& Blob);
  bool WriteSQLBlob(const QString& Table, const QString& BlobFeld, const QString& Where,
                    QBuffer& Blob);
  bool ReadSQLText(const QString& Table, const QString& MemoFeld, const QString& Where,
                   QString& MemoText);
  bool WriteSQLText(const QString& Table, const QString& MemoFeld, const QString& Where,
                    const QString& MemoText);
  // ---- end of table export and long values ----

 protected:
  TADODBTyp ADODBTyp = MSAccess;
  TADORecordsetPtr QTmp;
  QString Provider;
  int RecordsAffected = 0;

 public:
  TADOConnection ConnectionObject;
  TADORecordsetPtr QResultSet;
  bool Connected = false;
  bool SQLExecError = false;
  bool UseSequenz = false;
  bool TransformSQL = false;
  QString SQLExecStatement;
  QString SQLErrorMsg;
  QString SQLNow;
  QString SQLVersion;
  QString SQLLanguage;
  QString DataSource;
  QString UserId;
  QString Password;
  QString SequenzField;
  QString SequenzName;
  TSQLReportMode SQLReportMode = ExecOnly;
  QBuffer SQLReportStream;

 private:
  QString ConnectionString() const;
  void RecordError(const QString& Message);
  void RefuseStatement(const QString& Reason);
  void RecordError(const std::exception& Error);
  void ProbeProduct();
  void LogStatement();
  void TransformForOracle();
  bool RunTransactionStatement(const QString& MSSQLText, const QString& OracleText,
                               void (TADOConnection::*ConnectionMethod)());
  QString FirstValue(const QString& TableName, const QString& IdField, const QString& IdValue,
                     const QString& ValueField, int& Rows);

  // ---- table export and long values ----
  bool ReadLongValue(const QString& Table, const QString& Field, const QString& Where,
                     QVariant& Value);
  bool WriteSQLBlobAccess(const QString& Table, const QString& BlobFeld, const QString& Where,
                          const QByteArray& Bytes);
  bool WriteSQLBlobMSSQL(const QString& Table, const QString& BlobFeld, const QString& Where,
                         const QByteArray& Bytes);
  bool MSSQLTextPointerValid(const QString& Table, const QString& BlobFeld, const QString& Where);
  bool WriteSQLBlobOracle(const QString& Table, const QString& BlobFeld, const QString& Where,
                          const QByteArray& Bytes);
  bool EndLongValueTransaction(bool Result, bool WithTransaction);
  // ---- end of table export and long values ----
};
