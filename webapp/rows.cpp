#include "webapp/rows.h"

namespace webapp {

namespace {
std::string arrivalOf(const Order& order) {
  return order.appointment ? germanDateTime(order.appointment->start) : std::string();
}

std::string calendarText(const Order& order) {
  std::string text =
      order.label + "¶" + order.postalCode + " " + order.town + ", " + order.addressLine();
  if (!order.note.empty()) text += "¶" + order.note;
  return text;
}
}  // namespace

Row orderRowNumbered(const Order& order, const std::string& number) {
  return {number,
          order.label,
          order.country,
          order.postalCode,
          order.town,
          order.addressLine(),
          std::to_string(order.stay),
          std::to_string(order.windowStart),
          std::to_string(order.windowEnd),
          std::to_string(order.pin),
          order.gps,
          arrivalOf(order)};
}

Row orderRow(const Order& order) { return orderRowNumbered(order, std::to_string(order.id)); }

Row depotRow(const Technician& technician, int number) {
  return {std::to_string(number),
          "Betriebshof " + technician.name,
          "D",
          technician.postalCode,
          technician.town,
          technician.street,
          "0",
          std::to_string(technician.workStart),
          std::to_string(technician.workEnd),
          "-1"};
}

Row calendarOrderRow(const Order& order) {
  Row row = orderRow(order);
  const Appointment appointment = order.appointment.value_or(Appointment{});
  row.push_back(std::to_string(appointment.technicianId));
  row.push_back(germanDateTime(appointment.start));
  row.push_back(std::to_string(appointment.type));
  row.push_back(calendarText(order));
  row.push_back(order.marked ? "1" : "0");
  row.push_back(std::to_string(order.flags));
  return row;
}

Row waitingListRow(const Order& order) {
  Row row = orderRow(order);
  row.insert(row.end(), {"", "", "", calendarText(order), order.marked ? "1" : "0",
                         std::to_string(order.colour)});
  return row;
}

Row absenceRow(const Absence& absence) {
  return {std::to_string(-absence.id),
          absence.caption,
          germanDateTime(absence.start),
          germanDateTime(absence.finish),
          std::to_string(absence.kind),
          std::to_string(absence.technicianId),
          absence.text1,
          absence.text2};
}

}  // namespace webapp
