#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "map/clickinteractor.h"
#include "map/component/imapview.h"
#include "map/component/itransform.h"
#include "map/mapeditor.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "planning/mapserverdata.h"

inline QString DemoMapDir() { return QStringLiteral(ZEP_DEMO_MAP_DIR); }

// A map view of the demo map in an 800 x 600 window, with a hub, an editor layer and select
// mode 3, as a workspace sets it up.
class MapViewFixture : public testing::Test {
 protected:
  void SetUp() override {
    host.resize(800, 600);
    view.reset(server.CreateMapView(&host, DemoMapDir()));
    ASSERT_EQ(server.ErrorNr, 0) << qPrintable(ComErrorText());
    view->SetMapServerData(&hub);
    view->SelectInteractor(3);
    ASSERT_NE(view->CreateMapEditor(QStringLiteral("Test")), nullptr);
  }

  // A station with order number Nr at map point (X, Y), appended to the hub's list.
  TStation* AddStation(const QString& Nr, int X, int Y, const QString& Pin = QString()) {
    auto* s = new TStation();
    s->SetField(0, Nr);
    s->SetField(1, QStringLiteral("Station ") + Nr);
    s->SetField(4, QString::number(X));
    s->SetField(5, QString::number(Y));
    s->SetField(29, Pin);
    hub.StationList->AddObject(Nr, s);
    return s;
  }

  QPoint PixelOf(int X, int Y) const {
    TPoint p{X, Y};
    view->GetIMapView()->Transform()->Transform(p, CoordFmt::Map, CoordFmt::Pixel);
    return {p.X, p.Y};
  }

  TMapServer server;
  QWidget host;
  TMapServerData hub;
  std::unique_ptr<TMapView> view;
};
