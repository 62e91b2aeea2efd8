#pragma once

#include <QString>
#include <QVector>

#include "sql/jet/jettypes.h"

struct JetColumnInfo {
  QString Name;
  JetColumnType Type;
};

struct JetTableInfo {
  QString Name;  // as declared
  QVector<JetColumnInfo> Columns;
  // Index of the column, compared without case; -1 when the table has none of that name.
  int FindColumn(const QString& Column) const;
};

// What the compiler needs to know about the database it compiles for.
class JetSchema {
 public:
  virtual ~JetSchema() = default;
  // The table of that name (compared without case), or nullptr.
  virtual const JetTableInfo* FindTable(const QString& Name) const = 0;
  // Whether an index of that SQLite name exists.
  virtual bool HasIndex(const QString& SqliteName) const = 0;
};
