#pragma once

#include <QImage>
#include <QString>

// The 61 map symbol pictures, 16 x 16, drawn by code: 0 start, 1 finish, 2 to 29 the pins
// of orders (pin number + 2), 30 to 60 special markers (written as 930 to 960). Their
// background is the key colour of the lower left pixel, which the map draws transparent,
// as marker bitmaps have always been.
namespace mapsymbols {

inline constexpr int kCount = 61;
inline constexpr int kSize = 16;

QImage Picture(int Index);
// "000" … "029", "930" … "960": picture Index under its symbol number.
QString SymbolNumber(int Index);

}  // namespace mapsymbols
