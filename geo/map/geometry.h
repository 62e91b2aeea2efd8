#pragma once

#include <span>
#include <vector>

#include "geo/map/coords.h"

namespace geo {

using Line = std::vector<Point>;

Box boundsOf(std::span<const Point> points);
Box boundsOf(const std::vector<Line>& lines);

// Even-odd test over all rings, so holes of multipolygons work without knowing which ring
// is inner.
bool insideRings(const std::vector<Line>& rings, Point p);

// Centre of mass of a closed ring; the mean of the points when it has no area.
Point centroid(std::span<const Point> ring);

// Length in map units (for positions along a line, not for distances on the ground).
double mapLength(std::span<const Point> line);
// The point at a fraction (0..1) of a line's map length.
Point pointAlong(std::span<const Point> line, double fraction);

}  // namespace geo
