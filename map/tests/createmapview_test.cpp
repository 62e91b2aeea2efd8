#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "map/component/factory.h"
#include "map/component/imapmodel.h"
#include "map/component/mapmodelimpl.h"
#include "map/component/mapviewimpl.h"
#include "map/mapserver.h"
#include "map/mapview.h"
#include "map/tests/mapfixture.h"

namespace {

// A component whose presenter cannot be made, or whose model refuses views.
class RefusingFactory : public ComponentFactory {
 public:
  bool refusePresenter = false;
  bool refuseViews = false;

  std::shared_ptr<IMapPresenter> CreateMapPresenter() override {
    return refusePresenter ? nullptr : ComponentFactory::CreateMapPresenter();
  }
  std::shared_ptr<ILocator> CreateLocator() override {
    if (!refuseViews) return ComponentFactory::CreateLocator();
    return std::make_shared<RefusingLocator>();
  }

 private:
  class RefusingModel : public MapModelImpl {
   public:
    using MapModelImpl::MapModelImpl;
    ComStatus AddView(const std::shared_ptr<IMapView>&) override {
      return ComFail(QStringLiteral("abgelehnt"));
    }
  };
  class RefusingLocator : public ILocator {
   public:
    ComStatus LoadMap(const QString& Root, IMapPresenter* Presenter) override {
      std::string error;
      std::shared_ptr<const geo::CompiledMap> map =
          geo::CompiledMap::open(Root.toStdString(), error);
      auto* presenter = dynamic_cast<MapPresenterImpl*>(Presenter);
      presenter->addModel(
          std::make_shared<RefusingModel>(QStringLiteral("x"), map, presenter->weak_from_this()));
      return ComStatus::Ok;
    }
    ComStatus Unload() override { return ComStatus::Ok; }
  };
};

struct FactoryScope {
  explicit FactoryScope(ComponentFactory* f) { ComponentFactory::SetInstance(f); }
  ~FactoryScope() { ComponentFactory::SetInstance(nullptr); }
};

}  // namespace

TEST(CreateMapView, BadMapFoldersGiveTwelveWithAReadableReason) {
  QTemporaryDir dir;
  QDir(dir.path()).mkpath(QStringLiteral("empty"));
  QDir(dir.path()).mkpath(QStringLiteral("damaged"));
  QDir(dir.path()).mkpath(QStringLiteral("foreign"));
  QFile::copy(DemoMapDir() + QStringLiteral("/map.zepmap"), dir.filePath("damaged/map.zepmap"));
  {
    QFile damaged(dir.filePath(QStringLiteral("damaged/map.zepmap")));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(damaged.size() / 2);
    damaged.write("kaputt kaputt kaputt");
  }
  {
    QFile foreign(dir.filePath(QStringLiteral("foreign/map.zepmap")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("PK\x03\x04 not a map at all, but long enough to have a header ......");
  }
  for (const char* folder : {"missing", "empty", "damaged", "foreign"}) {
    TMapServer server;
    QWidget host;
    ComClearErrorText();
    std::unique_ptr<TMapView> view(server.CreateMapView(&host, dir.filePath(folder)));
    EXPECT_EQ(server.ErrorNr, 12) << folder;
    EXPECT_NE(ComErrorText(), QStringLiteral("Unbekannter COM-Fehler")) << folder;
    EXPECT_EQ(view->GetIMapView(), nullptr) << folder;
    EXPECT_FALSE(view->ZoomIn()) << folder;
    EXPECT_FALSE(view->ExportMap(dir.filePath("x.jpg"), 10, 10, 0)) << folder;
  }
}

TEST(CreateMapView, RefusingComponentGivesElevenOrThirteen) {
  RefusingFactory factory;
  FactoryScope scope(&factory);
  QWidget host;
  TMapServer server;
  factory.refusePresenter = true;
  std::unique_ptr<TMapView> noPresenter(server.CreateMapView(&host, DemoMapDir()));
  EXPECT_EQ(server.ErrorNr, 11);
  factory.refusePresenter = false;
  factory.refuseViews = true;
  std::unique_ptr<TMapView> refused(server.CreateMapView(&host, DemoMapDir()));
  EXPECT_EQ(server.ErrorNr, 13);
}

TEST(CreateMapView, RunsOnceAndWorksWithoutHostWindow) {
  TMapServer server;
  std::unique_ptr<TMapView> view(server.CreateMapView(nullptr, DemoMapDir()));
  ASSERT_EQ(server.ErrorNr, 0);
  const auto first = view->GetIMapView();
  EXPECT_EQ(view->ClickInteractor(), nullptr);  // no window, no clicks
  EXPECT_EQ(view->CreateMapView(nullptr, QStringLiteral("/does/not/exist")), 0);
  EXPECT_EQ(view->GetIMapView(), first);
}

TEST(CreateMapView, ZeroSizeHostWindowStillDraws) {
  TMapServer server;
  QWidget host;
  host.resize(0, 0);
  std::unique_ptr<TMapView> view(server.CreateMapView(&host, DemoMapDir()));
  ASSERT_EQ(server.ErrorNr, 0);
  view->ZoomTotal();
  QImage image(1, 1, QImage::Format_RGB32);
  view->GetIMapView()->Canvas()->render(&image);
  EXPECT_FALSE(image.isNull());
}
