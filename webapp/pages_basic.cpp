#include <array>

#include "webapp/datablock.h"
#include "webapp/html.h"
#include "webapp/pages.h"
#include "webapp/request.h"

namespace webapp {

namespace {
constexpr const char* kRouteTableId = "ZEP";
// Germany, when no demo map gave a section.
constexpr const char* kDefaultSection = "650000,1700000,7400000,5950000";

std::string menuEntry(const std::string& href, const std::string& title, const std::string& text) {
  return "<a href=\"" + escapeHtml(href) + "\">" + escapeHtml(title) + "<span>" + escapeHtml(text) +
         "</span></a>\n";
}

std::string postingForm(const std::string& name, const std::string& action,
                        const std::string& letter, bool withMode) {
  std::string html = "<form name=\"" + name + "\" method=\"post\" action=\"" + action + "\">";
  html += hiddenInput("__1", letter);
  html += hiddenInput("__2", name);
  html += "<textarea name=\"__3\" hidden></textarea>";
  if (withMode) html += hiddenInput("__4", "");
  return html + "</form>\n";
}
}  // namespace

std::string field(const FormFields& fields, const std::string& name) {
  const auto found = fields.find(name);
  return found == fields.end() ? std::string() : found->second;
}

std::string calendarRequest(std::int64_t projectId, std::int64_t technicianId,
                            const std::string& date, int days, bool waitingList) {
  return "/zep?routinglist26050&a&&&&&" + std::to_string(projectId) + "&" +
         std::to_string(technicianId) + "&" + date + "&0&" + std::to_string(days) +
         (waitingList ? "&1" : "");
}

std::string startPage(PageContext& context) {
  DataBlock block(0);
  block.addRow(1, {context.webAppUrl});
  const auto section = context.repository.meta("map_section").value_or(kDefaultSection);
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
    end = section.find(',', start);
    block.addRow(2, {section.substr(start, end - start)});
  }
  block.addRow(3, {kRouteTableId});

  const std::string date = germanDate(today());
  std::string body = "<p>Willkommen in der Auftragsverwaltung. Wählen Sie eine Ansicht:</p>\n";
  body += "<div class=\"menu\">\n";
  const std::pair<std::string, std::string> lists[] = {
      {"14", "Aufträge ohne Termin auf der Karte"},
      {"12", "Offene Aufträge je Postleitzahl und Ort"},
      {"16", "Offene Aufträge mit Start und Ziel"},
      {"30", "Übersicht aller Aufträge"},
      {"33", "Adressen prüfen und korrigieren"},
      {"42", "Aufträge mit Termin"},
      {"44", "Abgeschlossene Aufträge"}};
  for (const auto& [workflow, text] : lists)
    body += menuEntry("/zep/auftraege/" + workflow + "?projekt=0",
                      orderListTitle(std::stoi(workflow)), text + " (Workflow " + workflow + ")");
  const std::array<std::array<std::string, 3>, 7> others = {
      {{"/zep/periode/2", "Periodenoptimierung",
        "Tagesrouten über einen Zeitraum planen (Workflow 2)"},
       {"/zep/periode/4", "Schrittweise Optimierung",
        "Höchstens 60 Aufträge, Tag für Tag (Workflow 4)"},
       {"/zep/gps/11", "GPS-Fahrt", "Aufgezeichnete Fahrt eines Monteurs (Workflow 24)"},
       {calendarRequest(0, 0, date, 0, true), "Personaleinsatzplanung",
        "Termine aller Monteure am " + date + " (Workflow 50)"},
       {"/zep/ergebnisse", "Planungsergebnisse", "Gemeldete Ankunftszeiten"},
       {"/zep/terminaenderungen", "Terminänderungen", "Gespeicherte Änderungen"},
       {"/zep/geocodierungen", "Geocodierungen", "Vermerkte Positionen und Adresskorrekturen"}}};
  for (const auto& [href, title, text] : others) body += menuEntry(href, title, text);
  body += "</div>\n";
  const auto orders = context.repository.orders({});
  body += "<p class=\"note\">" + std::to_string(orders.size()) + " Aufträge, " +
          std::to_string(context.repository.technicians().size()) + " Monteure.</p>\n";
  return renderPage("ZEPRouting Auftragsverwaltung", body, block.text());
}

std::string postingPage(PageContext&) {
  std::string body =
      "<p>Übertragungsseite für Planungsergebnisse, Terminänderungen und "
      "Geocodierungen.</p>\n";
  body += postingForm("Form1", "/zep/ergebnisse", "M", true);
  body += postingForm("Form2", "/zep/terminaenderungen", "P", false);
  body += postingForm("Form3", "/zep/geocodierungen", "G", false);
  return renderPage("Übertragung", body);
}

std::string resultSite(PageContext& context, const std::vector<std::string>& parameters) {
  // routinglist26009 and six empty parameters, the last of which may carry "Fehler-Nr: n";
  // the message follows (an "&" in it splits it once more).
  if (parameters.size() < 7) throw BadRequest("Die Ergebnisseite erwartet 7 Parameter.");
  for (std::size_t i = 1; i < 6; ++i)
    if (!parameters[i].empty()) throw BadRequest("Die Ergebnisseite erwartet leere Parameter.");
  std::string body;
  if (parameters.size() == 7 && parameters[6].empty()) {
    body += "<p>Der Planungslauf wurde ohne Fehler beendet.</p>\n";
  } else {
    constexpr std::string_view prefix = "Fehler-Nr: ";
    if (!parameters[6].starts_with(prefix)) throw BadRequest("Die Fehlernummer fehlt.");
    const auto number =
        parseNumber(std::string_view(parameters[6]).substr(prefix.size()), "Die Fehlernummer");
    std::string message;
    for (std::size_t i = 7; i < parameters.size(); ++i)
      message += (i > 7 ? "&" : "") + parameters[i];
    body += "<div class=\"error\"><b>Fehler-Nr. " + std::to_string(number) + ":</b> " +
            escapeHtml(message) + "</div>\n";
  }
  body += "<p>" + link("/zep/ergebnisse", "Planungsergebnisse ansehen") + "</p>\n";
  body += renderTable({"Auftrag", "Kunde", "Ankunft", "Monteur", "Tour", "Gemeldet"},
                      context.store.plannedArrivalRows());
  return renderPage("Ergebnis der Planung", body);
}

std::string orderPage(PageContext& context, std::int64_t orderId) {
  const auto order = context.repository.order(orderId);
  if (!order) throw BadRequest("Der Auftrag " + std::to_string(orderId) + " ist unbekannt.");
  std::vector<std::vector<std::string>> rows = {
      {"Auftrag", std::to_string(order->id)},
      {"Kunde", order->label},
      {"Adresse", order->postalCode + " " + order->town + ", " + order->addressLine()},
      {"Ortsteil", order->district},
      {"Aufenthalt", std::to_string(order->stay / 60) + " min"},
      {"Zeitfenster",
       clockTime(order->windowStart / 60) + " - " + clockTime(order->windowEnd / 60)},
      {"Termin", order->appointment ? germanDateTime(order->appointment->start) : "kein Termin"},
      {"Vereinbart", order->agreed},
      {"Warteliste", order->waiting ? "ja" : "nein"},
      {"Position", order->gps},
      {"Bemerkung", order->note}};
  return renderPage("Auftrag " + std::to_string(order->id), renderTable({"Feld", "Wert"}, rows));
}

std::string absencePage(PageContext& context, std::int64_t absenceId) {
  const auto absence = context.repository.absence(absenceId);
  if (!absence) throw BadRequest("Der Termin " + std::to_string(absenceId) + " ist unbekannt.");
  const auto technician = context.repository.technician(absence->technicianId);
  std::vector<std::vector<std::string>> rows = {
      {"Termin", absence->caption},
      {"Monteur", technician ? technician->name + ", " + technician->name2 : "-"},
      {"Von", germanDateTime(absence->start)},
      {"Bis", germanDateTime(absence->finish)},
      {"Art", absence->kind == 4 ? "Abwesenheit" : "Fester Termin"},
      {"Bemerkung", absence->text1 + " " + absence->text2}};
  return renderPage("Termin bearbeiten", renderTable({"Feld", "Wert"}, rows));
}

std::string errorPage(const std::string& message) {
  return renderPage("Fehlerhafte Anfrage",
                    "<div class=\"error\"><b>Die Anfrage wurde abgelehnt.</b><br>" +
                        escapeHtml(message) + "</div>\n<p>Es wurde nichts geändert.</p>\n");
}

std::string planningResultsPage(PageContext& context, const std::string& message) {
  std::string body = message.empty() ? "" : "<p><b>" + escapeHtml(message) + "</b></p>\n";
  body += renderTable({"Auftrag", "Kunde", "Ankunft", "Monteur", "Tour", "Gemeldet"},
                      context.store.plannedArrivalRows());
  return renderPage("Planungsergebnisse", body);
}

std::string appointmentChangesPage(PageContext& context, const std::string& message) {
  std::string body = message.empty() ? "" : "<p><b>" + escapeHtml(message) + "</b></p>\n";
  body += renderTable({"Auftrag", "Kunde", "Neuer Termin", "Aufenthalt", "Monteur", "Gespeichert"},
                      context.store.appointmentChangeRows());
  return renderPage("Terminänderungen", body);
}

std::string geocodingsPage(PageContext& context, const std::string& message) {
  std::string body = message.empty() ? "" : "<p><b>" + escapeHtml(message) + "</b></p>\n";
  body += "<h3>Vermerkte Positionen</h3>\n";
  body += renderTable({"Auftrag", "Kunde", "Breite", "Länge", "Gespeichert"},
                      context.store.geocodingNoteRows());
  body += "<h3>Adresskorrekturen</h3>\n";
  body += renderTable({"Auftrag", "Kunde", "PLZ Ort", "Ortsteil", "Straße", "Gespeichert"},
                      context.store.addressCorrectionRows());
  return renderPage("Geocodierungen", body);
}

}  // namespace webapp
