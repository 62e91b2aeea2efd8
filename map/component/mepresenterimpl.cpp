#include "map/component/mepresenterimpl.h"

#include <QFileInfo>
#include <QPainter>
#include <QPolygonF>

#include "map/component/imapmodel.h"
#include "map/component/imapview.h"
#include "map/component/maprenderer.h"
#include "map/component/notificationimpl.h"
#include "map/component/pixelmapper.h"

namespace {
constexpr double kSymbolSize = 16;
const QColor kSelectionFrame(0x10, 0x50, 0xd0);

// Colour numbers carry red in the lowest byte.
QColor fromColourNumber(int colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QPointF toPixel(const geo::Viewport& viewport, geo::Point p) {
  const geo::Point px = viewport.mapToPixel(p);
  return QPointF(px.x, px.y);
}

// Marker bitmaps have no alpha; the colour of their lower left pixel is the background.
QImage withTransparentKey(QImage image) {
  if (image.isNull() || image.hasAlphaChannel()) return image;
  const QRgb key = image.pixel(0, image.height() - 1);
  image = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
    }
  }
  return image;
}

// The marker of an order without a picture: a red pin head with a white ring.
void paintDefaultMarker(QPainter& painter, QPointF at) {
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(QColor(0xd0, 0x20, 0x20));
  painter.drawEllipse(at, 6.5, 6.5);
}
}  // namespace

MEPresenterImpl::~MEPresenterImpl() = default;

ComStatus MEPresenterImpl::SetMapView(const std::shared_ptr<IMapView>& View) {
  if (!View || !View->Model()) {
    return ComFail(QStringLiteral("Die Kartenansicht hat keine Karte"), ComStatus::InvalidArgument);
  }
  view_ = View;
  return ComStatus::Ok;
}

ComStatus MEPresenterImpl::joinView(const QString& Name, const QString& VisibleName,
                                    std::shared_ptr<MEModelImpl> Model) {
  const auto view = view_.lock();
  if (!view)
    return ComFail(QStringLiteral("Die Ebene hat keine Kartenansicht"), ComStatus::NotReady);
  if (Name.trimmed().isEmpty()) {
    return ComFail(QStringLiteral("Die Ebene braucht einen Namen"), ComStatus::InvalidArgument);
  }
  name_ = Name;
  visibleName_ = VisibleName.isEmpty() ? Name : VisibleName;
  model_ = std::move(Model);
  model_->setChanged([this] {
    if (const auto v = view_.lock()) v->Refresh();
  });
  selection_ = SelectionRegistry::instance().set(selectionName());
  selection_->Clear();  // a new layer of an old name starts without the old selection
  return view->AddLayerPresenter(shared_from_this());
}

QString MEPresenterImpl::selectionName() const {
  const auto view = view_.lock();
  const auto model = view ? view->Model() : nullptr;
  return (model ? model->Name() : QString()) + QStringLiteral(":MapEdit ") + name_;
}

ComStatus MEPresenterImpl::CreateMemoryLayer(const QString& Name, const QString& VisibleName, int) {
  if (model_) return ComFail(QStringLiteral("Die Ebene %1 besteht schon").arg(name_));
  return joinView(Name, VisibleName, std::make_shared<MEModelImpl>());
}

ComStatus MEPresenterImpl::OpenLayer(const QString& FilePath, int) {
  if (model_) return ComFail(QStringLiteral("Die Ebene %1 besteht schon").arg(name_));
  auto model = std::make_shared<MEModelImpl>();
  model->setFile(FilePath);
  if (!model->load()) return ComStatus::Fail;
  const QString name = QFileInfo(FilePath).completeBaseName();
  return joinView(name, name, std::move(model));
}

ComStatus MEPresenterImpl::CreatePersistentLayer(const QString& Name, const QString& VisibleName,
                                                 const QString& FilePath, int) {
  if (model_) return ComFail(QStringLiteral("Die Ebene %1 besteht schon").arg(name_));
  auto model = std::make_shared<MEModelImpl>();
  model->setFile(FilePath);
  // Writing the empty layer at once tells now whether the file can be kept.
  if (Failed(model->DeleteAllObjects(0)) || !QFileInfo::exists(FilePath)) {
    return ComFail(QStringLiteral("Die Ebenendatei %1 kann nicht angelegt werden").arg(FilePath));
  }
  return joinView(Name, VisibleName, std::move(model));
}

ComStatus MEPresenterImpl::GetModel(std::shared_ptr<IMEModel>& Model) {
  Model = model_;
  return model_ ? ComStatus::Ok
                : ComFail(QStringLiteral("Die Ebene ist nicht angelegt"), ComStatus::NotReady);
}

ComStatus MEPresenterImpl::RemoveLayer(const QString& FullName) {
  if (!model_ || FullName.compare(QStringLiteral("MapEdit ") + name_, Qt::CaseInsensitive) != 0) {
    return ComFail(QStringLiteral("Die Ebene %1 ist nicht vorhanden").arg(FullName));
  }
  model_->setChanged({});
  model_.reset();
  if (const auto view = view_.lock()) view->RemoveLayerPresenter(this);
  return ComStatus::Ok;
}

ComStatus MEPresenterImpl::SetDisplayName(const QString& Name) {
  visibleName_ = Name;
  return ComStatus::Ok;
}

ComStatus MEPresenterImpl::ShowObjectTexts(bool Show, double MaxUnitsPerPixel) {
  showTexts_ = Show;
  if (MaxUnitsPerPixel > 0) textMaxUnitsPerPixel_ = MaxUnitsPerPixel;
  if (const auto view = view_.lock()) view->Refresh();
  return ComStatus::Ok;
}

QList<int> MEPresenterImpl::selection() const {
  return selection_ ? selection_->ids() : QList<int>{};
}

void MEPresenterImpl::selectByUser(const QList<int>& Ids) {
  if (!model_) return;
  SelectionRegistry::instance().selectByUser(selectionName(), Ids);
  if (const auto view = view_.lock()) view->Refresh();
}

QRectF MEPresenterImpl::pixelBox(const MEObject& Object, const geo::Viewport& Viewport) const {
  const QPointF anchor = toPixel(Viewport, Object.Anchor());
  switch (Object.Shape) {
    case 7:
      return QRectF(anchor - QPointF(20, 20), QSizeF(40, 40));
    case 15:
    case 16:
    case 12:
    case 13:
    case 14:
      return QRectF(anchor - QPointF(kSymbolSize / 2, kSymbolSize / 2),
                    QSizeF(kSymbolSize, kSymbolSize));
    default: {
      QPolygonF polygon;
      for (const geo::Point& p : Object.Points) polygon.append(toPixel(Viewport, p));
      return polygon.boundingRect();
    }
  }
}

QList<int> MEPresenterImpl::objectsInside(const QRectF& Pixels,
                                          const geo::Viewport& Viewport) const {
  QList<int> ids;
  if (!model_) return ids;
  for (const MEObject& o : model_->objects()) {
    if (Pixels.contains(toPixel(Viewport, o.Anchor()))) ids.append(o.Id);
  }
  return ids;
}

int MEPresenterImpl::objectAt(QPointF Pixel, const geo::Viewport& Viewport) const {
  if (!model_) return 0;
  int found = 0;
  for (const MEObject& o : model_->objects()) {
    if (pixelBox(o, Viewport).adjusted(-2, -2, 2, 2).contains(Pixel)) found = o.Id;
  }
  return found;
}

const QImage& MEPresenterImpl::picture(const QString& Path) {
  auto it = pictures_.find(Path);
  if (it == pictures_.end()) it = pictures_.insert(Path, withTransparentKey(QImage(Path)));
  return *it;
}

void MEPresenterImpl::Paint(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) {
  if (!model_) return;
  Painter.setRenderHint(QPainter::Antialiasing, true);
  const geo::Box visible = Viewport.section();
  const double margin = 40 * Viewport.unitsPerPixel();
  const auto near = [&](geo::Point p) {
    return p.x >= visible.minX - margin && p.x <= visible.maxX + margin &&
           p.y >= visible.minY - margin && p.y <= visible.maxY + margin;
  };
  const QList<int> selected = selection();
  for (const MEObject& o : model_->objects()) {
    if (!near(o.Anchor())) continue;
    paintObject(Painter, o, Viewport);
    if (!PrintMode && selected.contains(o.Id)) {
      Painter.setPen(QPen(kSelectionFrame, 2));
      Painter.setBrush(Qt::NoBrush);
      Painter.drawRect(pixelBox(o, Viewport).adjusted(-3, -3, 3, 3));
    }
  }
  if (!showTexts_ || Viewport.unitsPerPixel() > textMaxUnitsPerPixel_) return;
  for (const MEObject& o : model_->objects()) {
    if (near(o.Anchor())) paintText(Painter, o, pixelBox(o, Viewport));
  }
}

void MEPresenterImpl::paintText(QPainter& Painter, const MEObject& Object,
                                const QRectF& Box) const {
  if (Object.Text.isEmpty()) return;
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  drawHaloText(Painter, QPointF(Box.right() + 4, Box.center().y() + 4), Object.Text, font,
               QColor(0x10, 0x10, 0x10), 3.0);
}

void MEPresenterImpl::paintObject(QPainter& Painter, const MEObject& Object,
                                  const geo::Viewport& Viewport) {
  const QColor colour = Object.HasColour ? fromColourNumber(Object.Colour) : QColor(Qt::black);
  const QRectF box = pixelBox(Object, Viewport);
  Painter.setPen(QPen(Qt::black, 1));
  Painter.setBrush(colour);
  switch (Object.Shape) {
    case 15:
    case 16: {
      const QImage& image = Object.Picture.isEmpty() ? QImage() : picture(Object.Picture);
      if (image.isNull()) {
        paintDefaultMarker(Painter, box.center());
      } else {
        Painter.drawImage(box, image);
      }
      break;
    }
    case 1:
    case 2:
    case 5:
      Painter.drawRect(box);
      break;
    case 3:
    case 7:
      Painter.drawEllipse(box);
      break;
    case 4:
      Painter.drawRoundedRect(box, 4, 4);
      break;
    case 6:
    case 8:
      Painter.setBrush(Qt::NoBrush);
      Painter.drawRect(box);
      break;
    case 9:
      Painter.setBrush(Qt::NoBrush);
      Painter.drawEllipse(box);
      break;
    case 10:
    case 11: {
      QPolygonF diamond;
      for (const geo::Point& p : Object.Points) diamond.append(toPixel(Viewport, p));
      if (Object.Shape == 11) Painter.setBrush(Qt::NoBrush);
      Painter.drawPolygon(diamond);
      break;
    }
    case 12: {
      const QPointF c = box.center();
      Painter.setPen(QPen(colour, 2));
      Painter.drawLine(c - QPointF(5, 5), c + QPointF(5, 5));
      Painter.drawLine(c - QPointF(5, -5), c + QPointF(5, -5));
      break;
    }
    default:  // text objects: their text is all there is to them
      break;
  }
}
