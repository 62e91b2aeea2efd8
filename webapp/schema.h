#pragma once

#include "webapp/database.h"

namespace webapp {

// Creates the tables when missing. Dates are stored as "yyyy-mm-dd hh:mm" so that they sort
// and compare as text.
void createSchema(Database& db);

}  // namespace webapp
