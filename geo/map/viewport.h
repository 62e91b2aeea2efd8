#pragma once

#include "geo/map/coords.h"

namespace geo {

// What a map window shows: a centre in map coordinates, a scale, a rotation and the window's
// pixel size. Pixels count from the upper left corner, y downwards; map y grows northwards.
// A positive rotation turns the map counter-clockwise on the screen.
class Viewport {
 public:
  Viewport(int widthPixels, int heightPixels);

  int width() const { return width_; }
  int height() const { return height_; }
  // Keeps centre and scale; sizes below one pixel count as one.
  void setPixelSize(int widthPixels, int heightPixels);

  // Centres the section and scales it so that all of it fits into the window. A section
  // without area is refused.
  bool showSection(const Box& section);
  // The box around everything the window shows (larger than the window when rotated).
  Box section() const;

  double rotation() const { return rotation_; }
  void setRotation(double radians) { rotation_ = radians; }

  // Factor 0.5 shows half the width of ground, 2.0 twice as much. Non-positive factors are
  // refused.
  bool zoom(double factor);
  double unitsPerPixel() const { return unitsPerPixel_; }

  Point pixelToMap(Point pixel) const;
  Point mapToPixel(Point map) const;

 private:
  void mapOffset(double px, double py, double& mx, double& my) const;

  int width_ = 1;
  int height_ = 1;
  double centreX_ = 0;
  double centreY_ = 0;
  double unitsPerPixel_ = 1;
  double rotation_ = 0;
};

}  // namespace geo
