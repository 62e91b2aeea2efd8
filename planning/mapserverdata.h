#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "base/datetime.h"
#include "base/stringlist.h"
#include "planning/routingresultlist.h"
#include "planning/stationlist.h"
#include "sql/adorecordset.h"
#include "store/mapserverdb.h"

// The planning data hub of one workspace. Its own lines are the data block of the page last
// read from the web application (workflow line removed, blank lines dropped, query rows
// "Q<q>R<r>=value" left); it selects one query's rows into QueryData, owns the station list
// and runs the statements on the workspace's route table through the local store.
class TMapServerData : public TStringList {
 public:
  // An empty hub: no block (WorkflowId -1), CDate tomorrow at 00:00, no route table.
  TMapServerData();

  // Makes TableName the route table of this hub and lets the store create it when missing.
  // A name the store refuses leaves the hub without a route table.
  void SetRouteTable(const QString& TableName);

  // Replaces the hub's lines by the block between the first and the last "[ZEPRouting]"
  // line of Data and sets WorkflowId from the block's first line. Any text is accepted.
  void ReadMapServerData(const QString& Data);
  // QueryData becomes the rows Q<QNr>R1, Q<QNr>R2, … up to the first missing number, each
  // with its "~" separators written as FSeparator.
  void SetQueryData(int QNr);
  // Row Index of QueryData with one field per line (CR LF); empty outside the rows.
  QString GetQueryData(int Index) const;

  // Statements on the route table. Without a store or a route table they fail without a
  // statement: false, or -1 for the count.
  bool SelectDBData(const QString& FList, const QString& SQLWhere, const QString& SQLOrder);
  int SelectDBDataCount(const QString& SQLWhere);
  bool UpdateDBData(const QString& What, const QString& SQLWhere);
  bool SetRouteInDB(int Route, const QString& SQLWhere);
  // Params is emptied and, when the order has a row, receives its TimeWindow1, TimeWindow2,
  // REFPNTIDLOW, ArrivalTime and StayTime, one per line. Nothing happens without Params.
  void GetAuftragParams(int AuftragId, QStringList* Params);

 private:
  TSQLADOServer* RouteTableServer();

 public:
  // The GPS-to-map converter (Transform) of the map code joins here when that code exists.
  QString FSeparator;
  TMapServerDB* MapServerDB = nullptr;
  TADORecordsetPtr Q;
  int WorkflowId = -1;
  int RouteNr = 0;
  int TRouteNr = 0;
  int RoutingStepClass = 0;
  int DayTimeWindow1 = 0;
  int DayTimeWindow2 = 0;
  int BreakTime = 0;
  int CalcModus = 0;
  int MaxCalcStations = 0;
  int MaxAuftragCountOnDay = 0;
  TDateTime CDate;
  TDateTime SDate0;
  TDateTime EDate0;
  QString FListRoute;
  QString RouteTable;
  QString ProjectId;
  QString DeviceId;
  QString ValidDays;
  QString DeviceBez;
  QString ValidDayTime;
  QString MaxAuftragCountInWeek;
  QString Filter;
  quint8 FProfil = 0;
  quint8 TimeFactor = 0;
  bool FirstOptStep = false;
  QStringList QueryData;
  std::unique_ptr<TStationList> StationList;
  std::unique_ptr<TRoutingResultList> RoutingResultList;
  std::function<void(const QString& Text, int Panel)> SetStatusText;
};
