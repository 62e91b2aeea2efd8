#include "webapp/postings.h"

#include <algorithm>
#include <cstdlib>

#include "webapp/request.h"

namespace webapp {

namespace {
std::string lineError(std::size_t line, std::string_view what) {
  return "Zeile " + std::to_string(line + 1) + ": " + std::string(what);
}

std::int64_t orderNumber(std::string_view text, std::size_t line) {
  try {
    return parseNumberInRange(text, "Die Auftragsnummer", 1, 999999999);
  } catch (const BadRequest& error) {
    throw BadRequest(lineError(line, error.what()));
  }
}

std::int64_t technicianNumber(std::string_view text, std::size_t line, std::int64_t min) {
  try {
    return parseNumberInRange(text, "Die Monteurnummer", min, 999999999);
  } catch (const BadRequest& error) {
    throw BadRequest(lineError(line, error.what()));
  }
}

DateTime arrivalTime(std::string_view text, std::size_t line) {
  const auto value = parseGermanDateTime(text);
  if (!value)
    throw BadRequest(lineError(
        line, "Zeitpunkt \"" + std::string(text) + "\" ist nicht in der Form TT.MM.JJJJ hh:mm."));
  return *value;
}

// A decimal degree value such as 49.94521 within the limit.
std::string degrees(std::string_view text, double limit, std::size_t line) {
  const std::string value(text);
  char* end = nullptr;
  const double number = std::strtod(value.c_str(), &end);
  const bool plain =
      !value.empty() && value.find_first_not_of("+-.0123456789") == std::string::npos;
  if (!plain || end != value.c_str() + value.size() || number < -limit || number > limit)
    throw BadRequest(lineError(line, "Koordinate \"" + value + "\" ist ungültig."));
  return value;
}

// An Access text literal in the form the program writes it: 'text' pieces joined by
// +CHR(n)+ for quotes and line breaks, or null for an empty text.
std::string accessLiteral(std::string_view text, std::size_t& pos) {
  if (text.substr(pos, 4) == "null") {
    pos += 4;
    return {};
  }
  std::string value;
  while (true) {
    if (pos >= text.size() || text[pos] != '\'')
      throw BadRequest("Die Auswahlbedingung enthält einen ungültigen Text.");
    const auto close = text.find('\'', pos + 1);
    if (close == std::string_view::npos)
      throw BadRequest("Die Auswahlbedingung enthält einen offenen Text.");
    value += text.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    if (text.substr(pos, 5) != "+CHR(") return value;
    const auto closeCode = text.find(")+", pos + 5);
    if (closeCode == std::string_view::npos)
      throw BadRequest("Die Auswahlbedingung enthält einen ungültigen Zeichencode.");
    value += static_cast<char>(
        parseNumberInRange(text.substr(pos + 5, closeCode - pos - 5), "Der Zeichencode", 1, 127));
    pos = closeCode + 2;
  }
}

constexpr std::string_view kOrderCondition = "(AuftragId IN (";
constexpr std::string_view kPlaceCondition = "(ISNULL(PLZ,'')+' '+ISNULL(Ort,'') IN (";
constexpr std::string_view kConditionEnd = "))";
}  // namespace

std::vector<std::string> splitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const auto end = line.find(separator, start);
    fields.emplace_back(line.substr(start, end - start));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

std::vector<std::string> postingLines(std::string_view text) {
  if (text.size() > kMaxPostingBytes) throw BadRequest("Die Übertragung ist zu groß.");
  if (!isValidUtf8(text)) throw BadRequest("Die Übertragung ist kein gültiger UTF-8-Text.");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const auto line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t") != std::string_view::npos) {
      if (line.size() > kMaxLineBytes) throw BadRequest("Eine Zeile der Übertragung ist zu lang.");
      for (const char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
          throw BadRequest("Die Übertragung enthält Steuerzeichen.");
      }
      lines.emplace_back(line);
    }
    if (lines.size() > kMaxPostingLines) throw BadRequest("Die Übertragung hat zu viele Zeilen.");
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

// Each line of text split into four "|" fields and read by readLine(fields, line index).
template <typename Item, typename ReadLine>
std::vector<Item> fourFieldLines(std::string_view text, ReadLine readLine) {
  std::vector<Item> result;
  const auto lines = postingLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto fields = splitFields(lines[i], '|');
    if (fields.size() != 4) throw BadRequest(lineError(i, "erwartet werden 4 Felder."));
    result.push_back(readLine(fields, i));
  }
  return result;
}

std::vector<PlannedArrival> parsePlannedArrivals(std::string_view text) {
  return fourFieldLines<PlannedArrival>(text, [](const auto& fields, std::size_t i) {
    return PlannedArrival{orderNumber(fields[1], i), arrivalTime(fields[0], i), fields[2],
                          technicianNumber(fields[3], i, 1)};
  });
}

std::vector<AppointmentChange> parseAppointmentChanges(std::string_view text) {
  return fourFieldLines<AppointmentChange>(text, [](const auto& fields, std::size_t i) {
    AppointmentChange change;
    change.orderId = orderNumber(fields[0], i);
    change.stay = static_cast<int>(parseNumberInRange(fields[2], "Die Aufenthaltsdauer", 0, 86400));
    change.technicianId = technicianNumber(fields[3], i, 0);
    if (!fields[1].empty()) change.arrival = arrivalTime(fields[1], i);
    if (change.arrival.has_value() != (change.technicianId != 0))
      throw BadRequest(lineError(i, "Termin und Monteur gehören zusammen."));
    return change;
  });
}

std::vector<GeocodingNote> parseGeocodingNotes(std::string_view text) {
  std::vector<GeocodingNote> result;
  const auto lines = postingLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto fields = splitFields(lines[i], '|');
    const auto position =
        fields.size() == 2 ? splitFields(fields[1], ',') : std::vector<std::string>();
    if (position.size() != 2) throw BadRequest(lineError(i, "erwartet wird Auftrag|Breite,Länge."));
    // The address check numbers its orders negatively.
    std::string_view number = fields[0];
    if (number.starts_with('-')) number.remove_prefix(1);
    result.push_back(
        {orderNumber(number, i), degrees(position[0], 90, i), degrees(position[1], 180, i)});
  }
  return result;
}

Selection parseSelection(std::string_view condition) {
  Selection selection;
  std::string_view list;
  if (condition.starts_with(kOrderCondition) && condition.ends_with(kConditionEnd)) {
    list = condition.substr(kOrderCondition.size(),
                            condition.size() - kOrderCondition.size() - kConditionEnd.size());
    if (list == "null") return selection;
    for (const auto& item : splitFields(list, ','))
      selection.orderIds.push_back(parseNumberInRange(item, "Die Auftragsnummer", 1, 999999999));
    return selection;
  }
  if (!condition.starts_with(kPlaceCondition) || !condition.ends_with(kConditionEnd))
    throw BadRequest("Die Auswahlbedingung hat eine unbekannte Form.");
  selection.kind = Selection::Kind::Places;
  list = condition.substr(kPlaceCondition.size(),
                          condition.size() - kPlaceCondition.size() - kConditionEnd.size());
  std::size_t pos = 0;
  while (true) {
    std::string place = accessLiteral(list, pos);
    if (!place.empty()) selection.places.push_back(std::move(place));
    if (pos == list.size()) return selection;
    if (list[pos] != ',') throw BadRequest("Die Auswahlbedingung hat eine unbekannte Form.");
    ++pos;
  }
}

AddressCorrection parseAddressCorrection(std::string_view value) {
  if (std::any_of(value.begin(), value.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
    throw BadRequest("Eine Adresskorrektur enthält Steuerzeichen.");
  const auto comma = value.find(',');
  if (comma == std::string_view::npos || value.size() < comma + 3 || value[comma + 1] != '\'' ||
      value.back() != '\'')
    throw BadRequest("Eine Adresskorrektur hat eine unbekannte Form.");
  const auto parts = splitFields(value.substr(comma + 2, value.size() - comma - 3), '\'');
  // 'a','b','c','d' splits at its quotes into a , b , c , d.
  if (parts.size() != 7 || parts[1] != "," || parts[3] != "," || parts[5] != ",")
    throw BadRequest("Eine Adresskorrektur braucht Postleitzahl, Ort, Ortsteil und Straße.");
  AddressCorrection correction;
  correction.orderId =
      parseNumberInRange(value.substr(0, comma), "Die Auftragsnummer", 1, 999999999);
  correction.postalCode = parts[0];
  correction.town = parts[2];
  correction.district = parts[4];
  correction.street = parts[6];
  if (correction.town.empty() || correction.street.empty())
    throw BadRequest("Eine Adresskorrektur braucht Ort und Straße.");
  return correction;
}

}  // namespace webapp
