#pragma once

#include "webapp/datablock.h"
#include "webapp/records.h"

namespace webapp {

// Order row: number, label, country, postal code, town, address line, stay, time window,
// pin, GPS position, arrival (the appointment, when there is one).
Row orderRow(const Order& order);
// As orderRow with another number in field 0 (the address check numbers its orders
// negatively, so that the page's element names can be derived from them).
Row orderRowNumbered(const Order& order, const std::string& number);
// A start or finish point at a technician's depot.
Row depotRow(const Technician& technician, int number);
// Order row with the calendar fields: technician, start, type, text, mark, warning flags.
Row calendarOrderRow(const Order& order);
// Order row with the waiting-list fields: text, mark, colour.
Row waitingListRow(const Order& order);
// Absence or fixed appointment: id, caption, from, to, kind, technician, two texts.
Row absenceRow(const Absence& absence);

}  // namespace webapp
