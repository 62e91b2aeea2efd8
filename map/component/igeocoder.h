#pragma once

#include <QString>
#include <QVariant>

#include "map/component/comstatus.h"
#include "map/component/comtypes.h"

// Address search on the map last loaded by a locator (or the default map). Results are
// arrays with rows 0..18 and one column per candidate: 0 reference table, 1 reference point,
// 2 x, 3 y, 4 country, 5 postal code, 6 town, 7 district, 8 street ("@" none), 9 house
// number, 10 search flags, 11 goodness, 12 unused, 13 … 18 further values.
class IGeocoder {
 public:
  virtual ~IGeocoder() = default;
  virtual ComStatus GetSearchOptions(QVariant& Options) = 0;
  // The five texts are corrected to the hit when it is unambiguous. ResultCode 0 nothing,
  // 1 one hit, 2 several candidates. The seven numbers tune the search (a = 2 and b = 2 ask
  // for every candidate rather than the best few).
  virtual ComStatus Search(const QVariant& Options, QString& Country, QString& PostalCode,
                           QString& Town, QString& District, QString& Street, int N1, int A, int N2,
                           int B, int N3, int N4, int N5, VariantArray2D& Result,
                           int& ResultCode) = 0;
};

// The address nearest to a point of the map, as one result column (empty when none).
class IReverseGeocoder {
 public:
  virtual ~IReverseGeocoder() = default;
  virtual ComStatus ReverseLookup(int X, int Y, VariantArray2D& Result) = 0;
};
