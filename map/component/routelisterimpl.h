#pragma once

#include <QList>
#include <QPair>
#include <atomic>
#include <memory>

#include "geo/map/compiledmap.h"
#include "geo/route/router.h"
#include "map/component/irouting.h"

// The route lister over geo::Router. Calculations and optimisations run on a worker thread;
// their events reach the sinks on the GUI thread through the event loop, never inside the
// call that started them.
class RouteListerImpl : public IRouteLister5, public std::enable_shared_from_this<RouteListerImpl> {
 public:
  explicit RouteListerImpl(std::shared_ptr<const geo::CompiledMap> Map);
  ~RouteListerImpl() override;

  ComStatus NewRoute(std::shared_ptr<IRoute>& Route) override;
  ComStatus DeleteRoute(IRoute* Route, int Which, int Flags) override;
  ComStatus RemoveDrawing(IRoute* Route, int Which, int Flags) override;
  ComStatus CalculateRoute(IRoute* Route, bool Draw) override;
  ComStatus Cancel() override;
  ComStatus ListRoute(IRoute* Route, int Alternative, int Mode, int Flags,
                      QList<CodedRecord>& Listing) override;
  ComStatus OptimizeRoute(IRoute* Route, const VariantArray2D& StationTable,
                          const QVariantList& Options) override;
  ComStatus MatchRoads(IRoute* Route, const VariantArray2D& Points) override;
  ComStatus Advise(IRoutingEvents* Events, int& Cookie) override;
  ComStatus Advise(IRoutingProgress* Progress, int& Cookie) override;
  ComStatus Unadvise(int Cookie) override;

 private:
  class RouteImpl* own(IRoute* Route) const;
  std::shared_ptr<const geo::Router> router();
  // Runs Work on a worker thread and Deliver with its result on the GUI thread, unless a
  // cancel came in between.
  template <class Work, class Deliver>
  void runLater(Work&& W, Deliver&& D);
  template <class Call>
  void tellEvents(Call&& Fn) const;
  void tellProgress(const QString& Code, int Percent) const;
  void tellProgressLater(const QString& Code, int Percent);

  std::shared_ptr<const geo::CompiledMap> map_;
  std::shared_ptr<const geo::Router> router_;
  QList<std::shared_ptr<RouteImpl>> routes_;
  QList<QPair<int, IRoutingEvents*>> events_;
  QList<QPair<int, IRoutingProgress*>> progress_;
  int nextCookie_ = 1;
  int nextSequence_ = 1;
  std::atomic<int> generation_ = 0;
  // Stops the optimisation running last.
  std::shared_ptr<std::atomic<bool>> stop_;
};
