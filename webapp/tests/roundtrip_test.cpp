// Each form over real HTTP: posted, stored, shown on its result page and in the next data
// page; posting the same again adds nothing.

#include <QRegularExpression>

#include "planning/mapserverdata.h"
#include "webapp/dates.h"
#include "webapp/tests/webappfixture.h"

namespace webapp::testing {
namespace {

using std::chrono::days;

std::string monday(int plus = 0) { return germanDate(mondayOf(today()) + days(plus)); }

// Query rows of a page as field lists, read with the program's block reader.
std::vector<QStringList> rows(const std::string& body, int query, int* workflow = nullptr) {
  TMapServerData hub;
  hub.ReadMapServerData(QString::fromStdString(body));
  if (workflow) *workflow = hub.WorkflowId;
  hub.SetQueryData(query);
  std::vector<QStringList> result;
  for (int i = 0; i < hub.QueryData.size(); ++i)
    result.push_back(hub.GetQueryData(i).split(QStringLiteral("\r\n")));
  return result;
}

const QStringList* rowOf(const std::vector<QStringList>& rows, const QString& number) {
  for (const auto& row : rows)
    if (row.value(0) == number) return &row;
  return nullptr;
}

std::string weekOf(int technician, int week = 0) {
  return "/zep?routinglist26050&a&&&&&0&" + std::to_string(technician) + "&" + monday(7 * week) +
         "&0&0&1";
}

int countOf(const std::string& text, const std::string& needle) {
  int count = 0;
  for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
    ++count;
  return count;
}

TEST_F(WebAppTest, PlannedArrivalsBecomeAppointmentsOnce) {
  const std::string lines = monday(1) + " 09:00|1061|" + monday(1) + " Becker, Jonas|11\r\n" +
                            monday(1) + " 10:15|1062|" + monday(1) + " Becker, Jonas|11";
  const httplib::Params form{{"__1", "M"}, {"__2", "Form1"}, {"__3", lines}, {"__4", "49"}};
  auto answer = post("/zep/ergebnisse", form);
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  EXPECT_NE(answer->body.find("2 Ankunftszeiten gespeichert"), std::string::npos);
  EXPECT_EQ(countOf(answer->body, "<td>1061</td>"), 1);

  const auto calendar = rows(page(weekOf(11)), 4);
  const QStringList* planned = rowOf(calendar, "1061");
  ASSERT_NE(planned, nullptr);
  EXPECT_EQ(planned->value(13).toStdString(), monday(1) + " 09:00");
  EXPECT_EQ(planned->value(12), "11");
  EXPECT_EQ(planned->value(14), "1");
  EXPECT_EQ(rows(page("/zep/auftraege/14?projekt=0"), 1).size(), 18u);

  const std::string before = databaseFingerprint();
  answer = post("/zep/ergebnisse", form);
  ASSERT_EQ(answer->status, 200);
  EXPECT_EQ(countOf(page("/zep/ergebnisse"), "<td>1061</td>"), 1);
  EXPECT_EQ(countOf(page("/zep?routinglist26009&&&&&&"), "<td>1062</td>"), 1);
  // Only the time of posting may have moved.
  EXPECT_EQ(countOf(databaseFingerprint(), "\n"), countOf(before, "\n"));
}

TEST_F(WebAppTest, AppointmentChangesMoveAndReleaseOrders) {
  // 1013 is Becker's (11) on the Wednesday of the first week; 1019 is his too.
  ASSERT_NE(rowOf(rows(page(weekOf(11)), 4), "1013"), nullptr);
  const std::string lines = "1013|" + monday(8) + " 10:30|2700|12\r\n1019||1800|0\r\n";
  const httplib::Params form{{"__1", "P"}, {"__2", "Form2"}, {"__3", lines}};
  for (int repeat = 0; repeat < 2; ++repeat) {
    auto answer = post("/zep/terminaenderungen", form);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->status, 200) << answer->body;
    EXPECT_EQ(countOf(answer->body, "<td>1013</td>"), 1);
    EXPECT_EQ(countOf(answer->body, "aus dem Plan genommen"), 1);
  }
  EXPECT_EQ(rowOf(rows(page(weekOf(11)), 4), "1013"), nullptr);
  const QStringList* moved = rowOf(rows(page(weekOf(12, 1)), 4), "1013");
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->value(13).toStdString(), monday(8) + " 10:30");
  EXPECT_EQ(moved->value(6), "2700");
  const std::string week = page(weekOf(11));
  EXPECT_EQ(rowOf(rows(week, 4), "1019"), nullptr);
  EXPECT_NE(rowOf(rows(week, 6), "1019"), nullptr) << "released orders wait on the list";
}

TEST_F(WebAppTest, GeocodingNotesArriveAsGpsPositions) {
  const httplib::Params form{
      {"__1", "G"}, {"__2", "Form3"}, {"__3", "1061|49.12345,11.54321\r\n-1062|49.5,11.5"}};
  auto answer = post("/zep/geocodierungen", form);
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  EXPECT_NE(answer->body.find("<td>49.12345</td>"), std::string::npos);
  const auto open = rows(page("/zep/auftraege/14?projekt=0"), 1);
  EXPECT_EQ(rowOf(open, "1061")->value(10), "GPS#Geocodierung#49.12345,11.54321");
  EXPECT_EQ(rowOf(open, "1062")->value(10), "GPS#Geocodierung#49.5,11.5");
  post("/zep/geocodierungen", form);
  EXPECT_EQ(countOf(page("/zep/geocodierungen"), "<td>1061</td>"), 1);
}

TEST_F(WebAppTest, SelectionNarrowsTheListUntilCleared) {
  const std::string list = page("/zep/auftraege/14?projekt=0");
  const auto elements = formElementNames(list, "", formCount(list) - 1);
  ASSERT_GE(elements.size(), 8u) << "the selection goes into the page's last form";
  EXPECT_EQ(elements[3], "__4");
  EXPECT_EQ(elements[7], "__8");

  auto answer =
      post("/zep/auswahl", {{"__1", "14"}, {"__2", "0"}, {"__4", "(AuftragId IN (1061,1065))"}});
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 303);
  const auto selected = rows(page("/zep/auftraege/14?projekt=0"), 1);
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[0][0], "1061");
  EXPECT_EQ(selected[1][0], "1065");

  post("/zep/auswahl", {{"__1", "14"}, {"__2", "0"}, {"__9", "aufheben"}});
  EXPECT_EQ(rows(page("/zep/auftraege/14?projekt=0"), 1).size(), 20u);
}

TEST_F(WebAppTest, PlaceSelectionOfWorkflow12KeepsThePlacesNamed) {
  const auto places = rows(page("/zep/auftraege/12?projekt=0"), 1);
  ASSERT_GE(places.size(), 2u);
  const QString place = places[1][3] + " " + places[1][4];
  const std::string condition = "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN ('" + place.toStdString() +
                                "','12345 O'+CHR(39)+'Hara'))";
  auto answer = post("/zep/auswahl", {{"__1", "12"}, {"__2", "0"}, {"__8", condition}});
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 303) << answer->body;
  const auto selected = rows(page("/zep/auftraege/12?projekt=0"), 1);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0][1], places[1][1]);
}

TEST_F(WebAppTest, StepwiseOptimisationContinuesUntilEveryOrderIsPlanned) {
  const std::string first =
      "/zep/periode/daten?__1=4&__2=0&__3=11&__4=" + monday(13) +
      "&__5=1111100&__6=07%3A30&__7=17%3A00&__8=43200&__9=0&__10=20&__11=" + monday(0);
  const std::string body = page(first);
  const auto elements = formElementNames(body, "Form1");
  ASSERT_GE(elements.size(), 11u);
  EXPECT_EQ(elements[10], "__11");
  int workflow = 0;
  const auto orders = rows(body, 1, &workflow);
  EXPECT_EQ(workflow, 4);
  ASSERT_EQ(orders.size(), 22u);
  EXPECT_EQ(orders.front()[0], "-1");
  EXPECT_EQ(orders.back()[0], "-2");

  std::string lines;
  for (std::size_t i = 1; i + 1 < orders.size(); ++i)
    lines +=
        monday(1) + " 08:00|" + orders[i][0].toStdString() + "|" + monday(1) + " Becker|11\r\n";
  ASSERT_EQ(post("/zep/ergebnisse", {{"__1", "M"}, {"__3", lines}, {"__4", "49"}})->status, 200);

  std::string next = first;
  next.replace(next.rfind(monday(0)), 10, monday(2));
  const std::string done = page(next);
  EXPECT_NE(done.find("Alle Aufträge sind eingeplant"), std::string::npos);
  EXPECT_EQ(done.find("[ZEPRouting]"), std::string::npos);
}

TEST_F(WebAppTest, DayRouteOfASelectionIsAPeriodPageForThoseOrders) {
  const std::string list = page("/zep/auftraege/16?projekt=0");
  const auto elements = formElementNames(list, "Form1");
  ASSERT_GE(elements.size(), 4u);
  EXPECT_EQ(elements[3], "__4");
  auto answer = post("/zep/tagesroute", {{"__1", "16"},
                                         {"__2", "0"},
                                         {"__3", "13"},
                                         {"__4", "(AuftragId IN (1061,1062,1063))"},
                                         {"__5", monday(3)}});
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  int workflow = 0;
  EXPECT_EQ(rows(answer->body, 1, &workflow).size(), 3u);
  EXPECT_EQ(workflow, 2);
  const auto options = rows(answer->body, 4);
  ASSERT_EQ(options.size(), 1u);
  EXPECT_EQ(options[0][0].toStdString(), monday(3));
  EXPECT_EQ(options[0][1].toStdString(), monday(3));
  EXPECT_EQ(options[0][2], "13");
}

TEST_F(WebAppTest, AddressCheckTakesOverTheCheckedCorrections) {
  const std::string check = page("/zep/auftraege/33?projekt=0");
  EXPECT_EQ(countOf(check, "<input type=\"checkbox\" form=\"adressauswahl\""), 80)
      << "one check box of the first form per order";
  EXPECT_LT(check.find("id=\"adressauswahl\""), check.find("name=\"Adresskorrektur\""));
  const auto pairs = formElementNames(check, "", 1);
  ASSERT_GE(pairs.size(), 6u + 160u);
  EXPECT_EQ(countOf(check, "<div name=\"D1001\">"), 1);

  auto answer =
      post("/zep/adresspruefung", {{"__1", "33"},
                                   {"__2", "0"},
                                   {"__7", "1001,'95444','Lindenau','Altstadt','Neue Straße 1'"},
                                   {"__8", "95444 Lindenau Altstadt, Neue Straße 1"},
                                   {"__9", "1002,'95444','Lindenau','','Nicht gewählt 2'"},
                                   {"auswahl", "1001"}});
  ASSERT_TRUE(answer);
  ASSERT_EQ(answer->status, 200) << answer->body;
  EXPECT_NE(answer->body.find("1 Adresskorrekturen gespeichert"), std::string::npos);
  const auto all = rows(page("/zep/auftraege/30?projekt=0"), 1);
  EXPECT_EQ(rowOf(all, "1001")->value(5), "Neue Straße 1");
  EXPECT_NE(rowOf(all, "1002")->value(5), "Nicht gewählt 2");
}

TEST_F(WebAppTest, PostingPageCarriesTheThreeForms) {
  const std::string body = page("/zep?routinglist26001");
  EXPECT_EQ(formElementNames(body, "Form1"),
            (std::vector<std::string>{"__1", "__2", "__3", "__4"}));
  EXPECT_EQ(formElementNames(body, "Form2"), (std::vector<std::string>{"__1", "__2", "__3"}));
  EXPECT_EQ(formElementNames(body, "Form3"), (std::vector<std::string>{"__1", "__2", "__3"}));
  for (const char* letter : {"M", "P", "G"})
    EXPECT_NE(body.find("name=\"__1\" value=\"" + std::string(letter) + "\""), std::string::npos);
}

TEST_F(WebAppTest, ResultSiteShowsTheErrorOfTheRun) {
  const std::string body =
      page("/zep?routinglist26009&&&&&&Fehler-Nr:+5&H%C3%B6chstens+200+Wegpunkte+zul%C3%A4ssig");
  EXPECT_NE(body.find("Fehler-Nr. 5:</b> Höchstens 200 Wegpunkte zulässig"), std::string::npos);
  const std::string hostile =
      page("/zep?routinglist26009&&&&&&Fehler-Nr:+3&%3Cscript%3Ealert(1)%3C/script%3E");
  EXPECT_EQ(hostile.find("<script>"), std::string::npos);
  EXPECT_NE(hostile.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

TEST_F(WebAppTest, OrderPageAndItemLinksAnswer) {
  EXPECT_NE(page("/zep?defaultlist25444&a&=1005").find("Auftrag 1005"), std::string::npos);
  EXPECT_NE(page("/zep?defaultedit25957&a&=1").find("Urlaub"), std::string::npos);
}

TEST_F(WebAppTest, TextFromTheDatabaseIsEscapedOnEveryPage) {
  const std::string label = "<b>Müller & Söhne</b>";
  const std::string lines = monday(1) + " 09:00|1061|" + label + "|11";
  ASSERT_EQ(post("/zep/ergebnisse", {{"__1", "M"}, {"__3", lines}})->status, 200);
  const std::string body = page("/zep/ergebnisse");
  EXPECT_EQ(body.find(label), std::string::npos);
  EXPECT_NE(body.find("&lt;b&gt;Müller &amp; Söhne&lt;/b&gt;"), std::string::npos);
}

}  // namespace
}  // namespace webapp::testing
