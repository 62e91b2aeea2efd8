#include "workspace/mapviewbridge.h"

#include "map/geocoding.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "map/routing.h"
#include "map/userrequestform.h"
#include "planning/mapserverdata.h"

namespace {

// The workspace's geocoding over the map component's TGeocoding. A failing geocoder call ends
// the lookup with a status text instead of leaving the page's processing half done.
class TGeocodingBridge : public TWorkspaceGeocoding, public IMapViewGeocoding {
 public:
  explicit TGeocodingBridge(TUserRequestForm* UserRequestForm) {
    FGeocoding.SetUserRequestForm(UserRequestForm);
  }
  TGeocoding& Adapter() { return FGeocoding; }

  void SetMapServerData(TMapServerData* Data) override { FGeocoding.SetMapServerData(Data); }
  bool CancelGeocoding() const override { return FGeocoding.CancelGeocoding; }
  void SetCancelGeocoding(bool Value) override { FGeocoding.CancelGeocoding = Value; }
  void SetGeocodingUserRequest(bool Value) override { FGeocoding.GeocodingUserRequest = Value; }
  bool GeocodingStation(TStation* AStation, int GeocodingMode) override {
    return Guarded([&] { return FGeocoding.GeocodingStation(AStation, GeocodingMode); });
  }
  bool GeocodingStations(bool BreakOnError) override {
    return Guarded([&] { return FGeocoding.GeocodingStations(BreakOnError); });
  }
  QStringList GeocodingList() const override {
    QStringList Lines;
    for (int Index = 0; Index < FGeocoding.GeocodingList->Count(); ++Index)
      Lines << FGeocoding.GeocodingList->Strings(Index);
    return Lines;
  }
  void ClearGeocodingList() override { FGeocoding.GeocodingList->Clear(); }

 private:
  bool Guarded(const std::function<bool()>& Lookup) {
    try {
      return Lookup();
    } catch (const EGeocodingError& Error) {
      FGeocoding.CancelGeocoding = true;
      TMapServerData* Data = FGeocoding.m_MapServerData;
      if (Data && Data->SetStatusText)
        Data->SetStatusText(QStringLiteral("Fehler bei der Geocodierung: ") + Error.Message, 1);
      return false;
    }
  }

  TGeocoding FGeocoding;
};

// The workspace's routing over the routing adapter its map view owns.
class TRoutingBridge : public TWorkspaceRouting {
 public:
  explicit TRoutingBridge(TRouting& Routing) : FRouting(Routing) {}
  int ErrorNr() const override { return FRouting.ErrorNr; }
  QString ErrorMsg() const override { return FRouting.ErrorMsg; }
  void SetMapServerData(TMapServerData* Data) override { FRouting.SetMapServerData(Data); }
  void DeleteRoute() override { FRouting.DeleteRoute(); }
  bool RoadMatching() override {
    FRouting.ErrorNr = 0;
    FRouting.RoadMatching();
    return FRouting.ErrorNr == 0;
  }
  void SetStationsOptimizedValidDays(const QString& ValidDays) override {
    FRouting.StationsOptimizedValidDays = ValidDays;
  }

 private:
  TRouting& FRouting;
};

}  // namespace

TMapViewBridge::TMapViewBridge(std::unique_ptr<TMapView> View) : FView(std::move(View)) {
  FView->AfterSelectionChangedProc = [this] {
    if (AfterSelectionChangedProc) AfterSelectionChangedProc();
  };
  FView->OptimizingProc = [this](int Value) {
    if (OptimizingProc) OptimizingProc(Value);
  };
  FView->CalculationProc = [this](quint8 Value) {
    if (CalculationProc) CalculationProc(Value);
  };
}

TMapViewBridge::~TMapViewBridge() = default;

void TMapViewBridge::SetMapServerData(TMapServerData* Data) { FView->SetMapServerData(Data); }
void TMapViewBridge::SelectInteractor(int Mode) { FView->SelectInteractor(Mode); }
void TMapViewBridge::SetGeocoding(TWorkspaceGeocoding* Geocoding) {
  FView->SetGeocoding(dynamic_cast<IMapViewGeocoding*>(Geocoding));
}
std::unique_ptr<TWorkspaceRouting> TMapViewBridge::CreateRouting() {
  TRouting* Routing = ::CreateRouting(*FView);
  if (!Routing) return nullptr;
  return std::make_unique<TRoutingBridge>(*Routing);
}
void TMapViewBridge::SetMapTitle(const QString& Title) { FView->MapTitle = Title; }
void TMapViewBridge::SetShowStationCount(bool Value) { FView->ShowStationCount = Value; }
void TMapViewBridge::SetCanCalculate(bool Value) { FView->CanCalculate = Value; }
void TMapViewBridge::SetSelectionMode(bool Value) { FView->SelectionMode = Value; }
void TMapViewBridge::SetSelectedStationsStayTime(double Days) {
  FView->SelectedStationsStayTime = TDateTime(Days);
}
QStringList TMapViewBridge::SelectedStationList() const {
  QStringList Numbers;
  if (FView->SelectedStationList)
    for (int Index = 0; Index < FView->SelectedStationList->Count(); ++Index)
      Numbers << FView->SelectedStationList->Names(Index);  // "order number=marker id"
  return Numbers;
}
void TMapViewBridge::DeleteAllStations() { FView->DeleteAllStations(); }
void TMapViewBridge::DeleteStationsFromMapView(bool Visible, bool MarkOnly, bool OptAssist) {
  FView->DeleteStationsFromMapView(Visible, MarkOnly, OptAssist);
}
void TMapViewBridge::SetMapRect(const QStringList& Rect) { FView->SetMapRect(Rect); }
void TMapViewBridge::SetStationsInMap(int Shape, qint64 Color, const QString& Titles) {
  FView->SetStationsInMap(Shape, static_cast<int>(Color), Titles);
}
void TMapViewBridge::RefreshMap() { FView->RefreshMap(); }
void TMapViewBridge::SetStationInfo() { FView->SetStationInfo(); }
void TMapViewBridge::CreateMapEditor(const QString& LName) { FView->CreateMapEditor(LName); }
void TMapViewBridge::ZoomIn() { FView->ZoomIn(); }
void TMapViewBridge::ZoomOut() { FView->ZoomOut(); }

TMapAdapterServer::TMapAdapterServer(const QString& MapPath) {
  // The choice dialog builds its own map view from this server, so it comes after it.
  if (FServer.ErrorNr == 0) FUserRequestForm = std::make_unique<TUserRequestForm>(FServer, MapPath);
}

TMapAdapterServer::~TMapAdapterServer() = default;

int TMapAdapterServer::ErrorNr() const { return FServer.ErrorNr; }

std::unique_ptr<TWorkspaceMapView> TMapAdapterServer::CreateMapView(QWidget* Host,
                                                                    const QString& MapPath) {
  std::unique_ptr<TMapView> View(FServer.CreateMapView(Host, MapPath));
  return std::make_unique<TMapViewBridge>(std::move(View));
}

std::unique_ptr<TWorkspaceGeocoding> TMapAdapterServer::CreateGeocoding() {
  try {
    return std::make_unique<TGeocodingBridge>(FUserRequestForm.get());
  } catch (const EGeocodingError&) {
    return nullptr;
  }
}

void TMapAdapterServer::ServeGeocoding(TWorkspaceGeocoding* Geocoding) {
  if (auto* Bridge = dynamic_cast<TGeocodingBridge*>(Geocoding))
    Bridge->Adapter().SetUserRequestForm(FUserRequestForm.get());
}

std::unique_ptr<TMapAdapterServer> CreateMapAdapterServer(const QString& MapPath) {
  return std::make_unique<TMapAdapterServer>(MapPath);
}
