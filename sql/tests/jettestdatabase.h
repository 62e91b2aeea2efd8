#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QVariant>
#include <QVector>

#include "sql/adoconnection.h"
#include "sql/adoerror.h"
#include "sql/jet/jetprovider.h"

inline QString JetConnectionString(const QString& path) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1").arg(path);
}

// A fresh database file of ours in a temporary folder, opened through the ADO-like
// connection exactly as the program opens it.
class JetDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FDir.isValid());
    FPath = FDir.filePath(QStringLiteral("ZEPRouting.mdb"));
    CreateJetDatabase(FPath);
    Connection.Open(JetConnectionString(FPath), QString(), QString());
  }

  // Runs a statement that must succeed; answers the number of changed rows.
  int Exec(const QString& sql) {
    int affected = 0;
    try {
      Connection.Execute(sql, affected);
    } catch (const EADOError& error) {
      ADD_FAILURE() << "statement failed: " << sql.toStdString() << "\n  " << error.what();
    }
    return affected;
  }

  // All rows of a query that must succeed.
  QVector<QVector<QVariant>> Rows(const QString& sql) {
    QVector<QVector<QVariant>> rows;
    int affected = 0;
    try {
      TADORecordsetPtr recordset = Connection.Execute(sql, affected);
      for (; !recordset->Eof(); recordset->MoveNext()) {
        QVector<QVariant> row;
        for (int i = 0; i < recordset->FieldCount(); ++i) row.append(recordset->Field(i).Value());
        rows.append(row);
      }
    } catch (const EADOError& error) {
      ADD_FAILURE() << "query failed: " << sql.toStdString() << "\n  " << error.what();
    }
    return rows;
  }

  // The first value of the first row.
  QVariant Value(const QString& sql) {
    const QVector<QVector<QVariant>> rows = Rows(sql);
    if (rows.isEmpty() || rows[0].isEmpty()) {
      ADD_FAILURE() << "no value from " << sql.toStdString();
      return QVariant();
    }
    return rows[0][0];
  }

  // The message of the EADOError the statement must raise; empty when it did not raise.
  QString ErrorOf(const QString& sql) {
    int affected = 0;
    try {
      Connection.Execute(sql, affected);
    } catch (const EADOError& error) {
      return error.Message;
    }
    return QString();
  }

  QTemporaryDir FDir;
  QString FPath;
  TADOConnection Connection;
};

// The settings table as the store creates it.
inline const QString kCreateRO = QStringLiteral(
    "CREATE TABLE RO(ROId IDENTITY NOT NULL CONSTRAINT pk_RO_Id PRIMARY KEY,Class INT NOT NULL,"
    "Data1 VARCHAR(255) NULL,Data2 VARCHAR(255) NULL)");

// The column list of a route table, in its order.
inline const QString kRouteColumns = QStringLiteral(
    "AuftragId,AuftragBez,REFTABLE,REFPNTID,XCOORD,YCOORD,LKZ,PLZ,TOWN,TOWN2,STREET,HOUSENR,"
    "SearchFlags,Goodness,HNrPos,REFPNTIDHIGH,REFPNTIDLOW,POPULATION,DISTANCEFROMTOWNCENTER,"
    "ANGLEFROMTOWNCENTER,ADDRESSCLASSIFICATION,TimeWindow1,TimeWindow2,StayTime,ArrivalTime,"
    "Distance,WaitTime,MEId,Reihe,Route");

inline QString CreateRouteTable(const QString& name) {
  return QStringLiteral("CREATE TABLE ") + name +
         QStringLiteral(
             "(AuftragId INT NOT NULL CONSTRAINT pk_Route_AId PRIMARY KEY,AuftragBez VARCHAR(255) "
             "NULL,REFTABLE VARCHAR(255) NULL,REFPNTID VARCHAR(255) NULL,XCOORD VARCHAR(20) "
             "NULL,YCOORD VARCHAR(20) NULL,LKZ VARCHAR(10) NULL,PLZ VARCHAR(10) NULL,TOWN "
             "VARCHAR(100) NULL,TOWN2 VARCHAR(100) NULL,STREET VARCHAR(255) NULL,HOUSENR "
             "VARCHAR(20) NULL,SearchFlags VARCHAR(20) NULL,Goodness VARCHAR(20) NULL,HNrPos "
             "VARCHAR(20) NULL,REFPNTIDHIGH VARCHAR(20) NULL,REFPNTIDLOW VARCHAR(20) "
             "NULL,POPULATION VARCHAR(20) NULL,DISTANCEFROMTOWNCENTER VARCHAR(20) "
             "NULL,ANGLEFROMTOWNCENTER VARCHAR(20) NULL,ADDRESSCLASSIFICATION VARCHAR(20) "
             "NULL,TimeWindow1 VARCHAR(5) NULL,TimeWindow2 VARCHAR(5) NULL,StayTime VARCHAR(5) "
             "NULL,ArrivalTime VARCHAR(20) NULL,Distance VARCHAR(10) NULL,WaitTime VARCHAR(10) "
             "NULL,MEId VARCHAR(10) NULL,Reihe INT NULL,Route INT NULL)");
}
