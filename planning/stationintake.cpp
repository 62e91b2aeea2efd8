// Station intake: the order rows of a query become stations of the hub's station list.

#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"

namespace {
enum RowField {
  kNumber = 0,
  kLabel = 1,
  kCountry = 2,
  kPostalCode = 3,
  kTown = 4,
  kAddressLine = 5,
  kStay = 6,
  kWindowStart = 7,
  kWindowEnd = 8,
  kPin = 9,
  kGps = 10,
  kArrival = 11,
  kCalendarArrival = 13,
};
constexpr int kMinimumRowFields = 9;
constexpr int kWorkflowNumbersItself = 12;
constexpr int kWorkflowNeverReuses = 33;
constexpr int kWorkflowCalendar = 50;

constexpr int kStartNumber = -1;
constexpr int kFinishNumber = -2;

// The station fields intake writes.
enum StationField {
  kFieldNumber = 0,
  kFieldLabel = 1,
  kFieldX = 4,
  kFieldY = 5,
  kFieldCountry = 6,
  kFieldPostalCode = 7,
  kFieldTown = 8,
  kFieldDistrict = 9,
  kFieldStreet = 10,
  kFieldHouseNumber = 11,
  kFieldWindowStart = 21,
  kFieldWindowEnd = 22,
  kFieldStay = 23,
  kFieldArrival = 24,
  kFieldPin = 29,
};

QString FieldOf(const QStringList& Row, int Field) {
  return Field < Row.size() ? Row[Field] : QString();
}

bool ReadsArrivalTime(int WorkflowId) {
  return WorkflowId == 2 || WorkflowId == 4 || WorkflowId == 16;
}
}  // namespace

void TMapServerData::QueryDataToStationList(quint8 Mode) {
  if (Mode == 1)
    StationList->ClearStart();
  else if (Mode == 2)
    StationList->ClearFinish();
  else if (Mode == 0)
    StationList->Clear();
  while (!QueryData.isEmpty()) {
    // Split at the separator itself: an empty last field (no pin, no end of the window) is
    // still a field.
    QStringList row = QueryData.first().split(FSeparator);
    if (WorkflowId == kWorkflowNumbersItself && !row.isEmpty())
      row[kNumber] = QString::number(QueryData.size());
    const int number = row.isEmpty() ? 0 : StrToIntDef(row[kNumber], 0);
    const QString pin = FieldOf(row, kPin);
    QString arrival;
    if (Mode == 0 && ReadsArrivalTime(WorkflowId)) arrival = FieldOf(row, kArrival);
    if (Mode == 0 && WorkflowId == kWorkflowCalendar) arrival = FieldOf(row, kCalendarArrival);
    if (row.size() >= kMinimumRowFields) {
      TADORecordsetPtr known;
      if (number > 0 && WorkflowId != kWorkflowNeverReuses)
        known = SelectRows(FListRoute, Format(QStringLiteral("AuftragId=%d"), {number}), {});
      if (SQLRecordCount(known) > 0) {
        Q = known;
        TakeOverKnownOrder(row, Mode, number, pin, arrival);
      } else if (!FieldOf(row, kGps).isEmpty()) {
        AddStationFromGPSField(row, number, pin, arrival);
      } else {
        AddStationByAdr(row[kNumber], row[kCountry], row[kPostalCode], row[kTown],
                        row[kAddressLine], row[kLabel], row[kStay], row[kWindowStart],
                        row[kWindowEnd], pin, arrival);
      }
    }
    QueryData.removeFirst();
  }
}

// The order's route-table row (in Q) with the appointment values of the delivered row.
void TMapServerData::TakeOverKnownOrder(const QStringList& Row, quint8 Mode, int Number,
                                        const QString& Pin, const QString& ArrivalTime) {
  auto station = std::make_unique<TStation>();
  for (int field = 0; field < TStation::FieldCount; ++field)
    station->SetField(field, SQLFieldString(Q, 1, field + 1));
  station->SetField(kFieldLabel, Row[kLabel]);
  station->SetField(kFieldWindowStart, Row[kWindowStart]);
  station->SetField(kFieldWindowEnd, Row[kWindowEnd]);
  station->SetField(kFieldStay, Row[kStay]);
  station->SetField(kFieldArrival, ArrivalTime);
  station->SetField(kFieldPin, Pin);
  if (Mode == 1)
    StationList->Start = std::move(station);
  else if (Mode == 2)
    StationList->Finish = std::move(station);
  else
    StationList->AddObject(QString::number(Number), station.release());
}

// Field 10 holds "#"-separated parts whose third is "latitude,longitude"; anything less
// places nothing.
bool TMapServerData::AddStationFromGPSField(const QStringList& Row, int Number, const QString& Pin,
                                            const QString& ArrivalTime) {
  const QStringList parts = Row[kGps].split(QLatin1Char('#'));
  if (parts.size() < 3) return false;
  const QStringList position = parts[2].split(QLatin1Char(','));
  if (position.size() < 2) return false;
  AddStationByGPS(QString::number(Number), position[0], position[1], Row[kLabel], Row[kStay],
                  Row[kWindowStart], Row[kWindowEnd], Pin, ArrivalTime, Row[kCountry],
                  Row[kPostalCode], Row[kTown], Row[kAddressLine]);
  return true;
}

TStation* TMapServerData::NewStationFor(int Number, QString& ANr) {
  auto station = std::make_unique<TStation>();
  TStation* created = station.get();
  if (Number == kFinishNumber) {
    StationList->Finish = std::move(station);
  } else if (Number == kStartNumber) {
    StationList->ClearStart();
    StationList->Start = std::move(station);
  } else {
    // Orders without a number get one below every real order, unique within the block.
    if (Number == 0) ANr = QString::number(-(Count() + 1));
    StationList->AddObject(ANr, station.release());
  }
  return created;
}

TStation* TMapServerData::AddStationByAdr(const QString& ANr, const QString& LKZ,
                                          const QString& PLZ, const QString& Ort,
                                          const QString& Anschrift, const QString& Bez,
                                          const QString& StayTime, const QString& TimeWindow1,
                                          const QString& TimeWindow2, const QString& PinBmp,
                                          const QString& ArrivalTime) {
  QString number = ANr;
  TStation* station = NewStationFor(StrToIntDef(ANr, 0), number);
  station->SetField(kFieldNumber, number);
  station->SetField(kFieldLabel, Bez);
  station->SetField(kFieldCountry, LKZ);
  station->SetField(kFieldPostalCode, PLZ);
  station->SetField(kFieldTown, Ort);
  station->SetField(kFieldStreet, Anschrift);
  station->SetField(kFieldWindowStart, TimeWindow1);
  station->SetField(kFieldWindowEnd, TimeWindow2);
  station->SetField(kFieldStay, StayTime);
  station->SetField(kFieldArrival, ArrivalTime);
  station->SetField(kFieldPin, PinBmp.isEmpty() ? QStringLiteral("-1") : PinBmp);
  return station;
}

TStation* TMapServerData::AddStationByXY(const QString& ANr, const QString& XCOORD,
                                         const QString& YCOORD, const QString& Bez,
                                         const QString& Adr, const QString& StayTime,
                                         const QString& TimeWindow1, const QString& TimeWindow2,
                                         const QString& PinBmp, const QString& ArrivalTime) {
  QStringList address = Adr.split(FSeparator);
  while (address.size() < 6) address << QString();
  TStation* station = AddStationByAdr(ANr, address[0], address[1], address[2], address[4], Bez,
                                      StayTime, TimeWindow1, TimeWindow2, PinBmp, ArrivalTime);
  station->SetField(kFieldX, XCOORD);
  station->SetField(kFieldY, YCOORD);
  station->SetField(kFieldDistrict, address[3]);
  station->SetField(kFieldHouseNumber, address[5]);
  return station;
}

TStation* TMapServerData::AddStationByGPS(const QString& ANr, const QString& Latitude,
                                          const QString& Longitude, const QString& Bez,
                                          const QString& StayTime, const QString& TimeWindow1,
                                          const QString& TimeWindow2, const QString& PinBmp,
                                          const QString& ArrivalTime, const QString& LKZ,
                                          const QString& PLZ, const QString& Ort,
                                          const QString& Anschrift) {
  if (!Transform) Transform = std::make_unique<TTransform>();
  const TPoint point =
      Transform->TransGPSStringToMercator(Latitude.toStdString(), Longitude.toStdString());
  // District and house number stay empty: the address line holds the street as delivered.
  const QString address =
      QStringList{LKZ, PLZ, Ort, QString(), Anschrift, QString()}.join(FSeparator);
  return AddStationByXY(ANr, QString::number(point.X), QString::number(point.Y), Bez, address,
                        StayTime, TimeWindow1, TimeWindow2, PinBmp, ArrivalTime);
}

void TMapServerData::QueryGPSDataToStationList() {
  while (!QueryData.isEmpty()) {
    const QStringList row = QueryData.takeFirst().split(FSeparator);
    // A point without latitude and longitude has no place on the map.
    if (row.size() < 4) continue;
    AddStationByGPS(QStringLiteral("0"), row[2], row[3], row[1], QStringLiteral("1800"),
                    QStringLiteral("27000"), QStringLiteral("72000"), {}, {}, {}, {}, {}, {});
  }
}
