#pragma once

#include <optional>
#include <string>
#include <vector>

#include "webapp/database.h"
#include "webapp/postings.h"

namespace webapp {

// Stores what the program posts, each posting in one transaction: a posting that names an
// unknown order or technician is refused (BadRequest) and changes nothing. Every posting is
// kept per order, so sending it again replaces instead of adding.
class PostingStore {
 public:
  explicit PostingStore(Database& db) : db_(db) {}

  // Planned arrivals become planned appointments (type 1) of their technician.
  void savePlannedArrivals(const std::vector<PlannedArrival>& arrivals);
  // Moves appointments, or takes them out of the plan back onto the waiting list.
  void saveAppointmentChanges(const std::vector<AppointmentChange>& changes);
  // Noted positions; the order rows deliver them from now on.
  void saveGeocodingNotes(const std::vector<GeocodingNote>& notes);
  void saveAddressCorrections(const std::vector<AddressCorrection>& corrections);
  void saveSelection(int workflow, const Selection& selection);
  void clearSelection(int workflow);
  std::optional<Selection> selection(int workflow);

  // Rows of the result pages, newest first.
  std::vector<std::vector<std::string>> plannedArrivalRows();
  std::vector<std::vector<std::string>> appointmentChangeRows();
  std::vector<std::vector<std::string>> geocodingNoteRows();
  std::vector<std::vector<std::string>> addressCorrectionRows();

 private:
  void requireOrder(std::int64_t id);
  void requireTechnician(std::int64_t id);
  std::vector<std::vector<std::string>> textRows(const std::string& sql, int columns);

  Database& db_;
};

}  // namespace webapp
