#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;
class TMapServerData;
class TStation;

// What the workspace needs of its map view, geocoding and routing adapters. The adapters of
// the map component serve these; the workspace knows nothing else of them, so it can be
// built and driven without a map.

class TWorkspaceGeocoding {
 public:
  virtual ~TWorkspaceGeocoding() = default;
  virtual void SetMapServerData(TMapServerData* Data) = 0;
  virtual bool CancelGeocoding() const = 0;
  virtual void SetCancelGeocoding(bool Value) = 0;
  virtual void SetGeocodingUserRequest(bool Value) = 0;
  virtual bool GeocodingStation(TStation* AStation, int GeocodingMode) = 0;
  virtual bool GeocodingStations(bool BreakOnError) = 0;
  // The noted choices, one line per order; emptied once they are posted.
  virtual QStringList GeocodingList() const = 0;
  virtual void ClearGeocodingList() = 0;
};

class TWorkspaceRouting {
 public:
  virtual ~TWorkspaceRouting() = default;
  virtual int ErrorNr() const = 0;
  virtual QString ErrorMsg() const = 0;
  virtual void SetMapServerData(TMapServerData* Data) = 0;
  virtual void DeleteRoute() = 0;
  virtual bool RoadMatching() = 0;
  virtual void SetStationsOptimizedValidDays(const QString& ValidDays) = 0;
};

class TWorkspaceMapView {
 public:
  virtual ~TWorkspaceMapView() = default;
  virtual void SetMapServerData(TMapServerData* Data) = 0;
  virtual void SelectInteractor(int Mode) = 0;
  virtual void SetGeocoding(TWorkspaceGeocoding* Geocoding) = 0;
  // A routing adapter of this view; check its ErrorNr before use.
  virtual std::unique_ptr<TWorkspaceRouting> CreateRouting() = 0;

  virtual void SetMapTitle(const QString& Title) = 0;
  virtual void SetShowStationCount(bool Value) = 0;
  virtual void SetCanCalculate(bool Value) = 0;
  virtual void SetSelectionMode(bool Value) = 0;
  virtual void SetSelectedStationsStayTime(double Days) = 0;
  // Order numbers of the selected stations.
  virtual QStringList SelectedStationList() const = 0;

  virtual void DeleteAllStations() = 0;
  virtual void DeleteStationsFromMapView(bool VisibleStations, bool MarkOnly,
                                         bool OptAssistMode) = 0;
  // Left, right, top and bottom in map coordinates, one per line.
  virtual void SetMapRect(const QStringList& Rect) = 0;
  virtual void SetStationsInMap(int Shape, qint64 Color, const QString& StationTitles) = 0;
  virtual void RefreshMap() = 0;
  virtual void SetStationInfo() = 0;
  virtual void CreateMapEditor(const QString& LName) = 0;
  virtual void ZoomIn() = 0;
  virtual void ZoomOut() = 0;

  // The workspace's callbacks, cleared at the start of every page.
  std::function<void()> AfterSelectionChangedProc;
  std::function<void(int)> OptimizingProc;
  std::function<void(quint8)> CalculationProc;
};

// The objects the main window shares with every workspace: the map server that makes map
// views and the geocoding choice dialog that asks on behalf of the active workspace.
class TWorkspaceMapServer {
 public:
  virtual ~TWorkspaceMapServer() = default;
  virtual int ErrorNr() const = 0;
  virtual std::unique_ptr<TWorkspaceMapView> CreateMapView(QWidget* Host,
                                                           const QString& MapPath) = 0;
  virtual std::unique_ptr<TWorkspaceGeocoding> CreateGeocoding() = 0;
  // The choice dialog serves this workspace's geocoding from now on.
  virtual void ServeGeocoding(TWorkspaceGeocoding* Geocoding) = 0;
};
