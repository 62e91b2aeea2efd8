#include <regex>

#include "webapp/datablock.h"
#include "webapp/html.h"
#include "webapp/pages.h"
#include "webapp/postings.h"
#include "webapp/request.h"
#include "webapp/rows.h"

namespace webapp {

namespace {
constexpr std::size_t kMaxStepOrders = 60;

// What the period form and the continue form carry, element by element: __1 workflow,
// __2 project, __3 technician, __4 last day, __5 working days, __6 and __7 working hours,
// __8 break, __9 most orders a day, __10 sub-route size, __11 first day (element 10, which
// the program sets to its next planning day).
struct PeriodRequest {
  int workflow = 2;
  std::int64_t projectId = 0;
  Technician technician;
  Day from{};
  Day until{};
  std::string validDays = "1111100";
  int workStart = 27000;
  int workEnd = 61200;
  int breakTime = 43200;
  int maxPerDay = 0;
  int calcModus = 20;
};

int clockSeconds(const std::string& text, const char* what) {
  static const std::regex clock("([01][0-9]|2[0-3]):([0-5][0-9])");
  std::smatch match;
  if (!std::regex_match(text, match, clock))
    throw BadRequest(std::string(what) + " muss eine Uhrzeit hh:mm sein.");
  return std::stoi(match[1]) * 3600 + std::stoi(match[2]) * 60;
}

Day dateField(const std::string& text, const char* what) {
  const auto day = parseGermanDate(text);
  if (!day) throw BadRequest(std::string(what) + " muss ein Datum TT.MM.JJJJ sein.");
  return *day;
}

Technician technicianField(PageContext& context, const std::string& text) {
  const auto id = parseNumberInRange(text, "Die Monteurnummer", 1, 999999999);
  const auto technician = context.repository.technician(id);
  if (!technician) throw BadRequest("Der Monteur " + std::to_string(id) + " ist unbekannt.");
  return *technician;
}

std::int64_t projectField(PageContext& context, const std::string& text) {
  const auto id = parseNumberInRange(text, "Die Projektnummer", 0, 999999999);
  if (id != 0 && !context.repository.projectExists(id))
    throw BadRequest("Das Projekt " + std::to_string(id) + " ist unbekannt.");
  return id;
}

PeriodRequest readPeriodRequest(PageContext& context, const FormFields& fields) {
  PeriodRequest r;
  r.workflow = static_cast<int>(parseNumber(field(fields, "__1"), "Der Workflow"));
  if (r.workflow != 2 && r.workflow != 4) throw BadRequest("Der Workflow muss 2 oder 4 sein.");
  r.projectId = projectField(context, field(fields, "__2"));
  r.technician = technicianField(context, field(fields, "__3"));
  r.until = dateField(field(fields, "__4"), "Das Ende des Zeitraums");
  r.validDays = field(fields, "__5");
  static const std::regex days("[01]{7}|[01]{8,31}");
  if (!std::regex_match(r.validDays, days))
    throw BadRequest(
        "Die Arbeitstage müssen aus 7 (je Wochentag) oder bis zu 31 (je Monatstag) "
        "Ziffern 0 und 1 bestehen.");
  r.workStart = clockSeconds(field(fields, "__6"), "Der Arbeitsbeginn");
  r.workEnd = clockSeconds(field(fields, "__7"), "Das Arbeitsende");
  if (r.workEnd <= r.workStart) throw BadRequest("Das Arbeitsende muss nach dem Beginn liegen.");
  r.breakTime = static_cast<int>(parseNumberInRange(field(fields, "__8"), "Die Pause", 0, 86399));
  r.maxPerDay =
      static_cast<int>(parseNumberInRange(field(fields, "__9"), "Die Tageshöchstzahl", 0, 99));
  r.calcModus =
      static_cast<int>(parseNumberInRange(field(fields, "__10"), "Die Teilroutengröße", 0, 200));
  r.from = dateField(field(fields, "__11"), "Der Beginn des Zeitraums");
  if (r.until - r.from > std::chrono::days(366))
    throw BadRequest("Der Zeitraum darf höchstens ein Jahr umfassen.");
  return r;
}

std::string fiveDigits(int seconds) {
  std::string text = std::to_string(seconds);
  return std::string(5 - text.size(), '0') + text;
}

Row routeOptionsRow(const PeriodRequest& r) {
  std::string dayTimes;
  std::string maxCounts;
  const std::string perDay = (r.maxPerDay < 10 ? "0" : "") + std::to_string(r.maxPerDay);
  for (int weekday = 0; weekday < 7; ++weekday) {
    dayTimes += fiveDigits(r.workStart) + fiveDigits(r.workEnd);
    maxCounts += perDay;
  }
  return {germanDate(r.from),
          germanDate(r.until),
          std::to_string(r.technician.id),
          r.validDays,
          std::to_string(r.breakTime),
          std::to_string(r.calcModus),
          r.technician.name + ", " + r.technician.name2,
          dayTimes,
          maxCounts,
          "0",
          "75"};
}

std::string hiddenFields(const PeriodRequest& r) {
  return hiddenInput("__1", std::to_string(r.workflow)) +
         hiddenInput("__2", std::to_string(r.projectId)) +
         hiddenInput("__3", std::to_string(r.technician.id)) +
         hiddenInput("__4", germanDate(r.until)) + hiddenInput("__5", r.validDays) +
         hiddenInput("__6", clockTime(r.workStart / 60)) +
         hiddenInput("__7", clockTime(r.workEnd / 60)) +
         hiddenInput("__8", std::to_string(r.breakTime)) +
         hiddenInput("__9", std::to_string(r.maxPerDay)) +
         hiddenInput("__10", std::to_string(r.calcModus));
}

std::string orderSummary(const std::vector<Order>& orders) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& o : orders)
    rows.push_back({std::to_string(o.id), o.label,
                    o.postalCode + " " + o.town + ", " + o.addressLine(),
                    std::to_string(o.stay / 60) + " min"});
  return renderTable({"Auftrag", "Kunde", "Adresse", "Aufenthalt"}, rows);
}

std::string dataPage(PageContext& context, const PeriodRequest& r, std::vector<Order> orders) {
  const std::string title = r.workflow == 4 ? "Schrittweise Optimierung" : "Periodenoptimierung";
  const std::string period = germanDate(r.from) + " bis " + germanDate(r.until);
  if (orders.empty())
    return renderPage(title,
                      "<p>Alle Aufträge sind eingeplant. Es bleibt nichts zu optimieren.</p>\n");
  if (r.from > r.until)
    return renderPage(title,
                      "<p>Der Zeitraum ist ausgeschöpft; diese Aufträge bleiben offen:</p>\n" +
                          orderSummary(orders));
  DataBlock block(r.workflow);
  if (r.workflow == 4) {
    if (orders.size() > kMaxStepOrders) orders.resize(kMaxStepOrders);
    block.addRow(1, depotRow(r.technician, -1));
    for (const auto& o : orders) block.addRow(1, orderRow(o));
    block.addRow(1, depotRow(r.technician, -2));
  } else {
    for (const auto& o : orders) block.addRow(1, orderRow(o));
    block.addRow(2, depotRow(r.technician, -1));
    block.addRow(3, depotRow(r.technician, -2));
  }
  block.addRow(4, routeOptionsRow(r));
  for (const auto& a :
       context.repository.absences(r.technician.id, r.from, r.until + std::chrono::days(1)))
    block.addRow(5, {germanDateTime(a.start), germanDateTime(a.finish)});

  std::string body = "<p>" + std::to_string(orders.size()) + " Aufträge für " +
                     escapeHtml(r.technician.name + ", " + r.technician.name2) + ", " + period +
                     ". Die Optimierung läuft im Planungsprogramm.</p>\n";
  body += orderSummary(orders);
  if (r.workflow == 4) {
    body += "<form name=\"Form1\" method=\"get\" action=\"/zep/periode/daten\">" + hiddenFields(r) +
            hiddenInput("__11", germanDate(r.from)) +
            "<button type=\"submit\">Nächsten Tag planen</button></form>\n";
  }
  return renderPage(title + " " + period, body, block.text());
}

std::vector<Order> openOrders(PageContext& context, std::int64_t projectId,
                              std::vector<std::int64_t> ids = {}) {
  OrderFilter filter;
  filter.kind = OrderKind::Open;
  filter.projectId = projectId;
  filter.ids = std::move(ids);
  return context.repository.orders(filter);
}

std::string selectOptions(const std::vector<std::pair<std::string, std::string>>& options) {
  std::string html;
  for (const auto& [value, text] : options)
    html += "<option value=\"" + escapeHtml(value) + "\">" + escapeHtml(text) + "</option>";
  return html;
}
}  // namespace

std::string periodFormPage(PageContext& context, int workflow) {
  if (workflow != 2 && workflow != 4) throw BadRequest("Der Workflow muss 2 oder 4 sein.");
  std::vector<std::pair<std::string, std::string>> projects{{"0", "Alle Projekte"}};
  for (const auto& p : context.repository.projects())
    projects.emplace_back(std::to_string(p.id), p.name);
  std::vector<std::pair<std::string, std::string>> technicians;
  for (const auto& t : context.repository.technicians())
    technicians.emplace_back(std::to_string(t.id), t.name + ", " + t.name2);
  const Day start = today() + std::chrono::days(1);
  auto row = [](const std::string& label, const std::string& input) {
    return "<tr><td><label>" + escapeHtml(label) + "</label></td><td>" + input + "</td></tr>\n";
  };
  auto text = [](const std::string& name, const std::string& value) {
    return "<input name=\"" + name + "\" value=\"" + escapeHtml(value) + "\" size=\"12\">";
  };
  std::string body =
      "<p>Wählen Sie Monteur, Zeitraum, Arbeitstage und Arbeitszeit. Die offenen "
      "Aufträge werden dann im Planungsprogramm zu Tagesrouten optimiert.</p>\n";
  body += "<form class=\"panel\" name=\"Periode\" method=\"get\" action=\"/zep/periode/daten\">";
  body += hiddenInput("__1", std::to_string(workflow)) + "<table>";
  body += row("Projekt", "<select name=\"__2\">" + selectOptions(projects) + "</select>");
  body += row("Monteur", "<select name=\"__3\">" + selectOptions(technicians) + "</select>");
  body += row("Bis (TT.MM.JJJJ)", text("__4", germanDate(start + std::chrono::days(13))));
  body += row("Arbeitstage Mo–So (1 = Arbeit)", text("__5", "1111100"));
  body += row("Arbeitsbeginn", text("__6", "07:30"));
  body += row("Arbeitsende", text("__7", "17:00"));
  body += row("Mittagspause", "<select name=\"__8\">" +
                                  selectOptions({{"43200", "12:00 - 13:00"}, {"0", "keine"}}) +
                                  "</select>");
  body += row("Höchstens Aufträge am Tag (0 = beliebig)", text("__9", "0"));
  body += row("Teilroutengröße", text("__10", "20"));
  body += row("Von (TT.MM.JJJJ)", text("__11", germanDate(start)));
  body += "</table><button type=\"submit\">Optimierung starten</button></form>\n";
  return renderPage(workflow == 4 ? "Schrittweise Optimierung" : "Periodenoptimierung", body);
}

std::string periodDataPage(PageContext& context, const FormFields& fields) {
  const PeriodRequest request = readPeriodRequest(context, fields);
  return dataPage(context, request, openOrders(context, request.projectId));
}

std::string dayRoutePage(PageContext& context, const FormFields& fields) {
  if (field(fields, "__1") != "16") throw BadRequest("Die Tagesroute gehört zu Workflow 16.");
  PeriodRequest r;
  r.projectId = projectField(context, field(fields, "__2"));
  r.technician = technicianField(context, field(fields, "__3"));
  const Selection selection = parseSelection(field(fields, "__4"));
  if (selection.kind != Selection::Kind::Orders || selection.orderIds.empty())
    throw BadRequest("Für eine Tagesroute muss mindestens ein Auftrag ausgewählt sein.");
  r.from = r.until = dateField(field(fields, "__5"), "Der Tag der Route");
  r.validDays = "1111111";
  r.workStart = r.technician.workStart;
  r.workEnd = r.technician.workEnd;
  return dataPage(context, r, openOrders(context, r.projectId, selection.orderIds));
}

}  // namespace webapp
