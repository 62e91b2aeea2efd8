#include "store/routetable.h"

#include <QRegularExpression>

#include "store/settingstable.h"

QString RouteTableColumnList() {
  return QStringLiteral(
      "AuftragId,AuftragBez,REFTABLE,REFPNTID,XCOORD,YCOORD,"
      "LKZ,PLZ,TOWN,TOWN2,STREET,HOUSENR,SearchFlags,Goodness,HNrPos,"
      "REFPNTIDHIGH,REFPNTIDLOW,POPULATION,DISTANCEFROMTOWNCENTER,ANGLEFROMTOWNCENTER,"
      "ADDRESSCLASSIFICATION,"
      "TimeWindow1,TimeWindow2,StayTime,ArrivalTime,Distance,WaitTime,MEId,Reihe,Route");
}

QString RouteTableCreateStatement(const QString& TableName) {
  return QStringLiteral("CREATE TABLE ") + TableName +
         QStringLiteral(
             "("
             "AuftragId INT NOT NULL CONSTRAINT pk_Route_AId PRIMARY KEY,"
             "AuftragBez VARCHAR(255) NULL,"
             "REFTABLE VARCHAR(255) NULL,"
             "REFPNTID VARCHAR(255) NULL,"
             "XCOORD VARCHAR(20) NULL,"
             "YCOORD VARCHAR(20) NULL,"
             "LKZ VARCHAR(10) NULL,"
             "PLZ VARCHAR(10) NULL,"
             "TOWN VARCHAR(100) NULL,"
             "TOWN2 VARCHAR(100) NULL,"
             "STREET VARCHAR(255) NULL,"
             "HOUSENR VARCHAR(20) NULL,"
             "SearchFlags VARCHAR(20) NULL,"
             "Goodness VARCHAR(20) NULL,"
             "HNrPos VARCHAR(20) NULL,"
             "REFPNTIDHIGH VARCHAR(20) NULL,"
             "REFPNTIDLOW VARCHAR(20) NULL,"
             "POPULATION VARCHAR(20) NULL,"
             "DISTANCEFROMTOWNCENTER VARCHAR(20) NULL,"
             "ANGLEFROMTOWNCENTER VARCHAR(20) NULL,"
             "ADDRESSCLASSIFICATION VARCHAR(20) NULL,"
             "TimeWindow1 VARCHAR(5) NULL,"
             "TimeWindow2 VARCHAR(5) NULL,"
             "StayTime VARCHAR(5) NULL,"
             "ArrivalTime VARCHAR(20) NULL,"
             "Distance VARCHAR(10) NULL,"
             "WaitTime VARCHAR(10) NULL,"
             "MEId VARCHAR(10) NULL,"
             "Reihe INT NULL,"
             "Route INT NULL"
             ")");
}

bool IsValidRouteTableName(const QString& TableName) {
  static const QRegularExpression identifier(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,63}$"));
  return identifier.match(TableName).hasMatch() &&
         TableName.compare(SettingsTableName(), Qt::CaseInsensitive) != 0;
}
