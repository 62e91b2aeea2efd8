#pragma once

#include <QHash>
#include <QImage>
#include <memory>

#include "map/component/ieditor.h"
#include "map/component/memodelimpl.h"
#include "map/component/selectablelayer.h"

class IMapView;
class NotificationSetImpl;

// An editor layer: its presenter, its view on the map and its drawing. Objects are drawn by
// shape; symbols come from their picture files, a selected object gets a frame.
class MEPresenterImpl : public IMEPresenter3,
                        public IMEView,
                        public SelectableLayer,
                        public std::enable_shared_from_this<MEPresenterImpl> {
 public:
  ~MEPresenterImpl() override;

  // IMEPresenter3
  ComStatus SetMapView(const std::shared_ptr<IMapView>& View) override;
  ComStatus CreateMemoryLayer(const QString& Name, const QString& VisibleName, int Flags) override;
  ComStatus OpenLayer(const QString& FilePath, int Flags) override;
  ComStatus CreatePersistentLayer(const QString& Name, const QString& VisibleName,
                                  const QString& FilePath, int Flags) override;
  ComStatus GetModel(std::shared_ptr<IMEModel>& Model) override;
  ComStatus RemoveLayer(const QString& FullName) override;
  IMEView* Layer() override { return model_ ? this : nullptr; }
  void Paint(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode) override;

  // IMEView
  QString Name() const override { return name_; }
  QString DisplayName() const override { return visibleName_; }
  ComStatus SetDisplayName(const QString& Name) override;
  ComStatus ShowObjectTexts(bool Show, double MaxUnitsPerPixel) override;

  // SelectableLayer
  QList<int> objectsInside(const QRectF& Pixels, const geo::Viewport& Viewport) const override;
  int objectAt(QPointF Pixel, const geo::Viewport& Viewport) const override;
  void selectByUser(const QList<int>& Ids) override;
  QList<int> selection() const override;

 private:
  ComStatus joinView(const QString& Name, const QString& VisibleName,
                     std::shared_ptr<MEModelImpl> Model);
  QString selectionName() const;
  QRectF pixelBox(const MEObject& Object, const geo::Viewport& Viewport) const;
  void paintObject(QPainter& Painter, const MEObject& Object, const geo::Viewport& Viewport);
  void paintText(QPainter& Painter, const MEObject& Object, const QRectF& Box) const;
  const QImage& picture(const QString& Path);

  std::weak_ptr<IMapView> view_;
  std::shared_ptr<MEModelImpl> model_;
  std::shared_ptr<NotificationSetImpl> selection_;
  QString name_;
  QString visibleName_;
  bool showTexts_ = true;
  double textMaxUnitsPerPixel_ = 6;
  QHash<QString, QImage> pictures_;
};
