#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "base/datetimetext.h"
#include "base/tests/printers.h"
#include "planning/mapserverdata.h"
#include "sql/sqlfields.h"
#include "sql/sqlstring.h"
#include "store/tests/temporarydirectory.h"

// A hub on route table R1 of a store in a temporary directory of its own, with helpers to
// put stations into its list, rows into its table and to read columns back.
class HubTest : public ::testing::Test {
 protected:
  HubTest() {
    hub.MapServerDB = &store;
    hub.SetRouteTable("R1");
    direct.SetADODBTyp(MSAccess);
    direct.DataSource = store.DBFile;
    direct.Connect();
    hub.SetStatusText = [this](const QString& Text, int Panel) {
      statusTexts << Text;
      statusPanels << Panel;
    };
  }

  // An order station: number, label, address, window 08:00-12:00, stay 30 minutes.
  static TStation* NewOrder(int Number, const QString& X = {}, const QString& Y = {}) {
    auto* station = new TStation();
    station->SetField(0, QString::number(Number));
    station->SetField(1, QString("Auftrag %1").arg(Number));
    station->SetField(4, X);
    station->SetField(5, Y);
    station->SetField(6, "D");
    station->SetField(7, "95444");
    station->SetField(8, "Bayreuth");
    station->SetField(10, QString("Hauptstraße %1").arg(Number));
    station->SetField(21, "28800");
    station->SetField(22, "43200");
    station->SetField(23, "1800");
    return station;
  }
  TStation* Append(TStation* Station) {
    hub.StationList->AddObject(Station->Field(0), Station);
    return Station;
  }
  // Writes the list as a first synchronisation of class 1 would.
  void SyncAsSet() {
    hub.SyncRouteTable(true, 1, TDateTime(0));
    hub.StationList->Clear();
  }

  // Values of one column under a condition, ordered by AuftragId unless told otherwise.
  QStringList Column(const QString& What, const QString& Where = {},
                     const QString& Order = "AuftragId") {
    QStringList values;
    if (!hub.SelectDBData(What, Where, Order)) return {"<Fehler>"};
    for (int record = 1; record <= SQLRecordCount(hub.Q); ++record)
      values << SQLFieldString(hub.Q, record, 1);
    return values;
  }
  QString Value(const QString& What, int AuftragId) {
    const QStringList values = Column(What, QString("AuftragId=%1").arg(AuftragId));
    return values.isEmpty() ? "<keine Zeile>" : values.first();
  }
  QStringList ItemStrings() const { return hub.StationList->ToStringList(); }
  QStringList StationField(int Field) const {
    QStringList values;
    for (int i = 0; i < hub.StationList->Count(); ++i)
      values << hub.StationList->GetStationDataValue(i, Field);
    return values;
  }
  // Blocked periods as "from - to", in time order.
  QStringList BlockedPeriods() {
    TADORecordsetPtr rows;
    if (!direct.SQLSelect("Data1,Data2", "RO", "Class=1", "CDate(Data1),CDate(Data2)", rows))
      return {"<Fehler>"};
    QStringList periods;
    for (int record = 1; record <= SQLRecordCount(rows); ++record)
      periods << SQLFieldString(rows, record, 1) + " - " + SQLFieldString(rows, record, 2);
    return periods;
  }
  void AddBlockedPeriod(const QString& From, const QString& To) {
    ASSERT_TRUE(direct.SQLInsert("RO", "Class,Data1,Data2",
                                 "1," + SQLString(From, 2) + "," + SQLString(To, 2)))
        << direct.SQLErrorMsg.toStdString();
  }
  void Execute(const QString& Statement) {
    ASSERT_TRUE(direct.ExecSQLStatement(Statement)) << direct.SQLErrorMsg.toStdString();
  }

  TemporaryDirectory tempDir;
  TMapServerDB store;
  TMapServerData hub;
  TSQLADOServer direct;  // a second connection to the same file
  QStringList statusTexts;
  QList<int> statusPanels;
};
