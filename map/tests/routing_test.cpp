#include <QTest>

#include "map/component/imapmodel.h"
#include "map/component/irouting.h"
#include "map/tests/mapfixture.h"

namespace {
struct Sink : IRoutingEvents, IRoutingProgress {
  ComStatus RouteCalculated(int RouteNr, int Distance, int Duration) override {
    calculated.append({RouteNr, Distance, Duration});
    return ComStatus::Ok;
  }
  ComStatus Error(int Nr, const QString& Text) override {
    errors.append(QStringLiteral("%1 %2").arg(Nr).arg(Text));
    return ComStatus::Ok;
  }
  ComStatus RouteListed(int) override {
    ++listed;
    return ComStatus::Ok;
  }
  ComStatus StationsOptimized(int Seq, int Status, const VariantArray2D& Answer) override {
    sequence = Seq;
    status = Status;
    answer = Answer;
    ++optimised;
    return ComStatus::Ok;
  }
  ComStatus Progress(const QString& Code, int Percent, bool& Continue) override {
    progress.append(Code + QString::number(Percent));
    Continue = true;
    return ComStatus::Ok;
  }
  QList<QList<int>> calculated;
  QStringList errors, progress;
  int listed = 0, optimised = 0, sequence = 0, status = 1;
  VariantArray2D answer;
};

CodedRecord Waypoint(const QString& label, int x, int y) {
  return {{2, label}, {3, QString::number(x)}, {4, QString::number(y)}};
}
}  // namespace

class Routing : public MapViewFixture {
 protected:
  void SetUp() override {
    MapViewFixture::SetUp();
    ASSERT_TRUE(Succeeded(view->m_MapModel->GetRouteLister(lister)));
    ASSERT_TRUE(Succeeded(lister->NewRoute(route)));
    lister->Advise(static_cast<IRoutingEvents*>(&sink), eventsCookie);
    lister->Advise(static_cast<IRoutingProgress*>(&sink), progressCookie);
  }
  void TearDown() override {
    lister->Unadvise(eventsCookie);
    lister->Unadvise(progressCookie);
  }
  std::shared_ptr<IRouteLister5> lister;
  std::shared_ptr<IRoute> route;
  Sink sink;
  int eventsCookie = 0, progressCookie = 0;
};

TEST_F(Routing, CalculationEndsWithEventsAndAListing) {
  route->SetWaypoints({Waypoint("Start", 1216900, 6482200), Waypoint("Ziel", 1218200, 6483000)});
  ASSERT_TRUE(Succeeded(lister->CalculateRoute(route.get(), true)));
  EXPECT_TRUE(sink.calculated.isEmpty());  // never inside the call
  ASSERT_TRUE(QTest::qWaitFor([&] { return sink.listed > 0 || !sink.errors.isEmpty(); }, 10000));
  ASSERT_EQ(sink.calculated.size(), 1) << qPrintable(sink.errors.join(", "));
  EXPECT_GT(sink.calculated[0][1], 1000);
  EXPECT_GT(sink.calculated[0][2], 0);
  TRect box;
  ASSERT_TRUE(Succeeded(route->GetBoundingRect(-1, box)));
  EXPECT_LT(box.Left, box.Right);
  EXPECT_LT(box.Bottom, box.Top);
  QList<CodedRecord> listing;
  ASSERT_TRUE(Succeeded(lister->ListRoute(route.get(), 0, 2, 0, listing)));
  int flags = 0;
  for (const CodedRecord& row : listing) {
    ASSERT_GE(row.size(), 10);
    if (row[9].second.toString().trimmed().indexOf("flag") == 1) ++flags;
  }
  EXPECT_EQ(flags, 2);
  EXPECT_TRUE(sink.progress.contains("%1100"));
}

TEST_F(Routing, TooFewWaypointsAreRefusedAtOnce) {
  route->SetWaypoints({Waypoint("Start", 1216900, 6482200)});
  EXPECT_TRUE(Failed(lister->CalculateRoute(route.get(), false)));
  EXPECT_NE(ComErrorText(), "Unbekannter COM-Fehler");
  QList<CodedRecord> listing;
  EXPECT_TRUE(Failed(lister->ListRoute(route.get(), 0, 2, 0, listing)));
}

TEST_F(Routing, OptimisationAnswersEveryWaypointInItsNewOrder) {
  VariantArray2D table;
  const int points[][2] = {
      {1216900, 6482200}, {1218500, 6482100}, {1217000, 6482250}, {1218400, 6482150}};
  int id = 1;
  for (const auto& p : points) table.Columns.append({id++, p[0], p[1], 27000, 72000, 600});
  route->SetWaypoints(
      {Waypoint("1", points[0][0], points[0][1]), Waypoint("2", points[1][0], points[1][1]),
       Waypoint("3", points[2][0], points[2][1]), Waypoint("4", points[3][0], points[3][1])});
  ASSERT_TRUE(Succeeded(lister->OptimizeRoute(route.get(), table, {1, 2, 2, 4, 0, 0, 0, 0})));
  ASSERT_TRUE(QTest::qWaitFor([&] { return sink.optimised > 0; }, 10000));
  EXPECT_EQ(sink.status, 0);
  ASSERT_EQ(sink.answer.ColumnCount(), 4);
  EXPECT_EQ(sink.answer.At(0, 0).toInt(), 1);  // the first waypoint stays first
  QList<int> ids;
  for (int c = 0; c < 4; ++c) ids.append(sink.answer.At(0, c).toInt());
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (QList<int>{1, 2, 3, 4}));
  EXPECT_TRUE(Succeeded(route->AcceptOptimizedOrder(sink.sequence)));
  EXPECT_TRUE(Failed(route->AcceptOptimizedOrder(sink.sequence)));
}

TEST_F(Routing, EveryViewHasARoutingViewThatDrawsTheRoute) {
  std::shared_ptr<IRoutingView2> routingView;
  for (int i = 0; i < view->GetIMapView()->LayerPresenterCount(); ++i) {
    routingView = std::dynamic_pointer_cast<IRoutingView2>(view->GetIMapView()->LayerPresenter(i));
    if (routingView) break;
  }
  ASSERT_NE(routingView, nullptr);
  routingView->ShowRoute(route);
  route->SetWaypoints({Waypoint("Start", 1216900, 6482200), Waypoint("Ziel", 1218500, 6482100)});
  lister->CalculateRoute(route.get(), true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return sink.listed > 0; }, 10000));
  view->SetMapRect(1216500, 1219000, 6483400, 6481500);
  QImage image(800, 600, QImage::Format_RGB32);
  view->GetIMapView()->Canvas()->render(&image);
  int blue = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) blue += image.pixel(x, y) == qRgb(0x1e, 0x6f, 0xd9);
  }
  EXPECT_GT(blue, 50);
  lister->RemoveDrawing(route.get(), -1, 0);
  view->GetIMapView()->Canvas()->render(&image);
  blue = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) blue += image.pixel(x, y) == qRgb(0x1e, 0x6f, 0xd9);
  }
  EXPECT_EQ(blue, 0);
}
