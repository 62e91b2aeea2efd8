#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "map/component/mapviewimpl.h"
#include "map/tests/mapfixture.h"

namespace {
// The window as it looks once the map data is drawn for the current section (the window
// itself draws it a moment after a change).
QImage Render(TMapView& view) {
  dynamic_cast<MapViewImpl&>(*view.GetIMapView()).renderCache();
  QWidget* canvas = view.GetIMapView()->Canvas();
  QImage image(canvas->size(), QImage::Format_RGB32);
  canvas->render(&image);
  return image;
}

int DistinctColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 4) {
    for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

}  // namespace

using Rendering = MapViewFixture;

TEST_F(Rendering, StationsStartFinishSelectionAndTitleAppearWhereTheTransformSays) {
  AddStation("4711", 1217900, 6482700, "0");
  AddStation("4712", 1218500, 6482100, "3");
  hub.StationList->Start = std::make_unique<TStation>();
  hub.StationList->Start->SetField(4, "1216900");
  hub.StationList->Start->SetField(5, "6482200");
  hub.StationList->Finish = std::make_unique<TStation>();
  hub.StationList->Finish->SetField(4, "1217200");
  hub.StationList->Finish->SetField(5, "6482900");
  view->MapTitle = QStringLiteral("Tour Lindenau");
  view->SetStationsInMap(15, -1, QString());
  view->SelectStation(4712, 0);

  const QImage image = Render(*view);
  ASSERT_EQ(image.size(), QSize(800, 600));
  EXPECT_GT(DistinctColours(image), 20);
  const struct {
    int x, y, colour;
  } markers[] = {
      {1217900, 6482700, 2}, {1218500, 6482100, 5}, {1216900, 6482200, 0}, {1217200, 6482900, 1}};
  for (const auto& m : markers) {
    const QPoint p = PixelOf(m.x, m.y);
    ASSERT_TRUE(image.rect().contains(p));
    // The centre of a symbol is its fill colour (pins have a white dot there: look beside it).
    const QPoint probe = m.colour >= 2 ? p + QPoint(4, 0) : p + QPoint(-3, 3);
    const QRgb expected =
        QImage(MESymbolFile(m.colour)).pixel(8 + (probe.x() - p.x()), 8 + (probe.y() - p.y()));
    EXPECT_EQ(image.pixel(probe), expected) << m.colour;
  }
  // The selection frame (blue) around the selected marker, 11 pixels left of its centre.
  const QPoint selected = PixelOf(1218500, 6482100);
  const QColor frame(image.pixel(selected + QPoint(-11, 0)));
  EXPECT_GT(frame.blue(), 150);
  EXPECT_LT(frame.red(), 80);
  // The title box: black frame at (15, 15), white inside.
  EXPECT_EQ(image.pixel(15, 20), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(16, 17), qRgb(255, 255, 255));
}

TEST_F(Rendering, StationWithoutCoordinatesIsNotDrawn) {
  view->SetMapRect(1217000, 1218000, 6483000, 6482000);
  const TRect before = view->GetMapRect();
  const QImage empty = Render(*view);
  AddStation("1", 0, 0);
  AddStation("2", 1217500, 0);
  view->SetStationsInMap(15, -1, QString());
  EXPECT_EQ(view->GetMapRect(), before);
  EXPECT_EQ(view->MapEditor->m_MEModel->ObjectCount(), 0);
  EXPECT_EQ(hub.StationList->GetStation(0)->Field(27), "-1");
  EXPECT_EQ(Render(*view), empty);
}

using Mouse = MapViewFixture;

TEST_F(Mouse, DragPansTheMapByThePixelsMoved) {
  view->SetMapRect(1216000, 1219200, 6483600, 6481200);
  QWidget* canvas = view->GetIMapView()->Canvas();
  const TRect before = view->GetMapRect();
  const double upp = (before.Right - before.Left) / 800.0;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(400, 300));
  QTest::mouseMove(canvas, QPoint(420, 300));
  QTest::mouseMove(canvas, QPoint(500, 340));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(500, 340));
  const TRect after = view->GetMapRect();
  EXPECT_NEAR(after.Left - before.Left, -100 * upp, 2 * upp);
  EXPECT_NEAR(after.Top - before.Top, 40 * upp, 2 * upp);
}

TEST_F(Mouse, MiddleDragPansAsTheMapViewSetItUp) {
  view->SetMapRect(1216000, 1219200, 6483600, 6481200);
  QWidget* canvas = view->GetIMapView()->Canvas();
  const TRect before = view->GetMapRect();
  QTest::mousePress(canvas, Qt::MiddleButton, {}, QPoint(400, 300));
  QTest::mouseMove(canvas, QPoint(400, 250));
  QTest::mouseRelease(canvas, Qt::MiddleButton, {}, QPoint(400, 250));
  // Dragging the map up shows more of the south.
  EXPECT_LT(view->GetMapRect().Bottom, before.Bottom);
  EXPECT_EQ(view->MapEditor->m_Selection->Count(), 0);
}

TEST_F(Mouse, WheelZoomKeepsThePointUnderTheCursor) {
  view->SetMapRect(1216000, 1219200, 6483600, 6481200);
  QWidget* canvas = view->GetIMapView()->Canvas();
  const QPoint cursor(200, 150);
  TPoint under{cursor.x(), cursor.y()};
  view->GetIMapView()->Transform()->Transform(under, CoordFmt::Pixel, CoordFmt::Map);
  const TRect before = view->GetMapRect();
  for (int delta : {120, 120, -120}) {
    QWheelEvent wheel(cursor, canvas->mapToGlobal(cursor), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
  }
  const TRect after = view->GetMapRect();
  EXPECT_NEAR(after.Right - after.Left, (before.Right - before.Left) / 2.0, 4);
  EXPECT_EQ(PixelOf(under.X, under.Y), cursor);
}

TEST_F(Mouse, RubberBandSelectsExactlyTheMarkersInsideAndTellsOnce) {
  view->SetMapRect(1216000, 1219200, 6483600, 6481200);
  const int inside[][2] = {{1217000, 6482800}, {1217400, 6482400}};
  const int outside[][2] = {{1218800, 6482800}, {1217000, 6481500}};
  int nr = 1;
  for (const auto& p : inside) AddStation(QString::number(nr++), p[0], p[1]);
  for (const auto& p : outside) AddStation(QString::number(nr++), p[0], p[1]);
  view->SetStationsInMap(15, -1, QString());
  view->SetMapRect(1216000, 1219200, 6483600, 6481200);
  int told = 0;
  view->AfterSelectionChangedProc = [&] { ++told; };

  const QPoint from = PixelOf(1216800, 6483000);
  const QPoint to = PixelOf(1217600, 6482200);
  QWidget* canvas = view->GetIMapView()->Canvas();
  const TRect section = view->GetMapRect();
  QTest::mousePress(canvas, Qt::LeftButton, Qt::ShiftModifier, from);
  QTest::mouseMove(canvas, (from + to) / 2);
  QTest::mouseMove(canvas, to);
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ShiftModifier, to);

  EXPECT_EQ(view->GetMapRect(), section);  // the band does not pan
  EXPECT_EQ(told, 1);
  EXPECT_TRUE(view->SelectionMode);
  QStringList names;
  for (int i = 0; i < view->SelectedStationList->Count(); ++i) {
    names.append(view->SelectedStationList->Names(i));
  }
  names.sort();
  EXPECT_EQ(names, (QStringList{"1", "2"}));
}

TEST_F(Mouse, RightClickIsRecordedBeforeTheMenuOpens) {
  QWidget* canvas = view->GetIMapView()->Canvas();
  QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(300, 200));
  TPoint expected{300, 200};
  view->GetIMapView()->Transform()->Transform(expected, CoordFmt::Pixel, CoordFmt::Map);
  tagPOINT p;
  ASSERT_TRUE(view->ClickInteractor()->GetRightClickPoint(p));
  EXPECT_EQ(p, expected);
  auto* menu = canvas->findChild<QMenu*>(QStringLiteral("MapContextMenu"));
  ASSERT_NE(menu, nullptr);
  menu->close();
}
