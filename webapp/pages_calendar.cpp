#include "webapp/datablock.h"
#include "webapp/html.h"
#include "webapp/pages.h"
#include "webapp/request.h"
#include "webapp/rows.h"

namespace webapp {

namespace {
// routinglist26050, a, four empty ones, project, technician, date, 0, additional days, and
// "1" when the waiting list is shown.
struct CalendarRequest {
  std::int64_t projectId = 0;
  std::int64_t technicianId = 0;
  Day date{};
  int additionalDays = 0;
  bool waitingList = false;
};

CalendarRequest readCalendarRequest(PageContext& context, const std::vector<std::string>& p) {
  if (p.size() != 11 && p.size() != 12)
    throw BadRequest("Die Kalenderanfrage erwartet 11 oder 12 Parameter, nicht " +
                     std::to_string(p.size()) + ".");
  if (p[1] != "a" || !p[2].empty() || !p[3].empty() || !p[4].empty() || !p[5].empty())
    throw BadRequest("Die Kalenderanfrage beginnt nicht mit \"a\" und vier leeren Parametern.");
  CalendarRequest r;
  r.projectId = parseNumberInRange(p[6], "Die Projektnummer", 0, 999999999);
  r.technicianId = parseNumberInRange(p[7], "Die Monteurnummer", 0, 999999999);
  if (p[8].empty()) {
    r.date = today();
  } else if (const auto date = parseGermanDate(p[8])) {
    r.date = *date;
  } else {
    throw BadRequest("Das Kalenderdatum muss die Form TT.MM.JJJJ haben.");
  }
  parseNumberInRange(p[9], "Der vierte Kalenderparameter", 0, 0);
  r.additionalDays = static_cast<int>(parseNumberInRange(p[10], "Die Zahl der Zusatztage", -6, 56));
  if (p.size() == 12) {
    if (p[11] != "1" && p[11] != "0")
      throw BadRequest("Der Wartelisten-Schalter muss 0 oder 1 sein.");
    r.waitingList = p[11] == "1";
  }
  if (r.projectId != 0 && !context.repository.projectExists(r.projectId))
    throw BadRequest("Das Projekt " + std::to_string(r.projectId) + " ist unbekannt.");
  if (r.technicianId != 0 && !context.repository.technician(r.technicianId))
    throw BadRequest("Der Monteur " + std::to_string(r.technicianId) + " ist unbekannt.");
  return r;
}

std::string typeName(int type) {
  switch (type) {
    case 1:
      return "geplant";
    case 2:
      return "geladen";
    case 3:
    case 4:
      return "bestätigt";
    case 8:
      return "vereinbart";
    default:
      return "erledigt";
  }
}

std::string appointmentTable(const std::vector<Order>& orders,
                             const std::vector<Technician>& technicians) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& o : orders) {
    std::string technician = std::to_string(o.appointment->technicianId);
    for (const auto& t : technicians)
      if (t.id == o.appointment->technicianId) technician = t.name + ", " + t.name2;
    rows.push_back({germanDateTime(o.appointment->start), std::to_string(o.id), o.label,
                    o.postalCode + " " + o.town + ", " + o.addressLine(), technician,
                    typeName(o.appointment->type)});
  }
  return renderTable({"Termin", "Auftrag", "Kunde", "Adresse", "Monteur", "Art"}, rows);
}

std::string navigation(const CalendarRequest& r, const std::vector<Technician>& technicians) {
  const int step = r.technicianId != 0 ? 7 : 1;
  auto to = [&](Day date, std::int64_t technician, int days, const std::string& text) {
    return link(calendarRequest(r.projectId, technician, germanDate(date), days, r.waitingList),
                text);
  };
  std::string html =
      "<p>" + to(r.date - std::chrono::days(step), r.technicianId, r.additionalDays, "« zurück") +
      " | " + to(r.date + std::chrono::days(step), r.technicianId, r.additionalDays, "vorwärts »") +
      " | " + to(r.date, 0, 0, "Alle Monteure") + "</p>\n<p>Woche von: ";
  for (const auto& t : technicians) html += to(r.date, t.id, 0, t.name) + " ";
  return html + "</p>\n";
}
}  // namespace

std::string calendarPage(PageContext& context, const std::vector<std::string>& parameters) {
  const CalendarRequest r = readCalendarRequest(context, parameters);
  const bool weekMode = r.technicianId != 0;
  const Day from = weekMode ? mondayOf(r.date) : r.date;
  const Day until = from + std::chrono::days(weekMode ? std::max(1, 7 + r.additionalDays) : 1);

  DataBlock block(50);
  for (const auto& p : context.repository.projects())
    block.addRow(1, {std::to_string(p.id), p.name, p.id == r.projectId ? "1" : "0"});
  const auto technicians = context.repository.technicians();
  for (const auto& t : technicians) {
    const bool chosen = t.id == r.technicianId;
    block.addRow(2, {std::to_string(t.id), t.name, t.name2,
                     chosen ? std::to_string(std::max(1, 7 + r.additionalDays)) : "0"});
  }
  block.addRow(3, {germanDate(r.date)});

  OrderFilter filter;
  filter.projectId = r.projectId;
  filter.technicianId = r.technicianId;
  filter.from = from;
  filter.until = until;
  const auto appointments = context.repository.orders(filter);
  for (const auto& o : appointments) block.addRow(4, calendarOrderRow(o));
  for (const auto& a : context.repository.absences(r.technicianId, from, until))
    block.addRow(5, absenceRow(a));
  std::vector<Order> waiting;
  if (r.waitingList) {
    OrderFilter waitingFilter;
    waitingFilter.kind = OrderKind::Waiting;
    waitingFilter.projectId = r.projectId;
    waiting = context.repository.orders(waitingFilter);
    for (const auto& o : waiting) block.addRow(6, waitingListRow(o));
  }

  std::string body = navigation(r, technicians);
  body += "<p>" + std::to_string(appointments.size()) + " Termine vom " + germanDate(from) +
          " bis " + germanDate(until - std::chrono::days(1)) + ".</p>\n";
  body += appointmentTable(appointments, technicians);
  if (r.waitingList)
    body += "<p>" + std::to_string(waiting.size()) + " Aufträge auf der Warteliste.</p>\n";
  return renderPage("Personaleinsatzplanung " + germanDate(r.date), body, block.text());
}

std::string gpsPage(PageContext& context, std::int64_t technicianId) {
  const auto technician = context.repository.technician(technicianId);
  if (!technician)
    throw BadRequest("Der Monteur " + std::to_string(technicianId) + " ist unbekannt.");
  const auto points = context.repository.gpsTrack(technicianId);
  DataBlock block(24);
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < points.size(); ++i) {
    block.addRow(1,
                 {std::to_string(i + 1), points[i].time, points[i].latitude, points[i].longitude});
    if (i < 20) rows.push_back({points[i].time, points[i].latitude, points[i].longitude});
  }
  const std::string title = "GPS-Fahrt " + technician->name + ", " + technician->name2;
  block.addRow(3, {title});
  std::string body = "<p>Monteur: ";
  for (const auto& t : context.repository.technicians())
    body += link("/zep/gps/" + std::to_string(t.id), t.name) + " ";
  body += "</p>\n<p>" + std::to_string(points.size()) + " Punkte; die ersten:</p>\n";
  body += renderTable({"Zeit", "Breite", "Länge"}, rows);
  return renderPage(title, body, block.text());
}

}  // namespace webapp
