#pragma once

#include <QString>

#include "sql/adorecordset.h"

// Readers of a record set as the SQL layer returns it. Record and field numbers count
// from 1. None of them raises: each failure answers its fallback value.

// Makes record RecNo current; RecNo 0 or below keeps the current record.
void SQLGotoRecord(const TADORecordsetPtr& RS, int RecNo);

// True for a record set with rows and columns, false for the closed one that a statement
// without a result answers.
bool SQLIsResultSet(const TADORecordsetPtr& RS);

int SQLRecordCount(const TADORecordsetPtr& RS);  // -1 when it cannot be asked
int SQLFieldCount(const TADORecordsetPtr& RS);   // -1 when it cannot be asked

// The value of field FieldNo in record RecNo as trimmed text; empty for null, a missing
// record or field. A byte array gives its element values, one per line (CR LF).
QString SQLFieldString(const TADORecordsetPtr& RS, int RecNo, int FieldNo);

// SQLFieldString read as a decimal integer; 0 when it is no integer (e.g. "12,5").
int SQLFieldInteger(const TADORecordsetPtr& RS, int RecNo, int FieldNo);

// The column name, trimmed; the error message when the field cannot be asked.
QString SQLFieldName(const TADORecordsetPtr& RS, int FieldNo);

// The ADO data type number of the field; 0 when it cannot be asked.
int SQLFieldType(const TADORecordsetPtr& RS, int RecNo, int FieldNo);

// "c" character, "n" numeric, "d" date and time, "s" any other ADO type.
QString SQLFieldTypeLetter(const TADORecordsetPtr& RS, int RecNo, int FieldNo);

// The letter of SQLFieldTypeLetter for an ADO data type number.
QString ADOTypeLetter(int ADOType);
