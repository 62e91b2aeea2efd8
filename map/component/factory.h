#pragma once

#include <memory>

class ITransform;
class IMapPresenter;
class ILocator;
class IMapView;
class IMEPresenter3;
class INotificationManager;
class IGeocoder;

// Creates the component's objects, the way a class registry would. Each call answers
// nothing when the object cannot be made (with the reason as error text). Tests may put
// another factory in place to see how callers cope with a refusing component.
class ComponentFactory {
 public:
  virtual ~ComponentFactory() = default;

  virtual std::shared_ptr<ITransform> CreateTransform();
  virtual std::shared_ptr<IMapPresenter> CreateMapPresenter();
  virtual std::shared_ptr<ILocator> CreateLocator();
  virtual std::shared_ptr<IMapView> CreateExtMapView();
  virtual std::shared_ptr<IMEPresenter3> CreateMEPresenter();
  virtual std::shared_ptr<INotificationManager> CreateNotificationManager();
  virtual std::shared_ptr<IGeocoder> CreateGeocoder();

  static ComponentFactory& Instance();
  // Replaces the factory (nullptr restores the component's own); not owned.
  static void SetInstance(ComponentFactory* Factory);
};
