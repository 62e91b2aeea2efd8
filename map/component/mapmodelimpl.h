#pragma once

#include <QList>
#include <memory>

#include "geo/map/compiledmap.h"
#include "map/component/imapmodel.h"
#include "map/component/imapview.h"
#include "map/component/imapviewevents.h"

// A compiled map loaded by the locator, shared by the views that draw it.
class MapModelImpl : public IMapModel, public std::enable_shared_from_this<MapModelImpl> {
 public:
  MapModelImpl(QString Name, std::shared_ptr<const geo::CompiledMap> Map,
               std::weak_ptr<IMapPresenter> Presenter);

  QString Name() const override { return name_; }
  TRect Bounds() const override;
  ComStatus AddView(const std::shared_ptr<IMapView>& View) override;
  ComStatus RemoveView(IMapView* View) override;
  int ViewCount() const override { return static_cast<int>(views_.size()); }
  std::shared_ptr<IMapView> View(int Index) const override;
  std::shared_ptr<IMapPresenter> Presenter() const override { return presenter_.lock(); }
  ComStatus GetRouteLister(std::shared_ptr<IRouteLister5>& Lister) override;

  const std::shared_ptr<const geo::CompiledMap>& map() const { return map_; }

 private:
  QString name_;
  std::shared_ptr<const geo::CompiledMap> map_;
  std::weak_ptr<IMapPresenter> presenter_;
  QList<std::shared_ptr<IMapView>> views_;
  std::shared_ptr<IRouteLister5> lister_;
};

// The presenter: holds loaded models and passes view events to its sinks.
class MapPresenterImpl : public IMapPresenter,
                         public std::enable_shared_from_this<MapPresenterImpl> {
 public:
  int ModelCount() const override { return static_cast<int>(models_.size()); }
  std::shared_ptr<IMapModel> Model(int Index) const override;
  ComStatus Advise(IMapViewEvents* Events, int& Cookie) override;
  ComStatus Unadvise(int Cookie) override;

  void addModel(std::shared_ptr<IMapModel> Model) { models_.append(std::move(Model)); }
  // Tells every sink; stops at nothing, as each sink answers for itself.
  template <class Call>
  void notify(Call&& Fn) const {
    const auto sinks = sinks_;  // a sink may disconnect while being told
    for (const auto& [cookie, sink] : sinks) Fn(sink);
  }

 private:
  QList<std::shared_ptr<IMapModel>> models_;
  QList<QPair<int, IMapViewEvents*>> sinks_;
  int nextCookie_ = 1;
};

// Finds map.zepmap under a root folder (an empty root means the default map).
class LocatorImpl : public ILocator {
 public:
  ComStatus LoadMap(const QString& RootPath, IMapPresenter* Presenter) override;
  ComStatus Unload() override;

 private:
  std::shared_ptr<const geo::CompiledMap> loaded_;
};

// The map a locator loaded last, for objects made without a model (the geocoder).
std::shared_ptr<const geo::CompiledMap> LastLoadedMap();
