#pragma once

#include <memory>

#include "geo/geocode/geocoder.h"
#include "map/component/igeocoder.h"

// The geocoder over geo::Geocoder, on the map a locator loaded last (else the default map),
// built on its first call.
class GeocoderImpl : public IGeocoder, public IReverseGeocoder {
 public:
  ComStatus GetSearchOptions(QVariant& Options) override;
  ComStatus Search(const QVariant& Options, QString& Country, QString& PostalCode, QString& Town,
                   QString& District, QString& Street, int N1, int A, int N2, int B, int N3, int N4,
                   int N5, VariantArray2D& Result, int& ResultCode) override;
  ComStatus ReverseLookup(int X, int Y, VariantArray2D& Result) override;

 private:
  bool ready();

  std::shared_ptr<const geo::CompiledMap> map_;
  std::unique_ptr<geo::Geocoder> geocoder_;
};

// One candidate as a result column of rows 0..18.
QVariantList GeocodeColumn(const geo::GeocodeCandidate& Candidate);
