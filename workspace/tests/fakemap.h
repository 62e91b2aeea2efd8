#pragma once

// A map server for tests that records what the workspace asks of its map view, geocoding and
// routing, and answers with fixed selections and geocoding notes.
#include <QStringList>

#include "planning/mapserverdata.h"
#include "workspace/mapservices.h"

struct TMapCalls {
  QStringList Log;  // one line per call, "Name(arguments)"
  QStringList Selection;
  QStringList GeocodingNotes;  // what the geocoding adapter notes while it geocodes
  bool UserRequest = false;
  int RoutingErrorNr = 0;
  int ServerErrorNr = 0;
  bool ThrowOnCreate = false;
};

class TFakeGeocoding : public TWorkspaceGeocoding {
 public:
  explicit TFakeGeocoding(TMapCalls& Calls) : FCalls(Calls) {}
  void SetMapServerData(TMapServerData* Data) override { FData = Data; }
  bool CancelGeocoding() const override { return FCancel; }
  void SetCancelGeocoding(bool Value) override { FCancel = Value; }
  void SetGeocodingUserRequest(bool Value) override { FCalls.UserRequest = Value; }
  bool GeocodingStation(TStation* Station, int Mode) override {
    FCalls.Log << QStringLiteral("GeocodingStation(%1,%2)").arg(Station->Field(0)).arg(Mode);
    return true;
  }
  bool GeocodingStations(bool BreakOnError) override {
    FCalls.Log << QStringLiteral("GeocodingStations(%1,%2)")
                      .arg(BreakOnError)
                      .arg(FData->StationList->Count());
    FList << FCalls.GeocodingNotes;
    return true;
  }
  QStringList GeocodingList() const override { return FList; }
  void ClearGeocodingList() override { FList.clear(); }

 private:
  TMapCalls& FCalls;
  TMapServerData* FData = nullptr;
  bool FCancel = false;
  QStringList FList;
};

class TFakeRouting : public TWorkspaceRouting {
 public:
  explicit TFakeRouting(TMapCalls& Calls) : FCalls(Calls) {}
  int ErrorNr() const override { return FCalls.RoutingErrorNr; }
  QString ErrorMsg() const override { return {}; }
  void SetMapServerData(TMapServerData*) override {}
  void DeleteRoute() override { FCalls.Log << "DeleteRoute"; }
  bool RoadMatching() override {
    FCalls.Log << "RoadMatching";
    return true;
  }
  void SetStationsOptimizedValidDays(const QString&) override {}

 private:
  TMapCalls& FCalls;
};

class TFakeMapView : public TWorkspaceMapView {
 public:
  explicit TFakeMapView(TMapCalls& Calls) : FCalls(Calls) {}
  void SetMapServerData(TMapServerData* Data) override { FData = Data; }
  void SelectInteractor(int Mode) override {
    FCalls.Log << QStringLiteral("SelectInteractor(%1)").arg(Mode);
  }
  void SetGeocoding(TWorkspaceGeocoding*) override {}
  std::unique_ptr<TWorkspaceRouting> CreateRouting() override {
    return std::make_unique<TFakeRouting>(FCalls);
  }
  void SetMapTitle(const QString& Title) override { Record("SetMapTitle", Title); }
  void SetShowStationCount(bool Value) override { Record("SetShowStationCount", Value); }
  void SetCanCalculate(bool) override {}
  void SetSelectionMode(bool Value) override { Record("SetSelectionMode", Value); }
  void SetSelectedStationsStayTime(double Days) override {
    Record("SetSelectedStationsStayTime", QString::number(Days, 'f', 6));
  }
  QStringList SelectedStationList() const override { return FCalls.Selection; }
  void DeleteAllStations() override {
    FCalls.Log << "DeleteAllStations";
    FData->StationList->Clear();
  }
  void DeleteStationsFromMapView(bool Visible, bool MarkOnly, bool OptAssist) override {
    FCalls.Log << QStringLiteral("DeleteStationsFromMapView(%1,%2,%3)")
                      .arg(Visible)
                      .arg(MarkOnly)
                      .arg(OptAssist);
  }
  void SetMapRect(const QStringList& Rect) override { Record("SetMapRect", Rect.join(',')); }
  void SetStationsInMap(int Shape, qint64 Color, const QString& Titles) override {
    FCalls.Log << QStringLiteral("SetStationsInMap(%1,%2,%3,%4)")
                      .arg(Shape)
                      .arg(Color)
                      .arg(Titles)
                      .arg(FData->StationList->Count());
  }
  void RefreshMap() override { FCalls.Log << "RefreshMap"; }
  void SetStationInfo() override { FCalls.Log << "SetStationInfo"; }
  void CreateMapEditor(const QString& Name) override { Record("CreateMapEditor", Name); }
  void ZoomIn() override { FCalls.Log << "ZoomIn"; }
  void ZoomOut() override { FCalls.Log << "ZoomOut"; }

 private:
  void Record(const char* Name, const QString& Value) {
    FCalls.Log << QStringLiteral("%1(%2)").arg(QLatin1String(Name), Value);
  }
  void Record(const char* Name, bool Value) { Record(Name, QString::number(Value)); }
  TMapCalls& FCalls;
  TMapServerData* FData = nullptr;
};

class TFakeMapServer : public TWorkspaceMapServer {
 public:
  explicit TFakeMapServer(TMapCalls& Calls) : FCalls(Calls) {}
  int ErrorNr() const override { return FCalls.ServerErrorNr; }
  std::unique_ptr<TWorkspaceMapView> CreateMapView(QWidget*, const QString&) override {
    return std::make_unique<TFakeMapView>(FCalls);
  }
  std::unique_ptr<TWorkspaceGeocoding> CreateGeocoding() override {
    return std::make_unique<TFakeGeocoding>(FCalls);
  }
  void ServeGeocoding(TWorkspaceGeocoding* Geocoding) override { Served = Geocoding; }
  TWorkspaceGeocoding* Served = nullptr;

 private:
  TMapCalls& FCalls;
};
