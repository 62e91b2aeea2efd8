#pragma once

#include "map/component/comstatus.h"

class IMapView;

// Something a view hands its window messages to, in the order the interactors were added.
// The view keeps its interactors alive; an interactor keeps only a plain view pointer.
class IInteractor {
 public:
  virtual ~IInteractor() = default;
  // Which messages it wants, as flag bits; the click interactor wants 0x07000000.
  virtual unsigned MessageMask() = 0;
  virtual IMapView* AttachedView() = 0;
  // Attaches to View, or detaches with nullptr.
  virtual ComStatus Attach(IMapView* View) = 0;
  virtual ComStatus Notify(int Code) = 0;
  // One window message (MapMessage) with the pixel point packed in LParam. Result 0 lets
  // the view go on with its own handling.
  virtual ComStatus HandleMessage(IMapView* View, int Message, unsigned long WParam, long LParam,
                                  long& Result) = 0;
};

// The view's own selection interactor. Mode 0 none, 1 click selects one marker, 2 click
// toggles a marker, 3 click or rubber band selects the markers of the editor layers.
class ISelectInteractor : public IInteractor {
 public:
  virtual ComStatus SetMode(int Mode) = 0;
  virtual int Mode() const = 0;
};

// The view's own drag interactor: the mouse button that pans (1 left, 2 left or middle) and
// the minimum pause in milliseconds between two drawings of the map data while dragging.
class IPanInteractor : public IInteractor {
 public:
  virtual ComStatus SetSettings(int Buttons, int RedrawMs) = 0;
};

// The view's own wheel interactor: 0 off, 1 zoom around the centre, 2 around the cursor.
class IWheelZoomInteractor : public IInteractor {
 public:
  virtual ComStatus SetSetting(int Mode) = 0;
};
