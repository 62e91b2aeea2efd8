#include "shell/maplessserver.h"

#include <QLabel>
#include <QLayout>
#include <QWidget>

#include "planning/mapserverdata.h"

namespace {

class TMaplessGeocoding : public TWorkspaceGeocoding {
 public:
  void SetMapServerData(TMapServerData* Data) override { FData = Data; }
  bool CancelGeocoding() const override { return FCancel; }
  void SetCancelGeocoding(bool Value) override { FCancel = Value; }
  void SetGeocodingUserRequest(bool) override {}
  bool GeocodingStation(TStation*, int) override { return false; }
  bool GeocodingStations(bool) override {
    if (FData && FData->SetStatusText)
      FData->SetStatusText(QString::fromUtf8("Ohne Karte werden keine Adressen geocodiert."), 1);
    return false;
  }
  QStringList GeocodingList() const override { return {}; }
  void ClearGeocodingList() override {}

 private:
  TMapServerData* FData = nullptr;
  bool FCancel = true;
};

class TMaplessRouting : public TWorkspaceRouting {
 public:
  int ErrorNr() const override { return 0; }
  QString ErrorMsg() const override { return {}; }
  void SetMapServerData(TMapServerData*) override {}
  void DeleteRoute() override {}
  bool RoadMatching() override { return false; }
  void SetStationsOptimizedValidDays(const QString&) override {}
};

class TMaplessView : public TWorkspaceMapView {
 public:
  explicit TMaplessView(QWidget* Host) {
    FNotice = new QLabel(QString::fromUtf8("Keine Karte verfügbar: dieses Programm wurde ohne "
                                           "Kartenkomponente gebaut."),
                         Host);
    FNotice->setAlignment(Qt::AlignCenter);
    FNotice->setWordWrap(true);
    if (Host->layout()) Host->layout()->addWidget(FNotice);
  }
  void SetMapServerData(TMapServerData* Data) override { FData = Data; }
  void SelectInteractor(int) override {}
  void SetGeocoding(TWorkspaceGeocoding*) override {}
  std::unique_ptr<TWorkspaceRouting> CreateRouting() override {
    return std::make_unique<TMaplessRouting>();
  }
  void SetMapTitle(const QString&) override {}
  void SetShowStationCount(bool) override {}
  void SetCanCalculate(bool) override {}
  void SetSelectionMode(bool) override {}
  void SetSelectedStationsStayTime(double) override {}
  QStringList SelectedStationList() const override { return {}; }
  void DeleteAllStations() override {
    if (FData) FData->StationList->Clear();
  }
  void DeleteStationsFromMapView(bool, bool, bool) override {}
  void SetMapRect(const QStringList&) override {}
  void SetStationsInMap(int, qint64, const QString&) override {}
  void RefreshMap() override {}
  void SetStationInfo() override {}
  void CreateMapEditor(const QString&) override {}
  void ZoomIn() override {}
  void ZoomOut() override {}

 private:
  TMapServerData* FData = nullptr;
  QLabel* FNotice = nullptr;
};

class TMaplessServer : public TWorkspaceMapServer {
 public:
  int ErrorNr() const override { return 0; }
  std::unique_ptr<TWorkspaceMapView> CreateMapView(QWidget* Host, const QString&) override {
    return std::make_unique<TMaplessView>(Host);
  }
  std::unique_ptr<TWorkspaceGeocoding> CreateGeocoding() override {
    return std::make_unique<TMaplessGeocoding>();
  }
  void ServeGeocoding(TWorkspaceGeocoding*) override {}
};

}  // namespace

std::unique_ptr<TWorkspaceMapServer> CreateMaplessServer() {
  return std::make_unique<TMaplessServer>();
}
