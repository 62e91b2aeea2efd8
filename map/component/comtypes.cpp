#include "map/component/comtypes.h"

QVariant VariantArray2D::At(int Row, int Column) const {
  const int c = Column - ColumnLow;
  const int r = Row - RowLow;
  if (c < 0 || c >= ColumnCount() || r < 0 || r >= Columns[c].size()) return {};
  return Columns[c][r];
}
