#pragma once

#include <QString>
#include <memory>

#include "base/stringlist.h"
#include "sql/sqladoserver.h"

class TMapServerData;

// The local planning store: the database file ZEPRouting.mdb in the temporary directory,
// the program's one connection to it, the settings table RO and the route tables of this
// run. One instance per run; every workspace's planning data hub runs its own statements on
// the connection. Database failures never raise: the store then reads empty and writes
// nothing, with the reason in the connection's SQLErrorMsg.
class TMapServerDB : public TObject {
 public:
  // Opens the file, or deletes it and creates a new one (with the settings table only) when
  // it cannot be opened. Raises only when no connection object can be made.
  TMapServerDB();
  // Empties the route tables set in this run (they stay in the file) and disconnects.
  ~TMapServerDB() override;
  TMapServerDB(const TMapServerDB&) = delete;
  TMapServerDB& operator=(const TMapServerDB&) = delete;

  // Makes TableName the current route table, creating it when it does not exist. A name
  // that is no plain identifier, or that names the settings table, is refused with the
  // reason in SQLErrorMsg and nothing else happens.
  void SetRouteTable(const QString& TableName);
  // With ReConnect, a closed connection is opened again; the answer is whether it is open.
  bool DBConnected(bool ReConnect);
  // Data1 for FeldNr 1, Data2 for any other number, of the record of class ROClass;
  // empty when the class has no record. Never creates a record.
  QString GetROData(int ROClass, int FeldNr);
  // Stores FeldValue (empty as null) into Data1 for FeldNr 1, Data2 otherwise, creating the
  // record of the class when it has none.
  void SetROData(int ROClass, int FeldNr, const QString& FeldValue);

  // The connection's state and last statement, for status texts and diagnosis.
  const TSQLADOServer& Connection() const { return *DB; }

 private:
  friend class TMapServerData;  // runs the route-table statements on this connection

  bool OpenExistingFile();
  void CreateNewFile();
  void RefuseRouteTableName(const QString& TableName);

  std::unique_ptr<TSQLADOServer> DB;
  QString RouteTable;

 public:
  QString DBFile;
  QString FListRoute;
  TStringList RouteTables;
};
