// The web exchange with real embedded browsers against a small page server: posting forms and
// their SubmitMode chain, the selection round trip, the address check and the request pages.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineView>

#include "base/datetimetext.h"
#include "planning/mapserverdata.h"
#include "workspace/tests/pageserver.h"
#include "workspace/tests/testhost.h"
#include "workspace/zeproutingformvariants.h"

namespace {

QString PostingPage(const QString& Form3Letter) {
  return QStringLiteral(
             "<html><body><form name='Form1' method='post' action='/app'><input name='__1' "
             "value='M'><input name='__3'></form><form name='Form3' method='post' action='/app'>"
             "<input name='__1' value='%1'><input name='__2'><textarea "
             "name='__3'></textarea></form>"
             "</body></html>")
      .arg(Form3Letter);
}

QString Order(int Number) {
  return QStringLiteral("%1~Kunde %1~D~95444~Bayreuth~Ring %2~1800~27000~72000~1")
      .arg(Number)
      .arg(std::abs(Number));
}

QString DataPage(int Workflow, const QStringList& Rows, const QString& Extra = QString()) {
  return QStringLiteral(
             "<html><head><title>Liste</title></head><body><pre>\n\n[ZEPRouting]\n%1\n%2\n"
             "[ZEPRouting]\n</pre>%3</body></html>")
      .arg(Workflow == 0 ? 1000 : Workflow)
      .arg(Rows.join('\n'), Extra);
}

class WebExchange : public ::testing::Test {
 protected:
  void SetUp() override {
    Server.SetPage("setup", DataPage(0, {"Q1R1=" + Server.AppUrl()}));
    Server.SetPage("routinglist26001", PostingPage("G"));
    Host.Home = Server.AppUrl() + "?setup";
    Form = TZEPRoutingForm::Create<TZEPRoutingFormRegister>(Host);
    Form->AfterPageHandled = [this](int Browser) { Handled << Browser; };
    Form->show();
    // Quiet from here on: the set-up page is read and the posting page it asks for is there.
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(1) && Handled.contains(2); }));
    ASSERT_EQ(Form->WebAppURL, Server.AppUrl());
  }
  // Serves Html as the posting page and waits until the hidden browser shows it.
  void ReplacePostingPage(const QString& Html) {
    Server.SetPage("routinglist26001", Html);
    Handled.clear();
    Form->LoadPostingPage();
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(2); }));
  }
  void TearDown() override { delete Form; }
  // Shows the page of Query in WebBrowser1 and waits until the workspace has handled it.
  void Visit(const QString& Query) {
    Handled.clear();
    Form->WebBrowser1->setUrl(QUrl(Server.AppUrl() + "?" + Query));
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(1); }));
  }

  TPageServer Server;
  TTestHost Host;
  TZEPRoutingFormRegister* Form = nullptr;
  QList<int> Handled;
};

TEST_F(WebExchange, SetUpLoadsThePostingPage) {
  EXPECT_TRUE(WaitFor([&] { return Server.Count("GET", "?routinglist26001") == 1; }));
  EXPECT_EQ(Form->Caption, "Liste");
}

TEST_F(WebExchange, GeocodingNotesArePostedAndThePostingPageReloaded) {
  Server.SetPage("list", DataPage(14, {"Q1R1=" + Order(1), "Q1R2=" + Order(2), "Q2R1=X"}));
  Host.Calls.GeocodingNotes = {"1|49.94000,11.57000", "2|49.95000,11.58000"};
  Visit("list");
  ASSERT_TRUE(WaitFor([&] { return Server.Count("POST", "/app") == 1; }));
  const TRecordedRequest Post = Server.Requests().last();
  EXPECT_EQ(Post.Fields.value("__1"), "G");
  EXPECT_EQ(Post.Fields.value("__3"), "1|49.94000,11.57000\r\n2|49.95000,11.58000\r\n");
  EXPECT_TRUE(Form->Geocoding->GeocodingList().isEmpty());
  // The answer completes with mode 4, which loads the posting page again and ends the chain.
  EXPECT_TRUE(WaitFor([&] { return Server.Count("GET", "?routinglist26001") == 2; }));
  EXPECT_TRUE(WaitFor([&] { return Form->SubmitMode == 0; }));
}

TEST_F(WebExchange, EachSubmitModeRunsItsFollowUpOnceAndReturnsToIdle) {
  // The continue form of a planning step: element 10 takes the next planning day.
  QString Continue = "<form name='Form1' method='post' action='/app'>";
  for (int Element = 1; Element <= 11; ++Element)
    Continue += QStringLiteral("<input name='__%1' value='%1'>").arg(Element);
  Server.SetPage("weiter", DataPage(-1, {}, Continue + "</form>"));
  Visit("weiter");
  Form->WebAppURL = Server.AppUrl();
  const struct {
    quint8 Mode;
    QString Method;
    QString Target;                     // the request the follow-up sends; empty for none
    int Matching;                       // requests to Target, the posting page's own included
  } Cases[] = {{3, "POST", "/app", 1},  // first, while the continue form is still shown
               {2, "GET", "?routinglist26050&a&&&&&", 1},
               {4, "GET", "?routinglist26001", 2},
               {1, "", "", 0},
               {0, "", "", 0}};
  for (const auto& Case : Cases) {
    const int Before = Case.Target.isEmpty() ? 0 : Server.Count(Case.Method, Case.Target);
    const int Requests = static_cast<int>(Server.Requests().size());
    Form->SubmitMode = Case.Mode;
    Handled.clear();
    Form->LoadPostingPage();  // its completion stands in for the answer to a submission
    ASSERT_TRUE(WaitFor([&] { return Handled.contains(2); })) << int(Case.Mode);
    EXPECT_EQ(Form->SubmitMode, 0) << int(Case.Mode);
    if (Case.Target.isEmpty()) {
      // Only the posting page itself was asked for.
      Evaluate(Form->WebBrowser2, "1");
      EXPECT_EQ(Server.Requests().size(), Requests + 1) << int(Case.Mode);
    } else {
      EXPECT_TRUE(WaitFor([&] {
        return Server.Count(Case.Method, Case.Target) == Before + Case.Matching;
      })) << int(Case.Mode);
    }
  }
  const TRecordedRequest Posted = [&] {
    for (const TRecordedRequest& Request : Server.Requests())
      if (Request.Method == "POST") return Request;
    return TRecordedRequest{};
  }();
  EXPECT_EQ(Posted.Fields.value("__11"), DateToStr(Form->MapServerData->CDate));
  EXPECT_EQ(Posted.Fields.value("__3"), "3");
}

TEST_F(WebExchange, AFormThatRefusesIsFilledButNotSentAndTheNotesAreDropped) {
  ReplacePostingPage(PostingPage("X"));
  Server.SetPage("list", DataPage(30, {"Q1R1=" + Order(1)}));
  Host.Calls.GeocodingNotes = {"1|49.94000,11.57000"};
  Visit("list");
  EXPECT_TRUE(WaitFor([&] { return Form->Geocoding->GeocodingList().isEmpty(); }));
  EXPECT_EQ(Evaluate(Form->WebBrowser2, "document.getElementsByName('Form3')[0].elements[2].value"),
            "1|49.94000,11.57000\n");  // a text area's value keeps line feeds only
  EXPECT_EQ(Server.Count("POST", "/app"), 0);
  EXPECT_EQ(Form->SubmitMode, 0);
}

TEST_F(WebExchange, WithoutThePostingFormTheNotesAreKept) {
  ReplacePostingPage("<html><body>keine Formulare</body></html>");
  Server.SetPage("list", DataPage(30, {"Q1R1=" + Order(1)}));
  Host.Calls.GeocodingNotes = {"1|49.94000,11.57000"};
  Visit("list");
  // Scripts of one page answer in order: once this one is back, the form lookup was answered.
  Evaluate(Form->WebBrowser2, "1");
  EXPECT_EQ(Form->Geocoding->GeocodingList(), QStringList{"1|49.94000,11.57000"});
  EXPECT_EQ(Server.Count("POST", "/app"), 0);
}

TEST_F(WebExchange, SelectionIsSentThroughTheListForm) {
  const QString ListForm =
      "<form method='post' action='/app'><input name='a'><input name='b'><input name='c'>"
      "<input name='__4'><input name='e'></form>";
  Server.SetPage("list", DataPage(14, {"Q1R1=" + Order(3), "Q1R2=" + Order(4)}, ListForm));
  Visit("list");
  Form->MapServerData->WorkflowId = 14;
  Host.Calls.Selection = {"3"};
  Form->AfterMapSelection();
  ASSERT_FALSE(Form->SpeedButton[4]->isHidden());
  Form->SpeedButton[4]->click();
  ASSERT_TRUE(WaitFor([&] { return Server.Count("POST", "/app") == 1; }));
  EXPECT_EQ(Server.Requests().last().Fields.value("__4"), "(AuftragId IN (3,4))");
  EXPECT_TRUE(Host.Calls.Log.contains("DeleteStationsFromMapView(1,0,0)"));
  EXPECT_TRUE(Form->SpeedButton[3]->isHidden());
  EXPECT_TRUE(Form->SpeedButton[4]->isHidden());
}

TEST_F(WebExchange, AddressCheckWritesTheGeocodedAddressesIntoThePage) {
  const QString Checks =
      "<form><input type='checkbox' name='c0'><input type='checkbox' name='c1'></form>"
      "<form><input name='h0'><input name='h1'><input name='h2'><input name='h3'><input name='h4'>"
      "<input name='h5'><input name='h6'><input name='h7'><input name='h8'><input name='h9'></form>"
      "<div name='D5'>alt</div><div name='D6'>alt</div>";
  // The address check page numbers its orders negatively; the hidden field drops the sign.
  QString Row6 = Order(-6);
  Row6.replace("95444", "@");
  Server.SetPage("check", DataPage(33, {"Q1R1=" + Order(-5), "Q1R2=" + Row6}, Checks));
  Handled.clear();
  Form->WebBrowser1->setUrl(QUrl(Server.AppUrl() + "?check"));
  ASSERT_TRUE(WaitFor([&] { return Handled.contains(3); }));
  QWebEngineView* View = Form->WebBrowser1;
  EXPECT_EQ(Evaluate(View, "document.getElementsByName('D5')[0].innerText"),
            "95444 Bayreuth, Ring 5");
  EXPECT_EQ(Evaluate(View, "document.forms[1].elements[6].name"), "__7");
  EXPECT_EQ(Evaluate(View, "document.forms[1].elements[6].value"),
            "5,'95444','Bayreuth','','Ring 5'");
  EXPECT_EQ(Evaluate(View, "document.forms[1].elements[7].value"), "95444 Bayreuth, Ring 5");
  EXPECT_EQ(Evaluate(View, "String(document.forms[0].elements[0].checked)"), "true");
  EXPECT_EQ(Evaluate(View, "document.getElementsByName('D6')[0].innerText"), "? Bayreuth, Ring 6");
  EXPECT_EQ(Evaluate(View, "String(document.forms[0].elements[1].disabled)"), "true");
  EXPECT_EQ(Evaluate(View, "String(document.forms[0].elements[1].checked)"), "false");
}

TEST_F(WebExchange, ResultSiteAndHomeAreRequestedFromTheApplicationAddress) {
  Form->NavigateToResultSite(5, "zu viele Punkte");
  EXPECT_TRUE(WaitFor([&] {
    return Server.Count("GET", "?routinglist26009&&&&&&Fehler-Nr:+5&zu+viele+Punkte") == 1;
  }));
  Form->NavigateHome();
  EXPECT_TRUE(WaitFor([&] { return Server.Count("GET", "?routinglist26000") == 1; }));
}

TEST_F(WebExchange, AnErrorAnswerIsNamedInTheStatusBar) {
  Server.SetPage("fehler", "<html><body>Interner Fehler</body></html>");
  Server.SetStatus("fehler", 500);
  Visit("fehler");
  EXPECT_TRUE(Form->StatusText(1).contains("HTTP 500")) << Form->StatusText(1).toStdString();
  EXPECT_TRUE(Form->WebBrowser1->isEnabled());
  EXPECT_EQ(Form->WebAppURL, Server.AppUrl());
}

TEST_F(WebExchange, ClosingTheWorkspaceWhileItsPageIsReadIsSafe) {
  Server.SetPage("list", DataPage(14, {"Q1R1=" + Order(1)}));
  // Closed by the user right after the page completed, before its text has come back.
  QPointer<TZEPRoutingForm> Closing(Form);
  QObject::connect(Form->WebBrowser1, &QWebEngineView::loadFinished, Form,
                   [this] { Form->close(); });
  Form->WebBrowser1->setUrl(QUrl(Server.AppUrl() + "?list"));
  ASSERT_TRUE(WaitFor([&] { return Closing.isNull(); }));
  Form = nullptr;
  EXPECT_EQ(Host.List.count(), 0);
  // Pending answers of the closed page arrive and are dropped; later pages still work.
  Handled.clear();
  Form = TZEPRoutingForm::Create<TZEPRoutingFormRegister>(Host);
  Form->AfterPageHandled = [this](int Browser) { Handled << Browser; };
  EXPECT_TRUE(WaitFor([&] { return Handled.contains(1); }));
  EXPECT_EQ(Form->WebAppURL, Server.AppUrl());
}

TEST_F(WebExchange, ABrokenPageLeavesTheWorkspaceUsable) {
  Server.SetPage("broken",
                 "<html><body>[ZEPRouting]\n14\nQ1R1=kaputt\n<script>"
                 "document.title='x'</script></body></html>");
  Visit("broken");
  EXPECT_TRUE(Form->WebBrowser1->isEnabled());
  Server.SetPage("hostile", DataPage(0, {"Q1R1=http://127.0.0.1:1/x", "Q3R1=x; DROP TABLE RO"}));
  Visit("hostile");
  EXPECT_TRUE(Form->MapServerData->RouteTable.isEmpty());
  Host.Store->SetROData(1013, 1, "X");
  EXPECT_EQ(Host.Store->GetROData(1013, 1), "X");  // the settings table is still there
}

}  // namespace
