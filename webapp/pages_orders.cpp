#include <algorithm>
#include <map>

#include "webapp/datablock.h"
#include "webapp/html.h"
#include "webapp/pages.h"
#include "webapp/request.h"
#include "webapp/rows.h"

namespace webapp {

namespace {
struct ListKind {
  int workflow;
  const char* title;
  OrderKind kind;
};

constexpr ListKind kLists[] = {
    {12, "Aufträge nach Ort", OrderKind::Open},      {14, "Offene Aufträge", OrderKind::Open},
    {16, "Tagesroute aus Auswahl", OrderKind::Open}, {30, "Alle Aufträge", OrderKind::All},
    {33, "Adressprüfung", OrderKind::All},           {42, "Geplante Aufträge", OrderKind::Planned},
    {44, "Erledigte Aufträge", OrderKind::Completed}};

const ListKind& listKind(int workflow) {
  for (const auto& kind : kLists)
    if (kind.workflow == workflow) return kind;
  throw BadRequest("Die Auftragsliste " + std::to_string(workflow) + " gibt es nicht.");
}

std::string place(const Order& order) { return order.postalCode + " " + order.town; }

std::string orderLink(std::int64_t id) {
  return link("/zep?defaultlist25444&a&=" + std::to_string(id), std::to_string(id));
}

std::string orderTable(const std::vector<Order>& orders) {
  std::string html =
      "<table><tr><th>Auftrag</th><th>Kunde</th><th>Adresse</th><th>Aufenthalt</th>"
      "<th>Zeitfenster</th><th>Termin</th></tr>\n";
  for (const auto& o : orders) {
    html += "<tr><td>" + orderLink(o.id) + "</td><td>" + escapeHtml(o.label) + "</td><td>" +
            escapeHtml(place(o) + ", " + o.addressLine()) + "</td><td>" +
            std::to_string(o.stay / 60) + " min</td><td>" + clockTime(o.windowStart / 60) + " - " +
            clockTime(o.windowEnd / 60) + "</td><td>" +
            escapeHtml(o.appointment ? germanDateTime(o.appointment->start) : "") + "</td></tr>\n";
  }
  return html + "</table>\n";
}

// One row per postal code and town, labelled with the number of orders there.
std::vector<Row> placeRows(const std::vector<Order>& orders) {
  std::map<std::string, std::pair<const Order*, int>> places;
  for (const auto& o : orders) {
    auto& entry = places[place(o)];
    if (!entry.first) entry.first = &o;
    ++entry.second;
  }
  std::vector<Row> rows;
  for (const auto& [name, entry] : places) {
    const Order& o = *entry.first;
    rows.push_back({std::to_string(rows.size() + 1),
                    name + " (" + std::to_string(entry.second) + ")", o.country, o.postalCode,
                    o.town, "", "1800", "27000", "72000", "0"});
  }
  return rows;
}

std::vector<Order> applySelection(std::vector<Order> orders, const Selection& selection) {
  std::erase_if(orders, [&](const Order& o) {
    if (selection.kind == Selection::Kind::Places)
      return std::find(selection.places.begin(), selection.places.end(), place(o)) ==
             selection.places.end();
    return std::find(selection.orderIds.begin(), selection.orderIds.end(), o.id) ==
           selection.orderIds.end();
  });
  return orders;
}

// The form a map selection is written into: the page's last form. The program puts the
// condition into element 3 (order numbers) or element 7 (places of workflow 12).
std::string selectionForm(int workflow, std::int64_t projectId) {
  std::string html = "<form class=\"panel\" method=\"post\" action=\"/zep/auswahl\">";
  html += hiddenInput("__1", std::to_string(workflow));
  html += hiddenInput("__2", std::to_string(projectId));
  for (int element = 3; element <= 8; ++element)
    html += hiddenInput("__" + std::to_string(element), "");
  html += "<button type=\"submit\">Auswahl übernehmen</button></form>\n";
  return html;
}

std::string clearSelectionForm(int workflow, std::int64_t projectId) {
  return "<form method=\"post\" action=\"/zep/auswahl\">" +
         hiddenInput("__1", std::to_string(workflow)) +
         hiddenInput("__2", std::to_string(projectId)) + hiddenInput("__9", "aufheben") +
         "<button type=\"submit\">Auswahl aufheben</button></form>\n";
}

// Workflow 16: "Form1" with the condition in element 3 and the technician and day of the
// route beside it.
std::string dayRouteForm(PageContext& context, std::int64_t projectId) {
  std::string html =
      "<form class=\"panel\" name=\"Form1\" method=\"post\" action=\"/zep/tagesroute\">";
  html += hiddenInput("__1", "16") + hiddenInput("__2", std::to_string(projectId));
  html += "<label>Monteur</label><select name=\"__3\">";
  for (const auto& t : context.repository.technicians())
    html += "<option value=\"" + std::to_string(t.id) + "\">" +
            escapeHtml(t.name + ", " + t.name2) + "</option>";
  html += "</select> " + hiddenInput("__4", "");
  html += "<label>Tag</label><input name=\"__5\" value=\"" +
          germanDate(today() + std::chrono::days(1)) + "\" size=\"10\"> ";
  html += "<button type=\"submit\">Tagesroute planen</button></form>\n";
  return html;
}

// Workflow 33: one DIV per order named after its number; the program fills the first form's
// check boxes and the second form's element pairs (from element 6 on). The check boxes stand
// in the table rows and belong to the first form through their form attribute.
std::string addressCheck(const std::vector<Order>& orders, std::int64_t projectId) {
  std::string html = "<form name=\"Adressauswahl\" id=\"adressauswahl\"></form>\n";
  html += "<table><tr><th>Übernehmen</th><th>Auftrag</th><th>Kunde</th><th>Adresse</th></tr>\n";
  std::string pairs =
      "<form name=\"Adresskorrektur\" method=\"post\" action=\"/zep/adresspruefung\" "
      "enctype=\"multipart/form-data\" "
      "onsubmit=\"var b=document.forms[0].elements,s=[];for(var i=0;i<b.length;"
      "i++)if(b[i].checked)s.push(b[i].value);this.elements['auswahl'].value="
      "s.join(',');\">";
  pairs += hiddenInput("__1", "33") + hiddenInput("__2", std::to_string(projectId));
  for (int element = 3; element <= 6; ++element)
    pairs += hiddenInput("__" + std::to_string(element), "");
  for (const auto& o : orders) {
    const std::string id = std::to_string(o.id);
    html += "<tr><td><input type=\"checkbox\" form=\"adressauswahl\" value=\"" + id +
            "\"></td><td>" + orderLink(o.id) + "</td><td>" + escapeHtml(o.label) +
            "</td><td><div name=\"D" + id + "\">" +
            escapeHtml(o.postalCode + " " + o.town + ", " + o.addressLine()) + "</div></td></tr>\n";
    pairs += hiddenInput("a" + id, "") + hiddenInput("b" + id, "");
  }
  pairs += hiddenInput("auswahl", "") +
           "<button type=\"submit\">Markierte Adressen übernehmen</button></form>\n";
  return html + "</table>\n" + pairs;
}

std::string projectLinks(PageContext& context, int workflow) {
  std::string html = "<p>Projekt: ";
  const std::string base = "/zep/auftraege/" + std::to_string(workflow) + "?projekt=";
  html += link(base + "0", "Alle Projekte");
  for (const auto& p : context.repository.projects())
    html += " | " + link(base + std::to_string(p.id), p.name);
  return html + "</p>\n";
}
}  // namespace

std::string orderListTitle(int workflow) { return listKind(workflow).title; }

std::string orderListPage(PageContext& context, int workflow, std::int64_t projectId) {
  const ListKind& list = listKind(workflow);
  if (projectId != 0 && !context.repository.projectExists(projectId))
    throw BadRequest("Das Projekt " + std::to_string(projectId) + " ist unbekannt.");
  OrderFilter filter;
  filter.kind = list.kind;
  filter.projectId = projectId;
  std::vector<Order> orders = context.repository.orders(filter);
  const bool selectable = workflow == 12 || workflow == 14 || workflow == 42;
  const auto selection = selectable ? context.store.selection(workflow) : std::nullopt;
  if (selection) orders = applySelection(std::move(orders), *selection);

  DataBlock block(workflow);
  std::string body = projectLinks(context, workflow);
  if (workflow == 12) {
    block.addRows(1, placeRows(orders));
  } else {
    for (const auto& o : orders)
      block.addRow(1,
                   workflow == 33 ? orderRowNumbered(o, "-" + std::to_string(o.id)) : orderRow(o));
  }
  // Workflows with many unchecked addresses let the dispatcher choose among geocoding hits.
  if (workflow == 14 || workflow == 33) block.addRow(2, {"X"});
  block.addRow(3, {std::string(list.title) + " (" + std::to_string(orders.size()) + ")"});
  if (workflow == 16) {
    const auto technicians = context.repository.technicians();
    if (!technicians.empty()) {
      block.addRow(4, depotRow(technicians.front(), -1));
      block.addRow(5, depotRow(technicians.front(), -2));
    }
  }

  body += "<p>" + std::to_string(orders.size()) + " Aufträge" +
          (selection ? " in der gespeicherten Auswahl." : ".") + "</p>\n";
  if (workflow == 33) {
    body += addressCheck(orders, projectId);
  } else {
    body += orderTable(orders);
    if (selection) body += clearSelectionForm(workflow, projectId);
    if (selectable) body += selectionForm(workflow, projectId);
    if (workflow == 16) body += dayRouteForm(context, projectId);
  }
  return renderPage(list.title, body, block.text());
}

}  // namespace webapp
