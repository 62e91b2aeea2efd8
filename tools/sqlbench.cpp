// Statements per second of the route-table mix that the planning code runs most: the
// existence count by order number, the insert of a whole 30-column row and the update of
// Route and Reihe, all on a real database file through the SQL layer.
#include <benchmark/benchmark.h>

#include <QStringList>
#include <QTemporaryDir>

#include "sql/sqladoserver.h"
#include "sql/sqlstring.h"
#include "store/routetable.h"

namespace {
const QString kTable = QStringLiteral("RBench");

QString RowValues(int auftragId) {
  QStringList values{QString::number(auftragId),
                     SQLString(QStringLiteral("Auftrag %1").arg(auftragId), 2)};
  const QStringList texts{"STREET",
                          "42",
                          "1234567",
                          "6456789",
                          "D",
                          "95445",
                          "Bayreuth",
                          "",
                          "Hindenburgstraße 5",
                          "5",
                          "1",
                          "100",
                          "5",
                          "",
                          "",
                          "",
                          "",
                          "",
                          "",
                          "27000",
                          "72000",
                          "1800",
                          "07.10.2016 08:30",
                          "",
                          "",
                          "0"};
  for (const QString& text : texts) values << SQLString(text, 2);
  values << QStringLiteral("1") << QStringLiteral("1");
  return values.join(QLatin1Char(','));
}

void BM_RouteTableMix(benchmark::State& state) {
  QTemporaryDir dir;
  TSQLADOServer server;
  server.SetADODBTyp(MSAccess);
  server.DataSource = dir.filePath(QStringLiteral("ZEPRouting.mdb"));
  if (!server.CreateAccessDatabase() || !server.Connect() ||
      !server.ExecSQLStatement(RouteTableCreateStatement(kTable))) {
    state.SkipWithError(server.SQLErrorMsg.toStdString().c_str());
    return;
  }
  const QString columns = RouteTableColumnList();
  int auftragId = 0;
  for (auto _ : state) {
    ++auftragId;
    const QString where = QStringLiteral("AuftragId=%1").arg(auftragId);
    bool ok = server.SQLSelectCount(kTable, where) == 0;
    ok = ok && server.SQLInsert(kTable, columns, RowValues(auftragId));
    ok = ok &&
         server.SQLUpdate(kTable, QStringLiteral("Route=10001,Reihe=%1").arg(auftragId), where);
    if (!ok) {
      state.SkipWithError(server.SQLErrorMsg.toStdString().c_str());
      return;
    }
  }
  state.SetItemsProcessed(state.iterations() * 3);
  state.counters["statements/s"] =
      benchmark::Counter(double(state.iterations() * 3), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RouteTableMix)->Unit(benchmark::kMicrosecond)->MinTime(2.0)->UseRealTime();
}  // namespace

BENCHMARK_MAIN();
