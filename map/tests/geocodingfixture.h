#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>

#include "map/geocoding.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "map/userrequestform.h"
#include "planning/mapserverdata.h"

inline QString DemoMapRoot() { return QStringLiteral(ZEP_DEMO_MAP_DIR); }

// A workspace's geocoding on the demo map: a hub with its map view, the geocoding adapter and
// the program's choice dialog, answered by the test.
class GeocodingFixture : public testing::Test {
 protected:
  void SetUp() override {
    host.resize(640, 480);
    view.reset(server.CreateMapView(&host, DemoMapRoot()));
    ASSERT_EQ(server.ErrorNr, 0) << qPrintable(ComErrorText());
    view->SetMapServerData(&hub);
    geocoding.SetMapServerData(&hub);
    geocoding.SetUserRequestForm(&form);
    form.MapView->SetGeocoding(&geocoding);
    hub.SetStatusText = [this](const QString& Text, int Panel) { status[Panel] = Text; };
  }

  // A station with order number Nr and an address as the web application delivers it.
  TStation* AddStation(const QString& Nr, const QString& Country, const QString& PostalCode,
                       const QString& Town, const QString& Street) {
    auto* s = new TStation();
    s->SetField(0, Nr);
    s->SetField(6, Country);
    s->SetField(7, PostalCode);
    s->SetField(8, Town);
    s->SetField(10, Street);
    hub.StationList->AddObject(Nr, s);
    return s;
  }

  // The dialog answers with the button Button after selecting row Row (-1: none); the number
  // of questions is counted.
  void AnswerWith(QPushButton* TUserRequestForm::*Button, int Row = -1);

  TMapServer server;
  QWidget host;
  TMapServerData hub;
  std::unique_ptr<TMapView> view;
  TGeocoding geocoding;
  TUserRequestForm form{server, DemoMapRoot()};
  QString status[2];
  int questions = 0;
  QStringList shownCandidates;
};

#include <QListWidget>
#include <QPushButton>

inline void GeocodingFixture::AnswerWith(QPushButton* TUserRequestForm::*Button, int Row) {
  form.AnswerProvider = [this, Button, Row](TUserRequestForm& f) {
    ++questions;
    shownCandidates.clear();
    for (int i = 0; i < f.ListBox1->count(); ++i) shownCandidates << f.ListBox1->item(i)->text();
    if (Row >= 0) {
      f.ListBox1->setCurrentRow(Row);
      f.ListBox1Click();
    }
    (f.*Button)->click();
  };
}
