#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webapp/dates.h"

namespace webapp {

// Limits of one posting; anything larger is refused as a whole.
inline constexpr std::size_t kMaxPostingBytes = 256 * 1024;
inline constexpr std::size_t kMaxPostingLines = 2000;
inline constexpr std::size_t kMaxLineBytes = 600;

// "Form1": "dd.mm.yyyy hh:nn|order|label|technician" per line.
struct PlannedArrival {
  std::int64_t orderId = 0;
  DateTime arrival;
  std::string label;
  std::int64_t technicianId = 0;
};
// "Form2": "order|dd.mm.yyyy hh:nn|stay|technician"; no arrival and technician 0 take the
// order out of the plan.
struct AppointmentChange {
  std::int64_t orderId = 0;
  std::optional<DateTime> arrival;
  int stay = 0;
  std::int64_t technicianId = 0;
};
// "Form3": "order|latitude,longitude".
struct GeocodingNote {
  std::int64_t orderId = 0;
  std::string latitude;
  std::string longitude;
};
// The condition a map selection sends back: order numbers, or "postal code town" texts.
struct Selection {
  enum class Kind { Orders, Places } kind = Kind::Orders;
  std::vector<std::int64_t> orderIds;
  std::vector<std::string> places;
};
// One corrected address of the address check.
struct AddressCorrection {
  std::int64_t orderId = 0;
  std::string postalCode;
  std::string town;
  std::string district;
  std::string street;
};

// Each parser refuses the whole text (BadRequest) when one line is malformed.
std::vector<PlannedArrival> parsePlannedArrivals(std::string_view text);
std::vector<AppointmentChange> parseAppointmentChanges(std::string_view text);
std::vector<GeocodingNote> parseGeocodingNotes(std::string_view text);
Selection parseSelection(std::string_view condition);
AddressCorrection parseAddressCorrection(std::string_view value);

// The non-empty lines of a posted text (CR LF, LF or CR), within the limits.
std::vector<std::string> postingLines(std::string_view text);
// Text fields split at "|".
std::vector<std::string> splitFields(std::string_view line, char separator);

}  // namespace webapp
