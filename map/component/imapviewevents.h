#pragma once

#include "map/component/comstatus.h"

class IMapView;
class QMenu;
class QPainter;

// Events of a map view, told to every sink connected to the presenter. A sink answers
// success for what it does not care about; those events have default bodies.
class IMapViewEvents {
 public:
  virtual ~IMapViewEvents() = default;
  // The visible section in map coordinates changed (Left < Right, Bottom < Top).
  virtual ComStatus SectionChanged(int Left, int Top, int Right, int Bottom) = 0;
  // The view's context menu opens; its own entries are in Menu, actions carry their
  // command number as data.
  virtual ComStatus ContextMenuOpening(IMapView* View, QMenu* Menu) = 0;
  // A command of the context menu was chosen; the view handles its own ones afterwards.
  virtual ComStatus ContextMenuCommand(IMapView* View, int Command) = 0;
  // The view finished drawing into Painter (window pixels).
  virtual ComStatus DrawingFinished(IMapView* View, QPainter* Painter) = 0;

  virtual ComStatus ScaleChanged(IMapView*, double /*UnitsPerPixel*/) { return ComStatus::Ok; }
  virtual ComStatus RotationChanged(IMapView*, double /*Radians*/) { return ComStatus::Ok; }
  virtual ComStatus Resized(IMapView*, int /*Width*/, int /*Height*/) { return ComStatus::Ok; }
  virtual ComStatus MouseMoved(IMapView*, int /*X*/, int /*Y*/) { return ComStatus::Ok; }
};
