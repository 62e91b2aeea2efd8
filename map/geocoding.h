#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

#include "map/component/comtypes.h"
#include "map/mapviewlinks.h"
#include "map/ttransform.h"
#include "planning/stationlist.h"

class IGeocoder;
class TMapServerData;
class TStation;
class TUserRequestForm;

// Raised when the geocoder cannot be made or one of its calls fails; it leaves the geocoding
// operations, and the caller reports it.
class EGeocodingError : public std::runtime_error {
 public:
  explicit EGeocodingError(const QString& message)
      : std::runtime_error(message.toStdString()), Message(message) {}
  QString Message;
};

// Country and postal code as they are searched: "D-12345" gives D and 12345, "CH 8000" CH and
// 8000; an empty country and "DE" become "D".
struct TCountryPostalCode {
  QString Country;
  QString PostalCode;
};
TCountryPostalCode SplitCountryPostalCode(const QString& Country, const QString& PostalCode);

// The sortable house-number key of a street text: "Hauptstraße 12a" gives "0012a".
QString HouseNumberKey(const QString& StreetText);

// Fills in the coordinates and normalised address of stations with the component's geocoder,
// and the address at a station's point; asks the user through the choice dialog when the
// answer is ambiguous.
class TGeocoding : public IMapViewGeocoding {
 public:
  TGeocoding();
  ~TGeocoding() override;
  TGeocoding(const TGeocoding&) = delete;
  TGeocoding& operator=(const TGeocoding&) = delete;

  void SetMapServerData(TMapServerData* Data) { m_MapServerData = Data; }
  void SetUserRequestForm(TUserRequestForm* UserRequestForm) {
    m_UserRequestForm = UserRequestForm;
  }

  // Mode 0 automatic, 1 always search the address, 2 always look up the station's point.
  bool GeocodingStation(TStation* AStation, int GeocodingMode) override;
  bool GeocodingStations(bool BreakOnError);

  std::shared_ptr<IGeocoder> m_Geocoder;
  TMapServerData* m_MapServerData = nullptr;
  TUserRequestForm* m_UserRequestForm = nullptr;
  std::unique_ptr<TTransform> m_Transform;
  bool CancelGeocoding = true;
  bool GeocodingUserRequest = false;
  std::unique_ptr<TStationList> GeocodingList;

 private:
  // What one station's geocoding found: the result array and whether the user chose it.
  struct TFound {
    VariantArray2D Result;
    bool Ok = false;
    bool Asked = false;
    QString StreetForKey;
  };
  TFound SearchAddress(TStation& AStation, const QVariant& Options);
  VariantArray2D ReverseLookup(int X, int Y);
  TFound AskUser(const TStation& AStation, const VariantArray2D& Candidates);
  void WriteResult(TStation& AStation, const VariantArray2D& Result, const QString& StreetForKey);
  void NoteChoice(const TStation& AStation);
  void ShowStatus(const QString& Text, int Panel) const;
};
