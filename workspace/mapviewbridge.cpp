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

class TMapViewBridge : public TWorkspaceMapView {
 public:
  explicit TMapViewBridge(std::unique_ptr<TMapView> View) : FView(std::move(View)) {
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
  TMapView& View() { return *FView; }

  void SetMapServerData(TMapServerData* Data) override { FView->SetMapServerData(Data); }
  void SelectInteractor(int Mode) override { FView->SelectInteractor(Mode); }
  void SetGeocoding(TWorkspaceGeocoding* Geocoding) override {
    FView->SetGeocoding(dynamic_cast<IMapViewGeocoding*>(Geocoding));
  }
  // The routing adapter of the map component is not part of this build yet.
  std::unique_ptr<TWorkspaceRouting> CreateRouting() override { return nullptr; }

  void SetMapTitle(const QString& Title) override { FView->MapTitle = Title; }
  void SetShowStationCount(bool Value) override { FView->ShowStationCount = Value; }
  void SetCanCalculate(bool Value) override { FView->CanCalculate = Value; }
  void SetSelectionMode(bool Value) override { FView->SelectionMode = Value; }
  void SetSelectedStationsStayTime(double Days) override {
    FView->SelectedStationsStayTime = TDateTime(Days);
  }
  QStringList SelectedStationList() const override {
    QStringList Numbers;
    if (FView->SelectedStationList)
      for (int Index = 0; Index < FView->SelectedStationList->Count(); ++Index)
        Numbers << FView->SelectedStationList->Strings(Index);
    return Numbers;
  }
  void DeleteAllStations() override { FView->DeleteAllStations(); }
  void DeleteStationsFromMapView(bool Visible, bool MarkOnly, bool OptAssist) override {
    FView->DeleteStationsFromMapView(Visible, MarkOnly, OptAssist);
  }
  void SetMapRect(const QStringList& Rect) override { FView->SetMapRect(Rect); }
  void SetStationsInMap(int Shape, qint64 Color, const QString& Titles) override {
    FView->SetStationsInMap(Shape, static_cast<int>(Color), Titles);
  }
  void RefreshMap() override { FView->RefreshMap(); }
  void SetStationInfo() override { FView->SetStationInfo(); }
  void CreateMapEditor(const QString& LName) override { FView->CreateMapEditor(LName); }
  void ZoomIn() override { FView->ZoomIn(); }
  void ZoomOut() override { FView->ZoomOut(); }

 private:
  std::unique_ptr<TMapView> FView;
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

std::unique_ptr<TWorkspaceMapServer> CreateMapAdapterServer() {
  return std::make_unique<TMapAdapterServer>();
}
