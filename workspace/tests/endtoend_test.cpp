// A real workspace with its real embedded browsers and map view against the reference web
// application: what the exchange leaves in the application's database.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTcpServer>
#include <QWebEngineView>

#include "map/component/irouting.h"
#include "map/mapview.h"
#include "map/routing.h"
#include "map/userrequestform.h"
#include "planning/mapserverdata.h"
#include "workspace/mapviewbridge.h"
#include "workspace/tests/testhost.h"
#include "workspace/tests/webapphost.h"
#include "workspace/zeproutingformvariants.h"

namespace {

// A loopback port nobody listens on.
int ClosedPort() {
  QTcpServer Probe;
  Probe.listen(QHostAddress::LocalHost);
  return Probe.serverPort();
}

class TRealMapHost : public TTestHost {
 public:
  TRealMapHost() : Real(CreateMapAdapterServer(ZEP_DEMO_MAP_DIR)) {}
  TWorkspaceMapServer* MapServer() const override { return Real.get(); }
  QString MapPath() const override { return ZEP_DEMO_MAP_DIR; }
  std::unique_ptr<TMapAdapterServer> Real;
};

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Web.IsRunning()) << "zep-webapp did not start";
    Host.Home = Web.BaseUrl();
    Form = TZEPRoutingForm::Create<TZEPRoutingFormRegister>(Host);
    Form->AfterPageHandled = [this](int Browser) { Handled << Browser; };
    Form->resize(1200, 800);
    Form->show();
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(1) && Handled.contains(2); }, 30000));
  }
  void TearDown() override { delete Form; }
  // Shows Path of the application in WebBrowser1 and waits until the workspace handled it.
  void Visit(const QString& Path, int Until = 1) {
    Handled.clear();
    Form->WebBrowser1->setUrl(QUrl(Web.BaseUrl() + Path));
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(Until); }, 30000)) << Path.toStdString();
  }

  TWebApplication Web;
  TRealMapHost Host;
  TZEPRoutingFormRegister* Form = nullptr;
  QList<int> Handled;
};

TEST_F(EndToEnd, StartPageSetsTheWorkspaceUpAndLoadsThePostingPage) {
  EXPECT_EQ(Form->WebAppURL, Web.BaseUrl() + "zep");
  EXPECT_TRUE(Form->MapServerData->RouteTable.startsWith("R"));
  EXPECT_FALSE(Form->Caption.isEmpty());
  EXPECT_EQ(Host.List.itemText(0), Form->Caption);
  EXPECT_EQ(Evaluate(Form->WebBrowser2,
                     "['Form1','Form2','Form3'].map(function(n){"
                     "return document.getElementsByName(n).length}).join()"),
            "1,1,1");
}

TEST_F(EndToEnd, OrderSelectionIsStoredByTheApplication) {
  Visit("zep/auftraege/14?projekt=0");
  const int Orders = Form->MapServerData->StationList->Count();
  ASSERT_GT(Orders, 2);
  // Only the first two orders stay in the list, as after thinning the map.
  while (Form->MapServerData->StationList->Count() > 2) Form->MapServerData->StationList->Delete(2);
  const QString First = Form->MapServerData->StationList->Strings(0);
  const QString Second = Form->MapServerData->StationList->Strings(1);
  Handled.clear();
  Form->SubmitSelection();
  ASSERT_TRUE(WaitFor([&] { return Handled.contains(1); }, 30000));
  EXPECT_EQ(Web.Query("SELECT items FROM selections WHERE workflow = 14"),
            QStringList{First + "," + Second});
  // The application now lists only the chosen orders, and the workspace read them.
  EXPECT_TRUE(WaitFor([&] { return Form->MapServerData->StationList->Count() == 2; }, 30000));
}

TEST_F(EndToEnd, AddressCheckWritesThePageTheApplicationStores) {
  Visit("zep/auftraege/33?projekt=0", 3);
  const QString Checked =
      Evaluate(Form->WebBrowser1,
               "Array.prototype.filter.call(document.forms[0].elements,"
               "function(e){return e.checked}).map(function(e){return +e.value})"
               ".sort(function(a,b){return a-b}).join()");
  const QString FirstDiv = Evaluate(Form->WebBrowser1,
                                    "document.getElementsByTagName('DIV')[0]"
                                    ".innerText");
  const TStation* Station = Form->MapServerData->StationList->GetStation(0);
  ASSERT_NE(Station, nullptr);
  EXPECT_TRUE(FirstDiv.startsWith(Station->Field(7) + " " + Station->Field(8)));
  // The dispatcher sends the corrections with the page's own button.
  Handled.clear();
  Evaluate(Form->WebBrowser1,
           "document.getElementsByName('Adresskorrektur')[0].querySelector('button').click()");
  ASSERT_TRUE(WaitFor([&] { return Handled.contains(1); }, 30000));
  const QStringList Stored =
      Web.Query("SELECT order_id FROM address_corrections ORDER BY order_id");
  EXPECT_EQ(Stored.join(','), Checked) << Form->StatusText(1).toStdString();
}

TEST_F(EndToEnd, OrderListIsGeocodedWithTheChoicesPostedToTheApplication) {
  TUserRequestForm* Dialog = Host.Real->UserRequestForm();
  ASSERT_NE(Dialog, nullptr);
  // Two open orders carry a postal code of another area and no house number: the street is
  // found elsewhere, and the dispatcher is asked.
  Web.Change(
      "UPDATE orders SET postal_code = '96301', house_number = '' "
      "WHERE id IN (1061, 1062)");
  // The dispatcher notes every choice and takes the first candidate of each question.
  int Questions = 0, Chosen = 0;
  Dialog->AnswerProvider = [&](TUserRequestForm& Form) {
    ++Questions;
    Form.CheckBox1->setChecked(true);
    if (Form.ListBox1->count() == 0) return Form.BitBtn2->click();
    Form.SelectItem(0);
    Form.BitBtn1->click();
    ++Chosen;
  };
  Visit("zep/auftraege/14?projekt=0", 2);
  TStationList& Stations = *Form->MapServerData->StationList;
  ASSERT_GT(Stations.Count(), 0);
  EXPECT_EQ(Questions, 2);
  ASSERT_EQ(Chosen, 2);
  for (int Index = 0; Index < Stations.Count(); ++Index) {
    const TStation* Station = Stations.GetStation(Index);
    if (Station->Field(4).toInt() == 0) continue;  // not found, like "keine Geocodierung"
    EXPECT_GT(Stations.GetStationDataValue(Index, 27).toInt(), 0) << Index;
  }
  // The notes went out through "Form3" and the application stored one per chosen order.
  EXPECT_TRUE(Form->Geocoding->GeocodingList().isEmpty());
  const QStringList Noted{"1061", "1062"};
  EXPECT_TRUE(WaitFor(
      [&] { return Web.Query("SELECT order_id FROM geocoding_notes ORDER BY order_id") == Noted; },
      30000))
      << Web.Query("SELECT order_id FROM geocoding_notes").join(',').toStdString();
}

TEST_F(EndToEnd, GpsTrackIsMatchedToTheRoads) {
  Visit("zep/gps/11");
  ASSERT_NE(Form->Routing, nullptr);
  EXPECT_EQ(Form->Routing->ErrorNr(), 0);
  auto& View = dynamic_cast<TMapViewBridge&>(*Form->MapView).View();
  auto* Routing = dynamic_cast<TRouting*>(View.Routing.get());
  ASSERT_NE(Routing, nullptr);
  // The matched line along the roads has an extent once the lister reports it.
  TRect Extent{};
  EXPECT_TRUE(WaitFor(
      [&] {
        return !Failed(Routing->m_Route->GetBoundingRect(-1, Extent)) && Extent.Right > Extent.Left;
      },
      30000));
}

TEST_F(EndToEnd, GpsTrackArrivesOnTheMapPage) {
  Visit("zep/gps/11");
  EXPECT_EQ(Form->MapServerData->WorkflowId, 24);
  const int Points = Form->MapServerData->StationList->Count();
  EXPECT_GT(Points, 10);
  EXPECT_EQ(Web.Query("SELECT count(*) FROM gps_points WHERE technician_id = 11"),
            QStringList{QString::number(Points)});
  EXPECT_EQ(Form->PageControl1->currentIndex(), 1);
  // Every point has its marker on the map (field 27 holds the marker's id).
  for (int Index = 0; Index < Points; ++Index)
    EXPECT_GT(Form->MapServerData->StationList->GetStationDataValue(Index, 27).toInt(), 0);
}

TEST_F(EndToEnd, AnApplicationThatIsGoneLeavesAClearStatusAndAUsableWorkspace) {
  const QString Before = Form->WebAppURL;
  Handled.clear();
  Form->WebBrowser1->setUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/zep").arg(ClosedPort())));
  ASSERT_TRUE(WaitFor([&] { return Handled.contains(1); }, 30000));
  EXPECT_TRUE(Form->StatusText(1).contains("konnte nicht geladen werden"))
      << Form->StatusText(1).toStdString();
  EXPECT_TRUE(Form->WebBrowser1->isEnabled());
  EXPECT_EQ(Form->WebAppURL, Before);
  Visit("zep/auftraege/30?projekt=0");
  EXPECT_GT(Form->MapServerData->StationList->Count(), 0);
}

}  // namespace
