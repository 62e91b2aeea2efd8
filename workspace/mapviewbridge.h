#pragma once

#include <memory>

#include "workspace/mapservices.h"

class TMapServer;
class TMapView;

// The workspace's map view over the map component's TMapView.
class TMapViewBridge : public TWorkspaceMapView {
 public:
  explicit TMapViewBridge(std::unique_ptr<TMapView> View);
  ~TMapViewBridge() override;
  TMapView& View() { return *FView; }

  void SetMapServerData(TMapServerData* Data) override;
  void SelectInteractor(int Mode) override;
  void SetGeocoding(TWorkspaceGeocoding* Geocoding) override;
  // The map component's routing adapter is not part of this build yet: no routing.
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
// (TMapView) in the workspace's map panel.
std::unique_ptr<TWorkspaceMapServer> CreateMapAdapterServer();
