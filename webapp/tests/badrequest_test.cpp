// Refused requests: each gets the German error page with status 400 and changes nothing.

#include "webapp/dates.h"
#include "webapp/tests/webappfixture.h"

namespace webapp::testing {
namespace {

struct BadCase {
  const char* name;
  std::string path;  // GET when fields is empty
  httplib::Params fields;
  const char* message;  // part of the German explanation
};

void PrintTo(const BadCase& c, std::ostream* out) { *out << c.name; }

class BadRequestTest : public WebAppTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadRequestTest, AnswersFourHundredAndChangesNothing) {
  const BadCase& c = GetParam();
  const std::string before = databaseFingerprint();
  auto answer = c.fields.empty() ? get(c.path) : post(c.path, c.fields);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 400);
  EXPECT_NE(answer->body.find("Die Anfrage wurde abgelehnt"), std::string::npos) << answer->body;
  EXPECT_NE(answer->body.find(c.message), std::string::npos) << answer->body;
  EXPECT_EQ(answer->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(databaseFingerprint(), before);
  // The server is still there.
  EXPECT_EQ(get("/")->status, 200);
}

const std::string kTomorrow = germanDate(today() + std::chrono::days(1)) + " 09:00";
const std::string kBig(300 * 1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Requests, BadRequestTest,
    ::testing::Values(
        BadCase{"UnknownQuery", "/zep?routinglist99999", {}, "Unbekannte Anfrage"},
        BadCase{"StartWithParameters", "/zep?routinglist26000&x", {}, "Unbekannte Anfrage"},
        BadCase{
            "CalendarWithTooFewParameters", "/zep?routinglist26050&a&&&&&0&0", {}, "11 oder 12"},
        BadCase{"CalendarWithTooManyParameters",
                "/zep?routinglist26050&a&&&&&0&0&&0&0&1&1",
                {},
                "11 oder 12"},
        BadCase{"CalendarWithTextAsTechnician",
                "/zep?routinglist26050&a&&&&&0&abc&&0&0",
                {},
                "Monteurnummer muss eine ganze Zahl"},
        BadCase{"CalendarWithUnknownTechnician",
                "/zep?routinglist26050&a&&&&&0&99&&0&0",
                {},
                "Monteur 99 ist unbekannt"},
        BadCase{"CalendarWithBadDate",
                "/zep?routinglist26050&a&&&&&0&0&31.02.2027&0&0",
                {},
                "TT.MM.JJJJ"},
        BadCase{"CalendarWithHugeDayCount",
                "/zep?routinglist26050&a&&&&&0&11&&0&100000",
                {},
                "außerhalb"},
        BadCase{"OrderPageWithTextNumber", "/zep?defaultlist25444&a&=1x", {}, "ganze Zahl"},
        BadCase{
            "OrderPageOfUnknownOrder", "/zep?defaultlist25444&a&=5", {}, "Auftrag 5 ist unbekannt"},
        BadCase{"BrokenPercentEscape", "/zep?routinglist26050&a&&&&&0&%G1&&0&0", {}, "Kodierung"},
        BadCase{
            "ResultSiteWithoutNumber", "/zep?routinglist26009&&&&&&Fehler&x", {}, "Fehlernummer"},
        BadCase{"BlockMarkersSmuggledIntoTheResultSite",
                "/zep?routinglist26009&&&&&&Fehler-Nr:+1&%0D%0A[ZEPRouting]%0D%0A2%0D%0A",
                {},
                "unzulässige Zeichen"},
        BadCase{"UnknownOrderList", "/zep/auftraege/13", {}, "gibt es nicht"},
        BadCase{"OrderListOfUnknownProject", "/zep/auftraege/14?projekt=7", {}, "Projekt 7"},
        BadCase{"PeriodWithoutTechnician",
                "/zep/periode/daten?__1=2&__2=0&__3=&__4=01.01.2027",
                {},
                "Monteurnummer"},
        BadCase{"PlanningLineWithThreeFields",
                "/zep/ergebnisse",
                {{"__1", "M"}, {"__3", kTomorrow + "|1061|x"}},
                "4 Felder"},
        BadCase{"PlanningForAnUnknownOrder",
                "/zep/ergebnisse",
                {{"__1", "M"}, {"__3", kTomorrow + "|1061|x|11\r\n" + kTomorrow + "|4711|x|11"}},
                "Auftrag 4711 ist unbekannt"},
        BadCase{"PlanningWithTheWrongFormLetter",
                "/zep/ergebnisse",
                {{"__1", "P"}, {"__3", kTomorrow + "|1061|x|11"}},
                "Kennung"},
        BadCase{"PlanningOfACompletedOrder",
                "/zep/ergebnisse",
                {{"__1", "M"}, {"__3", kTomorrow + "|1001|x|11"}},
                "abgeschlossen"},
        BadCase{"ChangeWithABadTime",
                "/zep/terminaenderungen",
                {{"__1", "P"}, {"__3", "1013|25:00|1800|11"}},
                "TT.MM.JJJJ hh:mm"},
        BadCase{"ChangeWithTimeButNoTechnician",
                "/zep/terminaenderungen",
                {{"__1", "P"}, {"__3", "1013|" + kTomorrow + "|1800|0"}},
                "gehören zusammen"},
        BadCase{"GeocodingOutOfRange",
                "/zep/geocodierungen",
                {{"__1", "G"}, {"__3", "1061|91.0,11.5"}},
                "Koordinate"},
        BadCase{"ControlCharactersInAPosting",
                "/zep/geocodierungen",
                {{"__1", "G"}, {"__3", std::string("1061|49.1,11.5\x01")}},
                "Steuerzeichen"},
        BadCase{"OversizedPosting", "/zep/ergebnisse", {{"__1", "M"}, {"__3", kBig}}, "zu groß"},
        BadCase{
            "SqlInASelection",
            "/zep/auswahl",
            {{"__1", "14"}, {"__2", "0"}, {"__4", "(AuftragId IN (1); DELETE FROM orders;--))"}},
            "ganze Zahl"},
        BadCase{"ForeignConditionInASelection",
                "/zep/auswahl",
                {{"__1", "14"}, {"__2", "0"}, {"__4", "1=1"}},
                "unbekannte Form"},
        BadCase{"SelectionForAListWithout",
                "/zep/auswahl",
                {{"__1", "30"}, {"__2", "0"}, {"__4", "(AuftragId IN (1061))"}},
                "12, 14 und 42"},
        BadCase{"LineBreakInAnAddressCorrection",
                "/zep/adresspruefung",
                {{"__1", "33"}, {"__7", "1001,'95444','Lindenau','','A\n[ZEPRouting]\n2'"}},
                "Steuerzeichen"},
        BadCase{"AddressCorrectionWithoutStreet",
                "/zep/adresspruefung",
                {{"__1", "33"}, {"__7", "1001,'95444','Lindenau','',''"}},
                "Ort und Straße"},
        BadCase{"DayRouteWithoutOrders",
                "/zep/tagesroute",
                {{"__1", "16"},
                 {"__2", "0"},
                 {"__3", "11"},
                 {"__4", "(AuftragId IN (null))"},
                 {"__5", "01.01.2027"}},
                "mindestens ein Auftrag"}));

TEST_F(WebAppTest, UnknownAddressesGetAGermanPage) {
  auto answer = get("/nirgendwo");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 404);
  EXPECT_NE(answer->body.find("Diese Seite gibt es nicht"), std::string::npos);
}

}  // namespace
}  // namespace webapp::testing
