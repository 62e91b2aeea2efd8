#pragma once

#include "map/component/comstatus.h"
#include "map/component/comtypes.h"

// Converts points in place between the numbered coordinate formats (CoordFmt). A view's
// transform also knows window pixels; a free-standing one refuses them.
class ITransform {
 public:
  virtual ~ITransform() = default;
  // Refused (the point unchanged) for an unknown format or for pixels without a view.
  virtual ComStatus Transform(TPoint& Point, int SourceFmt, int DestFmt) = 0;
};
