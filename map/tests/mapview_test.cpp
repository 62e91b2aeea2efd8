#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <cmath>
#include <numbers>

#include "map/clickinteractor.h"
#include "map/component/factory.h"
#include "map/component/mapviewimpl.h"
#include "map/tests/mapfixture.h"

using MapView = MapViewFixture;

namespace {
// A map view without window over a view of class SpyView, which the test can look into.
template <class SpyView>
struct SpiedMapView {
  struct Factory : ComponentFactory {
    std::shared_ptr<IMapView> CreateExtMapView() override {
      spy = std::make_shared<SpyView>();
      return spy;
    }
    std::shared_ptr<SpyView> spy;
  };

  SpiedMapView() {
    ComponentFactory::SetInstance(&factory);
    view.reset(server.CreateMapView(nullptr, DemoMapDir()));
    ComponentFactory::SetInstance(nullptr);
  }

  Factory factory;
  TMapServer server;
  std::unique_ptr<TMapView> view;
};
}  // namespace

TEST_F(MapView, SetMapRectFromLinesUsesDefaultsForWhatIsNoNumber) {
  const auto section = [&] { return view->GetMapRect(); };
  ASSERT_TRUE(view->SetMapRect(QStringList{"1217000", "1219000", "6483000", "6481000"}));
  const TRect shown = section();
  EXPECT_LE(shown.Left, 1217000);
  EXPECT_GE(shown.Right, 1219000);
  EXPECT_GE(shown.Top, 6483000);
  EXPECT_LE(shown.Bottom, 6481000);

  EXPECT_FALSE(view->SetMapRect(QStringList{"1217000", "1219000", "6483000"}));
  EXPECT_EQ(section(), shown);

  // "x" reads as the default left 700000: the section now reaches far to the west.
  ASSERT_TRUE(view->SetMapRect(QStringList{"x", "1219000", "6483000", "6481000"}));
  EXPECT_LE(section().Left, 700000);
  EXPECT_GE(section().Right, 1219000);
}

TEST_F(MapView, StationsFitTheSectionWithFivePercentMargin) {
  // The window is 800 x 600, so a box of 4:3 is shown exactly.
  struct Case {
    std::vector<std::array<int, 2>> points;
    TRect expected;
  } cases[] = {
      {{{1217000, 6481000}, {1218600, 6482200}}, {1216920, 6482260, 1218680, 6480940}},
      {{{1217000, 6481000}, {0, 6490000}, {1218600, 6482200}, {1219000, 0}},
       {1216920, 6482260, 1218680, 6480940}},
  };
  for (const Case& c : cases) {
    hub.StationList->Clear();
    for (const auto& p : c.points) AddStation(QStringLiteral("7"), p[0], p[1]);
    ASSERT_TRUE(view->SetMapRect(*hub.StationList));
    const TRect r = view->GetMapRect();
    EXPECT_NEAR(r.Left, c.expected.Left, 2);
    EXPECT_NEAR(r.Right, c.expected.Right, 2);
    EXPECT_NEAR(r.Top, c.expected.Top, 2);
    EXPECT_NEAR(r.Bottom, c.expected.Bottom, 2);
  }
}

TEST_F(MapView, StationsWithoutCoordinatesLeaveTheSectionAlone) {
  view->SetMapRect(1217000, 1219000, 6483000, 6481000);
  const TRect before = view->GetMapRect();
  AddStation(QStringLiteral("1"), 0, 0);
  hub.StationList->Start = std::make_unique<TStation>();
  EXPECT_TRUE(view->SetMapRect(*hub.StationList));
  EXPECT_EQ(view->GetMapRect(), before);
  hub.StationList->Clear();
  hub.StationList->Start.reset();
  EXPECT_TRUE(view->SetMapRect(*hub.StationList));
  EXPECT_EQ(view->GetMapRect(), before);
}

TEST(MapViewMargins, TwoStationsGiveTheDocumentedSection) {
  // The margins of (100, 300) and (300, 500): 200 / 20 = 10 on every side.
  class RecordingView : public MapViewImpl {
   public:
    ComStatus ShowRect(int L, int T, int R, int B) override {
      shown = {L, T, R, B};
      return MapViewImpl::ShowRect(L, T, R, B);
    }
    TRect shown;
  };
  SpiedMapView<RecordingView> spied;
  TStationList list;
  for (const auto& [x, y] : {std::pair{100, 300}, std::pair{300, 500}}) {
    auto* s = new TStation();
    s->SetField(4, QString::number(x));
    s->SetField(5, QString::number(y));
    list.AddObject(QStringLiteral("1"), s);
  }
  ASSERT_TRUE(spied.view->SetMapRect(list));
  EXPECT_EQ(spied.factory.spy->shown, (TRect{90, 510, 310, 290}));
}

TEST(MapViewRotation, IsSetOnlyWhenItChanges) {
  class CountingView : public MapViewImpl {
   public:
    ComStatus SetRotation(double Radians) override {
      ++calls;
      return MapViewImpl::SetRotation(Radians);
    }
    int calls = 0;
  };
  SpiedMapView<CountingView> spied;
  spied.view->SetMapRotation(90);
  double radians = 0;
  spied.factory.spy->GetRotation(radians);
  EXPECT_DOUBLE_EQ(radians, std::numbers::pi / 2);
  spied.view->SetMapRotation(90);
  EXPECT_EQ(spied.factory.spy->calls, 1);
  spied.view->SetMapRotation(0);
  EXPECT_EQ(spied.factory.spy->calls, 2);
}

TEST(TitleBox, GeometryFollowsTheTextSize) {
  const struct {
    int w, h;
    QRect box;
    QPoint text;
  } cases[] = {
      {100, 13, QRect(QPoint(15, 15), QPoint(118, 29)), QPoint(17, 15)},
      {1, 1, QRect(QPoint(15, 15), QPoint(19, 5)), QPoint(17, 3)},
  };
  for (const auto& c : cases) {
    const TTitleBox t = TitleBoxGeometry(c.w, c.h);
    EXPECT_EQ(t.Box.topLeft(), c.box.topLeft());
    EXPECT_EQ(t.Box.bottomRight(), c.box.bottomRight());
    EXPECT_EQ(t.TextAt, c.text);
  }
}

TEST_F(MapView, ClickInteractorStoresTheMapPointOfTheClick) {
  TClickInteractor* click = view->ClickInteractor();
  ASSERT_NE(click, nullptr);
  tagPOINT p;
  EXPECT_TRUE(click->GetRightClickPoint(p));  // (0, 0) before the first click
  EXPECT_EQ(p, (tagPOINT{0, 0}));

  long result = -1;
  click->HandleMessage(nullptr, MapMessage::RightButtonDown, 0, PackPixel(300, 200), result);
  EXPECT_EQ(result, 0);
  TPoint expected{300, 200};
  view->GetIMapView()->Transform()->Transform(expected, CoordFmt::Pixel, CoordFmt::Map);
  ASSERT_TRUE(click->GetRightClickPoint(p));
  EXPECT_EQ(p, expected);
  EXPECT_TRUE(click->GetLeftClickPoint(p));
  EXPECT_EQ(p, (tagPOINT{0, 0}));

  // A point west of the map's origin has a negative x: no usable click point.
  view->SetMapRect(-5000, 5000, 4000, -4000);
  click->HandleMessage(nullptr, MapMessage::LeftButtonDown, 0, PackPixel(10, 10), result);
  EXPECT_FALSE(click->GetLeftClickPoint(p));
}

TEST_F(MapView, ExportMapWritesAJpegOfTheRequestedSize) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("karte.jpg"));
  ASSERT_TRUE(view->ExportMap(file, 640, 400, 0));
  QImageReader reader(file);
  EXPECT_EQ(reader.format(), "jpeg");
  EXPECT_EQ(reader.size(), QSize(640, 400));
  // The window keeps drawing at its own size.
  EXPECT_EQ(view->GetIMapView()->Canvas()->size(), QSize(800, 600));

  EXPECT_FALSE(view->ExportMap(QString(), 640, 400, 0));
  EXPECT_FALSE(view->ExportMap(dir.filePath(QStringLiteral("leer.jpg")), 0, 400, 0));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("leer.jpg"))));
  EXPECT_FALSE(view->ExportMap(dir.filePath(QStringLiteral("fehlt/karte.jpg")), 64, 40, 0));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"karte.jpg"});
}

TEST_F(MapView, PrintMapWritesOnePagePerCopy) {
  QTemporaryDir dir;
  for (int copies : {1, 3}) {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = dir.filePath(QStringLiteral("druck%1.pdf").arg(copies));
    printer.setOutputFileName(file);
    view->SetPrinter(&printer);
    view->PrintingTitle = QStringLiteral("Karte");
    view->PrintingHeader = QStringLiteral("Tour Lindenau");
    ASSERT_TRUE(view->PrintMap(copies));
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
        copies)
        << copies;
  }
}
