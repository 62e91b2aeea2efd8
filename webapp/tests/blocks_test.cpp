// Every data page read back with the program's own block reader, and every row checked field
// by field against the row formats the program's readers expect.

#include <QRegularExpression>
#include <map>

#include "planning/mapserverdata.h"
#include "webapp/dates.h"
#include "webapp/tests/webappfixture.h"

namespace webapp::testing {
namespace {

enum class RowKind {
  AppAddress,
  MapEdge,
  RouteTableId,
  Order,
  Depot,
  OrderOrDepot,
  PlaceOrder,
  NegativeOrder,
  Flag,
  Title,
  RouteOptions,
  BlockedPeriod,
  GpsPoint,
  Project,
  Technician,
  CalendarDate,
  CalendarOrder,
  Absence,
  WaitingOrder
};

struct Query {
  int number;
  int rows;
  RowKind kind;
};

struct PageCase {
  const char* name;
  std::string target;  // "{monday}" stands for the Monday of the demo weeks
  int workflow;
  std::vector<Query> queries;
};

void PrintTo(const PageCase& c, std::ostream* out) { *out << c.name; }

bool matches(const QString& text, const char* pattern) {
  return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QLatin1String(pattern)))
      .match(text)
      .hasMatch();
}

constexpr const char* kInteger = R"(-?\d+)";
constexpr const char* kDate = R"(\d\d\.\d\d\.\d{4})";
constexpr const char* kDateTime = R"(\d\d\.\d\d\.\d{4} \d\d:\d\d)";
constexpr const char* kDegrees = R"(-?\d{1,3}\.\d{5})";

void expectField(const QStringList& f, int index, const char* pattern, const char* what) {
  ASSERT_GT(f.size(), index) << what;
  EXPECT_TRUE(matches(f[index], pattern))
      << what << " (field " << index << "): \"" << f[index].toStdString() << "\"";
}

void expectOrderFields(const QStringList& f, const char* number) {
  ASSERT_GE(f.size(), 10) << "an order row needs the fields 0 to 9";
  expectField(f, 0, number, "order number");
  EXPECT_FALSE(f[1].isEmpty()) << "label";
  EXPECT_EQ(f[2], "D");
  expectField(f, 3, R"(\d{5})", "postal code");
  EXPECT_FALSE(f[4].isEmpty()) << "town";
  expectField(f, 6, R"(\d+)", "stay");
  expectField(f, 7, R"(\d+)", "time window start");
  expectField(f, 8, R"(\d+)", "time window end");
  EXPECT_LT(f[7].toInt(), f[8].toInt());
  expectField(f, 9, kInteger, "pin");
  if (f.size() > 10) expectField(f, 10, R"(|[^#]*#[^#]*#-?\d+\.\d+,-?\d+\.\d+)", "GPS position");
  if (f.size() > 11) expectField(f, 11, (std::string("|") + kDateTime).c_str(), "arrival");
}

void expectRow(RowKind kind, const QStringList& f, int port) {
  switch (kind) {
    case RowKind::AppAddress:
      EXPECT_EQ(f, QStringList{QStringLiteral("http://127.0.0.1:%1/zep").arg(port)});
      break;
    case RowKind::MapEdge:
      expectField(f, 0, kInteger, "map coordinate");
      break;
    case RowKind::RouteTableId:
      expectField(f, 0, "[A-Za-z][A-Za-z0-9_]*", "route table id");
      break;
    case RowKind::Order:
      expectOrderFields(f, R"([1-9]\d*)");
      EXPECT_FALSE(f[5].isEmpty()) << "address line";
      break;
    case RowKind::Depot:
      expectOrderFields(f, "-1|-2");
      break;
    case RowKind::OrderOrDepot:
      expectOrderFields(f, R"(-1|-2|[1-9]\d*)");
      break;
    case RowKind::PlaceOrder:
      expectOrderFields(f, R"([1-9]\d*)");
      EXPECT_TRUE(matches(f[1], R"(\d{5} .+ \(\d+\))")) << f[1].toStdString();
      break;
    case RowKind::NegativeOrder:
      expectOrderFields(f, R"(-[1-9]\d*)");
      break;
    case RowKind::Flag:
      EXPECT_EQ(f, QStringList{"X"});
      break;
    case RowKind::Title:
      EXPECT_FALSE(f.join("").isEmpty());
      break;
    case RowKind::RouteOptions:
      ASSERT_EQ(f.size(), 11);
      expectField(f, 0, kDate, "period start");
      expectField(f, 1, kDate, "period end");
      expectField(f, 2, R"(1\d)", "technician");
      expectField(f, 3, "[01]{7}", "working days");
      expectField(f, 4, R"(\d+)", "break");
      expectField(f, 5, R"(\d+)", "sub-route size");
      EXPECT_FALSE(f[6].isEmpty()) << "technician label";
      expectField(f, 7, R"(\d{70})", "working hours");
      expectField(f, 8, R"(\d{14})", "orders a day");
      expectField(f, 9, R"(\d+)", "profile");
      expectField(f, 10, R"(\d+)", "time factor");
      break;
    case RowKind::BlockedPeriod:
      ASSERT_EQ(f.size(), 2);
      expectField(f, 0, kDateTime, "from");
      expectField(f, 1, kDateTime, "to");
      break;
    case RowKind::GpsPoint:
      ASSERT_EQ(f.size(), 4);
      expectField(f, 1, R"(\d\d:\d\d:\d\d)", "label");
      expectField(f, 2, kDegrees, "latitude");
      expectField(f, 3, kDegrees, "longitude");
      break;
    case RowKind::Project:
      ASSERT_EQ(f.size(), 3);
      expectField(f, 0, R"(\d+)", "project id");
      expectField(f, 2, "[01]", "preselection");
      break;
    case RowKind::Technician:
      ASSERT_EQ(f.size(), 4);
      expectField(f, 0, R"(1\d)", "technician id");
      expectField(f, 3, R"(\d+)", "days shown");
      break;
    case RowKind::CalendarDate:
      ASSERT_EQ(f.size(), 1);
      expectField(f, 0, kDate, "date");
      break;
    case RowKind::CalendarOrder:
      expectOrderFields(f, R"([1-9]\d*)");
      ASSERT_EQ(f.size(), 18);
      expectField(f, 12, R"(1\d)", "technician");
      expectField(f, 13, kDateTime, "appointment");
      expectField(f, 14, "[1-9]", "type");
      EXPECT_FALSE(f[15].isEmpty()) << "text";
      expectField(f, 16, "[01]", "mark");
      expectField(f, 17, R"(\d+)", "warning flags");
      break;
    case RowKind::Absence:
      ASSERT_GE(f.size(), 6);
      expectField(f, 0, R"(-\d+)", "id");
      expectField(f, 2, kDateTime, "from");
      expectField(f, 3, kDateTime, "to");
      expectField(f, 4, R"(\d)", "kind");
      expectField(f, 5, R"(1\d)", "technician");
      break;
    case RowKind::WaitingOrder:
      expectOrderFields(f, R"([1-9]\d*)");
      ASSERT_EQ(f.size(), 18);
      EXPECT_FALSE(f[15].isEmpty()) << "text";
      expectField(f, 16, "[01]", "mark");
      expectField(f, 17, R"(\d+)", "colour");
      break;
  }
}

class BlockPageTest : public WebAppTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(BlockPageTest, ReadsBackWithItsSectionsAndRowFormats) {
  const PageCase& c = GetParam();
  std::string target = c.target;
  const std::string monday = germanDate(mondayOf(today()));
  for (auto at = target.find("{monday}"); at != std::string::npos; at = target.find("{monday}"))
    target.replace(at, 8, monday);
  const std::string body = page(target);

  TMapServerData hub;
  hub.ReadMapServerData(QString::fromStdString(body));
  EXPECT_EQ(hub.WorkflowId, c.workflow);
  std::map<int, int> expectedRows;
  for (const auto& q : c.queries) expectedRows[q.number] = q.rows;
  for (int number = 1; number <= 6; ++number) {
    hub.SetQueryData(number);
    EXPECT_EQ(hub.QueryData.size(), expectedRows[number]) << "query " << number;
  }
  for (const auto& q : c.queries) {
    hub.SetQueryData(q.number);
    for (int i = 0; i < hub.QueryData.size(); ++i) {
      SCOPED_TRACE("query " + std::to_string(q.number) + " row " + std::to_string(i + 1));
      expectRow(q.kind, hub.GetQueryData(i).split(QStringLiteral("\r\n")), port_);
    }
  }
}

const std::string kPeriod =
    "__2=0&__3=11&__4=XX&__5=1111100&__6=07%3A30&__7=17%3A00&__8=43200&"
    "__9=0&__10=20&__11={monday}";

std::string period(int workflow) {
  std::string query = "/zep/periode/daten?__1=" + std::to_string(workflow) + "&" + kPeriod;
  query.replace(query.find("XX"), 2, germanDate(mondayOf(today()) + std::chrono::days(13)));
  return query;
}

// The demo has 80 orders: 60 with appointments over two weeks (12 completed in the first two
// days, 48 planned), 10 open and 10 on the waiting list.
INSTANTIATE_TEST_SUITE_P(
    Pages, BlockPageTest,
    ::testing::Values(
        PageCase{
            "StartPage",
            "/",
            0,
            {{1, 1, RowKind::AppAddress}, {2, 4, RowKind::MapEdge}, {3, 1, RowKind::RouteTableId}}},
        PageCase{
            "StartRequest",
            "/zep?routinglist26000",
            0,
            {{1, 1, RowKind::AppAddress}, {2, 4, RowKind::MapEdge}, {3, 1, RowKind::RouteTableId}}},
        PageCase{"OpenOrders",
                 "/zep/auftraege/14?projekt=0",
                 14,
                 {{1, 20, RowKind::Order}, {2, 1, RowKind::Flag}, {3, 1, RowKind::Title}}},
        PageCase{"OpenOrdersOfOneProject",
                 "/zep/auftraege/14?projekt=2",
                 14,
                 {{1, 6, RowKind::Order}, {2, 1, RowKind::Flag}, {3, 1, RowKind::Title}}},
        PageCase{"DayRouteSelection",
                 "/zep/auftraege/16?projekt=0",
                 16,
                 {{1, 20, RowKind::Order},
                  {3, 1, RowKind::Title},
                  {4, 1, RowKind::Depot},
                  {5, 1, RowKind::Depot}}},
        PageCase{"AllOrders",
                 "/zep/auftraege/30?projekt=0",
                 30,
                 {{1, 80, RowKind::Order}, {3, 1, RowKind::Title}}},
        PageCase{"AddressCheck",
                 "/zep/auftraege/33?projekt=0",
                 33,
                 {{1, 80, RowKind::NegativeOrder}, {2, 1, RowKind::Flag}, {3, 1, RowKind::Title}}},
        PageCase{"PlannedOrders",
                 "/zep/auftraege/42?projekt=0",
                 42,
                 {{1, 48, RowKind::Order}, {3, 1, RowKind::Title}}},
        PageCase{"CompletedOrders",
                 "/zep/auftraege/44?projekt=0",
                 44,
                 {{1, 12, RowKind::Order}, {3, 1, RowKind::Title}}},
        PageCase{"PeriodOptimisation",
                 period(2),
                 2,
                 {{1, 20, RowKind::Order},
                  {2, 1, RowKind::Depot},
                  {3, 1, RowKind::Depot},
                  {4, 1, RowKind::RouteOptions},
                  {5, 1, RowKind::BlockedPeriod}}},
        PageCase{"StepwiseOptimisation",
                 period(4),
                 4,
                 {{1, 22, RowKind::OrderOrDepot},
                  {4, 1, RowKind::RouteOptions},
                  {5, 1, RowKind::BlockedPeriod}}},
        PageCase{
            "GpsDrive", "/zep/gps/12", 24, {{1, 150, RowKind::GpsPoint}, {3, 1, RowKind::Title}}},
        PageCase{"CalendarDayWithWaitingList",
                 "/zep?routinglist26050&a&&&&&0&0&{monday}&0&0&1",
                 50,
                 {{1, 2, RowKind::Project},
                  {2, 6, RowKind::Technician},
                  {3, 1, RowKind::CalendarDate},
                  {4, 6, RowKind::CalendarOrder},
                  {6, 10, RowKind::WaitingOrder}}},
        PageCase{"CalendarTwoWeeksOfOneTechnician",
                 "/zep?routinglist26050&a&&&&&0&11&{monday}&0&7",
                 50,
                 {{1, 2, RowKind::Project},
                  {2, 6, RowKind::Technician},
                  {3, 1, RowKind::CalendarDate},
                  {4, 10, RowKind::CalendarOrder},
                  {5, 1, RowKind::Absence}}}));

TEST_F(WebAppTest, PlacesOfWorkflow12CountTheirOrders) {
  TMapServerData hub;
  hub.ReadMapServerData(QString::fromStdString(page("/zep/auftraege/12?projekt=0")));
  ASSERT_EQ(hub.WorkflowId, 12);
  hub.SetQueryData(1);
  int orders = 0;
  for (int i = 0; i < hub.QueryData.size(); ++i) {
    const QStringList fields = hub.GetQueryData(i).split(QStringLiteral("\r\n"));
    expectRow(RowKind::PlaceOrder, fields, port_);
    orders += fields[1].section('(', -1).chopped(1).toInt();
  }
  EXPECT_EQ(orders, 20);
}

TEST_F(WebAppTest, CalendarMarksTheRequestedProjectAndTechnician) {
  TMapServerData hub;
  hub.ReadMapServerData(
      QString::fromStdString(page("/zep?routinglist26050&a&&&&&2&13&01.02.2027&0&-2")));
  hub.SetQueryData(1);
  EXPECT_EQ(hub.GetQueryData(1).split("\r\n"), (QStringList{"2", "Zählerwechsel Wasser", "1"}));
  EXPECT_EQ(hub.GetQueryData(0).split("\r\n").value(2), "0");
  hub.SetQueryData(2);
  EXPECT_EQ(hub.GetQueryData(2).split("\r\n"), (QStringList{"13", "Wagner", "Lukas", "5"}));
  EXPECT_EQ(hub.GetQueryData(0).split("\r\n").value(3), "0");
  hub.SetQueryData(3);
  EXPECT_EQ(hub.GetQueryData(0), "01.02.2027");
}

}  // namespace
}  // namespace webapp::testing
