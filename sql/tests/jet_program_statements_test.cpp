// The statements the program runs on its settings table and its route tables, on a real
// database file, each with the rows it must return.
#include <QStringList>

#include "sql/tests/jettestdatabase.h"

namespace {

QString Literal(const QString& value) {
  // Access-style concatenation literal as the program writes it.
  if (value.isEmpty()) return QStringLiteral("null");
  QString text = value;
  text.replace(QLatin1String("'"), QLatin1String("'+CHR(39)+'"));
  text.replace(QLatin1String("\r"), QLatin1String("'+CHR(13)+'"));
  text.replace(QLatin1String("\n"), QLatin1String("'+CHR(10)+'"));
  return QLatin1Char('\'') + text + QLatin1Char('\'');
}

struct Order {
  int Id;
  QString Label, X, Y, HNrPos, ArrivalTime;
  int Reihe, Route;
};

QString InsertOrder(const Order& order) {
  QStringList values{QString::number(order.Id), Literal(order.Label)};
  for (int field = 2; field <= 27; ++field) {
    QString value;
    if (field == 4) value = order.X;
    if (field == 5) value = order.Y;
    if (field == 14) value = order.HNrPos;
    if (field == 24) value = order.ArrivalTime;
    values.append(Literal(value));
  }
  values << QString::number(order.Reihe) << QString::number(order.Route);
  return QStringLiteral("INSERT INTO R1(") + kRouteColumns + QStringLiteral(")\r\nVALUES(") +
         values.join(QLatin1Char(',')) + QLatin1Char(')');
}

QStringList AsTexts(const QVector<QVector<QVariant>>& rows) {
  QStringList texts;
  for (const QVector<QVariant>& row : rows) {
    QStringList cells;
    for (const QVariant& value : row)
      cells.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
    texts.append(cells.join(QLatin1Char('|')));
  }
  return texts;
}

class JetProgramStatementsTest : public JetDatabaseTest {
 protected:
  void SetUp() override {
    JetDatabaseTest::SetUp();
    Exec(kCreateRO);
    Exec(CreateRouteTable(QStringLiteral("R1")));
    const Order orders[] = {
        {1, QStringLiteral("Müller"), "1000", "2000", "5", "07.10.2016 08:30", 1, 1},
        {2, QStringLiteral("Schmidt"), "1000", "2000", "5", "07.10.2016 10:15", 5, 1},
        {3, QStringLiteral("Weiß"), "500", "100", "1", "08.10.2016 07:45", 12, 100001},
        {4, QStringLiteral("Ärzte GmbH"), "3000", "50", "", "07.10.2016 09:00", 2000, -99},
        {5, QStringLiteral("Zahn"), "200", "300", "5", "", 1, 1},
    };
    for (const Order& order : orders) EXPECT_EQ(Exec(InsertOrder(order)), 1);
    const char* const settings[][3] = {
        {"1", "'06.10.2016 00:00'", "'07.10.2016 00:00'"},  // holds the day's midnight
        {"1", "'07.10.2016 14:00'", "'07.10.2016 16:00'"},  // begins on the day
        {"1", "'30.09.2016 00:00'", "'15.10.2016 00:00'"},  // around it; text order would miss it
        {"1", "'09.10.2016 00:00'", "'10.10.2016 00:00'"},  // another day
        {"1002", "'C:\\Karten'", "null"},                   // not a date at all
        {"1001", "'1'", "null"},
    };
    for (const auto& row : settings)
      Exec(QStringLiteral("INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(%1,%2,%3)")
               .arg(QLatin1String(row[0]), QLatin1String(row[1]), QLatin1String(row[2])));
  }
};

TEST_F(JetProgramStatementsTest, SelectsReturnTheirRows) {
  struct Case {
    const char* Sql;
    QStringList Rows;
  };
  const Case cases[] = {
      {"SELECT TOP 2 AuftragId,AuftragBez FROM R1 ORDER BY AuftragId", {"1|Müller", "2|Schmidt"}},
      {"SELECT TOP 55 AuftragId FROM R1 WHERE Route=1 ORDER BY AuftragId", {"1", "2", "5"}},
      {"SELECT AuftragId,mid(ArrivalTime,12,5) FROM R1 WHERE ArrivalTime<>'' "
       "ORDER BY Route,mid(ArrivalTime,12,5)",
       {"4|09:00", "1|08:30", "2|10:15", "3|07:45"}},
      {"SELECT AuftragId FROM R1 WHERE Route=100001 or ((Route=-99) and "
       "(MID(ArrivalTime,1,10)='07.10.2016')) ORDER BY AuftragId",
       {"3", "4"}},
      {"SELECT TOP 1 AuftragId FROM R1 WHERE (Route between 1 and 10) "
       "ORDER BY clng(XCOORD)+clng(YCOORD)",
       {"5"}},
      {"SELECT XCOORD,YCOORD,HNrPos,COUNT(*) FROM R1 WHERE AuftragId>0 "
       "GROUP BY XCOORD,YCOORD,HNrPos HAVING COUNT(*)>1",
       {"1000|2000|5|2"}},
      {"SELECT MAX(Reihe) FROM R1 WHERE Reihe<1000", {"12"}},
      {"SELECT AuftragId FROM R1 WHERE (Route>-1) and -1 in(-1, Route) "
       "ORDER BY Route,mid(ArrivalTime,12,5)",
       {"5", "1", "2", "3"}},
      {"SELECT AuftragId FROM R1 WHERE (Route>-1) and 1 in(-1, Route) "
       "ORDER BY Route,mid(ArrivalTime,12,5)",
       {"5", "1", "2"}},
      {"SELECT COUNT(*) FROM R1 WHERE Reihe=1 and (Route between 1 and 10) and PLZ is null AND "
       "TOWN is null AND STREET is null",
       {"2"}},
      {"SELECT COUNT(*) FROM R1 WHERE TOWN2 is null AND AuftragBez='müller'", {"1"}},
      {"SELECT AuftragId FROM R1 WHERE AuftragBez='ÄRZTE gmbh' OR AuftragBez='WEISS'", {"4"}},
      {"SELECT AuftragId FROM R1 WHERE AuftragBez IN ('weiß','SCHMIDT') ORDER BY AuftragId",
       {"2", "3"}},
      {"SELECT AuftragBez FROM R1 WHERE AuftragBez < 'b' ORDER BY AuftragBez", {"Ärzte GmbH"}},
      {"SELECT AuftragBez FROM R1 ORDER BY AuftragBez DESC",
       {"Zahn", "Weiß", "Schmidt", "Müller", "Ärzte GmbH"}},
      {"SELECT Format(CDate(ArrivalTime),'dd.mm.yyyy hh:nn') FROM R1 WHERE AuftragId=3",
       {"08.10.2016 07:45"}},
      {"SELECT Class,Data1,Data2 FROM RO WHERE Class=1002", {"1002|C:\\Karten|<null>"}},
      {"SELECT COUNT(*) FROM RO WHERE (Class=1) AND (('07.10.2016' BETWEEN CDate(Data1) AND "
       "CDate(Data2)) OR (Data1 LIKE '07.10.2016%'))",
       {"3"}},
      {"SELECT Class,Data1,Data2 FROM RO WHERE (Class=1) AND (('07.10.2016' BETWEEN "
       "CDate(Data1) AND CDate(Data2)) OR (Data1 LIKE '07.10.2016%')) ORDER BY CDate(Data1)",
       {"1|30.09.2016 00:00|15.10.2016 00:00", "1|06.10.2016 00:00|07.10.2016 00:00",
        "1|07.10.2016 14:00|07.10.2016 16:00"}},
      {"SELECT ROId,Class FROM RO WHERE Class>1000 ORDER BY ROId", {"5|1002", "6|1001"}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.Sql);
    EXPECT_EQ(AsTexts(Rows(QString::fromUtf8(test.Sql))), test.Rows);
  }
}

TEST_F(JetProgramStatementsTest, SamePlaceGroupsAreComputedWithTheProgramsStatements) {
  EXPECT_EQ(Exec("UPDATE R1 SET REFPNTIDHIGH=NULL,REFPNTIDLOW=NULL"), 5);
  EXPECT_EQ(Exec("UPDATE R1 SET REFPNTIDLOW='2' WHERE XCOORD='1000' AND YCOORD='2000' AND "
                 "HNrPos='5'"),
            2);
  EXPECT_EQ(Exec("UPDATE R1 SET REFPNTIDHIGH='1' WHERE (XCOORD+','+YCOORD='1000,2000') AND "
                 "REFPNTIDLOW IS NOT NULL"),
            2);
  EXPECT_EQ(AsTexts(Rows("SELECT AuftragId FROM R1 WHERE cstr(AuftragId)=REFPNTIDHIGH")),
            QStringList{"1"});
  EXPECT_EQ(AsTexts(Rows("SELECT AuftragId,StayTime FROM R1 WHERE AuftragId<>1 AND "
                         "REFPNTIDHIGH='1' ORDER BY TimeWindow2,TimeWindow1,AuftragId")),
            QStringList{"2|<null>"});
  EXPECT_EQ(Exec("UPDATE R1 SET Route=10001,Reihe=7 WHERE (cstr(AuftragId)=REFPNTIDHIGH) AND "
                 "(Route>=1)"),
            1);
  EXPECT_EQ(AsTexts(Rows("SELECT REFPNTIDHIGH,Route,Reihe FROM R1 WHERE REFPNTIDHIGH='1' AND "
                         "Route<>10001")),
            QStringList{"1|1|5"});
}

TEST_F(JetProgramStatementsTest, ChangesReportTheirRowsAndKeepLiteralsVerbatim) {
  EXPECT_EQ(Exec("UPDATE R1 SET POPULATION=ArrivalTime WHERE (Route between 0 and 10)"), 3);
  EXPECT_EQ(Exec("UPDATE R1 SET Route=-99 WHERE (Route between 0 and 10) and ArrivalTime<>''"), 2);
  EXPECT_EQ(Exec("UPDATE R1 SET Route=-1,MEId=0"), 5);
  EXPECT_EQ(Exec("UPDATE R1 SET AuftragBez='it'+CHR(39)+'s',STREET='a'+CHR(13)+''+CHR(10)+'b' "
                 "WHERE AuftragId=5"),
            1);
  const QVector<QVector<QVariant>> rows =
      Rows("SELECT AuftragBez,STREET,POPULATION FROM R1 WHERE AuftragId=5");
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0][0].toString(), QStringLiteral("it's"));
  EXPECT_EQ(rows[0][1].toString(), QStringLiteral("a\r\nb"));
  EXPECT_TRUE(rows[0][2].isNull());
  EXPECT_EQ(Exec("DELETE FROM RO WHERE Class=1"), 4);
  EXPECT_EQ(Exec("DELETE FROM R1"), 5);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM R1").toInt(), 0);
}

TEST_F(JetProgramStatementsTest, IdentityKeyCountsUp) {
  Exec("DELETE FROM RO");
  for (int i = 0; i < 3; ++i)
    Exec(QStringLiteral("INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(%1,null,null)").arg(2000 + i));
  // Jet does not reuse counter values of deleted rows either.
  EXPECT_EQ(AsTexts(Rows("SELECT ROId,Class FROM RO ORDER BY ROId")),
            (QStringList{"7|2000", "8|2001", "9|2002"}));
}

TEST_F(JetProgramStatementsTest, DuplicateOrderNumberFailsAtThePrimaryKey) {
  const QString message = ErrorOf(InsertOrder({1, "Doppelt", "1", "2", "", "", 1, 1}));
  EXPECT_TRUE(message.contains(QStringLiteral("mehrfach vorkommende Werte")))
      << message.toStdString();
  EXPECT_EQ(Value("SELECT AuftragBez FROM R1 WHERE AuftragId=1").toString(),
            QStringLiteral("Müller"));
}

TEST_F(JetProgramStatementsTest, RouteTableCreatedTwiceKeepsOneTable) {
  const QString message = ErrorOf(CreateRouteTable(QStringLiteral("r1")));
  EXPECT_TRUE(message.contains(QStringLiteral("bereits vorhanden"))) << message.toStdString();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM r1").toInt(), 5);
  EXPECT_FALSE(ErrorOf("SELECT COUNT(*) FROM R2").isEmpty());
}

}  // namespace
