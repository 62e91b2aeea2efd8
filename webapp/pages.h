#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "webapp/database.h"
#include "webapp/postingstore.h"
#include "webapp/repository.h"

namespace webapp {

// What every page needs: the data and the address of the request page.
struct PageContext {
  Repository repository;
  PostingStore store;
  std::string webAppUrl;  // absolute address of the request page, e.g. http://127.0.0.1:8080/zep

  PageContext(Database& database, std::string url)
      : repository(database), store(database), webAppUrl(std::move(url)) {}
};

using FormFields = std::multimap<std::string, std::string>;

// The value of a form field; absent fields are empty.
std::string field(const FormFields& fields, const std::string& name);

// Start page and request page answers.
std::string startPage(PageContext& context);
std::string postingPage(PageContext& context);
std::string resultSite(PageContext& context, const std::vector<std::string>& parameters);
std::string orderPage(PageContext& context, std::int64_t orderId);
std::string absencePage(PageContext& context, std::int64_t absenceId);

// Order lists of the workflows 12, 14, 16, 30, 33, 42 and 44.
std::string orderListPage(PageContext& context, int workflow, std::int64_t projectId);
std::string orderListTitle(int workflow);

// Period optimisation (workflows 2 and 4): the form, and the data page it asks for.
std::string periodFormPage(PageContext& context, int workflow);
std::string periodDataPage(PageContext& context, const FormFields& fields);
// The day route of selected orders (the selection form of workflow 16) as a workflow 2 page.
std::string dayRoutePage(PageContext& context, const FormFields& fields);

// The GPS drive of a technician (workflow 24).
std::string gpsPage(PageContext& context, std::int64_t technicianId);

// The staff deployment calendar (workflow 50) for the request's positional parameters.
std::string calendarPage(PageContext& context, const std::vector<std::string>& parameters);

// Answers to postings, and the pages that list what was stored.
std::string planningResultsPage(PageContext& context, const std::string& message = {});
std::string appointmentChangesPage(PageContext& context, const std::string& message = {});
std::string geocodingsPage(PageContext& context, const std::string& message = {});
std::string errorPage(const std::string& message);

// Link texts of the request page.
std::string calendarRequest(std::int64_t projectId, std::int64_t technicianId,
                            const std::string& date, int days, bool waitingList);

}  // namespace webapp
