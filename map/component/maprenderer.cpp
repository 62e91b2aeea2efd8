#include "map/component/maprenderer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "map/component/labelplacer.h"
#include "map/component/mapstyle.h"

using geo::FeatureKind;
using geo::FeatureRecord;

namespace {

// Closer than these scales (map units per pixel) the details appear.
constexpr double kBuildingOutlineScale = 1.5;
constexpr double kPathScale = 3.0;
constexpr double kOneWayScale = 2.0;
constexpr double kRoadNameScale = 4.0;
constexpr double kHouseNumberScale = 0.8;
constexpr double kServiceRoadScale = 8.0;

QFont labelFont(double pixelSize, bool bold = false, bool italic = false) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

double roadWidth(std::uint8_t roadClass, double upp) {
  const auto& style = mapstyle::roadStyle(roadClass);
  return std::clamp(style.widthMetres / upp, style.minPixels, 40.0);
}

// The longest stretch of a line that runs nearly straight, as the chord from its first to its
// last point: road names follow it.
QLineF longestStraightRun(const QPolygonF& line) {
  constexpr double kMaxTurnDegrees = 12;
  QLineF best;
  qsizetype runStart = 0;
  for (qsizetype i = 1; i < line.size(); ++i) {
    const QLineF first(line[runStart], line[std::min(runStart + 1, line.size() - 1)]);
    const QLineF seg(line[i - 1], line[i]);
    const double turn = std::abs(first.angleTo(seg));
    if (std::min(turn, 360 - turn) > kMaxTurnDegrees) runStart = i - 1;
    const QLineF run(line[runStart], line[i]);
    if (run.length() > best.length()) best = run;
  }
  return best;
}

QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

namespace {
// Labels drawn once with their halo and then only copied: outlining the glyphs is the slow
// part of drawing a map, and the same names appear in every picture of a section.
struct LabelImage {
  QImage image;
  QPointF offset;  // from the baseline start to the image's corner
};

const LabelImage& labelImage(const QString& text, const QFont& font, const QColor& colour,
                             double halo) {
  static QHash<QString, LabelImage> cache;
  constexpr qsizetype kMaxCached = 4000;
  const QString key = text + QChar(0) + font.key() + QChar(0) + colour.name(QColor::HexArgb) +
                      QChar(0) + QString::number(halo);
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  if (cache.size() >= kMaxCached) cache.clear();
  QPainterPath path;
  path.addText(QPointF(0, 0), font, text);
  const QRectF bounds = path.boundingRect().adjusted(-halo, -halo, halo, halo);
  LabelImage label{QImage(std::max(1, static_cast<int>(std::ceil(bounds.width()))) + 1,
                          std::max(1, static_cast<int>(std::ceil(bounds.height()))) + 1,
                          QImage::Format_ARGB32_Premultiplied),
                   bounds.topLeft()};
  label.image.fill(Qt::transparent);
  QPainter p(&label.image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.translate(-bounds.topLeft());
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 220), halo, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(path);
  p.end();
  return *cache.insert(key, std::move(label));
}
}  // namespace

void drawHaloText(QPainter& Painter, QPointF BaselineLeft, const QString& Text, const QFont& Font,
                  const QColor& Colour, double HaloWidth) {
  const LabelImage& label = labelImage(Text, Font, Colour, HaloWidth);
  Painter.drawImage(BaselineLeft + label.offset, label.image);
}

struct MapRenderer::Buckets {
  std::vector<const FeatureRecord*> areas, buildings, waterways, railways, paths, places;
  std::array<std::vector<const FeatureRecord*>, 8> roads;
};

MapRenderer::MapRenderer(const geo::CompiledMap& Map) : map_(Map) {}

MapRenderer::Buckets MapRenderer::sort(const std::vector<std::uint32_t>& Ids) const {
  Buckets b;
  const auto features = map_.features();
  for (std::uint32_t id : Ids) {
    const FeatureRecord& f = features[id];
    switch (f.kind) {
      case FeatureKind::Road:
        b.roads[std::min<std::uint8_t>(f.detail, 7)].push_back(&f);
        break;
      case FeatureKind::Path:
        b.paths.push_back(&f);
        break;
      case FeatureKind::Railway:
        b.railways.push_back(&f);
        break;
      case FeatureKind::Waterway:
        b.waterways.push_back(&f);
        break;
      case FeatureKind::Building:
        b.buildings.push_back(&f);
        break;
      case FeatureKind::PlaceLabel:
        b.places.push_back(&f);
        break;
      default:
        b.areas.push_back(&f);
    }
  }
  std::stable_sort(b.areas.begin(), b.areas.end(), [](const auto* l, const auto* r) {
    return mapstyle::areaOrder(l->kind) < mapstyle::areaOrder(r->kind);
  });
  return b;
}

void MapRenderer::render(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) const {
  const PixelMapper px(Viewport);
  Painter.save();
  Painter.setRenderHint(QPainter::Antialiasing, true);
  Painter.fillRect(QRectF(0, 0, Viewport.width(), Viewport.height()), mapstyle::kLand);
  const geo::Box section = Viewport.section();
  const Buckets b = sort(map_.featuresIn(section, Viewport.unitsPerPixel()));
  drawAreas(Painter, px, b);
  drawLines(Painter, px, b);
  drawRoads(Painter, px, b);
  drawOneWayArrows(Painter, px, b);
  LabelPlacer placer(QRectF(0, 0, Viewport.width(), Viewport.height()));
  drawPlaceNames(Painter, px, b, placer);
  drawRoadNames(Painter, px, b, placer);
  drawHouseNumbers(Painter, px, section, placer);
  (void)PrintMode;
  Painter.restore();
}

QPainterPath MapRenderer::ringsPath(const PixelMapper& Px, const FeatureRecord& F) const {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const geo::PointRange& ring : map_.ranges(F.rings)) {
    path.addPolygon(Px.line(map_.points(ring)));
    path.closeSubpath();
  }
  return path;
}

void MapRenderer::drawAreas(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const {
  Painter.setPen(Qt::NoPen);
  for (const FeatureRecord* f : B.areas) {
    Painter.setBrush(mapstyle::areaFill(f->kind));
    Painter.drawPath(ringsPath(Px, *f));
  }
  const bool outlines = Px.unitsPerPixel() < kBuildingOutlineScale;
  Painter.setPen(outlines ? QPen(mapstyle::kBuildingLine, 0.8) : QPen(Qt::NoPen));
  Painter.setBrush(mapstyle::kBuilding);
  for (const FeatureRecord* f : B.buildings) Painter.drawPath(ringsPath(Px, *f));
}

void MapRenderer::drawLines(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const {
  const double upp = Px.unitsPerPixel();
  Painter.setBrush(Qt::NoBrush);
  const auto stroke = [&](const std::vector<const FeatureRecord*>& features, const QPen& pen) {
    Painter.setPen(pen);
    for (const FeatureRecord* f : features) {
      for (const geo::PointRange& part : map_.ranges(f->rings)) {
        Painter.drawPolyline(Px.line(map_.points(part)));
      }
    }
  };
  stroke(B.waterways, QPen(mapstyle::kWater, std::clamp(6.0 / upp, 1.2, 8.0), Qt::SolidLine,
                           Qt::RoundCap, Qt::RoundJoin));
  stroke(B.railways, QPen(mapstyle::kRailway, std::clamp(3.0 / upp, 1.2, 3.0)));
  if (upp < kOneWayScale) {
    QPen sleepers(Qt::white, 1.0, Qt::CustomDashLine);
    sleepers.setDashPattern({6, 6});
    stroke(B.railways, sleepers);
  }
  if (upp < kPathScale) {
    QPen path(mapstyle::kPath, 1.2, Qt::CustomDashLine, Qt::FlatCap);
    path.setDashPattern({2, 2});
    stroke(B.paths, path);
  }
}

void MapRenderer::drawRoads(QPainter& Painter, const PixelMapper& Px, const Buckets& B) const {
  const double upp = Px.unitsPerPixel();
  const int lowestClass = upp < kServiceRoadScale ? 7 : 6;
  // Casings of every class first, minor roads underneath, so crossings join cleanly.
  for (int pass = 0; pass < 2; ++pass) {
    for (int cls = lowestClass; cls >= 0; --cls) {
      const auto& style = mapstyle::roadStyle(static_cast<std::uint8_t>(cls));
      const double width = roadWidth(static_cast<std::uint8_t>(cls), upp);
      const bool casing = pass == 0;
      if (casing && width < 2.0 && cls >= 4) continue;  // too thin for a visible casing
      const QColor colour = casing ? style.casing : style.fill;
      Painter.setPen(QPen(colour, casing ? width + 2.0 : width, Qt::SolidLine,
                          casing ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin));
      for (const FeatureRecord* f : B.roads[cls]) {
        for (const geo::PointRange& part : map_.ranges(f->rings)) {
          Painter.drawPolyline(Px.line(map_.points(part)));
        }
      }
    }
  }
}

void MapRenderer::drawOneWayArrows(QPainter& Painter, const PixelMapper& Px,
                                   const Buckets& B) const {
  if (Px.unitsPerPixel() >= kOneWayScale) return;
  constexpr double spacing = 90;
  Painter.setPen(QPen(mapstyle::kOneWayArrow, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  Painter.setBrush(Qt::NoBrush);
  for (const auto& roads : B.roads) {
    for (const FeatureRecord* f : roads) {
      if (!(f->flags & geo::kFeatureOneWay)) continue;
      for (const geo::PointRange& part : map_.ranges(f->rings)) {
        const QPolygonF line = Px.line(map_.points(part));
        double next = spacing / 2;
        double walked = 0;
        for (qsizetype i = 1; i < line.size(); ++i) {
          const QLineF seg(line[i - 1], line[i]);
          const double len = seg.length();
          while (len > 0 && next <= walked + len) {
            const QPointF at = seg.pointAt((next - walked) / len);
            const double a = std::atan2(seg.dy(), seg.dx());
            const QPointF dir(std::cos(a), std::sin(a));
            const QPointF side(-dir.y(), dir.x());
            const QPointF tail = at - dir * 7;
            Painter.drawLine(tail, at);
            Painter.drawPolyline(
                QPolygonF{at - dir * 3 + side * 2.5, at, at - dir * 3 - side * 2.5});
            next += spacing;
          }
          walked += len;
        }
      }
    }
  }
}

void MapRenderer::drawPlaceNames(QPainter& Painter, const PixelMapper& Px, const Buckets& B,
                                 LabelPlacer& Placer) const {
  std::vector<const FeatureRecord*> places = B.places;
  std::sort(places.begin(), places.end(),
            [](const auto* l, const auto* r) { return l->detail < r->detail; });
  const double upp = Px.unitsPerPixel();
  for (const FeatureRecord* f : places) {
    const auto kind = static_cast<geo::PlaceKind>(f->detail);
    double size = 11;
    bool bold = false;
    QColor colour(0x22, 0x22, 0x22);
    switch (kind) {
      case geo::PlaceKind::City:
        size = 20, bold = true;
        break;
      case geo::PlaceKind::Town:
        size = 17, bold = true;
        break;
      case geo::PlaceKind::Village:
        size = 14, bold = upp > 6;
        break;
      case geo::PlaceKind::Suburb:
        size = 13, colour = QColor(0x55, 0x55, 0x55);
        break;
      default:
        size = 11, colour = QColor(0x55, 0x55, 0x55);
    }
    const QString name = fromUtf8(map_.text(f->name));
    const auto rings = map_.ranges(f->rings);
    if (name.isEmpty() || rings.empty() || rings[0].count == 0) continue;
    const QPointF at = Px(map_.points(rings[0])[0]);
    const QFont font = labelFont(size, bold);
    const QFontMetricsF fm(font);
    const double w = fm.horizontalAdvance(name);
    const QRectF box(at.x() - w / 2 - 2, at.y() - fm.ascent() / 2 - 2, w + 4, fm.height() + 4);
    if (!Placer.claim(box, name)) continue;
    drawHaloText(Painter, QPointF(at.x() - w / 2, at.y() + fm.ascent() / 2), name, font, colour);
  }
}

void MapRenderer::drawRoadNames(QPainter& Painter, const PixelMapper& Px, const Buckets& B,
                                LabelPlacer& Placer) const {
  if (Px.unitsPerPixel() >= kRoadNameScale) return;
  for (int cls = 0; cls < 8; ++cls) {
    const QFont font = labelFont(cls <= 3 ? 11 : 10);
    const QFontMetricsF fm(font);
    for (const FeatureRecord* f : B.roads[cls]) {
      const QString name = fromUtf8(map_.text(f->name));
      if (name.isEmpty()) continue;
      const double textWidth = fm.horizontalAdvance(name);
      for (const geo::PointRange& part : map_.ranges(f->rings)) {
        const QLineF best = longestStraightRun(Px.line(map_.points(part)));
        if (best.length() < textWidth + 12) continue;
        const QPointF mid = best.center();
        double angle = std::atan2(best.dy(), best.dx()) * 180 / std::numbers::pi;
        if (angle > 90) angle -= 180;
        if (angle < -90) angle += 180;
        QTransform turn;
        turn.translate(mid.x(), mid.y());
        turn.rotate(angle);
        const QRectF local(-textWidth / 2 - 2, -fm.height() / 2, textWidth + 4, fm.height());
        if (!Placer.claim(turn.mapRect(local), name)) continue;
        Painter.save();
        Painter.setTransform(turn, true);
        drawHaloText(Painter, QPointF(-textWidth / 2, fm.ascent() / 2 - 1), name, font,
                     mapstyle::kLabel, 2.5);
        Painter.restore();
      }
    }
  }
}

void MapRenderer::drawHouseNumbers(QPainter& Painter, const PixelMapper& Px,
                                   const geo::Box& Section, LabelPlacer& Placer) const {
  if (Px.unitsPerPixel() >= kHouseNumberScale) return;
  const QFont font = labelFont(9);
  const QFontMetricsF fm(font);
  for (const geo::AddressRecord& a : map_.addresses()) {
    if (!Section.contains(a.point)) continue;
    const QString number = fromUtf8(map_.text(a.houseNumber));
    const QPointF at = Px(a.point);
    const double w = fm.horizontalAdvance(number);
    const QRectF box(at.x() - w / 2, at.y() - fm.height() / 2, w, fm.height());
    if (number.isEmpty() || !Placer.claim(box)) continue;
    drawHaloText(Painter, QPointF(at.x() - w / 2, at.y() + fm.ascent() / 2 - 1), number, font,
                 mapstyle::kHouseNumber, 2.0);
  }
}

void MapRenderer::drawDecorations(QPainter& Painter, const geo::Viewport& Viewport) {
  Painter.save();
  Painter.setRenderHint(QPainter::Antialiasing, true);
  const geo::Point centre = Viewport.pixelToMap({Viewport.width() / 2, Viewport.height() / 2});
  double lon = 0, lat = 0;
  geo::mercatorToLonLat({static_cast<double>(centre.x), static_cast<double>(centre.y)}, lon, lat);
  const double metresPerPixel = Viewport.unitsPerPixel() * std::cos(lat * std::numbers::pi / 180.0);
  // The longest round length (1, 2 or 5 times a power of ten) that fits into 120 pixels.
  const double wanted = metresPerPixel * 120;
  double length = std::pow(10.0, std::floor(std::log10(std::max(wanted, 1e-3))));
  for (double step : {5.0, 2.0, 1.0}) {
    if (length * step <= wanted) {
      length *= step;
      break;
    }
  }
  const double barPixels = length / metresPerPixel;
  const QString label = length >= 1000 ? QStringLiteral("%1 km").arg(length / 1000)
                                       : QStringLiteral("%1 m").arg(length);
  const QFont font = labelFont(11);
  const QFontMetricsF fm(font);
  const double x = 10;
  const double y = Viewport.height() - 12;
  Painter.setPen(QPen(Qt::black, 1.5));
  Painter.setBrush(Qt::NoBrush);
  Painter.drawPolyline(QPolygonF{{x, y - 6}, {x, y}, {x + barPixels, y}, {x + barPixels, y - 6}});
  drawHaloText(Painter, QPointF(x + 4, y - 4), label, font, Qt::black, 2.5);

  const QString attribution = QStringLiteral("© OpenStreetMap contributors");
  const QFont small = labelFont(10);
  const QFontMetricsF sm(small);
  const double w = sm.horizontalAdvance(attribution) + 8;
  const QRectF box(Viewport.width() - w, Viewport.height() - sm.height() - 4, w, sm.height() + 4);
  Painter.fillRect(box, QColor(255, 255, 255, 190));
  Painter.setPen(QColor(0x33, 0x33, 0x33));
  Painter.setFont(small);
  Painter.drawText(box, Qt::AlignCenter, attribution);
  Painter.restore();
}
