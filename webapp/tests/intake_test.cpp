// The pages taken in by the program's own station intake: orders become stations with their
// addresses, the depot becomes start and finish, the route options and the GPS drive arrive
// as the planning expects them.

#include "base/datetimetext.h"
#include "planning/mapserverdata.h"
#include "webapp/dates.h"
#include "webapp/tests/webappfixture.h"

namespace webapp::testing {
namespace {

std::string monday(int plus = 0) { return germanDate(mondayOf(today()) + std::chrono::days(plus)); }

TEST_F(WebAppTest, PeriodPageBecomesStationsStartFinishAndRouteOptions) {
  TMapServerData hub;
  hub.ReadMapServerData(QString::fromStdString(
      page("/zep/periode/daten?__1=2&__2=0&__3=11&__4=" + monday(13) +
           "&__5=1111100&__6=07%3A30&__7=17%3A00&__8=43200&__9=8&__10=20&__11=" + monday(0))));
  ASSERT_EQ(hub.WorkflowId, 2);
  hub.SetQueryData(1);
  hub.QueryDataToStationList(0);
  ASSERT_EQ(hub.StationList->Count(), 20);
  const TStation* first = hub.StationList->GetStation(0);
  EXPECT_EQ(first->Field(0), "1061");
  EXPECT_FALSE(first->Field(1).isEmpty());
  EXPECT_EQ(first->Field(6), "D");
  EXPECT_FALSE(first->Field(10).isEmpty()) << "street and house number";
  EXPECT_EQ(first->Field(23), "900");

  hub.SetQueryData(2);
  hub.QueryDataToStationList(1);
  ASSERT_TRUE(hub.StationList->Start);
  EXPECT_EQ(hub.StationList->Start->Field(1), "Betriebshof Becker");
  hub.SetQueryData(3);
  hub.QueryDataToStationList(2);
  ASSERT_TRUE(hub.StationList->Finish);

  hub.SetQueryData(4);
  hub.QueryDataToRouteOptions(4);
  EXPECT_EQ(DateToStr(hub.SDate0).toStdString(), monday(0));
  EXPECT_EQ(DateToStr(hub.EDate0).toStdString(), monday(13));
  EXPECT_EQ(hub.DeviceId, "11");
  EXPECT_EQ(hub.DeviceBez, "Becker, Jonas");
  EXPECT_EQ(hub.ValidDays, "1111100");
  EXPECT_EQ(hub.BreakTime, 43200);
  EXPECT_EQ(hub.CalcModus, 20);
  EXPECT_EQ(hub.ValidDayTime, QString("2700061200").repeated(7));
  EXPECT_EQ(hub.MaxAuftragCountInWeek, QString("08").repeated(7));
  EXPECT_EQ(hub.TimeFactor, 75);
}

TEST_F(WebAppTest, CalendarOrdersArriveWithTheirAppointments) {
  TMapServerData hub;
  hub.ReadMapServerData(
      QString::fromStdString(page("/zep?routinglist26050&a&&&&&0&11&" + monday(0) + "&0&0")));
  ASSERT_EQ(hub.WorkflowId, 50);
  hub.SetQueryData(4);
  hub.QueryDataToStationList(0);
  ASSERT_EQ(hub.StationList->Count(), 5);
  EXPECT_EQ(hub.StationList->GetStation(0)->Field(24).toStdString(), monday(0) + " 08:00");
}

TEST_F(WebAppTest, GpsDriveStaysOnTheMap) {
  TMapServerData hub;
  const std::string body = page("/zep/gps/13");
  hub.ReadMapServerData(QString::fromStdString(body));
  hub.SetQueryData(1);
  hub.QueryGPSDataToStationList();
  ASSERT_EQ(hub.StationList->Count(), 150);
  // The start page names the map's section: left, right, top, bottom.
  TMapServerData start;
  start.ReadMapServerData(QString::fromStdString(page("/")));
  start.SetQueryData(2);
  const int left = start.GetQueryData(0).toInt(), right = start.GetQueryData(1).toInt();
  const int top = start.GetQueryData(2).toInt(), bottom = start.GetQueryData(3).toInt();
  for (int i = 0; i < hub.StationList->Count(); ++i) {
    const TStation* point = hub.StationList->GetStation(i);
    const int x = point->Field(4).toInt(), y = point->Field(5).toInt();
    EXPECT_TRUE(x >= left - 50 && x <= right + 50 && y >= bottom - 50 && y <= top + 50)
        << "point " << i << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace webapp::testing
