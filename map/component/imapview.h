#pragma once

#include <QString>
#include <memory>

#include "map/component/comstatus.h"
#include "map/component/comtypes.h"

class IInteractor;
class ILayerPresenter;
class IMapModel;
class ITransform;
class QPainter;
class QRect;
class QWidget;

// Moving the section of a view.
class INavigate {
 public:
  virtual ~INavigate() = default;
  // Shows the rectangle with the corners (Left, Top) and (Right, Bottom) in map coordinates,
  // fitted into the window; a rectangle without area is refused.
  virtual ComStatus ShowRect(int Left, int Top, int Right, int Bottom) = 0;
  // Factor 0.5 shows half as much ground, 2.0 twice as much.
  virtual ComStatus Zoom(double Factor) = 0;
  virtual ComStatus ZoomTotal() = 0;
  // Moves the section by window pixels.
  virtual ComStatus Pan(int DX, int DY) = 0;
  // The pixel area the view draws into when it has no window (pictures, printing).
  virtual ComStatus SetOutputRect(int Left, int Top, int Right, int Bottom) = 0;
};

// Saving the map as a picture.
class IMapView3 {
 public:
  virtual ~IMapView3() = default;
  // Image formats: 1 BMP, 2 PNG, 3 JPEG.
  virtual ComStatus SaveAsImage(const QString& FileName, int ImageFormat) = 0;
};

// Drawing the map onto any paint device.
class IMapView6 {
 public:
  virtual ~IMapView6() = default;
  // 0 screen, 3 print (no selection frames, thin lines stay visible at printer resolution).
  virtual ComStatus SetOutputMode(int Mode) = 0;
  // Draws the current section into Target of Painter, scaled to fill it.
  virtual ComStatus DrawInto(QPainter* Painter, const QRect& Target) = 0;
};

// One map window: draws its model into a host widget, holds interactors and the layer
// presenters that draw over the map (editor layers, routes).
class IMapView : public INavigate, public IMapView3, public IMapView6 {
 public:
  // Puts the view's canvas into Host, filling it and following its size; nullptr detaches.
  virtual ComStatus AttachWindow(QWidget* Host) = 0;
  virtual QWidget* Canvas() const = 0;
  virtual std::shared_ptr<IMapModel> Model() const = 0;
  // The view's transform, which knows window pixels.
  virtual std::shared_ptr<ITransform> Transform() const = 0;
  virtual TRect Section() const = 0;

  virtual ComStatus AddInteractor(const std::shared_ptr<IInteractor>& Interactor) = 0;
  virtual ComStatus RemoveInteractor(IInteractor* Interactor) = 0;
  virtual int InteractorCount() const = 0;
  virtual std::shared_ptr<IInteractor> Interactor(int Index) const = 0;

  virtual ComStatus AddLayerPresenter(const std::shared_ptr<ILayerPresenter>& Presenter) = 0;
  virtual ComStatus RemoveLayerPresenter(ILayerPresenter* Presenter) = 0;
  virtual int LayerPresenterCount() const = 0;
  virtual std::shared_ptr<ILayerPresenter> LayerPresenter(int Index) const = 0;

  // Radians, counter-clockwise.
  virtual ComStatus GetRotation(double& Radians) const = 0;
  virtual ComStatus SetRotation(double Radians) = 0;
  // Draws again (the map data too).
  virtual ComStatus Refresh() = 0;
};
