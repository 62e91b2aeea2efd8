#pragma once

#include "geo/map/transform.h"
#include "map/component/itransform.h"

// The transform of the component: geo::Transform, knowing window pixels when it belongs to
// a view.
class TransformImpl : public ITransform {
 public:
  explicit TransformImpl(const geo::Viewport* Viewport = nullptr) : transform_(Viewport) {}
  ComStatus Transform(TPoint& Point, int SourceFmt, int DestFmt) override;

 private:
  geo::Transform transform_;
};
