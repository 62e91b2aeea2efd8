#include "workspace/mapviewbridge.h"

#include "map/mapserver.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

namespace {

// Stations keep what the web application delivered (orders with a GPS position are placed
// by it); addresses are not looked up.
class TDeliveredPositions : public TWorkspaceGeocoding, public IMapViewGeocoding {
 public:
  void SetMapServerData(TMapServerData* Data) override { FData = Data; }
  bool CancelGeocoding() const override { return FCancel; }
  void SetCancelGeocoding(bool Value) override { FCancel = Value; }
  void SetGeocodingUserRequest(bool) override {}
  bool GeocodingStation(TStation* AStation, int) override {
    return AStation && !AStation->Field(4).isEmpty() && !AStation->Field(5).isEmpty();
  }
  bool GeocodingStations(bool) override {
    if (FData && FData->SetStatusText)
      FData->SetStatusText(
          QString::fromUtf8("Adressen ohne Position werden nicht geocodiert (Geocodierung nicht "
                            "verfügbar)."),
          1);
    return true;
  }
  QStringList GeocodingList() const override { return {}; }
  void ClearGeocodingList() override {}

 private:
  TMapServerData* FData = nullptr;
  bool FCancel = true;
};

class TMapAdapterServer : public TWorkspaceMapServer {
 public:
  int ErrorNr() const override { return FServer.ErrorNr; }
  std::unique_ptr<TWorkspaceMapView> CreateMapView(QWidget* Host, const QString& MapPath) override {
    std::unique_ptr<TMapView> View(FServer.CreateMapView(Host, MapPath));
    return std::make_unique<TMapViewBridge>(std::move(View));
  }
  std::unique_ptr<TWorkspaceGeocoding> CreateGeocoding() override {
    return std::make_unique<TDeliveredPositions>();
  }
  void ServeGeocoding(TWorkspaceGeocoding*) override {}

 private:
  TMapServer FServer;
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
std::unique_ptr<TWorkspaceRouting> TMapViewBridge::CreateRouting() { return nullptr; }
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

std::unique_ptr<TWorkspaceMapServer> CreateMapAdapterServer() {
  return std::make_unique<TMapAdapterServer>();
}
