#pragma once

#include <QImage>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

#include "geo/map/transform.h"
#include "geo/map/viewport.h"
#include "map/component/imapview.h"
#include "map/component/imapviewevents.h"
#include "map/component/itransform.h"

class MapCanvas;
class MapModelImpl;
class MapRenderer;
class QMenu;
class ISelectInteractor;

// The component's map view over a geo::Viewport. It draws the map data once per section into
// a cached picture; panning and zooming show the cached picture moved and scaled at once and
// draw the map data again a moment later.
class MapViewImpl : public IMapView, public std::enable_shared_from_this<MapViewImpl> {
 public:
  // Commands of the view's own context menu entries.
  static constexpr int kCentreHere = 549;
  static constexpr int kZoomIn = 550;
  static constexpr int kZoomOut = 551;
  static constexpr int kZoomTotal = 552;

  MapViewImpl();
  ~MapViewImpl() override;

  ComStatus ShowRect(int Left, int Top, int Right, int Bottom) override;
  ComStatus Zoom(double Factor) override;
  ComStatus ZoomTotal() override;
  ComStatus Pan(int DX, int DY) override;
  ComStatus SetOutputRect(int Left, int Top, int Right, int Bottom) override;
  ComStatus SaveAsImage(const QString& FileName, int ImageFormat) override;
  ComStatus SetOutputMode(int Mode) override;
  ComStatus DrawInto(QPainter* Painter, const QRect& Target) override;

  ComStatus AttachWindow(QWidget* Host) override;
  QWidget* Canvas() const override;
  std::shared_ptr<IMapModel> Model() const override;
  std::shared_ptr<ITransform> Transform() const override { return transform_; }
  TRect Section() const override;

  ComStatus AddInteractor(const std::shared_ptr<IInteractor>& Interactor) override;
  ComStatus RemoveInteractor(IInteractor* Interactor) override;
  int InteractorCount() const override { return static_cast<int>(interactors_.size()); }
  std::shared_ptr<IInteractor> Interactor(int Index) const override;

  ComStatus AddLayerPresenter(const std::shared_ptr<ILayerPresenter>& Presenter) override;
  ComStatus RemoveLayerPresenter(ILayerPresenter* Presenter) override;
  int LayerPresenterCount() const override { return static_cast<int>(layers_.size()); }
  std::shared_ptr<ILayerPresenter> LayerPresenter(int Index) const override;

  ComStatus GetRotation(double& Radians) const override;
  ComStatus SetRotation(double Radians) override;
  ComStatus Refresh() override;

  // ---- for the model and the canvas ----
  void joinModel(const std::shared_ptr<MapModelImpl>& Model);
  void leaveModel();
  const geo::Viewport& viewport() const { return viewport_; }
  void resizeOutput(int Width, int Height);
  // Zooms by Factor keeping the map point under Pixel where it is.
  ComStatus zoomAround(double Factor, QPointF Pixel);
  // Hands a window message to the interactors; answers true when one of them took it.
  bool dispatchMessage(int Message, int X, int Y);
  int selectMode() const;
  int wheelMode() const;
  int panRedrawMs() const;
  int panButtons() const;
  // The context menu at Pixel: the view's entries, then what the event sinks add.
  QMenu* buildContextMenu(QWidget* Parent);
  // A chosen command: the sinks are told, then the view's own commands run.
  void runContextCommand(int Command, QPointF Pixel);

  // Paints map, layers and decorations for the canvas; the map data from the cache when it
  // fits, moved and scaled when it nearly fits.
  void paintWindow(QPainter& Painter);
  // Draws the map data for the current section into the cache now.
  void renderCache();
  bool cacheCurrent() const;

 private:
  void paintOverlays(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode);
  void paintFull(QPainter& Painter, const geo::Viewport& Viewport, bool PrintMode);
  void centreOn(double X, double Y);
  void sectionChanged();
  void scheduleRender();

  geo::Viewport viewport_{640, 480};
  std::shared_ptr<ITransform> transform_;
  std::weak_ptr<MapModelImpl> model_;
  std::unique_ptr<MapRenderer> renderer_;
  QPointer<MapCanvas> canvas_;
  QList<std::shared_ptr<IInteractor>> interactors_;
  QList<std::shared_ptr<ILayerPresenter>> layers_;
  int outputMode_ = 0;

  QImage cache_;
  std::optional<geo::Viewport> cacheViewport_;
  QTimer renderTimer_;
};
