#pragma once

#include <QString>
#include <memory>

#include "map/component/comstatus.h"
#include "map/component/comtypes.h"

class IMapView;
class IMapViewEvents;
class IMapPresenter;
class IRouteLister5;

// One loaded map. Views join it to draw it; the route lister lives in it.
class IMapModel {
 public:
  virtual ~IMapModel() = default;
  virtual QString Name() const = 0;
  // The map's extent in map coordinates.
  virtual TRect Bounds() const = 0;

  // Joining the model makes a view draw this map; a view that is no view of this component,
  // or one joined already, is refused.
  virtual ComStatus AddView(const std::shared_ptr<IMapView>& View) = 0;
  virtual ComStatus RemoveView(IMapView* View) = 0;
  virtual int ViewCount() const = 0;
  virtual std::shared_ptr<IMapView> View(int Index) const = 0;
  // The presenter the model was loaded into.
  virtual std::shared_ptr<IMapPresenter> Presenter() const = 0;

  // The model's route lister (the one object of the routing class); NotReady when the map
  // has no road graph.
  virtual ComStatus GetRouteLister(std::shared_ptr<IRouteLister5>& Lister) = 0;
};

// Holds the models a locator loaded and passes the events of their views to whoever
// connected to it.
class IMapPresenter {
 public:
  virtual ~IMapPresenter() = default;
  virtual int ModelCount() const = 0;
  virtual std::shared_ptr<IMapModel> Model(int Index) const = 0;

  // Connects an event sink; Cookie (> 0) disconnects it again.
  virtual ComStatus Advise(IMapViewEvents* Events, int& Cookie) = 0;
  virtual ComStatus Unadvise(int Cookie) = 0;
};

// Finds the map under a root path and loads it into a presenter.
class ILocator {
 public:
  virtual ~ILocator() = default;
  // A missing, empty, damaged or foreign map folder fails with the reason as error text;
  // the presenter then has no new model.
  virtual ComStatus LoadMap(const QString& RootPath, IMapPresenter* Presenter) = 0;
  // Lets go of what the locator loaded (models stay alive while someone holds them).
  virtual ComStatus Unload() = 0;
};
