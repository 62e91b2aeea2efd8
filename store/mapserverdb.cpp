#include "store/mapserverdb.h"

#include <QFile>

#include "base/delphistr.h"
#include "sql/platforminfo.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"
#include "store/databasefile.h"
#include "store/routetable.h"
#include "store/settingstable.h"

namespace {
const QString kDatabaseFileName = QStringLiteral("ZEPRouting.mdb");
const QString kSettingsColumns = QStringLiteral("Class,Data1,Data2");

QString ClassCondition(int ROClass) { return Format(QStringLiteral("Class=%d"), {ROClass}); }

// FeldNr 1 addresses Data1, every other number Data2.
int DataColumnNumber(int FeldNr) { return FeldNr == 1 ? 1 : 2; }
}  // namespace

TMapServerDB::TMapServerDB() : DB(std::make_unique<TSQLADOServer>()) {
  DBFile = GetTempDirectory() + kDatabaseFileName;
  FListRoute = RouteTableColumnList();
  DB->SetADODBTyp(MSAccess);
  DB->DataSource = DBFile;
  if (!OpenExistingFile()) CreateNewFile();
}

TMapServerDB::~TMapServerDB() {
  while (!RouteTables.IsEmpty()) {
    DB->SQLDelete(RouteTables.Strings(0), QString());
    RouteTables.Delete(0);
  }
  DB->DisConnect();
}

bool TMapServerDB::OpenExistingFile() {
  // A link or another user's file in a shared temporary directory must not receive our
  // customers' addresses; such a file counts as one that cannot be opened.
  if (!IsOwnDatabaseFile(DBFile)) return false;
  RestrictToOwner(DBFile);
  if (!DB->Connect()) return false;
  // Asked again with the file open: a missing file may have been put in place meanwhile.
  if (IsOwnDatabaseFile(DBFile)) return true;
  DB->DisConnect();
  return false;
}

void TMapServerDB::CreateNewFile() {
  // A failure to delete shows in the creation that follows.
  QFile::remove(DBFile);
  const bool created = DB->CreateAccessDatabase() && DB->Connect() &&
                       DB->ExecSQLStatement(SettingsTableCreateStatement());
  DB->DisConnect();
  if (created) DB->Connect();
}

void TMapServerDB::RefuseRouteTableName(const QString& TableName) {
  DB->SQLErrorMsg =
      Format(QStringLiteral("Ungültiger Name für eine Routentabelle: \"%s\""), {TableName});
  DB->SQLExecError = true;
}

void TMapServerDB::SetRouteTable(const QString& TableName) {
  if (!IsValidRouteTableName(TableName)) {
    RefuseRouteTableName(TableName);
    return;
  }
  RouteTable = TableName;
  // A failing count is taken to mean that the table does not exist yet.
  if (DB->SQLSelectCount(TableName, QString()) < 0 && DB->Connect())
    DB->ExecSQLStatement(RouteTableCreateStatement(TableName));
  if (RouteTables.IndexOf(TableName) < 0) RouteTables.Add(TableName);
}

bool TMapServerDB::DBConnected(bool ReConnect) {
  if (ReConnect && !DB->Connected) return DB->Connect();
  return DB->Connected;
}

QString TMapServerDB::GetROData(int ROClass, int FeldNr) {
  TADORecordsetPtr record;
  if (!DB->SQLSelect(kSettingsColumns, SettingsTableName(), ClassCondition(ROClass), QString(),
                     record) ||
      SQLRecordCount(record) <= 0)
    return QString();
  // Result columns count from 1: Class, Data1, Data2.
  return SQLFieldString(record, 1, 1 + DataColumnNumber(FeldNr));
}

void TMapServerDB::SetROData(int ROClass, int FeldNr, const QString& FeldValue) {
  if (DB->SQLSelectCount(SettingsTableName(), ClassCondition(ROClass)) == 0)
    DB->SQLInsert(SettingsTableName(), kSettingsColumns,
                  Format(QStringLiteral("%d,%s,%s"),
                         {ROClass, QStringLiteral("null"), QStringLiteral("null")}));
  DB->SQLUpdate(
      SettingsTableName(),
      Format(QStringLiteral("Data%d=%s"), {DataColumnNumber(FeldNr), SQLString(FeldValue, 0)}),
      ClassCondition(ROClass));
}
