#pragma once

#include "map/component/iinteractor.h"

// The interactors every view holds from the start. They keep the settings; the canvas asks
// them how to treat the mouse.
template <class Interface>
class BuiltInInteractor : public Interface {
 public:
  unsigned MessageMask() override { return 0; }
  IMapView* AttachedView() override { return view_; }
  ComStatus Attach(IMapView* View) override {
    view_ = View;
    return ComStatus::Ok;
  }
  ComStatus Notify(int) override { return ComStatus::Ok; }
  ComStatus HandleMessage(IMapView*, int, unsigned long, long, long& Result) override {
    Result = 0;
    return ComStatus::Ok;
  }

 private:
  IMapView* view_ = nullptr;
};

class SelectInteractorImpl : public BuiltInInteractor<ISelectInteractor> {
 public:
  ComStatus SetMode(int Mode) override;
  int Mode() const override { return mode_; }

 private:
  int mode_ = 0;
};

class PanInteractorImpl : public BuiltInInteractor<IPanInteractor> {
 public:
  ComStatus SetSettings(int Buttons, int RedrawMs) override;
  int buttons() const { return buttons_; }
  int redrawMs() const { return redrawMs_; }

 private:
  int buttons_ = 1;
  int redrawMs_ = 500;
};

class WheelZoomInteractorImpl : public BuiltInInteractor<IWheelZoomInteractor> {
 public:
  ComStatus SetSetting(int Mode) override;
  int mode() const { return mode_; }

 private:
  int mode_ = 2;
};
