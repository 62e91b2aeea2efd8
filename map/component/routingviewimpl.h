#pragma once

#include <QList>
#include <memory>

#include "map/component/irouting.h"

class IMapView;
class RouteImpl;

// The layer of every view that draws the routes shown in it: the line in the blue of route
// planners, the waypoints numbered when display option 7 is on.
class RoutingViewImpl : public IRoutingView2 {
 public:
  explicit RoutingViewImpl(IMapView* View) : view_(View) {}
  ComStatus ShowRoute(const std::shared_ptr<IRoute>& Route) override;
  ComStatus SetDisplayOption(int Option, bool On) override;
  void Paint(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) override;

 private:
  IMapView* view_;  // owns this layer
  QList<std::weak_ptr<RouteImpl>> routes_;
  bool numbers_ = false;
};
