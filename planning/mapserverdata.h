#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "base/datetime.h"
#include "base/stringlist.h"
#include "geo/map/ttransform.h"
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

  // ---- Station intake (stationintake.cpp) ----
  // Consumes QueryData row by row. Mode 0 replaces the station list, 1 makes the rows the
  // start, 2 the finish. Orders known in the route table keep their geocoding result.
  void QueryDataToStationList(quint8 Mode);
  // Appends one station per GPS point row of QueryData, consuming the rows.
  void QueryGPSDataToStationList();
  // Adds a station by address: number -1 becomes the start, -2 the finish, 0 (or no number)
  // gets a generated negative number, any other is appended. Answers the new station.
  TStation* AddStationByAdr(const QString& ANr, const QString& LKZ, const QString& PLZ,
                            const QString& Ort, const QString& Anschrift, const QString& Bez,
                            const QString& StayTime, const QString& TimeWindow1,
                            const QString& TimeWindow2, const QString& PinBmp,
                            const QString& ArrivalTime);
  // As AddStationByAdr, with map coordinates and Adr = LKZ|PLZ|town|district|street|house no.
  TStation* AddStationByXY(const QString& ANr, const QString& XCOORD, const QString& YCOORD,
                           const QString& Bez, const QString& Adr, const QString& StayTime,
                           const QString& TimeWindow1, const QString& TimeWindow2,
                           const QString& PinBmp, const QString& ArrivalTime);
  // As AddStationByXY at a GPS position given as decimal degrees.
  TStation* AddStationByGPS(const QString& ANr, const QString& Latitude, const QString& Longitude,
                            const QString& Bez, const QString& StayTime, const QString& TimeWindow1,
                            const QString& TimeWindow2, const QString& PinBmp,
                            const QString& ArrivalTime, const QString& LKZ, const QString& PLZ,
                            const QString& Ort, const QString& Anschrift);

  // ---- Route options and blocked periods (routeoptions.cpp) ----
  // QNr 4 reads the route options and stores the days without work of the period as blocked
  // periods; QNr 5 adds the future absences. Consumes QueryData.
  void QueryDataToRouteOptions(int QNr);

  // ---- Route-table synchronisation (routetablesync.cpp) ----
  // Writes the station list into the route table under the synchronisation class ReiheClass
  // (1, 2, 99, 10, 10000 or 100000); FirstKalDate is not needed for that.
  void SyncRouteTable(bool FirstSync, int ReiheClass, TDateTime FirstKalDate);
  // "member=dd.mm.yyyy hh:nn" lines of the other orders of SAuftragId's same-place group,
  // one after the other from NextStartTime, which ends after the last member's stay.
  QString GetIdenticalStationResults(const QString& SAuftragId, TDateTime& NextStartTime);

  // ---- Station list loading (stationlistloading.cpp) ----
  // Replaces the station list by the rows under SQLWhere; SelectMode 0 address order,
  // 1 sub-route, 2 day route fitted to the working day, 3 calendar column.
  void SyncStationList(const QString& SQLWhere, quint8 SelectMode);

  // ---- Planning rules (planningrules.cpp, workingday.cpp) ----
  // Prepares the step RoutingStepClass (10, 10000, 100000): filter, station count, next
  // working day and the station list for the optimisation.
  void PrepareOptimizing();
  void SetFilter();
  void SetMaxCalcStations();
  // Moves CDate to the next day with enough working time left by the blocked periods and
  // sets DayTimeWindow1 and DayTimeWindow2 for it.
  void SetNextEnabledDate();
  // Whether a same-place group (of AuftragId, or of every head for 0) lies in several routes
  // from StepClass on; CheckMode 1 with AuftragId 0 moves the members to their head.
  bool CheckStationList(int StepClass, int AuftragId, quint8 CheckMode);

 private:
  TSQLADOServer* RouteTableServer();
  TSQLADOServer* SettingsServer();
  void ShowStatus(const QString& Text);
  // A select into a result set of its own, for lookups while Q is being walked.
  TADORecordsetPtr SelectRows(const QString& FList, const QString& SQLWhere,
                              const QString& SQLOrder);

  // Intake helpers.
  TStation* NewStationFor(int Number, QString& ANr);
  void TakeOverKnownOrder(const QStringList& Row, quint8 Mode, int Number, const QString& Pin,
                          const QString& ArrivalTime);
  bool AddStationFromGPSField(const QStringList& Row, int Number, const QString& Pin,
                              const QString& ArrivalTime);
  void ReadRouteOptions(const QStringList& Row);
  void StoreBlockedPeriod(const QStringList& Row);
  void StoreBlockedDays();
  void InsertBlockedPeriod(TDateTime From, TDateTime To);

  // Synchronisation helpers.
  void ShowSyncStatus(bool FirstSync, int ReiheClass);
  void SyncAddressSequence();
  bool SyncStation(bool FirstSync, int ReiheClass, int Index, const QString& FirstArrival, bool Ok);
  bool SyncGroupMembers(int ReiheClass, int Index, const QString& FirstArrival,
                        const QString& HeadAssignments, bool Ok);
  void RecomputeSamePlaceGroups();

  // Planning rule helpers.
  void PrepareAddressSequenceSetUp();
  void PrepareAddressStations();
  void PrepareSubRoute();
  void PrepareDayRoute();
  void FitWorkingDayToWeekday();

 public:
  std::unique_ptr<TTransform> Transform;
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
