#pragma once

#include <QFont>
#include <QPainterPath>
#include <vector>

#include "geo/map/compiledmap.h"
#include "geo/map/viewport.h"
#include "map/component/pixelmapper.h"

class QPainter;
class LabelPlacer;

// Draws the map data of a compiled map for one viewport in the colours of the OpenStreetMap
// standard map: areas, buildings, water, railways, paths, roads by class with casing, one-way
// arrows, road names along the line, house numbers close up and place names.
class MapRenderer {
 public:
  explicit MapRenderer(const geo::CompiledMap& Map);

  // PrintMode keeps hairlines visible at printer resolution.
  void render(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode = false) const;

  // Scale bar and "© OpenStreetMap contributors", drawn over everything.
  static void drawDecorations(QPainter& Painter, const geo::Viewport& Viewport);

 private:
  struct Buckets;
  Buckets sort(const std::vector<std::uint32_t>& Ids) const;
  void drawAreas(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const;
  void drawLines(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const;
  void drawRoads(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const;
  void drawOneWayArrows(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const;
  void drawPlaceNames(QPainter& Painter, const PixelMapper& Px, const Buckets& B,
                      LabelPlacer& Placer) const;
  void drawRoadNames(QPainter& Painter, const PixelMapper& Px, const Buckets& B,
                     LabelPlacer& Placer) const;
  void drawHouseNumbers(QPainter& Painter, const PixelMapper& Px, const geo::Box& Section,
                        LabelPlacer& Placer) const;
  QPainterPath ringsPath(const PixelMapper& Px, const geo::FeatureRecord& F) const;

  const geo::CompiledMap& map_;
};

// Text with a white halo, as map labels are drawn.
void drawHaloText(QPainter& Painter, QPointF BaselineLeft, const QString& Text, const QFont& Font,
                  const QColor& Colour, double HaloWidth = 3.0);
