// TSQLADOServer: long text and binary values, written per product.
#include "base/delphistr.h"
#include "sql/longvalues.h"
#include "sql/sqladoserver.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"

namespace {
QString BeyondLatin1Message(const QString& Field) {
  return QStringLiteral(
             "Der Wert des Feldes \"%1\" enthält Zeichen außerhalb von ISO-8859-1, die sich "
             "nicht als einzelne Bytes speichern lassen.")
      .arg(Field);
}

// Appends at the stream's position; an unopened stream is opened for the caller.
bool AppendToStream(QBuffer& Blob, const QByteArray& Bytes) {
  if (!Blob.isOpen() && !Blob.open(QIODevice::ReadWrite)) return false;
  return Blob.write(Bytes) == Bytes.size();
}

void ClearStream(QBuffer& Blob) {
  Blob.buffer().clear();
  if (Blob.isOpen()) Blob.seek(0);
}
}  // namespace

bool TSQLADOServer::ReadLongValue(const QString& Table, const QString& Field, const QString& Where,
                                  QVariant& Value) {
  // A select that is only logged leaves no result; an older one must not be read instead.
  QTmp.reset();
  if (!SQLSelect(Field, Table, Where, QString(), QTmp)) return false;
  Value = QVariant();
  if (!QTmp) return true;
  try {
    const qint64 size = QTmp->RecordCount() != 0 ? QTmp->Field(0).ActualSize() : 0;
    Value = size > 0 ? QTmp->Field(0).GetChunk(size) : QVariant();
    return true;
  } catch (const std::exception& error) {
    RecordError(error);
    return false;
  }
}

bool TSQLADOServer::ReadSQLBlob(const QString& Table, const QString& BlobFeld, const QString& Where,
                                QBuffer& Blob) {
  QVariant value;
  bool result = ReadLongValue(Table, BlobFeld, Where, value);
  QByteArray bytes;
  if (result && value.typeId() == QMetaType::QByteArray) {
    bytes = value.toByteArray();
  } else if (result && !value.isNull() && !TextToBytes(value.toString(), bytes)) {
    RecordError(BeyondLatin1Message(BlobFeld));
    result = false;
  }
  if (result && !AppendToStream(Blob, bytes)) {
    RecordError(
        QStringLiteral("Der Datenstrom für das Feld \"%1\" ist nicht beschreibbar.").arg(BlobFeld));
    result = false;
  }
  if (!result) ClearStream(Blob);
  return result;
}

bool TSQLADOServer::ReadSQLText(const QString& Table, const QString& MemoFeld, const QString& Where,
                                QString& MemoText) {
  // The value is taken as it comes: a text column may hold characters that no single byte
  // can carry, and they are kept.
  QVariant value;
  if (!ReadLongValue(Table, MemoFeld, Where, value)) return false;
  MemoText = value.typeId() == QMetaType::QByteArray ? BytesToText(value.toByteArray())
                                                     : TextBeforeZero(value.toString());
  return true;
}

bool TSQLADOServer::WriteSQLText(const QString& Table, const QString& MemoFeld,
                                 const QString& Where, const QString& MemoText) {
  const QString trimmed = Trim(MemoText);
  if (trimmed.size() >= kLongTextThreshold) {
    QByteArray bytes;
    if (!TextToBytes(MemoText, bytes)) {
      RecordError(BeyondLatin1Message(MemoFeld));
      return false;
    }
    QBuffer blob(&bytes);
    return WriteSQLBlob(Table, MemoFeld, Where, blob);
  }
  if (trimmed.isEmpty()) return SQLUpdate(Table, MemoFeld + QStringLiteral("=null"), Where);
  return SQLUpdate(
      Table, MemoFeld + QLatin1Char('=') + SQLString(trimmed, ADODBTyp == Oracle ? 1 : 0), Where);
}

bool TSQLADOServer::WriteSQLBlob(const QString& Table, const QString& BlobFeld,
                                 const QString& Where, QBuffer& Blob) {
  const QByteArray bytes = Blob.data();
  switch (ADODBTyp) {
    case MSAccess:
      return WriteSQLBlobAccess(Table, BlobFeld, Where, bytes);
    case MSSQL:
      return WriteSQLBlobMSSQL(Table, BlobFeld, Where, bytes);
    case Oracle:
      return WriteSQLBlobOracle(Table, BlobFeld, Where, bytes);
    default:
      return false;
  }
}

bool TSQLADOServer::WriteSQLBlobAccess(const QString& Table, const QString& BlobFeld,
                                       const QString& Where, const QByteArray& Bytes) {
  const QString literal =
      Bytes.isEmpty() ? QStringLiteral("null") : QStringLiteral("0x") + HexDigits(Bytes);
  return SQLUpdate(Table, BlobFeld + QLatin1Char('=') + literal, Where);
}

bool TSQLADOServer::MSSQLTextPointerValid(const QString& Table, const QString& BlobFeld,
                                          const QString& Where) {
  // Without a fresh result (a statement only logged) the check must not pass on old rows.
  QTmp.reset();
  const QString what = QStringLiteral("TextOk=TEXTVALID(") +
                       QuoteString(Table + QLatin1Char('.') + BlobFeld) +
                       QStringLiteral(",TEXTPTR(") + BlobFeld +
                       QStringLiteral(")) , TSize=DATALENGTH(") + BlobFeld + QLatin1Char(')');
  return SQLSelect(what, Table, Where, QString(), QTmp) && SQLFieldInteger(QTmp, 1, 1) == 1;
}

bool TSQLADOServer::WriteSQLBlobMSSQL(const QString& Table, const QString& BlobFeld,
                                      const QString& Where, const QByteArray& Bytes) {
  const bool began = (Connected || SQLReportMode == LogOnly) && BeginTransaction();
  // UPDATETEXT needs a valid text pointer, which only a non-null value has.
  bool result = true;
  if (!began || !MSSQLTextPointerValid(Table, BlobFeld, Where))
    result = SQLUpdate(Table, BlobFeld + QStringLiteral("=null"), Where);
  for (qsizetype offset = 0; result && offset < Bytes.size(); offset += kMSSQLPieceSize) {
    SQLExecStatement =
        MSSQLPieceStatement(Table, BlobFeld, Where, offset, Bytes.mid(offset, kMSSQLPieceSize));
    result = ExecSQLServer(QTmp);
    if (result && SQLReportMode == LogOnly) result = ExecSQLStatement(QStringLiteral("go"));
  }
  return EndLongValueTransaction(result, began);
}

bool TSQLADOServer::WriteSQLBlobOracle(const QString& Table, const QString& BlobFeld,
                                       const QString& Where, const QByteArray& Bytes) {
  const bool logOnly = SQLReportMode == LogOnly;
  if (!logOnly && !(Connected && BeginTransaction())) return false;
  TOracleBlobRow row{Where, UseSequenz && logOnly, SequenzName, SequenzField};
  SQLExecStatement = OracleBlobBlock(Table, BlobFeld, row, Bytes);
  return EndLongValueTransaction(ExecSQLServer(QTmp), !logOnly);
}

bool TSQLADOServer::EndLongValueTransaction(bool Result, bool WithTransaction) {
  if (Result) return WithTransaction ? CommitTransaction() : true;
  // The caller wants to see the statement that failed and why, not the rollback.
  const QString failedStatement = SQLExecStatement;
  const QString failedMessage = SQLErrorMsg;
  const bool failedError = SQLExecError;
  if (!WithTransaction || RollbackTransaction()) {
    SQLExecStatement = failedStatement;
    SQLErrorMsg = failedMessage;
    SQLExecError = failedError;
  }
  return false;
}
