#include "geo/map/defaultmap.h"

#include <cstdlib>

namespace geo {

std::string defaultMapRoot() {
  const char* configured = std::getenv("ZEP_DEFAULT_MAP");
  return configured && *configured ? configured : ZEP_DEFAULT_MAP_DIR;
}

}  // namespace geo
