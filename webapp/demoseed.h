#pragma once

#include <string>

#include "webapp/database.h"

namespace webapp {

// Fills an empty database with the demo data on the real addresses of the compiled map in
// mapRoot: two projects, six technicians, 80 orders (a few with misspelt streets, one with
// a street that does not exist, several at one address), two weeks of appointments of every
// kind from the Monday of the seeding week, absences, a waiting list and one GPS drive per
// technician along the map's roads. Does nothing when demo data are there already; throws
// std::runtime_error (German) when the map cannot be read or holds too few addresses.
void seedDemo(Database& db, const std::string& mapRoot);

}  // namespace webapp
