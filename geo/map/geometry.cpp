#include "geo/map/geometry.h"

#include <algorithm>
#include <cmath>

namespace geo {

Box boundsOf(std::span<const Point> points) {
  Box box;
  for (Point p : points) box.extend(p);
  return box;
}

Box boundsOf(const std::vector<Line>& lines) {
  Box box;
  for (const Line& line : lines) box.extend(boundsOf(line));
  return box;
}

bool insideRings(const std::vector<Line>& rings, Point p) {
  bool inside = false;
  for (const Line& ring : rings) {
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const double xi = ring[i].x, yi = ring[i].y, xj = ring[j].x, yj = ring[j].y;
      if ((yi > p.y) != (yj > p.y) && p.x < (xj - xi) * (p.y - yi) / (yj - yi) + xi) {
        inside = !inside;
      }
    }
  }
  return inside;
}

Point centroid(std::span<const Point> ring) {
  if (ring.empty()) return {};
  // Relative to the first point, to keep the products small.
  const double ox = ring[0].x, oy = ring[0].y;
  double area2 = 0, cx = 0, cy = 0, sx = 0, sy = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const Point a = ring[i];
    const Point b = ring[(i + 1) % ring.size()];
    const double ax = a.x - ox, ay = a.y - oy, bx = b.x - ox, by = b.y - oy;
    const double cross = ax * by - bx * ay;
    area2 += cross;
    cx += (ax + bx) * cross;
    cy += (ay + by) * cross;
    sx += ax;
    sy += ay;
  }
  if (std::abs(area2) < 1e-9) {
    const double n = static_cast<double>(ring.size());
    return {static_cast<std::int32_t>(std::lround(ox + sx / n)),
            static_cast<std::int32_t>(std::lround(oy + sy / n))};
  }
  return {static_cast<std::int32_t>(std::lround(ox + cx / (3 * area2))),
          static_cast<std::int32_t>(std::lround(oy + cy / (3 * area2)))};
}

double mapLength(std::span<const Point> line) {
  double length = 0;
  for (std::size_t i = 1; i < line.size(); ++i) {
    length += std::hypot(double(line[i].x) - line[i - 1].x, double(line[i].y) - line[i - 1].y);
  }
  return length;
}

Point pointAlong(std::span<const Point> line, double fraction) {
  if (line.empty()) return {};
  double remaining = mapLength(line) * std::clamp(fraction, 0.0, 1.0);
  for (std::size_t i = 1; i < line.size(); ++i) {
    const double dx = double(line[i].x) - line[i - 1].x;
    const double dy = double(line[i].y) - line[i - 1].y;
    const double step = std::hypot(dx, dy);
    if (step > 0 && remaining <= step) {
      const double t = remaining / step;
      return {static_cast<std::int32_t>(std::lround(line[i - 1].x + dx * t)),
              static_cast<std::int32_t>(std::lround(line[i - 1].y + dy * t))};
    }
    remaining -= step;
  }
  return line.back();
}

}  // namespace geo
