#pragma once

#include <QList>
#include <QVariant>

#include "geo/map/ttransform.h"

// Rectangle with Delphi's field names. In map coordinates Bottom < Top (north is larger y);
// in pixels Top < Bottom.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  friend bool operator==(const TRect&, const TRect&) = default;
};

// A point as the window messages of the component carry it.
using tagPOINT = TPoint;

// Coordinate format codes of the transform.
namespace CoordFmt {
inline constexpr int Map = 0;
inline constexpr int Pixel = 1;
inline constexpr int Mercator = 3;
inline constexpr int GPS = 4;
}  // namespace CoordFmt

// Window messages the view hands to its interactors (the numbers of the platform they
// come from), with the pixel point packed into lParam: x in the low, y in the high 16 bits.
namespace MapMessage {
inline constexpr int LeftButtonDown = 513;
inline constexpr int LeftButtonUp = 514;
inline constexpr int RightButtonDown = 516;
inline constexpr int RightButtonUp = 517;
inline constexpr int MouseMove = 512;
inline constexpr int MouseWheel = 522;
}  // namespace MapMessage

inline long PackPixel(int X, int Y) {
  return static_cast<long>((static_cast<unsigned>(Y) & 0xFFFFu) << 16 |
                           (static_cast<unsigned>(X) & 0xFFFFu));
}

// Records travel as variant arrays. A two-dimensional array is a QVariantList of columns
// (the second index), each a QVariantList of rows (the first index); LowerBound tells where
// the second index starts. Empty means no data.
struct VariantArray2D {
  int RowLow = 0;
  int ColumnLow = 0;
  QList<QVariantList> Columns;

  bool IsEmpty() const { return Columns.isEmpty(); }
  int ColumnCount() const { return static_cast<int>(Columns.size()); }
  int ColumnHigh() const { return ColumnLow + ColumnCount() - 1; }
  // Element (Row, Column) in the array's own indices; invalid outside.
  QVariant At(int Row, int Column) const;
};
