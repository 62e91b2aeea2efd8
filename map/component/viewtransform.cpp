#include "map/component/viewtransform.h"

ComStatus TransformImpl::Transform(TPoint& Point, int SourceFmt, int DestFmt) {
  geo::Point p{Point.X, Point.Y};
  if (!transform_.convert(p, SourceFmt, DestFmt)) {
    return ComFail(QStringLiteral("Koordinaten können nicht von Format %1 in Format %2 "
                                  "umgerechnet werden")
                       .arg(SourceFmt)
                       .arg(DestFmt),
                   ComStatus::InvalidArgument);
  }
  Point = {p.x, p.y};
  return ComStatus::Ok;
}
