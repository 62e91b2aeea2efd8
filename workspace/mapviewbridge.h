#pragma once

#include <QString>
#include <memory>

#include "map/mapserver.h"
#include "workspace/mapservices.h"

class TMapView;
class TUserRequestForm;

// The workspace's map view over the map component's TMapView.
class TMapViewBridge : public TWorkspaceMapView {
 public:
  explicit TMapViewBridge(std::unique_ptr<TMapView> View);
  ~TMapViewBridge() override;
  TMapView& View() { return *FView; }

  void SetMapServerData(TMapServerData* Data) override;
  void SelectInteractor(int Mode) override;
  void SetGeocoding(TWorkspaceGeocoding* Geocoding) override;
  // The map view owns its routing adapter; the workspace gets a handle on it.
  std::unique_ptr<TWorkspaceRouting> CreateRouting() override;
  void SetMapTitle(const QString& Title) override;
  void SetShowStationCount(bool Value) override;
  void SetCanCalculate(bool Value) override;
  void SetSelectionMode(bool Value) override;
  void SetSelectedStationsStayTime(double Days) override;
  QStringList SelectedStationList() const override;
  void DeleteAllStations() override;
  void DeleteStationsFromMapView(bool Visible, bool MarkOnly, bool OptAssist) override;
  void SetMapRect(const QStringList& Rect) override;
  void SetStationsInMap(int Shape, qint64 Color, const QString& Titles) override;
  void RefreshMap() override;
  void SetStationInfo() override;
  void CreateMapEditor(const QString& LName) override;
  void ZoomIn() override;
  void ZoomOut() override;

 private:
  std::unique_ptr<TMapView> FView;
};

// The workspace's map services over the map adapters: the map server makes real map views
// (TMapView) in the workspace's map panel, and the one geocoding choice dialog of the program
// asks for whichever workspace is geocoding.
class TMapAdapterServer : public TWorkspaceMapServer {
 public:
  explicit TMapAdapterServer(const QString& MapPath);
  ~TMapAdapterServer() override;
  int ErrorNr() const override;
  std::unique_ptr<TWorkspaceMapView> CreateMapView(QWidget* Host, const QString& MapPath) override;
  std::unique_ptr<TWorkspaceGeocoding> CreateGeocoding() override;
  void ServeGeocoding(TWorkspaceGeocoding* Geocoding) override;
  // The shared choice dialog; none when the map server failed.
  TUserRequestForm* UserRequestForm() const { return FUserRequestForm.get(); }

 private:
  TMapServer FServer;
  // Declared after the server: the dialog's map view goes before the server does.
  std::unique_ptr<TUserRequestForm> FUserRequestForm;
};

std::unique_ptr<TMapAdapterServer> CreateMapAdapterServer(const QString& MapPath);
