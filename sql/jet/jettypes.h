#pragma once

#include <QString>

// The data types of Jet as the compiler infers them. Variant stands for a value whose type
// is only known when the statement runs (NULL, a parameter-like expression).
enum class JetType {
  Variant,
  Boolean,
  Byte,
  Short,
  Long,
  Currency,
  Single,
  Double,
  DateTime,
  Text,
  Memo,
  Binary
};

bool IsNumericType(JetType Type);  // Byte .. Double, Boolean counts as a number too
bool IsIntegerType(JetType Type);  // Boolean, Byte, Short, Long
bool IsTextType(JetType Type);     // Text, Memo

// ADO type number a record set reports for a column of this type.
int AdoTypeOf(JetType Type);

// Result type of arithmetic on two numbers, widening as Jet does (Long+Double -> Double).
JetType WiderNumericType(JetType Left, JetType Right);

// Common type of two branches (IIF, NZ, MIN over mixed values): equal types stay, two
// numbers widen, anything else becomes Variant.
JetType CommonType(JetType Left, JetType Right);

// A column's type as stored in a table: the Jet type, the text length for Text and whether
// it counts up by itself.
struct JetColumnType {
  JetType Type = JetType::Variant;
  int Size = 0;
  bool Counter = false;
};

// The declared type written to SQLite for a Jet column. The names keep SQLite's affinity
// right (text columns get TEXT, numbers INTEGER/REAL) and read back with ParseSqliteDeclType.
QString SqliteDeclType(const JetColumnType& Column);
JetColumnType ParseSqliteDeclType(const QString& DeclType);

// The Jet type named in DDL (VARCHAR, INT, MEMO, LONGBINARY, COUNTER, ...); false for a name
// Jet does not know. Size is the length in brackets, 0 when none was given.
bool JetTypeFromDdlName(const QString& Name, int Size, JetColumnType& Result);

// Short name for messages and for the value conversion functions ("TEXT", "LONG", ...).
QString JetTypeName(JetType Type);
bool JetTypeFromName(const QString& Name, JetType& Result);
