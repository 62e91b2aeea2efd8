#include "map/component/routingviewimpl.h"

#include <QPainter>

#include "map/component/imapview.h"
#include "map/component/maprenderer.h"
#include "map/component/pixelmapper.h"
#include "map/component/routeimpl.h"

namespace {
constexpr int kNumberedWaypoints = 7;
const QColor kRouteLine(0x1e, 0x6f, 0xd9);
const QColor kRouteCasing(0x0b, 0x3d, 0x91);
}  // namespace

ComStatus RoutingViewImpl::ShowRoute(const std::shared_ptr<IRoute>& Route) {
  auto route = std::dynamic_pointer_cast<RouteImpl>(Route);
  if (!route) return ComFail(QStringLiteral("Fremde Route"), ComStatus::NoInterface);
  routes_.append(route);
  route->setChanged([view = view_] { view->Refresh(); });
  return ComStatus::Ok;
}

ComStatus RoutingViewImpl::SetDisplayOption(int Option, bool On) {
  if (Option == kNumberedWaypoints) numbers_ = On;
  view_->Refresh();
  return ComStatus::Ok;
}

void RoutingViewImpl::Paint(QPainter& Painter, const geo::Viewport& Viewport, bool) {
  const PixelMapper px(Viewport);
  Painter.setRenderHint(QPainter::Antialiasing, true);
  for (const auto& weak : routes_) {
    const auto route = weak.lock();
    if (!route || !route->drawn()) continue;
    const QPolygonF line = px.line(route->result()->geometry);
    Painter.setBrush(Qt::NoBrush);
    Painter.setPen(QPen(kRouteCasing, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPolyline(line);
    Painter.setPen(QPen(kRouteLine, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    Painter.drawPolyline(line);
    if (!numbers_) continue;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    Painter.setFont(font);
    const auto& waypoints = route->result()->waypoints;
    for (std::size_t i = 0; i < waypoints.size(); ++i) {
      const QPointF at = px(waypoints[i].point);
      Painter.setPen(QPen(Qt::white, 1.5));
      Painter.setBrush(kRouteCasing);
      Painter.drawEllipse(at, 8, 8);
      Painter.setPen(Qt::white);
      Painter.drawText(QRectF(at.x() - 8, at.y() - 8, 16, 16), Qt::AlignCenter,
                       QString::number(i + 1));
    }
  }
}
