#include "planning/stationlist.h"

#include "planning/textsplit.h"

namespace {
const QString kRouteStartNumber = QStringLiteral("-1");
const QString kFinishNumber = QStringLiteral("-2");
const QString kDayStart = QStringLiteral("0");
const QString kDayEnd = QStringLiteral("86399");  // 23:59:59
const QString kNoStay = QStringLiteral("0");

constexpr int kNumberField = 0;
constexpr int kTimeWindow1Field = 21;
constexpr int kTimeWindow2Field = 22;
constexpr int kStayTimeField = 23;

// Copies Source into Target (created when absent; Source may be Target itself) and opens
// its time window over the whole day.
void CopyAsEndPoint(std::unique_ptr<TStation>& Target, const TStation& Source,
                    const QString& Number) {
  if (!Target) Target = std::make_unique<TStation>();
  Target->CopyFields(Source);
  Target->SetField(kNumberField, Number);
  Target->SetField(kTimeWindow1Field, kDayStart);
  Target->SetField(kTimeWindow2Field, kDayEnd);
}
}  // namespace

TStationList::TStationList() : TStringList(true) {}

TStation* TStationList::GetStation(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return ObjectAs<TStation>(Index);
}

bool TStationList::AcceptsObject(const TObject* AObject) const {
  return dynamic_cast<const TStation*>(AObject) != nullptr;
}

TObject* TStationList::AcceptedObject(TObject* AObject) const {
  if (AcceptsObject(AObject)) return AObject;
  delete AObject;
  return new TStation();
}

int TStationList::AddObject(const QString& S, TObject* AObject) {
  return TStringList::AddObject(S, AcceptedObject(AObject));
}

void TStationList::InsertObject(int Index, const QString& S, TObject* AObject) {
  if (Index < 0 || Index > Count()) {
    delete AObject;
    return;
  }
  TStringList::InsertObject(Index, S, AcceptedObject(AObject));
}

void TStationList::Delete(int Index) {
  if (Index >= 0 && Index < Count()) TStringList::Delete(Index);
}

void TStationList::ClearStart() {
  RStart.reset();
  Start.reset();
}

void TStationList::ClearFinish() { Finish.reset(); }

QString TStationList::GetStationDataValue(int Index, int Field) const {
  const TStation* station = GetStation(Index);
  return station ? station->Field(Field) : QString();
}

TStation* TStationList::StationForWrite(int Index) {
  if (Index < 0 || Index >= Count()) return nullptr;
  TStation* station = GetStation(Index);
  if (!station) {
    station = new TStation();
    SetObject(Index, station);
  }
  return station;
}

void TStationList::SetStationDataValue(int Index, int Field, const QString& Value) {
  if (TStation* station = StationForWrite(Index)) station->SetField(Field, Value);
}

void TStationList::SetStationData(int Index) {
  TStation* station = StationForWrite(Index);
  if (!station) return;
  const QStringList values = SplitAtBreaks(Strings(Index), u"|~");
  for (int field = 0; field < values.size() && field < TStation::FieldCount; ++field)
    station->SetField(field, values[field]);
  SetString(Index, values.first());
}

void TStationList::SetRStart(const TStation* AStation) {
  if (!AStation) {
    RStart.reset();
    return;
  }
  CopyAsEndPoint(RStart, *AStation, kRouteStartNumber);
  RStart->SetField(kStayTimeField, kNoStay);
}

void TStationList::SetFinish(const TStation* AStation) {
  if (!AStation) {
    Finish.reset();
    return;
  }
  CopyAsEndPoint(Finish, *AStation, kFinishNumber);
}

int TStationList::StationCount() const {
  return Count() + ((RStart || Start) ? 1 : 0) + (Finish ? 1 : 0);
}
