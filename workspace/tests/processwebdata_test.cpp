// The dispatcher with a recording map server: what each workflow asks of the map, the
// geocoding and the hub. Pages come as blocks read straight into the hub.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEngineView>

#include "planning/mapserverdata.h"
#include "workspace/tests/testhost.h"
#include "workspace/zeproutingformvariants.h"

namespace {

// The set-up page names its workflow 1000, since a workflow line of 0 means no workflow.
QString Block(int Workflow, const QStringList& Rows) {
  return QStringLiteral("<p>\n[ZEPRouting]\n%1\n%2\n[ZEPRouting]\n</p>")
      .arg(Workflow == 0 ? 1000 : Workflow)
      .arg(Rows.join('\n'));
}

QString Order(int Number, const QString& Street) {
  return QStringLiteral("%1~Kunde %1~D~95444~Bayreuth~%2~1800~27000~72000~1")
      .arg(Number)
      .arg(Street);
}

class Dispatcher : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = TZEPRoutingForm::Create<TZEPRoutingFormRegister>(Host);
    Host.Calls.Log.clear();
  }
  void TearDown() override { delete Form; }
  void Dispatch(int Workflow, const QStringList& Rows) {
    Form->MapServerData->ReadMapServerData(Block(Workflow, Rows));
    Form->ProcessWebData();
  }
  QStringList Calls(const QString& Prefix) const {
    QStringList Found;
    for (const QString& Call : Host.Calls.Log)
      if (Call.startsWith(Prefix)) Found << Call;
    return Found;
  }
  TTestHost Host;
  TZEPRoutingFormRegister* Form = nullptr;
};

TEST_F(Dispatcher, SetUpTakesAddressMapAreaAndRouteTable) {
  Dispatch(0, {"Q1R1=http://127.0.0.1:9/app", "Q2R1=1000", "Q2R2=2000", "Q2R3=3000", "Q2R4=4000",
               "Q3R1=4711"});
  EXPECT_EQ(Form->WebAppURL, "http://127.0.0.1:9/app");
  EXPECT_EQ(Calls("SetMapRect"), QStringList{"SetMapRect(1000,2000,3000,4000)"});
  EXPECT_EQ(Form->MapServerData->RouteTable, "R4711");
  // The page title equals the (empty) caption: nothing renamed, no editor layer.
  EXPECT_TRUE(Calls("CreateMapEditor").isEmpty());
  EXPECT_TRUE(Host.Calls.Log.contains("DeleteAllStations"));
  EXPECT_TRUE(Host.Calls.Log.contains("DeleteRoute"));
  EXPECT_EQ(Calls("SetShowStationCount"), QStringList{"SetShowStationCount(0)"});
}

TEST_F(Dispatcher, SetUpRefusesAddressesThatAreNoWebAddresses) {
  for (const QString& Address :
       {QString("file:///etc/passwd"), QString("javascript:alert(1)"), QString("kein Link")}) {
    Dispatch(0, {"Q1R1=" + Address});
    EXPECT_EQ(Form->WebAppURL, "") << Address.toStdString();
    EXPECT_TRUE(Form->StatusText(1).contains(QString::fromUtf8("keine gültige Adresse")));
  }
}

TEST_F(Dispatcher, SetUpRenamesFromThePageTitleAndCreatesTheEditorLayer) {
  QSignalSpy Loaded(Form->WebBrowser1, &QWebEngineView::loadFinished);
  Form->WebBrowser1->setHtml("<html><head><title>Touren Nord</title></head><body></body></html>");
  ASSERT_TRUE(Loaded.wait(20000));
  Dispatch(0, {"Q3R1=1"});
  EXPECT_EQ(Form->Caption, "Touren Nord");
  EXPECT_EQ(Host.List.itemText(0), "Touren Nord");
  EXPECT_EQ(Calls("CreateMapEditor"), QStringList{"CreateMapEditor(Touren Nord (1))"});
  Host.Calls.Log.clear();
  Dispatch(0, {"Q3R1=1"});
  EXPECT_TRUE(Calls("CreateMapEditor").isEmpty());
}

TEST_F(Dispatcher, OrderListAsksTheUserOnlyWhenQueryTwoSaysX) {
  const struct {
    QStringList Q2;
    bool Asks;
  } Cases[] = {{{"Q2R1=X"}, true}, {{}, false}, {{"Q2R1=x"}, false}, {{"Q2R1=", "Q2R2=X"}, false}};
  for (const auto& Case : Cases) {
    Dispatch(14, QStringList{"Q1R1=" + Order(1, "Ring 1"), "Q1R2=" + Order(2, "Ring 2")} + Case.Q2 +
                     QStringList{"Q3R1=Titel", "Q3R2=Zeile 2"});
    EXPECT_EQ(Host.Calls.UserRequest, Case.Asks) << Case.Q2.join(' ').toStdString();
  }
  EXPECT_TRUE(Host.Calls.Log.contains("GeocodingStations(0,2)"));
  EXPECT_TRUE(Host.Calls.Log.contains("SetMapTitle(Titel\r\nZeile 2)"));
  EXPECT_TRUE(
      Host.Calls.Log.contains(QStringLiteral("SetStationsInMap(15,%1,,2)").arg(0x20000000)));
  EXPECT_TRUE(Host.Calls.Log.contains("SetShowStationCount(1)"));
  // Workflow 14 writes its orders to the route table.
  EXPECT_EQ(Form->MapServerData->SelectDBDataCount(""), -1);  // no route table set here
}

TEST_F(Dispatcher, OrderListWorkflowsDifferInTitlesColoursAndPages) {
  const struct {
    int Workflow;
    QString Markers;
    bool Title;
  } Cases[] = {
      {12, QStringLiteral("SetStationsInMap(15,%1,PLZ/Ort:,1)").arg(0x20000000), true},
      {16, "SetStationsInMap(15,-1,,1)", true},
      {30, QStringLiteral("SetStationsInMap(15,%1,,1)").arg(0x20000000), false},
      {44, QStringLiteral("SetStationsInMap(15,%1,,1)").arg(0x20000000), false},
  };
  for (const auto& Case : Cases) {
    Host.Calls.Log.clear();
    Dispatch(Case.Workflow, {"Q1R1=" + Order(5, "Weg 5"), "Q3R1=Karte"});
    EXPECT_EQ(Calls("SetStationsInMap"), QStringList{Case.Markers}) << Case.Workflow;
    EXPECT_EQ(Host.Calls.Log.contains("SetMapTitle(Karte)"), Case.Title) << Case.Workflow;
    // Only workflow 16 with orders turns to the map.
    EXPECT_EQ(Form->PageControl1->currentIndex(), Case.Workflow == 16 ? 1 : 0) << Case.Workflow;
  }
}

TEST_F(Dispatcher, WorkflowSixteenGeocodesStartAndFinishWithoutQuestions) {
  Dispatch(16, {"Q1R1=" + Order(5, "Weg 5"), "Q2R1=X", "Q4R1=" + Order(-1, "Start 1"),
                "Q5R1=" + Order(-2, "Ziel 2")});
  EXPECT_EQ(Calls("GeocodingStation("),
            (QStringList{"GeocodingStation(-1,0)", "GeocodingStation(-2,0)"}));
  EXPECT_TRUE(Host.Calls.UserRequest);  // Q2 decides for the order list itself
}

TEST_F(Dispatcher, WorkflowSixteenWithoutOrdersStaysOnThePageWithoutMarkers) {
  Form->SetActivePage(1);
  Dispatch(16, {"Q3R1=leer"});
  EXPECT_TRUE(Calls("SetStationsInMap").isEmpty());
  EXPECT_TRUE(Calls("GeocodingStations").isEmpty());
  EXPECT_EQ(Form->PageControl1->currentIndex(), 0);
}

TEST_F(Dispatcher, GpsTrackIsMatchedToRoadsOnTheMapPage) {
  Dispatch(24, {"Q1R1=1~P1~49.95~11.58", "Q1R2=2~P2~49.951~11.581", "Q3R1=Fahrt"});
  EXPECT_EQ(Calls("SetStationsInMap"),
            QStringList{QStringLiteral("SetStationsInMap(15,%1,,2)").arg(0x20000000)});
  EXPECT_TRUE(Host.Calls.Log.contains("RoadMatching"));
  EXPECT_TRUE(Host.Calls.Log.contains("SetMapTitle(Fahrt)"));
  EXPECT_EQ(Form->PageControl1->currentIndex(), 1);
}

TEST_F(Dispatcher, UnknownWorkflowsAndMissingHooksRunOnlyTheCommonSteps) {
  for (int Workflow : {8, 2, 50}) {
    Host.Calls.Log.clear();
    Dispatch(Workflow, {"Q1R1=" + Order(5, "Weg 5")});
    EXPECT_TRUE(Calls("DeleteAllStations").isEmpty()) << Workflow;
    EXPECT_TRUE(Calls("SetStationsInMap").isEmpty()) << Workflow;
    EXPECT_EQ(Calls("SetMapTitle"), QStringList{"SetMapTitle()"}) << Workflow;
  }
  EXPECT_TRUE(Form->StatusText(1).contains("Personaleinsatzplanung"));
}

TEST_F(Dispatcher, HooksReceivePlanningAndCalendarPages) {
  QList<int> Seen;
  Form->ProcessPeriodOptimization = [&](TZEPRoutingForm& F) {
    Seen << F.MapServerData->WorkflowId;
  };
  Form->ProcessCalendarData = [&](TZEPRoutingForm& F) { Seen << F.MapServerData->WorkflowId; };
  Dispatch(2, {});
  Dispatch(4, {});
  Dispatch(50, {});
  EXPECT_EQ(Seen, (QList<int>{2, 4, 50}));
}

TEST_F(Dispatcher, SelectionShowsTheButtonsOfItsWorkflowAndSumsStayTimes) {
  Dispatch(16,
           {"Q1R1=" + Order(5, "Weg 5"), "Q1R2=" + Order(6, "Weg 6"), "Q1R3=" + Order(7, "Weg 7")});
  ASSERT_TRUE(Form->MapView->AfterSelectionChangedProc);
  Host.Calls.Selection = {"5", "7"};
  Form->MapView->AfterSelectionChangedProc();
  EXPECT_FALSE(Form->SpeedButton[7]->isHidden());
  EXPECT_TRUE(Form->SpeedButton[3]->isHidden());
  EXPECT_TRUE(Host.Calls.Log.contains(
      QStringLiteral("SetSelectedStationsStayTime(%1)").arg(3600.0 / 86400, 0, 'f', 6)));
  const struct {
    int Workflow;
    QStringList Selection;
    bool Thin;
    bool Optimise;
  } Cases[] = {{12, {"1"}, true, false}, {14, {"1"}, true, false}, {42, {"1"}, true, false},
               {14, {}, false, false},   {16, {}, false, false},   {30, {"1"}, false, false}};
  for (const auto& Case : Cases) {
    Form->MapServerData->WorkflowId = Case.Workflow;
    Host.Calls.Selection = Case.Selection;
    Form->AfterMapSelection();
    EXPECT_EQ(!Form->SpeedButton[3]->isHidden(), Case.Thin) << Case.Workflow;
    EXPECT_EQ(!Form->SpeedButton[4]->isHidden(), Case.Thin) << Case.Workflow;
    EXPECT_EQ(!Form->SpeedButton[7]->isHidden(), Case.Optimise) << Case.Workflow;
  }
}

}  // namespace
