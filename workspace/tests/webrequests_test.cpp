#include "workspace/webrequests.h"

#include <gtest/gtest.h>

using namespace webrequests;

namespace {

const QString App = QStringLiteral("http://h/app.php");

struct TRequestCase {
  QString Actual;
  QString Expected;
};

TEST(WebRequests, AddressesHaveTheirFixedShape) {
  const TRequestCase Cases[] = {
      {StartRequest(App), App + "?routinglist26000"},
      {PostingPageRequest(App), App + "?routinglist26001"},
      {CalendarDataRequest(App, "0", "17", "07.09.2016", 0, true),
       App + "?routinglist26050&a&&&&&0&17&07.09.2016&0&0&1"},
      {CalendarDataRequest(App, "3", "0", "01.02.2017", 7, false),
       App + "?routinglist26050&a&&&&&3&0&01.02.2017&0&7"},
      {ResultSiteRequest(App, 5, QString::fromUtf8("Höchstens 200 Wegpunkte zulässig")),
       App + QString::fromUtf8(
                 "?routinglist26009&&&&&&Fehler-Nr:+5&Höchstens+200+Wegpunkte+zulässig")},
      {ResultSiteRequest(App, 0, QString()), App + "?routinglist26009&&&&&&"},
      {ResultSiteRequest(App, 0, "ignored"), App + "?routinglist26009&&&&&&"},
      {ResultSiteRequest(App, 3, QString()),
       App + "?routinglist26009&&&&&&Fehler-Nr:+3&Sonstiger+Fehler"},
      {OrderPageUrl(App, 4711), App + "?defaultlist25444&a&=4711"},
      {ItemLinkUrl(App, -12), App + "?defaultedit25957&a&=12"},
      {ItemLinkUrl(App, 12), App + "?defaultlist25444&a&=12"},
  };
  for (const TRequestCase& Case : Cases) EXPECT_EQ(Case.Actual, Case.Expected);
}

}  // namespace
