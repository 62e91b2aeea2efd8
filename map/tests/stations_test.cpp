#include <QMenu>

#include "map/component/memodelimpl.h"
#include "map/tests/mapfixture.h"

namespace {
// The object a marker identifier names on the view's layer.
const MEObject* Marker(TMapView& view, int id) {
  auto* model = dynamic_cast<MEModelImpl*>(view.MapEditor->m_MEModel.get());
  const auto it = model->objects().find(id);
  return it == model->objects().end() ? nullptr : &*it;
}
}  // namespace

using Stations = MapViewFixture;

TEST_F(Stations, MarkerTitleAndColourFollowOrderAndPin) {
  const struct {
    QString nr, pin, title;
    int colour;
    QString expectedTitle;
    int expectedColour;
  } cases[] = {
      {"4711", "", "", 3, "Auftrag-ID: 4711", 3},         {"-1", "", "", 0, "", 0},
      {"12", "", "Eigener Titel", 9, "Eigener Titel", 9}, {"12", "5", "", -1, "Auftrag-ID: 12", 7},
      {"12", "", "", -1, "Auftrag-ID: 12", 0x20000000},   {"12", "-1", "", -1, "Auftrag-ID: 12", 1},
  };
  for (const auto& c : cases) {
    TStation* s = AddStation(c.nr, 1217500, 6482000, c.pin);
    const int id = view->SetStationInMap(s, 15, c.colour, c.title);
    ASSERT_GT(id, 0);
    const MEObject* m = Marker(*view, id);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->Description, c.expectedTitle) << qPrintable(c.nr);
    EXPECT_EQ(m->Text, "Station " + c.nr);
    EXPECT_EQ(m->RTyp, 2);
    if (static_cast<unsigned>(c.expectedColour) < 1000) {
      EXPECT_EQ(m->Picture, MESymbolFile(c.expectedColour)) << qPrintable(c.nr);
    } else {
      EXPECT_TRUE(m->Picture.isEmpty()) << qPrintable(c.nr);
    }
  }
  TMapView bare(nullptr);
  EXPECT_EQ(bare.SetStationInMap(hub.StationList->GetStation(0), 15, 3, ""), -1);
}

TEST_F(Stations, SetStationsInMapMarksAllAndFitsTheSection) {
  AddStation("1", 1217000, 6481000);
  AddStation("2", 1218600, 6482200);
  hub.StationList->Start = std::make_unique<TStation>();
  hub.StationList->Start->SetField(4, "1217800");
  hub.StationList->Start->SetField(5, "6481500");
  view->SetStationsInMap(15, -1, QString());
  for (int i = 0; i < 2; ++i) EXPECT_GT(hub.StationList->GetStation(i)->Field(27).toInt(), 0);
  const MEObject* start = Marker(*view, hub.StationList->Start->Field(27).toInt());
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->Description, "Start");
  EXPECT_EQ(start->Picture, MESymbolFile(0));
  EXPECT_NEAR(view->GetMapRect().Left, 1216920, 2);
}

TEST_F(Stations, ClicksMakeNumberedStationsAndReplaceTheStart) {
  view->SetStationFromMap(1217000, 6482000, 0);
  view->SetStationFromMap(1217100, 6482000, 0);
  ASSERT_EQ(hub.StationList->Count(), 2);
  EXPECT_EQ(hub.StationList->Strings(0), "-3");
  EXPECT_EQ(hub.StationList->Strings(1), "-4");
  EXPECT_EQ(Marker(*view, hub.StationList->GetStation(1)->Field(27).toInt())->Description,
            "Station 2");

  view->SetStationFromMap(1217200, 6482000, 1);
  const int firstStart = hub.StationList->Start->Field(27).toInt();
  view->SetStationFromMap(1217300, 6482100, 1);
  EXPECT_EQ(Marker(*view, firstStart), nullptr);
  ASSERT_TRUE(hub.StationList->Start);
  EXPECT_EQ(hub.StationList->Start->Field(0), "-1");
  EXPECT_EQ(hub.StationList->Start->Field(4), "1217300");
  EXPECT_EQ(view->MapEditor->m_MEModel->ObjectCount(), 3);
}

TEST_F(Stations, VisibilityInTheSection) {
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  const TRect r = view->GetMapRect();
  AddStation("1", r.Left, r.Top);                                    // on the border
  AddStation("2", r.Right + 1, r.Bottom);                            // just outside
  AddStation("-5", (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);  // start-like
  AddStation("3", (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  EXPECT_TRUE(view->StationVisibleInMap(1));
  EXPECT_FALSE(view->StationVisibleInMap(2));
  EXPECT_FALSE(view->StationVisibleInMap(3));
  EXPECT_TRUE(view->StationVisibleInMap(4));
  EXPECT_FALSE(view->StationVisibleInMap(5));
  EXPECT_FALSE(view->StationVisibleInMap(0));
  EXPECT_EQ(view->StationCountInMap(), 2);
}

TEST_F(Stations, RemovingTheVisibleStationsReportsTheCounts) {
  QStringList status;
  hub.SetStatusText = [&](const QString& text, int panel) {
    if (panel == 1) status.append(text);
  };
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  AddStation("1", 1217500, 6482500);
  AddStation("2", 1230000, 6482500);
  AddStation("3", 1217600, 6482600);
  view->SetStationsInMap(15, -1, QString());
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  view->DeleteStationsFromMapView(true, false, false);
  ASSERT_EQ(hub.StationList->Count(), 1);
  EXPECT_EQ(hub.StationList->Strings(0), "2");
  EXPECT_EQ(status.last(),
            "2 Stationen aus Route entfernt; Weiterbearbeitung erfolgt für 1 Stationen.");
  EXPECT_EQ(view->MapEditor->m_MEModel->ObjectCount(), 1);
  EXPECT_FALSE(view->ShowStationCount);
}

TEST_F(Stations, SelectingAStationTwiceKeepsOneEntry) {
  AddStation("4711", 1217500, 6482000);
  view->SetStationsInMap(15, -1, QString());
  const int m = view->GetMEId(4711);
  EXPECT_TRUE(view->SelectStation(4711, 0));
  EXPECT_TRUE(view->SelectStation(4711, 0));
  EXPECT_EQ(view->SelectedStationList->ToStringList(),
            QStringList{QStringLiteral("4711=%1").arg(m)});
  EXPECT_TRUE(view->SelectionMode);
  EXPECT_TRUE(view->SelectStation(4711, 1));
  EXPECT_EQ(view->SelectedStationList->Count(), 0);
  EXPECT_FALSE(view->SelectionMode);
  EXPECT_FALSE(view->SelectStation(999, 0));
}

TEST_F(Stations, SelectionFromTheMapNamesTheOwningOrders) {
  TStation* s = AddStation("4711", 1217500, 6482000);
  s->SetField(27, "12");
  int told = 0;
  view->AfterSelectionChangedProc = [&] { ++told; };
  view->OnMapSelectionChanged("12\r\n  \r\n99");
  EXPECT_EQ(view->SelectedStationList->ToStringList(), (QStringList{"4711=12", "99"}));
  EXPECT_EQ(told, 1);
}

TEST_F(Stations, ContextMenuEntriesByWorkflow) {
  const auto entries = [&](int workflow, bool canCalculate, int items) {
    hub.WorkflowId = workflow;
    view->CanCalculate = canCalculate;
    hub.StationList->Clear();
    for (int i = 0; i < items; ++i) AddStation(QString::number(i + 1), 1217500, 6482000);
    QMenu menu;
    menu.addAction("Eigener Eintrag")->setData(549);
    menu.addAction("Vergrößern")->setData(550);
    view->ContextMenuOpening(view->GetIMapView().get(), &menu);
    QList<int> commands;
    for (QAction* a : menu.actions()) commands.append(a->data().toInt());
    return commands;
  };
  EXPECT_EQ(entries(14, false, 2), (QList<int>{550}));
  EXPECT_EQ(entries(14, true, 2), (QList<int>{550, 560}));
  EXPECT_EQ(entries(14, true, 3), (QList<int>{550, 556, 557, 560, 561}));
  EXPECT_EQ(entries(1, false, 0), (QList<int>{550, 558}));
  EXPECT_EQ(entries(2, true, 1), (QList<int>{550, 555, 556, 557}));
  EXPECT_EQ(entries(0, true, 3), (QList<int>{549, 550}));
}

TEST_F(Stations, ContextCommandsUseTheRightClickPoint) {
  hub.WorkflowId = 1;
  QString told;
  view->UpdateUserRequestList = [&](const QString& label) { told = label; };
  long result = 0;
  view->ClickInteractor()->HandleMessage(nullptr, MapMessage::RightButtonDown, 0,
                                         PackPixel(400, 300), result);
  tagPOINT p;
  ASSERT_TRUE(view->ClickInteractor()->GetRightClickPoint(p));
  view->ContextMenuCommand(view->GetIMapView().get(), TMapView::CmdSetOrderPlace);
  ASSERT_EQ(hub.StationList->Count(), 1);
  EXPECT_EQ(hub.StationList->GetStation(0)->Field(4), QString::number(p.X));
  EXPECT_EQ(hub.StationList->GetStation(0)->Field(5), QString::number(p.Y));
  EXPECT_EQ(told, "");  // no geocoding adapter here, so the label stays empty

  int calculation = 0;
  view->CalculationProc = [&](quint8 mode) { calculation = mode; };
  view->ContextMenuCommand(view->GetIMapView().get(), TMapView::CmdCalculate);
  EXPECT_EQ(calculation, 2);
  const TRect before = view->GetMapRect();
  view->ContextMenuCommand(nullptr, TMapView::CmdZoomIn);  // another view's command
  EXPECT_EQ(view->GetMapRect(), before);
  view->ContextMenuCommand(view->GetIMapView().get(), TMapView::CmdZoomIn);
  EXPECT_LT(view->GetMapRect().Right - view->GetMapRect().Left, before.Right - before.Left);
}

TEST_F(Stations, TenThousandStationsAndPointsFarOutside) {
  for (int i = 0; i < 10000; ++i) {
    AddStation(QString::number(i + 1), 1212000 + (i * 37) % 15000, 6476500 + (i * 91) % 11000,
               QString::number(i % 28));
  }
  AddStation("10001", 2000000000, -2000000000);
  view->SetStationsInMap(15, -1, QString());
  EXPECT_EQ(view->MapEditor->m_MEModel->ObjectCount(), 10001);
  QImage image(800, 600, QImage::Format_RGB32);
  view->GetIMapView()->Canvas()->render(&image);
  view->SetMapRect(-2000000000, 2000000000, 2000000000, -2000000000);
  view->GetIMapView()->Canvas()->render(&image);
  EXPECT_FALSE(image.isNull());
}

TEST_F(Stations, StationInformationInTheStatusBar) {
  QString shown;
  hub.SetStatusText = [&](const QString& text, int panel) {
    if (panel == 1) shown = text;
  };
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  AddStation("4711", 1217500, 6482500);
  AddStation("4712", 1230000, 6482500);
  view->SetStationsInMap(15, -1, QString());
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  view->SetStationInfo();
  EXPECT_EQ(shown, "");  // ShowStationCount is off
  view->ShowStationCount = true;
  view->SetStationInfo();
  EXPECT_EQ(shown, "Anzahl der Stationen: 1");
  view->SelectStation(4712, 0);
  view->SetStationInfo();
  EXPECT_EQ(shown, "1 Stationen ausgewählt");
  view->SelectedStationsStayTime = EncodeTime(2, 30, 0, 0);
  view->SetStationInfo();
  EXPECT_EQ(shown, "1 Stationen ausgewählt (Zeitbedarf: 02:30 Std.)");
}
