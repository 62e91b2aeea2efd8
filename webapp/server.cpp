#include "webapp/server.h"

#include <httplib.h>

#include <functional>

#include "webapp/demoseed.h"
#include "webapp/html.h"
#include "webapp/pages.h"
#include "webapp/postings.h"
#include "webapp/request.h"
#include "webapp/schema.h"

namespace webapp {

namespace {
constexpr const char* kHtml = "text/html; charset=utf-8";

using PageHandler = std::function<std::string(const httplib::Request&)>;

// Every answer goes through here: refused requests get the German error page with 400 and
// have changed nothing (postings run in one transaction); anything else unexpected gets 500.
httplib::Server::Handler guarded(PageHandler handler) {
  return [handler = std::move(handler)](const httplib::Request& request,
                                        httplib::Response& response) {
    try {
      response.set_content(handler(request), kHtml);
    } catch (const BadRequest& error) {
      response.status = 400;
      response.set_content(errorPage(error.what()), kHtml);
    } catch (const std::exception& error) {
      response.status = 500;
      response.set_content(renderPage("Interner Fehler", "<div class=\"error\">" +
                                                             escapeHtml(error.what()) + "</div>"),
                           kHtml);
    }
  };
}

// Fields of a URL-encoded form, or of a multipart one (httplib refuses URL-encoded bodies
// over 8 KB, less than the address check of a full order list).
FormFields fieldsOf(const httplib::Request& request) {
  FormFields fields;
  std::size_t total = 0;
  const auto add = [&](const std::string& name, const std::string& value) {
    total += name.size() + value.size();
    if (total > kMaxPostingBytes) throw BadRequest("Die Übertragung ist zu groß.");
    if (!isValidUtf8(name) || !isValidUtf8(value))
      throw BadRequest("Die Übertragung ist kein gültiger UTF-8-Text.");
    fields.emplace(name, value);
  };
  for (const auto& [name, value] : request.params) add(name, value);
  for (const auto& [name, part] : request.files) add(name, part.content);
  return fields;
}

std::int64_t pathNumber(const httplib::Request& request, const char* what) {
  return parseNumberInRange(request.matches[1].str(), what, 0, 999999999);
}

// "=n" after "&a&" in the order page and item link addresses.
std::int64_t linkedNumber(const std::vector<std::string>& parameters) {
  if (parameters.size() != 3 || parameters[1] != "a" || !parameters[2].starts_with('='))
    throw BadRequest("Die Adresse erwartet die Form ?…&a&=Nummer.");
  return parseNumberInRange(std::string_view(parameters[2]).substr(1), "Die Nummer", 1, 999999999);
}

std::string requestPage(PageContext& context, const httplib::Request& request) {
  const auto question = request.target.find('?');
  if (question == std::string::npos) return startPage(context);
  const auto parameters = queryParameters(std::string_view(request.target).substr(question + 1));
  const std::string& name = parameters.front();
  if (name == "routinglist26000" && parameters.size() == 1) return startPage(context);
  if (name == "routinglist26001" && parameters.size() == 1) return postingPage(context);
  if (name == "routinglist26050") return calendarPage(context, parameters);
  if (name == "routinglist26009") return resultSite(context, parameters);
  if (name == "defaultlist25444") return orderPage(context, linkedNumber(parameters));
  if (name == "defaultedit25957") return absencePage(context, linkedNumber(parameters));
  throw BadRequest("Unbekannte Anfrage \"" + name + "\" mit " + std::to_string(parameters.size()) +
                   " Parametern.");
}

int workflowField(const FormFields& fields) {
  return static_cast<int>(parseNumberInRange(field(fields, "__1"), "Der Workflow", 0, 999));
}

std::string saveSelection(PageContext& context, const FormFields& fields,
                          httplib::Response& response) {
  const int workflow = workflowField(fields);
  if (workflow != 12 && workflow != 14 && workflow != 42)
    throw BadRequest("Eine Auswahl gibt es nur in den Workflows 12, 14 und 42.");
  const auto project = parseNumberInRange(field(fields, "__2"), "Die Projektnummer", 0, 999999999);
  if (field(fields, "__9") == "aufheben") {
    context.store.clearSelection(workflow);
  } else {
    const Selection selection = parseSelection(field(fields, workflow == 12 ? "__8" : "__4"));
    if ((selection.kind == Selection::Kind::Places) != (workflow == 12))
      throw BadRequest("Die Auswahlbedingung passt nicht zum Workflow.");
    context.store.saveSelection(workflow, selection);
  }
  const std::string list =
      "/zep/auftraege/" + std::to_string(workflow) + "?projekt=" + std::to_string(project);
  response.set_redirect(list, 303);
  return renderPage("Auswahl gespeichert", "<p>" + link(list, "Zur Auftragsliste") + "</p>");
}

std::string saveAddressCheck(PageContext& context, const FormFields& fields) {
  if (workflowField(fields) != 33) throw BadRequest("Die Adressprüfung gehört zu Workflow 33.");
  const bool chosenOnly = fields.count("auswahl") > 0;
  const std::string chosen = "," + field(fields, "auswahl") + ",";
  std::vector<AddressCorrection> corrections;
  for (const auto& [name, value] : fields) {
    if (name.size() < 3 || !name.starts_with("__")) continue;
    const auto element = parseNumber(std::string_view(name).substr(2), "Der Elementname");
    if (element < 7 || element % 2 == 0) continue;
    AddressCorrection correction = parseAddressCorrection(value);
    if (!chosenOnly ||
        chosen.find("," + std::to_string(correction.orderId) + ",") != std::string::npos)
      corrections.push_back(std::move(correction));
  }
  context.store.saveAddressCorrections(corrections);
  return geocodingsPage(context,
                        std::to_string(corrections.size()) + " Adresskorrekturen gespeichert.");
}

// The letter in "__1" that marks each posting form.
void requireLetter(const FormFields& fields, const char* letter) {
  if (field(fields, "__1") != letter)
    throw BadRequest(std::string("Das Formular trägt nicht die Kennung \"") + letter + "\".");
}
// A posting form: its "__1" letter is checked, its "__3" lines are read whole, stored in one
// transaction and answered with the page that lists what is stored.
template <typename Item>
httplib::Server::Handler postingRoute(PageContext& c, const char* letter,
                                      std::vector<Item> (*parse)(std::string_view),
                                      void (PostingStore::*save)(const std::vector<Item>&),
                                      std::string (*page)(PageContext&, const std::string&),
                                      const char* saved) {
  return guarded([&c, letter, parse, save, page, saved](const httplib::Request& r) {
    const auto fields = fieldsOf(r);
    requireLetter(fields, letter);
    const auto items = parse(field(fields, "__3"));
    (c.store.*save)(items);
    return page(c, std::to_string(items.size()) + saved);
  });
}
}  // namespace

WebApp::WebApp(const std::string& databasePath, const std::string& demoMapRoot)
    : db_(std::make_unique<Database>(databasePath)), server_(std::make_unique<httplib::Server>()) {
  createSchema(*db_);
  if (!demoMapRoot.empty()) seedDemo(*db_, demoMapRoot);
}

WebApp::~WebApp() = default;

int WebApp::bind(int port) {
  const int bound = port == 0 ? server_->bind_to_any_port("127.0.0.1")
                              : (server_->bind_to_port("127.0.0.1", port) ? port : -1);
  if (bound <= 0) return -1;
  context_ =
      std::make_unique<PageContext>(*db_, "http://127.0.0.1:" + std::to_string(bound) + "/zep");
  routes();
  return bound;
}

bool WebApp::serve() { return server_->listen_after_bind(); }

void WebApp::stop() { server_->stop(); }

void WebApp::routes() {
  PageContext& c = *context_;
  httplib::Server& s = *server_;
  s.set_payload_max_length(kMaxPostingBytes + 4096);
  // An answer is written as headers and body; on a kept-alive connection the body then waits
  // for the client's delayed ACK (about 40 ms a page), because the accepted sockets do not
  // take over TCP_NODELAY. A new loopback connection per request costs far less.
  s.set_keep_alive_max_count(1);
  // httplib answers itself for oversized bodies and unknown addresses; give those a German
  // page too. Oversized postings count as refused requests.
  s.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (!response.body.empty()) return;  // our own error pages
    if (response.status == 413) response.status = 400;
    const std::string message = response.status == 404 ? "Diese Seite gibt es nicht."
                                : response.status == 400
                                    ? "Die Anfrage ist zu groß oder fehlerhaft."
                                    : "Die Anfrage konnte nicht bearbeitet werden.";
    response.set_content(errorPage(message), kHtml);
  });
  s.Get("/", guarded([&c](const auto&) { return startPage(c); }));
  s.Get("/zep", guarded([&c](const auto& r) { return requestPage(c, r); }));
  s.Get(R"(/zep/auftraege/(\d{1,9}))", guarded([&c](const httplib::Request& r) {
          const int workflow = static_cast<int>(pathNumber(r, "Der Workflow"));
          const std::string project = r.has_param("projekt") ? r.get_param_value("projekt") : "0";
          return orderListPage(c, workflow,
                               parseNumberInRange(project, "Die Projektnummer", 0, 999999999));
        }));
  s.Post("/zep/auswahl", [&c](const httplib::Request& r, httplib::Response& response) {
    guarded([&](const httplib::Request&) { return saveSelection(c, fieldsOf(r), response); })(
        r, response);
  });
  s.Get(R"(/zep/periode/(\d{1,9}))", guarded([&c](const httplib::Request& r) {
          return periodFormPage(c, static_cast<int>(pathNumber(r, "Der Workflow")));
        }));
  s.Get("/zep/periode/daten",
        guarded([&c](const auto& r) { return periodDataPage(c, fieldsOf(r)); }));
  s.Post("/zep/tagesroute", guarded([&c](const auto& r) { return dayRoutePage(c, fieldsOf(r)); }));
  s.Get(R"(/zep/gps/(\d{1,9}))", guarded([&c](const httplib::Request& r) {
          return gpsPage(c, pathNumber(r, "Die Monteurnummer"));
        }));
  s.Get("/zep/ergebnisse", guarded([&c](const auto&) { return planningResultsPage(c); }));
  s.Get("/zep/terminaenderungen", guarded([&c](const auto&) { return appointmentChangesPage(c); }));
  s.Get("/zep/geocodierungen", guarded([&c](const auto&) { return geocodingsPage(c); }));
  s.Post("/zep/ergebnisse",
         postingRoute(c, "M", parsePlannedArrivals, &PostingStore::savePlannedArrivals,
                      planningResultsPage, " Ankunftszeiten gespeichert."));
  s.Post("/zep/terminaenderungen",
         postingRoute(c, "P", parseAppointmentChanges, &PostingStore::saveAppointmentChanges,
                      appointmentChangesPage, " Terminänderungen gespeichert."));
  s.Post("/zep/geocodierungen",
         postingRoute(c, "G", parseGeocodingNotes, &PostingStore::saveGeocodingNotes,
                      geocodingsPage, " Geocodierungen gespeichert."));
  s.Post("/zep/adresspruefung",
         guarded([&c](const auto& r) { return saveAddressCheck(c, fieldsOf(r)); }));
}

}  // namespace webapp
