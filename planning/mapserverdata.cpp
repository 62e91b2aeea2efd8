#include "planning/mapserverdata.h"

#include "store/routetable.h"

TMapServerData::TMapServerData()
    : FSeparator(QStringLiteral("|")),
      CDate(IncDay(Date())),
      FListRoute(RouteTableColumnList()),
      StationList(std::make_unique<TStationList>()) {}

void TMapServerData::SetRouteTable(const QString& TableName) {
  RouteTable = IsValidRouteTableName(TableName) ? TableName : QString();
  if (MapServerDB) MapServerDB->SetRouteTable(TableName);
}
