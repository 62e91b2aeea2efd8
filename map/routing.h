#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "base/datetime.h"
#include "map/component/irouting.h"
#include "map/mapviewlinks.h"

class IMapModel;
class IMapView;
class TMapServerData;
class TMapView;
class TRoutingResultList;
class TStation;
class TStationList;

// Distance (metres) and duration (tens of seconds) of one route number.
struct TRoutingResult {
  int Distance = 0;
  int Duration = 0;
};

// Turns the hub's station list into work for the map's route lister: the route through the
// stations in list order, the optimised order within the time windows, a track matched to the
// roads; takes the answers over into the stations and tells the workspace through callbacks.
class TRouting : public IMapViewRouting, public IRoutingEvents, public IRoutingProgress {
 public:
  // Status of an optimisation that was cancelled: it sets ErrorNr without a text.
  static constexpr int OptimisationCancelled = -1009;

  TRouting() = default;
  ~TRouting() override;
  TRouting(const TRouting&) = delete;
  TRouting& operator=(const TRouting&) = delete;

  void SetMapServerData(TMapServerData* Data);
  void CreateRouting(const std::shared_ptr<IMapModel>& MapModel,
                     const std::shared_ptr<IMapView>& MapView);
  void DestroyRouting() override;

  void CreateRoute();
  void DeleteRoute() override;
  void DrawRoute();
  void RoadMatching();
  void SetRoutingOptions(int OptimizeMode, quint8 FProfilMode, quint8 TimeFactor);
  bool CalculateRoute(int OptimizeMode, bool DrawRoute, quint8 FProfilMode,
                      quint8 TimeFactor) override;
  void CancelCalculateRoute();
  bool OptimizeStationSequenceExt(int OptimizeMode, int StartMonteur, int EndeMonteur,
                                  bool DefaultTimeWindow, quint8 FProfilMode,
                                  quint8 TimeFactor) override;

  // ---- route results ----
  void ApplyOptimizationResult(const VariantArray2D& Answer, const QString& ValidDays);
  void FillRouteListing(const QList<CodedRecord>& Listing);
  QString GetRoutingResults(int RouteNr) const;

  // ---- routing progress and events of the route lister ----
  ComStatus Progress(const QString& TextCode, int Percent, bool& Continue) override;
  ComStatus RouteCalculated(int RouteNr, int Distance, int Duration) override;
  ComStatus Error(int AErrorNr, const QString& Text) override;
  ComStatus RouteListed(int RouteNr) override;
  ComStatus StationsOptimized(int SequenceNr, int Status, const VariantArray2D& Answer) override;
  ComStatus RoadsMatched(int RouteNr) override;

  // The German text of an optimiser status; empty for a status without one.
  static QString OptimizerStatusText(int Status);

  std::shared_ptr<IMapModel> m_MapModel;
  std::shared_ptr<IMapView> m_MapView;
  std::shared_ptr<IRouteLister5> m_RouteLister;
  std::shared_ptr<IRoutingView2> m_RoutingView;
  std::shared_ptr<IRoute> m_Route;
  int m_RoutingCookie = 0;
  int m_ProgressCookie = 0;
  int m_AltRoute = 0;
  int m_CoordIndex = -1;
  TMapServerData* m_MapServerData = nullptr;
  TStationList* StationList = nullptr;
  TRoutingResultList* RoutingResultList = nullptr;
  bool CanDraw = false;
  int ErrorNr = 0;
  QString ErrorMsg;
  QString StationsOptimizedValidDays;
  TDateTime RoutingStartTime;
  std::array<TRoutingResult, 5> RoutingResults{};
  std::function<void()> AfterCalculatedProc;
  std::function<void()> AfterStationsOptimizedExtProc;
  std::function<void()> AfterListedProc;

 private:
  void RecordComponentError(ComStatus Status);
  void SetSpeedProfile(quint8 FProfilMode);
  // The station at waypoint position I of an optimisation over N waypoints.
  const TStation* Waypoint(int I, int N) const;
  void ShowStatus(const QString& Text, int Panel) const;
  void ApplyArrivals(const VariantArray2D& Answer, const QString& ValidDays);
  void ApplyTwoStations(const QString& ValidDays, int RememberedDuration);
  // Ends a cancelled optimisation through the event loop, as the lister would have.
  void TellOptimisationCancelled();

  bool m_Optimizing = false;
  // Lets work posted to the event loop see whether the adapter still exists.
  std::shared_ptr<bool> m_Alive = std::make_shared<bool>(true);
};

// The map view's routing adapter, made over its model and view when it has none yet.
TRouting* CreateRouting(TMapView& MapView);
