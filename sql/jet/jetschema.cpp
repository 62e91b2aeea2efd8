#include "sql/jet/jetschema.h"

int JetTableInfo::FindColumn(const QString& Column) const {
  for (int i = 0; i < Columns.size(); ++i)
    if (Columns[i].Name.compare(Column, Qt::CaseInsensitive) == 0) return i;
  return -1;
}
