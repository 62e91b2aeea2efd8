#include "sql/sqlfields.h"

#include <exception>

#include "base/delphistr.h"
#include "sql/adoerror.h"
#include "sql/varianttext.h"

namespace {
const QString kNoRecordset = QStringLiteral("Es ist keine Datensatzgruppe vorhanden.");

TADORecordset& RequireRecordset(const TADORecordsetPtr& RS) {
  if (!RS) throw EADOError(kNoRecordset);
  return *RS;
}

QString ErrorMessage(const std::exception& error) {
  if (auto* adoError = dynamic_cast<const EADOError*>(&error)) return adoError->Message;
  return QString::fromUtf8(error.what());
}

QString ValueText(const QVariant& value) {
  bool ok = false;
  QString text = VariantToText(value, ok);
  if (ok) return Trim(text);
  // A value without a text of its own may be an array: its elements, one per line.
  return ArrayElementTexts(value, ok).join(QLatin1String("\r\n"));
}
}  // namespace

void SQLGotoRecord(const TADORecordsetPtr& RS, int RecNo) {
  if (RecNo <= 0 || !RS) return;
  try {
    RS->MoveFirst();
    // Moving past the last record ends at EOF, as ADO does, so no value is read from it.
    if (!RS->Eof()) RS->Move(qMin(RecNo - 1, RS->RecordCount()));
  } catch (const std::exception&) {
    // A closed record set has no record to go to.
  }
}

bool SQLIsResultSet(const TADORecordsetPtr& RS) {
  try {
    return RequireRecordset(RS).RecordCount() > -2;
  } catch (const std::exception&) {
    return false;
  }
}

int SQLRecordCount(const TADORecordsetPtr& RS) {
  try {
    return RequireRecordset(RS).RecordCount();
  } catch (const std::exception&) {
    return -1;
  }
}

int SQLFieldCount(const TADORecordsetPtr& RS) {
  try {
    return RequireRecordset(RS).FieldCount();
  } catch (const std::exception&) {
    return -1;
  }
}

QString SQLFieldString(const TADORecordsetPtr& RS, int RecNo, int FieldNo) {
  SQLGotoRecord(RS, RecNo);
  try {
    TADORecordset& recordset = RequireRecordset(RS);
    if (recordset.Eof() || FieldNo < 1 || recordset.FieldCount() < FieldNo) return QString();
    return ValueText(recordset.Field(FieldNo - 1).Value());
  } catch (const std::exception&) {
    return QString();
  }
}

int SQLFieldInteger(const TADORecordsetPtr& RS, int RecNo, int FieldNo) {
  return StrToIntDef(SQLFieldString(RS, RecNo, FieldNo), 0);
}

QString SQLFieldName(const TADORecordsetPtr& RS, int FieldNo) {
  try {
    return Trim(RequireRecordset(RS).Field(FieldNo - 1).Name());
  } catch (const std::exception& error) {
    return ErrorMessage(error);
  }
}

int SQLFieldType(const TADORecordsetPtr& RS, int RecNo, int FieldNo) {
  SQLGotoRecord(RS, RecNo);
  try {
    return RequireRecordset(RS).Field(FieldNo - 1).Type();
  } catch (const std::exception&) {
    return 0;
  }
}

QString ADOTypeLetter(int ADOType) {
  switch (ADOType) {
    case 0:
    case 8:
    case 129:
    case 130:
    case 200:
    case 201:
    case 202:
    case 203:
      return QStringLiteral("c");
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 14:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
    case 131:
    case 139:
      return QStringLiteral("n");
    case 7:
    case 64:
    case 133:
    case 134:
    case 135:
    case 137:
      return QStringLiteral("d");
    default:
      return QStringLiteral("s");
  }
}

QString SQLFieldTypeLetter(const TADORecordsetPtr& RS, int RecNo, int FieldNo) {
  return ADOTypeLetter(SQLFieldType(RS, RecNo, FieldNo));
}
