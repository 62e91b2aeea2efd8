#pragma once

#include <string>

namespace geo {

// The map root used when the settings name none: ZEP_DEFAULT_MAP from the environment if
// set, else the demo map that the build imports.
std::string defaultMapRoot();

}  // namespace geo
