// WriteCSVData on a real database file: the rows of a route table rendered as CSV, HTML
// and XML, and the message lines of statements without rows and of failures.
#include <gtest/gtest.h>

#include <QXmlStreamReader>

#include "sql/csvfile.h"
#include "sql/sqladoserver.h"
#include "sql/tests/qstringprinter.h"
#include "sql/tests/tempaccessdb.h"

namespace {
const QString kSelect = QStringLiteral(
    "SELECT AuftragId, AuftragBez, TOWN, TimeWindow1, Reihe FROM Route_1 ORDER BY AuftragId");

// The error text of a document that is not well-formed XML, empty when it is.
QString XMLError(const QString& Document) {
  QXmlStreamReader reader(Document);
  while (!reader.atEnd()) reader.readNext();
  return reader.hasError() ? reader.errorString() : QString();
}

class WriteCSVDataTest : public TempAccessDB {
 protected:
  void SetUp() override {
    TempAccessDB::SetUp();
    Exec(
        "CREATE TABLE Route_1(AuftragId INT NOT NULL CONSTRAINT pk_Route_AId PRIMARY KEY,"
        "AuftragBez VARCHAR(255) NULL,TOWN VARCHAR(100) NULL,TimeWindow1 VARCHAR(5) NULL,"
        "Reihe INT NULL,Route INT NULL)");
    Exec(
        "INSERT INTO Route_1(AuftragId,AuftragBez,TOWN,TimeWindow1,Reihe) "
        "VALUES(-1,'Start','Bonn',null,0)");
    Exec(
        "INSERT INTO Route_1(AuftragId,AuftragBez,TOWN,TimeWindow1,Reihe) "
        "VALUES(17,'Wartung <Heizung> & \"Kessel\"; dringend','Köln','27000',1)");
    Exec(
        "INSERT INTO Route_1(AuftragId,AuftragBez,TOWN,TimeWindow1,Reihe) "
        "VALUES(23,'Zeile 1'+CHR(13)+CHR(10)+'Zeile 2','Düren','30600',2)");
  }

  bool Export(TCSVMode Mode) {
    File.CSVMode = Mode;
    File.WithFieldNames = true;
    const bool result = Server.WriteCSVData(File, kSelect, true);
    File.RebuildCSVData();
    return result;
  }

  TCSVFile File;
};
}  // namespace

TEST_F(WriteCSVDataTest, FillsNamesTypesAndOneLinePerRecord) {
  File.WithRecordFieldDataTypes = true;
  ASSERT_TRUE(Server.WriteCSVData(File, kSelect, true)) << Server.SQLErrorMsg.toStdString();
  EXPECT_EQ(File.FieldNames,
            QStringList({"AuftragId", "AuftragBez", "TOWN", "TimeWindow1", "Reihe"}));
  EXPECT_EQ(File.FieldDataTypes, "ncccn");
  ASSERT_EQ(File.Count(), 3);
  // The line text is cleaned for CSV, the record keeps the values as read.
  EXPECT_EQ(File.Strings(1), "17;Wartung <Heizung> & \"Kessel\", dringend;Köln;27000;1");
  EXPECT_EQ(File.GetCSVRecord(1)->Strings(1), "Wartung <Heizung> & \"Kessel\"; dringend");
  EXPECT_EQ(File.GetCSVRecord(0)->Strings(3), "");
  EXPECT_EQ(File.GetCSVRecord(2)->Strings(1), "Zeile 1\r\nZeile 2");
  EXPECT_EQ(File.GetCSVRecord(0)->RecordFieldDataTypes,
            QStringList({"n3", "c202", "c202", "c202", "n3"}));
  EXPECT_EQ(File.GetFieldDataTypes(false), "n3c202c202c202n3");
}

TEST_F(WriteCSVDataTest, RendersValidCSV) {
  ASSERT_TRUE(Export(mCSV));
  EXPECT_EQ(File.ToStringList(),
            QStringList({"AuftragId;AuftragBez;TOWN;TimeWindow1;Reihe", "-1;Start;Bonn;;0",
                         "17;Wartung <Heizung> & \"Kessel\", dringend;Köln;27000;1",
                         "23;Zeile 1 Zeile 2;Düren;30600;2"}));
}

TEST_F(WriteCSVDataTest, RendersWellFormedHTML) {
  ASSERT_TRUE(Export(mHTML));
  EXPECT_EQ(XMLError(File.Text()), "");
  EXPECT_EQ(File.Strings(0), "<html>");
  EXPECT_EQ(File.Strings(2),
            "<tr><th>AuftragId</th><th>AuftragBez</th><th>TOWN</th><th>TimeWindow1</th>"
            "<th>Reihe</th></tr>");
  EXPECT_EQ(File.Strings(4),
            "<tr><td>17</td><td>Wartung &lt;Heizung&gt; &amp; &quot;Kessel&quot;; "
            "dringend</td><td>Köln</td><td>27000</td><td>1</td></tr>");
  EXPECT_EQ(File.Count(), 8);
}

TEST_F(WriteCSVDataTest, RendersWellFormedXMLThatReadsBackTheValues) {
  ASSERT_TRUE(Export(mXML));
  ASSERT_EQ(XMLError(File.Text()), "");
  EXPECT_EQ(File.Strings(4),
            "<record><AuftragId>23</AuftragId><AuftragBez>Zeile 1&#xD;&#xA;Zeile 2</AuftragBez>"
            "<TOWN>Düren</TOWN><TimeWindow1>30600</TimeWindow1><Reihe>2</Reihe></record>");
  QXmlStreamReader reader(File.Text());
  QStringList descriptions;
  while (!reader.atEnd())
    if (reader.readNext() == QXmlStreamReader::StartElement &&
        reader.name() == QLatin1String("AuftragBez"))
      descriptions.append(reader.readElementText());
  EXPECT_EQ(descriptions, QStringList({"Start", "Wartung <Heizung> & \"Kessel\"; dringend",
                                       "Zeile 1\r\nZeile 2"}));
}

TEST_F(WriteCSVDataTest, AggregateColumnsStillGiveWellFormedXML) {
  File.CSVMode = mXML;
  ASSERT_TRUE(
      Server.WriteCSVData(File, "SELECT COUNT(*), MAX(Reihe) AS Letzte FROM Route_1", true));
  File.RebuildCSVData();
  EXPECT_EQ(XMLError(File.Text()), "");
  EXPECT_TRUE(File.Strings(2).endsWith("<Letzte>2</Letzte></record>"))
      << File.Strings(2).toStdString();
}

TEST_F(WriteCSVDataTest, AStatementWithoutRowsGivesTheNumberOfChangedRecords) {
  File.WithFieldNames = true;
  ASSERT_TRUE(Server.WriteCSVData(File, "UPDATE Route_1 SET Route=1 WHERE Reihe>0", true));
  EXPECT_EQ(File.FieldNames, QStringList({"Meldung"}));
  EXPECT_EQ(File.FieldDataTypes, "c");
  ASSERT_EQ(File.Count(), 1);
  EXPECT_EQ(File.Strings(0), "Anzahl der bearbeiteten Datensätze: 2");
  File.RebuildCSVData();
  EXPECT_EQ(File.ToStringList(), QStringList({"Meldung", "Anzahl der bearbeiteten Datensätze: 2"}));
}

TEST_F(WriteCSVDataTest, AFailingStatementGivesItsErrorMessage) {
  EXPECT_FALSE(Server.WriteCSVData(File, "SELECT * FROM Fehlt", true));
  EXPECT_TRUE(Server.SQLExecError);
  ASSERT_FALSE(Server.SQLErrorMsg.isEmpty());
  EXPECT_EQ(File.FieldNames, QStringList({"SQL-Fehlermeldung"}));
  EXPECT_EQ(File.FieldDataTypes, "c");
  ASSERT_EQ(File.Count(), 1);
  EXPECT_EQ(File.Strings(0), Server.SQLErrorMsg);
  EXPECT_NE(File.GetCSVRecord(0), nullptr);
}

TEST_F(WriteCSVDataTest, KeepsEarlierLinesUnlessToldToClear) {
  ASSERT_TRUE(Server.WriteCSVData(File, kSelect, true));
  ASSERT_TRUE(Server.WriteCSVData(File, "SELECT TOWN FROM Route_1 WHERE AuftragId=17", false));
  EXPECT_EQ(File.Count(), 4);
  EXPECT_EQ(File.FieldNames, QStringList({"TOWN"}));
  EXPECT_EQ(File.Strings(3), "Köln");
  ASSERT_TRUE(Server.WriteCSVData(File, "SELECT TOWN FROM Route_1 WHERE AuftragId=0", true));
  EXPECT_EQ(File.Count(), 0);
  EXPECT_EQ(File.FieldNames, QStringList({"TOWN"}));
}

TEST_F(WriteCSVDataTest, DoesNothingOnAClosedConnection) {
  ASSERT_TRUE(Server.WriteCSVData(File, kSelect, true));
  ASSERT_TRUE(Server.DisConnect());
  EXPECT_FALSE(Server.WriteCSVData(File, "SELECT 1", true));
  EXPECT_EQ(File.Count(), 3);
  EXPECT_EQ(File.FieldNames.size(), 5);
}
