#pragma once

#include <QList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "geo/route/profile.h"
#include "geo/route/router.h"
#include "map/component/irouting.h"

// One route: waypoints, driving options and the calculated line with its totals.
class RouteImpl : public IRoute, public std::enable_shared_from_this<RouteImpl> {
 public:
  ComStatus SetWaypoints(const QList<CodedRecord>& Waypoints) override;
  QList<CodedRecord> Waypoints() const override { return waypoints_; }
  ComStatus GetBoundingRect(int Which, TRect& Rect) const override;
  ComStatus AcceptOptimizedOrder(int SequenceNr) override;

  ComStatus SetOption(int Option, int Value) override;
  ComStatus SetStartTime(double DateTime, int Flag) override;
  ComStatus SetOptionBlock(int A, int B, int C, int D, int E) override;
  ComStatus SetOptimization(int Code) override;
  ComStatus SetTimeRange(int Day, int From, int To, int Flags) override;
  ComStatus SetTimeFactor(int Kind, int Factor) override;
  ComStatus GetDrivingOptions(std::shared_ptr<IDrivingOptions>& Options) override;

  // ---- for the lister and the routing view ----
  struct Waypoint {
    geo::Point point;
    std::string label;
  };
  // The waypoints that carry a point; false when one has none.
  bool readWaypoints(std::vector<Waypoint>& Out) const;
  geo::RouteOptions& options() { return options_; }
  const geo::RouteOptions& options() const { return options_; }
  void setResult(std::shared_ptr<const geo::RouteResult> Result, bool Drawn);
  const std::shared_ptr<const geo::RouteResult>& result() const { return result_; }
  bool drawn() const { return drawn_ && result_; }
  void clearDrawing();
  // The order numbers of an optimisation, kept until the route takes them over.
  void rememberOrder(int SequenceNr, std::vector<int> Ids);
  void setChanged(std::function<void()> Changed) { changed_ = std::move(Changed); }

 private:
  void changed() const;

  QList<CodedRecord> waypoints_;
  geo::RouteOptions options_;
  int optimization_ = 0;
  std::shared_ptr<const geo::RouteResult> result_;
  bool drawn_ = false;
  std::map<int, std::vector<int>> orders_;
  std::function<void()> changed_;
};

class DrivingOptionsImpl : public IDrivingOptions {
 public:
  explicit DrivingOptionsImpl(std::weak_ptr<RouteImpl> Route) : route_(std::move(Route)) {}
  ComStatus SetOption(int Option, int Value) override;
  ComStatus SetSpeedTable(const QList<int>& Values) override;
  ComStatus SetRoadTypeTable(const QList<int>& Values) override;

 private:
  std::weak_ptr<RouteImpl> route_;
};
