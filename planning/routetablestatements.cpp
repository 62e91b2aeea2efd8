// The hub's statements on its route table, run on the store's connection.

#include "base/delphistr.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"

namespace {
const QString kAuftragParamColumns =
    QStringLiteral("TimeWindow1,TimeWindow2,REFPNTIDLOW,ArrivalTime,StayTime");
constexpr int kAuftragParamCount = 5;
}  // namespace

TSQLADOServer* TMapServerData::RouteTableServer() {
  if (!MapServerDB) return nullptr;
  TSQLADOServer* server = MapServerDB->DB.get();
  if (RouteTable.isEmpty()) {
    // Without a table the statement would run against whatever follows FROM, or nothing.
    server->SQLErrorMsg = QStringLiteral("Es ist keine Routentabelle gewählt.");
    server->SQLExecError = true;
    return nullptr;
  }
  return server;
}

bool TMapServerData::SelectDBData(const QString& FList, const QString& SQLWhere,
                                  const QString& SQLOrder) {
  TSQLADOServer* server = RouteTableServer();
  return server && server->SQLSelect(FList, RouteTable, SQLWhere, SQLOrder, Q);
}

int TMapServerData::SelectDBDataCount(const QString& SQLWhere) {
  TSQLADOServer* server = RouteTableServer();
  return server ? server->SQLSelectCount(RouteTable, SQLWhere) : -1;
}

bool TMapServerData::UpdateDBData(const QString& What, const QString& SQLWhere) {
  TSQLADOServer* server = RouteTableServer();
  return server && server->SQLUpdate(RouteTable, What, SQLWhere);
}

bool TMapServerData::SetRouteInDB(int Route, const QString& SQLWhere) {
  return UpdateDBData(Format(QStringLiteral("Route=%d"), {Route}), SQLWhere);
}

void TMapServerData::GetAuftragParams(int AuftragId, QStringList* Params) {
  if (!Params) return;
  Params->clear();
  TSQLADOServer* server = RouteTableServer();
  // A result set of its own: callers ask for parameters while they walk through Q.
  TADORecordsetPtr row;
  if (!server ||
      !server->SQLSelect(kAuftragParamColumns, RouteTable,
                         Format(QStringLiteral("AuftragId=%d"), {AuftragId}), QString(), row) ||
      SQLRecordCount(row) <= 0)
    return;
  for (int column = 1; column <= kAuftragParamCount; ++column)
    Params->append(SQLFieldString(row, 1, column));
}

TADORecordsetPtr TMapServerData::SelectRows(const QString& FList, const QString& SQLWhere,
                                            const QString& SQLOrder) {
  TADORecordsetPtr rows;
  TSQLADOServer* server = RouteTableServer();
  if (!server || !server->SQLSelect(FList, RouteTable, SQLWhere, SQLOrder, rows)) return {};
  return rows;
}

TSQLADOServer* TMapServerData::SettingsServer() {
  return MapServerDB ? MapServerDB->DB.get() : nullptr;
}

void TMapServerData::ShowStatus(const QString& Text) {
  if (SetStatusText) SetStatusText(Text, 1);
}
