#include "map/routeresults.h"

#include <gtest/gtest.h>

#include "map/routing.h"
#include "planning/mapserverdata.h"
#include "planning/routingresultlist.h"

namespace {
class RouteResults : public testing::Test {
 protected:
  void SetUp() override { routing.SetMapServerData(&hub); }

  void Add(const QString& Nr, const QString& From = "28800", const QString& Stay = "1800") {
    auto* s = new TStation();
    s->SetField(0, Nr);
    s->SetField(21, From);
    s->SetField(23, Stay);
    hub.StationList->AddObject(Nr, s);
  }
  // Answer columns (order number, arrival, distance, waiting[, day]).
  static VariantArray2D Answer(const QList<QVariantList>& Columns) {
    VariantArray2D a;
    a.Columns = Columns;
    return a;
  }
  QStringList Field(int F) const {
    QStringList values;
    for (int i = 0; i < hub.StationList->Count(); ++i)
      values << hub.StationList->GetStationDataValue(i, F);
    return values;
  }

  TMapServerData hub;
  TRouting routing;
};
}  // namespace

TEST(NextValidDay, SkipsForbiddenWeekdaysAndDaysOfTheMonth) {
  const struct {
    QDate from;
    const char* mask;
    QDate next;
  } cases[] = {
      {QDate(2026, 12, 10), "1111100", QDate(2026, 12, 11)},  // Thursday → Friday
      {QDate(2026, 12, 11), "1111100", QDate(2026, 12, 14)},  // Friday → Monday
      {QDate(2026, 12, 11), "11111", QDate(2026, 12, 12)},    // a short mask allows the rest
      {QDate(2026, 12, 11), "", QDate(2026, 12, 12)},
      {QDate(2026, 12, 14), "11111111111111011111111111111111", QDate(2026, 12, 16)},
      {QDate(2026, 12, 11), "0000000", QDate(2027, 12, 12)},  // nothing allowed: a year on
  };
  for (const auto& c : cases) EXPECT_EQ(NextValidDay(c.from, c.mask), c.next) << c.mask;
}

TEST_F(RouteResults, AnswersPutTheListInOrderAndDateArrivalsOnAllowedDays) {
  const struct {
    QDate start;
    const char* mask;
    QList<QVariantList> answer;
    QStringList order;
    QStringList arrivals;
  } cases[] = {
      // Friday start; the tour goes on when the arrival time falls back: next Monday.
      {QDate(2026, 12, 11),
       "1111100",
       {{7, 30000, 0, 0}, {3, 40000, 5000, 0}, {9, 29000, 9000, 60}},
       {"7", "3", "9"},
       {"11.12.2026 08:20", "11.12.2026 11:06", "14.12.2026 08:03"}},
      // Saturday start: the first day is Monday.
      {QDate(2026, 12, 12),
       "1111100",
       {{3, 30000, 0, 0}, {7, 31000, 1, 0}, {9, 32000, 2, 0}},
       {"3", "7", "9"},
       {"14.12.2026 08:20", "14.12.2026 08:36", "14.12.2026 08:53"}},
      // The optimiser's day count moves on even when the clock time does not fall back.
      {QDate(2026, 12, 11),
       "1111100",
       {{9, 30000, 0, 0, 0}, {3, 40000, 1, 0, 1}, {7, 50000, 2, 0, 1}},
       {"9", "3", "7"},
       {"11.12.2026 08:20", "14.12.2026 11:06", "14.12.2026 13:53"}},
      // An order number the list does not have is skipped; unnamed stations stay behind.
      {QDate(2026, 12, 11),
       "",
       {{42, 1, 1, 1}, {9, 30000, 0, 0}},
       {"9", "7", "3"},
       {"11.12.2026 08:20", "", ""}},
  };
  for (const auto& c : cases) {
    hub.StationList->Clear();
    for (const char* nr : {"3", "7", "9"}) Add(nr);
    routing.RoutingStartTime = TDateTime::FromQDate(c.start);
    routing.ApplyOptimizationResult(Answer(c.answer), c.mask);
    EXPECT_EQ(Field(0), c.order);
    EXPECT_EQ(Field(24), c.arrivals);
  }
}

TEST_F(RouteResults, TotalsOfTheTourAreDrivingAndWaitingTime) {
  for (const char* nr : {"1", "2", "3"}) Add(nr);
  routing.RoutingStartTime = TDateTime::FromQDate(QDate(2026, 12, 10));
  routing.ApplyOptimizationResult(
      Answer({{1, 28800, 0, 0}, {2, 32400, 4200, 300}, {3, 36000, 9100, 0}}), "");
  EXPECT_EQ(Field(25), (QStringList{"0", "4200", "9100"}));
  EXPECT_EQ(Field(26), (QStringList{"0", "300", "0"}));
  EXPECT_EQ(routing.RoutingResults[0].Distance, 9100);
  EXPECT_EQ(routing.RoutingResults[0].Duration, (36000 - 28800) / 10 - 2 * 180);
}

TEST_F(RouteResults, TwoStationsAreTimedFromTheCalculatedRoute) {
  Add("1");
  Add("2");
  routing.RoutingStartTime = TDateTime::FromQDate(QDate(2026, 12, 12));
  routing.RoutingResults[0] = {5000, 90};
  routing.ApplyOptimizationResult({}, "1111100");
  EXPECT_EQ(Field(24), (QStringList{"14.12.2026 08:00", "14.12.2026 08:45"}));
  EXPECT_EQ(routing.RoutingResults[0].Duration, 0);
}

TEST_F(RouteResults, AnEmptyAnswerLeavesTheListAndSaysWhy) {
  for (const char* nr : {"1", "2", "3"}) Add(nr);
  routing.RoutingResults[0] = {5000, 90};
  routing.ApplyOptimizationResult({}, "");
  EXPECT_EQ(Field(24), (QStringList{"", "", ""}));
  EXPECT_FALSE(routing.ErrorMsg.isEmpty());
  EXPECT_EQ(routing.RoutingResults[0].Distance, 0);
}

TEST_F(RouteResults, ListingKeepsWaypointRowsWithArrivalsAndNamesItsColumns) {
  Add("1");
  Add("2");
  hub.StationList->SetStationDataValue(0, 24, "14.12.2026 08:00");
  const auto row = [](const QString& tenth, const QString& fourth) {
    CodedRecord r;
    for (int code = 1; code <= 12; ++code) r.append({code, QString("v%1").arg(code)});
    r[3].second = fourth;
    r[9].second = tenth;
    r.append({99, "x"});
    return r;
  };
  routing.FillRouteListing({row(" #flag1", "Start"), row("flag", "weg"), row("Abbiegen", "weg"),
                            row(" #flag2 ", "Ziel")});
  const TRoutingResultList& list = *hub.RoutingResultList;
  EXPECT_EQ(list.FieldNames.mid(0, 4),
            (QStringList{"Comment", "Compass", "Coordinates", "Desription"}));
  EXPECT_EQ(list.FieldNames.last(), "S_99");
  EXPECT_EQ(routing.m_CoordIndex, 1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ObjectAs<TStringList>(0)->Strings(3), "14.12.2026 08:00");
  EXPECT_EQ(list.ObjectAs<TStringList>(1)->Strings(3), "Ziel");
}
