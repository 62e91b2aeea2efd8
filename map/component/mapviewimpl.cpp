#include "map/component/mapviewimpl.h"

#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "map/component/ilayerpresenter.h"
#include "map/component/interactors.h"
#include "map/component/mapcanvas.h"
#include "map/component/mapmodelimpl.h"
#include "map/component/maprenderer.h"
#include "map/component/mapstyle.h"
#include "map/component/routingviewimpl.h"
#include "map/component/viewtransform.h"

namespace {
// Closer than house level or farther than a continent shows nothing useful.
constexpr double kMinUnitsPerPixel = 0.15;
constexpr double kMaxUnitsPerPixel = 20000;
// Pixels of the printer's page that one pixel of the map's drawing may cover at most, so
// lines and texts keep a readable size on paper.
constexpr double kPrintLogicalWidth = 1400;

bool sameView(const geo::Viewport& a, const geo::Viewport& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         a.unitsPerPixel() == b.unitsPerPixel() && a.rotation() == b.rotation() &&
         a.pixelToMap({0, 0}) == b.pixelToMap({0, 0});
}

const char* imageFormatName(int code) {
  switch (code) {
    case 1:
      return "BMP";
    case 2:
      return "PNG";
    case 3:
      return "JPG";
    default:
      return nullptr;
  }
}
}  // namespace

MapViewImpl::MapViewImpl() : transform_(std::make_shared<TransformImpl>(&viewport_)) {
  interactors_.append(std::make_shared<SelectInteractorImpl>());
  interactors_.append(std::make_shared<PanInteractorImpl>());
  interactors_.append(std::make_shared<WheelZoomInteractorImpl>());
  layers_.append(std::make_shared<RoutingViewImpl>(this));
  renderTimer_.setSingleShot(true);
  renderTimer_.setInterval(60);
  QObject::connect(&renderTimer_, &QTimer::timeout, [this] {
    renderCache();
    if (canvas_) canvas_->update();
  });
}

MapViewImpl::~MapViewImpl() { AttachWindow(nullptr); }

void MapViewImpl::joinModel(const std::shared_ptr<MapModelImpl>& Model) {
  model_ = Model;
  renderer_ = std::make_unique<MapRenderer>(*Model->map());
  cacheViewport_.reset();
  const geo::Box b = Model->map()->bounds();
  viewport_.showSection(b);
}

void MapViewImpl::leaveModel() {
  model_.reset();
  renderer_.reset();
  cacheViewport_.reset();
}

std::shared_ptr<IMapModel> MapViewImpl::Model() const { return model_.lock(); }

ComStatus MapViewImpl::ShowRect(int Left, int Top, int Right, int Bottom) {
  const geo::Box box{std::min(Left, Right), std::min(Top, Bottom), std::max(Left, Right),
                     std::max(Top, Bottom)};
  if (!viewport_.showSection(box)) {
    return ComFail(QStringLiteral("Der Kartenausschnitt hat keine Fläche"),
                   ComStatus::InvalidArgument);
  }
  if (viewport_.unitsPerPixel() < kMinUnitsPerPixel)
    viewport_.zoom(kMinUnitsPerPixel / viewport_.unitsPerPixel());
  sectionChanged();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::Zoom(double Factor) {
  return zoomAround(Factor, QPointF(viewport_.width() / 2.0, viewport_.height() / 2.0));
}

ComStatus MapViewImpl::zoomAround(double Factor, QPointF Pixel) {
  if (!(Factor > 0) || !std::isfinite(Factor)) {
    return ComFail(QStringLiteral("Unzulässiger Zoomfaktor"), ComStatus::InvalidArgument);
  }
  const double upp = viewport_.unitsPerPixel();
  const double clamped = std::clamp(upp * Factor, kMinUnitsPerPixel, kMaxUnitsPerPixel) / upp;
  const geo::Point fixed = viewport_.pixelToMap(
      {static_cast<int>(std::lround(Pixel.x())), static_cast<int>(std::lround(Pixel.y()))});
  viewport_.zoom(clamped);
  const geo::Point moved = viewport_.mapToPixel(fixed);
  const geo::Point centre = viewport_.pixelToMap(
      {viewport_.width() / 2 + moved.x - static_cast<int>(std::lround(Pixel.x())),
       viewport_.height() / 2 + moved.y - static_cast<int>(std::lround(Pixel.y()))});
  centreOn(centre.x, centre.y);
  sectionChanged();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::ZoomTotal() {
  const auto model = model_.lock();
  if (!model)
    return ComFail(QStringLiteral("Die Kartenansicht hat keine Karte"), ComStatus::NotReady);
  const TRect b = model->Bounds();
  return ShowRect(b.Left, b.Top, b.Right, b.Bottom);
}

ComStatus MapViewImpl::Pan(int DX, int DY) {
  const geo::Point centre =
      viewport_.pixelToMap({viewport_.width() / 2 + DX, viewport_.height() / 2 + DY});
  centreOn(centre.x, centre.y);
  sectionChanged();
  return ComStatus::Ok;
}

void MapViewImpl::centreOn(double X, double Y) {
  // Showing a box of the window's size around the new centre keeps the scale.
  const double halfW = viewport_.width() * viewport_.unitsPerPixel() / 2;
  const double halfH = viewport_.height() * viewport_.unitsPerPixel() / 2;
  const double upp = viewport_.unitsPerPixel();
  const auto clampInt = [](double v) {
    return static_cast<std::int32_t>(std::clamp(std::round(v), -2.0e9, 2.0e9));
  };
  const geo::Box box{clampInt(X - halfW), clampInt(Y - halfH), clampInt(X + halfW),
                     clampInt(Y + halfH)};
  if (viewport_.showSection(box)) viewport_.zoom(upp / viewport_.unitsPerPixel());
}

ComStatus MapViewImpl::SetOutputRect(int Left, int Top, int Right, int Bottom) {
  if (Right <= Left || Bottom <= Top) {
    return ComFail(QStringLiteral("Der Ausgabebereich hat keine Fläche"),
                   ComStatus::InvalidArgument);
  }
  resizeOutput(Right - Left, Bottom - Top);
  return ComStatus::Ok;
}

void MapViewImpl::resizeOutput(int Width, int Height) {
  if (Width == viewport_.width() && Height == viewport_.height()) return;
  viewport_.setPixelSize(Width, Height);
  sectionChanged();
}

ComStatus MapViewImpl::SaveAsImage(const QString& FileName, int ImageFormat) {
  const char* format = imageFormatName(ImageFormat);
  if (!format) return ComFail(QStringLiteral("Unbekanntes Bildformat %1").arg(ImageFormat));
  if (FileName.isEmpty()) return ComFail(QStringLiteral("Kein Dateiname angegeben"));
  QImage image(viewport_.width(), viewport_.height(), QImage::Format_RGB32);
  QPainter painter(&image);
  paintFull(painter, viewport_, outputMode_ == 3);
  painter.end();
  if (!image.save(FileName, format, 90)) {
    return ComFail(QStringLiteral("Die Datei %1 kann nicht geschrieben werden").arg(FileName));
  }
  return ComStatus::Ok;
}

ComStatus MapViewImpl::SetOutputMode(int Mode) {
  outputMode_ = Mode;
  return ComStatus::Ok;
}

ComStatus MapViewImpl::DrawInto(QPainter* Painter, const QRect& Target) {
  if (!Painter || Target.width() <= 0 || Target.height() <= 0) {
    return ComFail(QStringLiteral("Kein Zeichenbereich"), ComStatus::InvalidArgument);
  }
  if (!renderer_)
    return ComFail(QStringLiteral("Die Kartenansicht hat keine Karte"), ComStatus::NotReady);
  const double scale = std::max(1.0, Target.width() / kPrintLogicalWidth);
  geo::Viewport page = viewport_;
  const geo::Point c0 = viewport_.pixelToMap({0, 0});
  const geo::Point c1 = viewport_.pixelToMap({viewport_.width(), viewport_.height()});
  page.setPixelSize(static_cast<int>(Target.width() / scale),
                    static_cast<int>(Target.height() / scale));
  const double rotation = page.rotation();
  page.setRotation(0);
  page.showSection(
      {std::min(c0.x, c1.x), std::min(c0.y, c1.y), std::max(c0.x, c1.x), std::max(c0.y, c1.y)});
  page.setRotation(rotation);
  Painter->save();
  Painter->setClipRect(Target);
  Painter->translate(Target.topLeft());
  Painter->scale(scale, scale);
  paintFull(*Painter, page, outputMode_ == 3);
  Painter->restore();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::AttachWindow(QWidget* Host) {
  if (canvas_) {
    delete canvas_.data();
    canvas_.clear();
  }
  if (Host) {
    canvas_ = new MapCanvas(this, Host);
    resizeOutput(std::max(1, Host->width()), std::max(1, Host->height()));
    canvas_->show();
  }
  return ComStatus::Ok;
}

QWidget* MapViewImpl::Canvas() const { return canvas_.data(); }

TRect MapViewImpl::Section() const {
  const geo::Box b = viewport_.section();
  return {b.minX, b.maxY, b.maxX, b.minY};
}

ComStatus MapViewImpl::AddInteractor(const std::shared_ptr<IInteractor>& Interactor) {
  if (!Interactor) return ComFail(QStringLiteral("Kein Interaktor"), ComStatus::InvalidArgument);
  if (interactors_.contains(Interactor))
    return ComFail(QStringLiteral("Interaktor schon vorhanden"));
  interactors_.append(Interactor);
  Interactor->Attach(this);
  return ComStatus::Ok;
}

ComStatus MapViewImpl::RemoveInteractor(IInteractor* Interactor) {
  for (qsizetype i = 0; i < interactors_.size(); ++i) {
    if (interactors_[i].get() == Interactor) {
      const auto held = interactors_.takeAt(i);
      held->Attach(nullptr);
      return ComStatus::Ok;
    }
  }
  return ComStatus::False;
}

std::shared_ptr<IInteractor> MapViewImpl::Interactor(int Index) const {
  return Index >= 0 && Index < interactors_.size() ? interactors_[Index] : nullptr;
}

ComStatus MapViewImpl::AddLayerPresenter(const std::shared_ptr<ILayerPresenter>& Presenter) {
  if (!Presenter) return ComFail(QStringLiteral("Keine Ebene"), ComStatus::InvalidArgument);
  if (!layers_.contains(Presenter)) layers_.append(Presenter);
  Refresh();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::RemoveLayerPresenter(ILayerPresenter* Presenter) {
  for (qsizetype i = 0; i < layers_.size(); ++i) {
    if (layers_[i].get() == Presenter) {
      layers_.removeAt(i);
      Refresh();
      return ComStatus::Ok;
    }
  }
  return ComStatus::False;
}

std::shared_ptr<ILayerPresenter> MapViewImpl::LayerPresenter(int Index) const {
  return Index >= 0 && Index < layers_.size() ? layers_[Index] : nullptr;
}

ComStatus MapViewImpl::GetRotation(double& Radians) const {
  Radians = viewport_.rotation();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::SetRotation(double Radians) {
  if (!std::isfinite(Radians))
    return ComFail(QStringLiteral("Unzulässige Drehung"), ComStatus::InvalidArgument);
  viewport_.setRotation(Radians);
  sectionChanged();
  return ComStatus::Ok;
}

ComStatus MapViewImpl::Refresh() {
  if (canvas_) canvas_->update();
  return ComStatus::Ok;
}

void MapViewImpl::sectionChanged() {
  const TRect s = Section();
  if (const auto model = model_.lock()) {
    if (const auto presenter = std::dynamic_pointer_cast<MapPresenterImpl>(model->Presenter())) {
      presenter->notify(
          [&](IMapViewEvents* sink) { sink->SectionChanged(s.Left, s.Top, s.Right, s.Bottom); });
    }
  }
  scheduleRender();
}

void MapViewImpl::scheduleRender() {
  if (!canvas_) return;
  renderTimer_.start();
  canvas_->update();
}

bool MapViewImpl::cacheCurrent() const {
  return cacheViewport_ && sameView(*cacheViewport_, viewport_);
}

void MapViewImpl::renderCache() {
  if (!renderer_) return;
  if (cache_.size() != QSize(viewport_.width(), viewport_.height())) {
    cache_ = QImage(viewport_.width(), viewport_.height(), QImage::Format_RGB32);
  }
  QPainter painter(&cache_);
  renderer_->render(painter, viewport_, false);
  cacheViewport_ = viewport_;
}

void MapViewImpl::paintWindow(QPainter& Painter) {
  const bool movable = cacheViewport_ && cacheViewport_->rotation() == viewport_.rotation() &&
                       cacheViewport_->width() == viewport_.width() &&
                       cacheViewport_->height() == viewport_.height();
  if (!cacheCurrent() && !movable) renderCache();
  if (cacheCurrent()) {
    Painter.drawImage(0, 0, cache_);
  } else if (cacheViewport_) {
    // The picture of the last section, moved and scaled to where it lies now.
    Painter.fillRect(QRect(0, 0, viewport_.width(), viewport_.height()), mapstyle::kLand);
    const geo::Point corner = viewport_.mapToPixel(cacheViewport_->pixelToMap({0, 0}));
    const double scale = cacheViewport_->unitsPerPixel() / viewport_.unitsPerPixel();
    Painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    Painter.drawImage(QRectF(corner.x, corner.y, cache_.width() * scale, cache_.height() * scale),
                      cache_);
  } else {
    Painter.fillRect(QRect(0, 0, viewport_.width(), viewport_.height()), mapstyle::kLand);
  }
  paintOverlays(Painter, viewport_, false);
}

void MapViewImpl::paintFull(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) {
  if (renderer_) {
    renderer_->render(Painter, Viewport, PrintMode);
  } else {
    Painter.fillRect(QRect(0, 0, Viewport.width(), Viewport.height()), mapstyle::kLand);
  }
  paintOverlays(Painter, Viewport, PrintMode);
}

void MapViewImpl::paintOverlays(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) {
  for (const auto& layer : layers_) {
    Painter.save();
    layer->Paint(Painter, Viewport, PrintMode);
    Painter.restore();
  }
  MapRenderer::drawDecorations(Painter, Viewport);
  if (const auto model = model_.lock()) {
    if (const auto presenter = std::dynamic_pointer_cast<MapPresenterImpl>(model->Presenter())) {
      presenter->notify([&](IMapViewEvents* sink) {
        Painter.save();
        sink->DrawingFinished(this, &Painter);
        Painter.restore();
      });
    }
  }
}

bool MapViewImpl::dispatchMessage(int Message, int X, int Y) {
  const auto interactors = interactors_;  // an interactor may remove itself
  for (const auto& interactor : interactors) {
    long result = 0;
    if (Succeeded(interactor->HandleMessage(this, Message, 0, PackPixel(X, Y), result)) &&
        result != 0) {
      return true;
    }
  }
  return false;
}

template <class T>
static const T* findInteractor(const QList<std::shared_ptr<IInteractor>>& list) {
  for (const auto& i : list) {
    if (const auto* found = dynamic_cast<const T*>(i.get())) return found;
  }
  return nullptr;
}

int MapViewImpl::selectMode() const {
  const auto* i = findInteractor<SelectInteractorImpl>(interactors_);
  return i ? i->Mode() : 0;
}

int MapViewImpl::wheelMode() const {
  const auto* i = findInteractor<WheelZoomInteractorImpl>(interactors_);
  return i ? i->mode() : 0;
}

int MapViewImpl::panButtons() const {
  const auto* i = findInteractor<PanInteractorImpl>(interactors_);
  return i ? i->buttons() : 1;
}

int MapViewImpl::panRedrawMs() const {
  const auto* i = findInteractor<PanInteractorImpl>(interactors_);
  return i ? i->redrawMs() : 500;
}

QMenu* MapViewImpl::buildContextMenu(QWidget* Parent) {
  auto* menu = new QMenu(Parent);
  menu->setObjectName(QStringLiteral("MapContextMenu"));
  const auto add = [menu](const QString& text, int command) {
    menu->addAction(text)->setData(command);
  };
  add(QStringLiteral("Hier zentrieren"), kCentreHere);
  add(QStringLiteral("Vergrößern"), kZoomIn);
  add(QStringLiteral("Verkleinern"), kZoomOut);
  add(QStringLiteral("Gesamtansicht"), kZoomTotal);
  if (const auto model = model_.lock()) {
    if (const auto presenter = std::dynamic_pointer_cast<MapPresenterImpl>(model->Presenter())) {
      presenter->notify([&](IMapViewEvents* sink) { sink->ContextMenuOpening(this, menu); });
    }
  }
  return menu;
}

void MapViewImpl::runContextCommand(int Command, QPointF Pixel) {
  bool told = false;
  if (const auto model = model_.lock()) {
    if (const auto presenter = std::dynamic_pointer_cast<MapPresenterImpl>(model->Presenter())) {
      presenter->notify([&](IMapViewEvents* sink) {
        sink->ContextMenuCommand(this, Command);
        told = true;
      });
    }
  }
  // The zoom entries are the connected sink's to carry out; alone, the view does it.
  if (told && Command != kCentreHere) return;
  switch (Command) {
    case kCentreHere:
      Pan(static_cast<int>(Pixel.x()) - viewport_.width() / 2,
          static_cast<int>(Pixel.y()) - viewport_.height() / 2);
      break;
    case kZoomIn:
      Zoom(0.5);
      break;
    case kZoomOut:
      Zoom(2.0);
      break;
    case kZoomTotal:
      ZoomTotal();
      break;
    default:
      break;
  }
}
