// Time of one route-table synchronisation of 200 stations, new to the table or known,
// for the set (class 1) and for a day route (class 100000).

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "base/datetimetext.h"
#include "planning/mapserverdata.h"

namespace {
constexpr int kStations = 200;
constexpr int kSetClass = 1;
constexpr int kDayRouteClass = 100000;

// A store of its own in a fresh temporary directory with route table R1.
class Bench {
 public:
  Bench() {
    qputenv("TMPDIR", QFile::encodeName(FDirectory.path()));
    FStore = std::make_unique<TMapServerDB>();
    FHub.MapServerDB = FStore.get();
    FHub.SetRouteTable("R1");
    FHub.WorkflowId = 2;
    FHub.FirstOptStep = true;
    FDirect.SetADODBTyp(MSAccess);
    FDirect.DataSource = FStore->DBFile;
    FDirect.Connect();
  }

  // 200 geocoded orders on one day, every tenth at the place of the order before it.
  void FillStationList() {
    FHub.StationList->Clear();
    const TDateTime day = EncodeDate(2030, 10, 7);
    for (int i = 0; i < kStations; ++i) {
      auto* station = new TStation();
      const int place = i % 10 == 9 ? i - 1 : i;
      const QString values[][2] = {
          {"0", QString::number(1000 + i)},
          {"1", QString("Kunde %1").arg(i)},
          {"4", QString::number(1300000 + place * 37)},
          {"5", QString::number(6400000 + place * 53)},
          {"6", "D"},
          {"7", "95444"},
          {"8", "Bayreuth"},
          {"10", QString("Hauptstraße %1").arg(place)},
          {"14", "1"},
          {"21", "28800"},
          {"22", "64800"},
          {"23", "1800"},
          {"24", FormatDateTime("dd.mm.yyyy hh:nn", IncMinute(day, 480 + i))},
          {"25", "1200"},
          {"26", "0"}};
      for (const auto& [field, value] : values) station->SetField(field.toInt(), value);
      // The head of a pair is its first order, as the set's synchronisation finds it.
      if (i % 10 >= 8) station->SetField(15, QString::number(1000 + i - i % 10 + 8));
      FHub.StationList->AddObject(station->Field(0), station);
    }
  }
  void EmptyTable() {
    if (!FDirect.ExecSQLStatement("DELETE FROM R1")) throw std::runtime_error("DELETE failed");
  }

  TMapServerData& Hub() { return FHub; }

 private:
  QTemporaryDir FDirectory;
  std::unique_ptr<TMapServerDB> FStore;
  TMapServerData FHub;
  TSQLADOServer FDirect;  // a second connection for emptying the table
};

// Every run starts from an empty table and the same list.
void SyncNew(benchmark::State& State, int ReiheClass) {
  Bench bench;
  bench.FillStationList();
  for (auto _ : State) {
    State.PauseTiming();
    bench.EmptyTable();
    State.ResumeTiming();
    bench.Hub().SyncRouteTable(ReiheClass == kSetClass, ReiheClass, TDateTime(0));
  }
  if (bench.Hub().SelectDBDataCount("") != kStations) State.SkipWithError("rows missing");
}

// The table holds every station of the list already.
void SyncKnown(benchmark::State& State, int ReiheClass) {
  Bench bench;
  bench.FillStationList();
  bench.Hub().SyncRouteTable(true, kSetClass, TDateTime(0));
  for (auto _ : State)
    bench.Hub().SyncRouteTable(ReiheClass == kSetClass, ReiheClass, TDateTime(0));
  if (bench.Hub().SelectDBDataCount("REFPNTIDLOW='2'") != 2 * kStations / 10)
    State.SkipWithError("groups missing");
}
}  // namespace

BENCHMARK_CAPTURE(SyncNew, set, kSetClass)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SyncKnown, set, kSetClass)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SyncNew, day_route, kDayRouteClass)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SyncKnown, day_route, kDayRouteClass)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
