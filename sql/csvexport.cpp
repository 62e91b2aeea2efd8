// TSQLADOServer::WriteCSVData: the result of a statement as the lines of a TCSVFile.
#include "base/delphistr.h"
#include "sql/csvfile.h"
#include "sql/sqladoserver.h"
#include "sql/sqlfields.h"

namespace {
// A one-column table that carries a message instead of a result.
void AddCSVMessage(TCSVFile& CSVFile, const QString& FieldName, const QString& Message) {
  CSVFile.FieldNames = QStringList{FieldName};
  CSVFile.FieldDataTypes = QStringLiteral("c");
  const int line = CSVFile.Add(Message);
  CSVFile.AddCSVRecord(line);
  CSVFile.GetCSVRecord(line)->Split(Message);
}

void AddCSVLine(TCSVFile& CSVFile, const TADORecordsetPtr& Result, int RecNo, int Fields) {
  QStringList values;
  QStringList lineValues;
  QStringList types;
  for (int f = 1; f <= Fields; ++f) {
    values.append(SQLFieldString(Result, RecNo, f));
    lineValues.append(CSVFile.GetValidCSVData(values.last()));
    if (CSVFile.WithRecordFieldDataTypes)
      types.append(Format(QStringLiteral("%s%d"),
                          {SQLFieldTypeLetter(Result, RecNo, f), SQLFieldType(Result, RecNo, f)}));
  }
  const int line = CSVFile.Add(lineValues.join(CSVFile.FSeparator));
  CSVFile.AddCSVRecord(line);
  TCSVRecord* record = CSVFile.GetCSVRecord(line);
  record->AddStrings(values);
  record->RecordFieldDataTypes = types;
}

void AddCSVResult(TCSVFile& CSVFile, const TADORecordsetPtr& Result) {
  const int fields = SQLFieldCount(Result);
  for (int f = 1; f <= fields; ++f) {
    CSVFile.FieldNames.append(SQLFieldName(Result, f));
    CSVFile.FieldDataTypes += SQLFieldTypeLetter(Result, 0, f);
  }
  const int records = SQLRecordCount(Result);
  for (int r = 1; r <= records; ++r) AddCSVLine(CSVFile, Result, r, fields);
}
}  // namespace

bool TSQLADOServer::WriteCSVData(TCSVFile& CSVFile, const QString& ASQL, bool ClearCSVData) {
  if (!Connected) return false;
  if (ClearCSVData) CSVFile.Clear();
  CSVFile.FieldNames.clear();
  CSVFile.FieldDataTypes.clear();
  // A statement that is only logged must not show the rows or the count of an earlier one.
  QTmp.reset();
  RecordsAffected = 0;
  SQLExecStatement = ASQL;
  const bool result = ExecSQLServer(QTmp);
  if (!result)
    AddCSVMessage(CSVFile, QStringLiteral("SQL-Fehlermeldung"), SQLErrorMsg);
  else if (SQLIsResultSet(QTmp))
    AddCSVResult(CSVFile, QTmp);
  else
    AddCSVMessage(
        CSVFile, QStringLiteral("Meldung"),
        Format(QStringLiteral("Anzahl der bearbeiteten Datensätze: %d"), {RecordsAffected}));
  return result;
}
