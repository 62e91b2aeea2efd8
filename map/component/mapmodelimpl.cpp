#include "map/component/mapmodelimpl.h"

#include <QFileInfo>
#include <mutex>

#include "geo/map/defaultmap.h"
#include "map/component/mapviewimpl.h"
#include "map/component/routelisterimpl.h"

namespace {
std::mutex lastLoadedMutex;
std::weak_ptr<const geo::CompiledMap> lastLoaded;
}  // namespace

std::shared_ptr<const geo::CompiledMap> LastLoadedMap() {
  std::lock_guard lock(lastLoadedMutex);
  return lastLoaded.lock();
}

MapModelImpl::MapModelImpl(QString Name, std::shared_ptr<const geo::CompiledMap> Map,
                           std::weak_ptr<IMapPresenter> Presenter)
    : name_(std::move(Name)), map_(std::move(Map)), presenter_(std::move(Presenter)) {}

TRect MapModelImpl::Bounds() const {
  const geo::Box b = map_->bounds();
  return {b.minX, b.maxY, b.maxX, b.minY};
}

ComStatus MapModelImpl::AddView(const std::shared_ptr<IMapView>& View) {
  if (!View)
    return ComFail(QStringLiteral("Keine Kartenansicht angegeben"), ComStatus::InvalidArgument);
  auto* view = dynamic_cast<MapViewImpl*>(View.get());
  if (!view) return ComFail(QStringLiteral("Fremde Kartenansicht"), ComStatus::NoInterface);
  if (views_.contains(View))
    return ComFail(QStringLiteral("Die Kartenansicht ist schon angemeldet"));
  views_.append(View);
  view->joinModel(shared_from_this());
  return ComStatus::Ok;
}

ComStatus MapModelImpl::RemoveView(IMapView* View) {
  for (qsizetype i = 0; i < views_.size(); ++i) {
    if (views_[i].get() == View) {
      if (auto* view = dynamic_cast<MapViewImpl*>(View)) view->leaveModel();
      views_.removeAt(i);
      return ComStatus::Ok;
    }
  }
  return ComStatus::False;
}

std::shared_ptr<IMapView> MapModelImpl::View(int Index) const {
  return Index >= 0 && Index < views_.size() ? views_[Index] : nullptr;
}

ComStatus MapModelImpl::GetRouteLister(std::shared_ptr<IRouteLister5>& Lister) {
  if (map_->nodes().empty()) {
    Lister.reset();
    return ComFail(QStringLiteral("Die Karte hat kein Straßennetz"), ComStatus::NotReady);
  }
  if (!lister_) lister_ = std::make_shared<RouteListerImpl>(map_);
  Lister = lister_;
  return ComStatus::Ok;
}

std::shared_ptr<IMapModel> MapPresenterImpl::Model(int Index) const {
  return Index >= 0 && Index < models_.size() ? models_[Index] : nullptr;
}

ComStatus MapPresenterImpl::Advise(IMapViewEvents* Events, int& Cookie) {
  if (!Events) return ComFail(QStringLiteral("Kein Ereignisempfänger"), ComStatus::InvalidArgument);
  Cookie = nextCookie_++;
  sinks_.append({Cookie, Events});
  return ComStatus::Ok;
}

ComStatus MapPresenterImpl::Unadvise(int Cookie) {
  for (qsizetype i = 0; i < sinks_.size(); ++i) {
    if (sinks_[i].first == Cookie) {
      sinks_.removeAt(i);
      return ComStatus::Ok;
    }
  }
  return ComFail(QStringLiteral("Unbekannte Verbindungsnummer"), ComStatus::InvalidArgument);
}

ComStatus LocatorImpl::LoadMap(const QString& RootPath, IMapPresenter* Presenter) {
  auto* presenter = dynamic_cast<MapPresenterImpl*>(Presenter);
  if (!presenter) {
    return ComFail(QStringLiteral("Kein Kartenpräsentator angegeben"), ComStatus::InvalidArgument);
  }
  const std::string root =
      RootPath.trimmed().isEmpty() ? geo::defaultMapRoot() : RootPath.toStdString();
  std::string error;
  std::shared_ptr<const geo::CompiledMap> map = geo::CompiledMap::open(root, error);
  if (!map) return ComFail(QString::fromStdString(error));
  loaded_ = map;
  {
    std::lock_guard lock(lastLoadedMutex);
    lastLoaded = map;
  }
  const QString name = QFileInfo(QString::fromStdString(root)).fileName();
  presenter->addModel(std::make_shared<MapModelImpl>(
      name.isEmpty() ? QStringLiteral("Karte") : name, map, presenter->weak_from_this()));
  return ComStatus::Ok;
}

ComStatus LocatorImpl::Unload() {
  loaded_.reset();
  return ComStatus::Ok;
}
