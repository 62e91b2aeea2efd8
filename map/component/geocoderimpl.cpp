#include "map/component/geocoderimpl.h"

#include "geo/map/defaultmap.h"
#include "map/component/mapmodelimpl.h"

namespace {
// Without the ask-for-everything settings the user is shown at most this many candidates.
constexpr int kBestFew = 10;

QString fromStd(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

QVariantList GeocodeColumn(const geo::GeocodeCandidate& Candidate) {
  QVariantList column;
  for (const geo::ResultValue& v : geo::resultRows(Candidate)) {
    if (const auto* n = std::get_if<std::int64_t>(&v)) {
      column.append(static_cast<qlonglong>(*n));
    } else if (const auto* s = std::get_if<std::string>(&v)) {
      column.append(fromStd(*s));
    } else {
      column.append(QVariant());
    }
  }
  return column;
}

bool GeocoderImpl::ready() {
  if (geocoder_) return true;
  map_ = LastLoadedMap();
  if (!map_) {
    std::string error;
    map_ = geo::CompiledMap::open(geo::defaultMapRoot(), error);
    if (!map_) {
      ComSetErrorText(fromStd(error));
      return false;
    }
  }
  geocoder_ = std::make_unique<geo::Geocoder>(*map_);
  return true;
}

ComStatus GeocoderImpl::GetSearchOptions(QVariant& Options) {
  Options = QVariantMap{{QStringLiteral("MaxCandidates"), kBestFew}};
  return ComStatus::Ok;
}

ComStatus GeocoderImpl::Search(const QVariant& Options, QString& Country, QString& PostalCode,
                               QString& Town, QString& District, QString& Street, int, int A, int,
                               int B, int, int, int, VariantArray2D& Result, int& ResultCode) {
  Result = {};
  ResultCode = 0;
  if (!ready()) return ComStatus::Fail;
  const geo::GeocodeQuery query{Country.toStdString(), PostalCode.toStdString(), Town.toStdString(),
                                District.toStdString(), Street.toStdString()};
  const geo::GeocodeResult found = geocoder_->search(query);
  ResultCode = found.code;
  const int limit = A == 2 && B == 2
                        ? std::numeric_limits<int>::max()
                        : Options.toMap().value(QStringLiteral("MaxCandidates"), kBestFew).toInt();
  for (const auto& candidate : found.candidates) {
    if (Result.ColumnCount() >= limit) break;
    Result.Columns.append(GeocodeColumn(candidate));
  }
  if (found.code == 1) {
    Country = fromStd(found.corrected.country);
    PostalCode = fromStd(found.corrected.postalCode);
    Town = fromStd(found.corrected.town);
    District = fromStd(found.corrected.district);
    Street = fromStd(found.corrected.street);
  }
  return ComStatus::Ok;
}

ComStatus GeocoderImpl::ReverseLookup(int X, int Y, VariantArray2D& Result) {
  Result = {};
  if (!ready()) return ComStatus::Fail;
  for (const auto& candidate : geocoder_->reverse({X, Y})) {
    Result.Columns.append(GeocodeColumn(candidate));
    break;  // the nearest one is the answer
  }
  return ComStatus::Ok;
}
