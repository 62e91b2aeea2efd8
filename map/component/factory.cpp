#include "map/component/factory.h"

#include "map/component/geocoderimpl.h"
#include "map/component/mapmodelimpl.h"
#include "map/component/mapviewimpl.h"
#include "map/component/mepresenterimpl.h"
#include "map/component/notificationimpl.h"
#include "map/component/viewtransform.h"

namespace {
ComponentFactory* replacement = nullptr;
}

std::shared_ptr<ITransform> ComponentFactory::CreateTransform() {
  return std::make_shared<TransformImpl>();
}

std::shared_ptr<IMapPresenter> ComponentFactory::CreateMapPresenter() {
  return std::make_shared<MapPresenterImpl>();
}

std::shared_ptr<ILocator> ComponentFactory::CreateLocator() {
  return std::make_shared<LocatorImpl>();
}

std::shared_ptr<IMapView> ComponentFactory::CreateExtMapView() {
  return std::make_shared<MapViewImpl>();
}

std::shared_ptr<IMEPresenter3> ComponentFactory::CreateMEPresenter() {
  return std::make_shared<MEPresenterImpl>();
}

std::shared_ptr<INotificationManager> ComponentFactory::CreateNotificationManager() {
  return std::make_shared<NotificationManagerImpl>();
}

std::shared_ptr<IGeocoder> ComponentFactory::CreateGeocoder() {
  return std::make_shared<GeocoderImpl>();
}

ComponentFactory& ComponentFactory::Instance() {
  static ComponentFactory own;
  return replacement ? *replacement : own;
}

void ComponentFactory::SetInstance(ComponentFactory* Factory) { replacement = Factory; }
