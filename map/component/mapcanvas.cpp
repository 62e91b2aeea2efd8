#include "map/component/mapcanvas.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "map/component/comtypes.h"
#include "map/component/ilayerpresenter.h"
#include "map/component/mapviewimpl.h"
#include "map/component/selectablelayer.h"

namespace {
// Movement below this many pixels still counts as a click.
constexpr int kClickSlop = 3;
}  // namespace

MapCanvas::MapCanvas(MapViewImpl* View, QWidget* Host) : QWidget(Host), view_(View) {
  setObjectName(QStringLiteral("MapCanvas"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  setGeometry(Host->rect());
  Host->installEventFilter(this);
  lastFullDraw_.start();
}

bool MapCanvas::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == parent() && Event->type() == QEvent::Resize) {
    setGeometry(parentWidget()->rect());
  }
  return false;
}

void MapCanvas::resizeEvent(QResizeEvent*) {
  view_->resizeOutput(std::max(1, width()), std::max(1, height()));
}

void MapCanvas::paintEvent(QPaintEvent*) {
  // While the mouse moves the map, the map data is drawn again now and then, not every frame.
  if (!view_->cacheCurrent() && lastFullDraw_.elapsed() >= view_->panRedrawMs()) {
    view_->renderCache();
    lastFullDraw_.restart();
  }
  QPainter painter(this);
  view_->paintWindow(painter);
  if (rubberBand_ && dragged_) {
    painter.setPen(QPen(QColor(0x20, 0x60, 0xc0), 1, Qt::DashLine));
    painter.setBrush(QColor(0x20, 0x60, 0xc0, 40));
    painter.drawRect(QRect(pressPos_, lastPos_).normalized());
  }
}

void MapCanvas::mousePressEvent(QMouseEvent* Event) {
  const QPoint p = Event->position().toPoint();
  const bool left = Event->button() == Qt::LeftButton;
  const bool right = Event->button() == Qt::RightButton;
  if (Event->button() == Qt::MiddleButton && view_->panButtons() == 2) {
    pressed_ = true;
    dragged_ = rubberBand_ = false;
    pressPos_ = lastPos_ = p;
    return;
  }
  if (!left && !right) return;
  if (view_->dispatchMessage(left ? MapMessage::LeftButtonDown : MapMessage::RightButtonDown, p.x(),
                             p.y())) {
    return;
  }
  if (right) {
    openContextMenu(p);
    return;
  }
  pressed_ = true;
  dragged_ = false;
  rubberBand_ = view_->selectMode() == 3 && (Event->modifiers() & Qt::ShiftModifier);
  pressPos_ = lastPos_ = p;
}

void MapCanvas::mouseMoveEvent(QMouseEvent* Event) {
  if (!pressed_) return;
  const QPoint p = Event->position().toPoint();
  if ((p - pressPos_).manhattanLength() > kClickSlop) dragged_ = true;
  if (!dragged_) return;
  if (!rubberBand_) view_->Pan(lastPos_.x() - p.x(), lastPos_.y() - p.y());
  lastPos_ = p;
  update();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* Event) {
  if (!pressed_ || Event->button() == Qt::RightButton) return;
  pressed_ = false;
  const QPoint p = Event->position().toPoint();
  if (Event->button() == Qt::MiddleButton) {
    dragged_ = false;
    return;
  }
  view_->dispatchMessage(MapMessage::LeftButtonUp, p.x(), p.y());
  if (rubberBand_ && dragged_) {
    rubberBandSelect(QRect(pressPos_, p).normalized());
  } else if (!dragged_) {
    clickSelect(p);
  }
  rubberBand_ = dragged_ = false;
  update();
}

void MapCanvas::wheelEvent(QWheelEvent* Event) {
  const int mode = view_->wheelMode();
  const int delta = Event->angleDelta().y();
  if (mode == 0 || delta == 0) return;
  // One notch (120) halves or doubles the ground shown.
  const double factor = std::pow(2.0, -delta / 120.0);
  const QPointF at = mode == 2 ? Event->position() : QPointF(width() / 2.0, height() / 2.0);
  view_->zoomAround(factor, at);
  Event->accept();
}

void MapCanvas::clickSelect(QPoint Pixel) {
  const int mode = view_->selectMode();
  if (mode == 0) return;
  for (int i = view_->LayerPresenterCount() - 1; i >= 0; --i) {
    auto* layer = dynamic_cast<SelectableLayer*>(view_->LayerPresenter(i).get());
    if (!layer) continue;
    const int id = layer->objectAt(Pixel, view_->viewport());
    QList<int> ids = layer->selection();
    if (id == 0) {
      if (mode == 3 && !ids.isEmpty()) layer->selectByUser({});
      continue;
    }
    if (mode == 2) {
      if (ids.contains(id)) {
        ids.removeAll(id);
      } else {
        ids.append(id);
      }
    } else {
      ids = {id};
    }
    layer->selectByUser(ids);
    return;
  }
}

void MapCanvas::rubberBandSelect(const QRect& Pixels) {
  for (int i = 0; i < view_->LayerPresenterCount(); ++i) {
    if (auto* layer = dynamic_cast<SelectableLayer*>(view_->LayerPresenter(i).get())) {
      layer->selectByUser(layer->objectsInside(Pixels, view_->viewport()));
    }
  }
}

void MapCanvas::openContextMenu(QPoint Pixel) {
  QMenu* menu = view_->buildContextMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  connect(menu, &QMenu::triggered, this, [this, Pixel](QAction* action) {
    if (action->data().isValid()) view_->runContextCommand(action->data().toInt(), Pixel);
  });
  menu->popup(mapToGlobal(Pixel));
}
