#pragma once

class IMEView;
class QPainter;
namespace geo {
class Viewport;
}

// Something a view draws over its map: an editor layer or the routes of a routing view.
class ILayerPresenter {
 public:
  virtual ~ILayerPresenter() = default;
  // The editor layer it carries, if any.
  virtual IMEView* Layer() { return nullptr; }
  // Draws in window pixels of Viewport; PrintMode leaves selection frames out.
  virtual void Paint(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) = 0;
};
