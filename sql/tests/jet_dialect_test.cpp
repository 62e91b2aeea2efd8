// Jet's operators, functions, literals, types and text comparison on a real database file.
#include <QDate>
#include <QDateTime>

#include "sql/adorecordset.h"
#include "sql/tests/jettestdatabase.h"

namespace {

class JetDialectTest : public JetDatabaseTest {
 protected:
  void SetUp() override {
    JetDatabaseTest::SetUp();
    Exec(
        "CREATE TABLE T (Id COUNTER, Txt VARCHAR(50), Num DOUBLE, D DATETIME, B BIT, M MEMO, "
        "Bin LONGBINARY, Cur CURRENCY, Nothing TEXT(10))");
    Exec(
        "INSERT INTO T (Txt, Num, D, B, M, Bin, Cur)\r\nVALUES ('abc', 2.5, "
        "'07.10.2016 08:30', True, 'lang', 0x00FF10, 12.34567)");
  }
};

TEST_F(JetDialectTest, ExpressionsGiveJetsValuesAndTypes) {
  struct Case {
    const char* Expression;
    const char* Expected;  // value as text; "<null>" for NULL
    int AdoType;
  };
  const Case cases[] = {
      // + adds numbers, concatenates as soon as one side is text, NULL propagates
      {"1+2", "3", adotype::Integer},
      {"'1'+2", "12", adotype::VarWChar},
      {"Txt+Num", "abc2,5", adotype::VarWChar},
      {"Num+1", "3.5", adotype::Double},
      {"'a'+NULL", "<null>", adotype::VarWChar},
      {"Txt+Nothing", "<null>", adotype::VarWChar},
      {"Txt & Nothing & 1", "abc1", adotype::VarWChar},
      {"5/2", "2.5", adotype::Double},
      {"7\\2", "3", adotype::Integer},
      {"7 MOD 3", "1", adotype::Integer},
      {"2^10", "1024", adotype::Double},
      {"-Num", "-2.5", adotype::Double},
      {"D+1", "08.10.2016 08:30", adotype::Date},
      // text functions
      {"MID('abcdef',2,3)", "bcd", adotype::VarWChar},
      {"mid(Txt,2)", "bc", adotype::VarWChar},
      {"Mid('abc',5,1)", "", adotype::VarWChar},
      {"LEFT('abc',2) & RIGHT('abc',2)", "abbc", adotype::VarWChar},
      {"LEN('äöü')", "3", adotype::Integer},
      {"UCASE('müller') & LCASE('ÄB')", "MÜLLERäb", adotype::VarWChar},
      {"'[' & TRIM('  a  ') & '|' & LTRIM('  a ') & '|' & RTRIM(' a  ') & ']'", "[a|a | a]",
       adotype::VarWChar},
      {"INSTR('Hallo','L')", "3", adotype::Integer},
      {"INSTR(4,'Hallo','l')", "4", adotype::Integer},
      {"InStr(1,'Hallo','L',0)", "0", adotype::Integer},
      {"CHR(65) & Chr(128)", "A€", adotype::VarWChar},
      {"ASC('A')", "65", adotype::SmallInt},
      // conversions
      {"CSTR(12) & '/' & CStr(2.5)", "12/2,5", adotype::VarWChar},
      {"CSTR(D)", "07.10.2016 08:30:00", adotype::VarWChar},
      {"CLNG('2,5')", "2", adotype::Integer},
      {"CLNG(3.5)", "4", adotype::Integer},
      {"clng(' 12 ')", "12", adotype::Integer},
      {"CINT(-2.5)", "-2", adotype::SmallInt},
      {"CDBL('1,5')", "1.5", adotype::Double},
      {"Format(CDate('2016-10-07T08:30:15'),'dd.mm.yyyy hh:nn:ss')", "07.10.2016 08:30:15",
       adotype::VarWChar},
      {"Format(CDate('7.10.16 8:05'),'yyyy-mm-dd hh:nn')", "2016-10-07 08:05", adotype::VarWChar},
      // FORMAT with Access masks: "mm" after "hh" means minutes
      {"Format(D,'dd.mm.yyyy hh:nn')", "07.10.2016 08:30", adotype::VarWChar},
      {"FORMAT(D,\"dd.mm.yyyy\")", "07.10.2016", adotype::VarWChar},
      {"Format(D,\"hh:mm\")", "08:30", adotype::VarWChar},
      {"Format(D,'dddd, d. mmmm yyyy')", "Freitag, 7. Oktober 2016", adotype::VarWChar},
      {"Format('07.10.2016 08:30','hh:nn')", "08:30", adotype::VarWChar},
      {"Format(1234.5,'#,##0.00')", "1.234,50", adotype::VarWChar},
      // date literals: Jet's US order, ISO and German
      {"Format(#10/7/2016#,'dd.mm.yyyy')", "07.10.2016", adotype::VarWChar},
      {"Format(#13/10/2016#,'dd.mm.yyyy')", "13.10.2016", adotype::VarWChar},
      {"Format(#2016-10-07 17:45#,'dd.mm.yyyy hh:nn')", "07.10.2016 17:45", adotype::VarWChar},
      {"Format(#07.10.2016#,'dd.mm.yyyy')", "07.10.2016", adotype::VarWChar},
      {"D = #10/07/2016 08:30:00#", "true", adotype::Boolean},
      {"D > '06.10.2016' AND D < '2016-10-08'", "true", adotype::Boolean},
      // NULL handling and choices
      {"ISNULL(NULL)", "true", adotype::Boolean},
      {"IsNull(Txt)", "false", adotype::Boolean},
      {"NZ(Nothing,'x')", "x", adotype::VarWChar},
      {"Nz(Txt,'x')", "abc", adotype::VarWChar},
      {"IIF(Num>2,'groß','klein')", "groß", adotype::VarWChar},
      {"IIf(Nothing IS NULL, 1, 2)", "1", adotype::Integer},
      // LIKE with Jet's and ANSI wildcards, without case
      {"Txt LIKE 'A*'", "true", adotype::Boolean},
      {"Txt LIKE 'a_C'", "true", adotype::Boolean},
      {"Txt LIKE 'a?c' AND Txt LIKE 'A%'", "true", adotype::Boolean},
      {"Txt LIKE '[!x]bc'", "true", adotype::Boolean},
      {"'a*b' LIKE 'a[*]b' AND NOT ('axb' LIKE 'a[*]b')", "true", adotype::Boolean},
      {"'Äpfel' LIKE 'ä%'", "true", adotype::Boolean},
      {"Txt NOT LIKE 'b%'", "true", adotype::Boolean},
      // comparisons and columns of every type
      {"'abc' = 'ABC'", "true", adotype::Boolean},
      {"'Ä' = 'ä' AND 'ä' <> 'a'", "true", adotype::Boolean},
      {"Num BETWEEN 2 AND '3'", "true", adotype::Boolean},
      {"Txt IN ('x','ABC')", "true", adotype::Boolean},
      {"B", "true", adotype::Boolean},
      {"B = True", "true", adotype::Boolean},
      {"Cur", "12.3457", adotype::Currency},
      {"M", "lang", adotype::LongVarWChar},
      {"Id", "1", adotype::Integer},
  };
  for (const Case& test : cases) {
    const QString sql = QStringLiteral("SELECT %1 FROM T").arg(QString::fromUtf8(test.Expression));
    SCOPED_TRACE(sql.toStdString());
    int affected = 0;
    try {
      TADORecordsetPtr recordset = Connection.Execute(sql, affected);
      ASSERT_EQ(recordset->RecordCount(), 1);
      const QVariant value = recordset->Field(0).Value();
      QString text = value.isNull() ? QStringLiteral("<null>") : value.toString();
      if (value.typeId() == QMetaType::QDateTime)
        text = value.toDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
      EXPECT_EQ(text, QString::fromUtf8(test.Expected));
      EXPECT_EQ(recordset->Field(0).Type(), test.AdoType);
      EXPECT_EQ(affected, -1);
    } catch (const EADOError& error) {
      ADD_FAILURE() << error.what();
    }
  }
}

TEST_F(JetDialectTest, ColumnsReportAdoTypesAndQtValues) {
  int affected = 0;
  TADORecordsetPtr recordset = Connection.Execute("SELECT * FROM T", affected);
  ASSERT_EQ(recordset->FieldCount(), 9);
  const int adoTypes[] = {adotype::Integer,       adotype::VarWChar, adotype::Double,
                          adotype::Date,          adotype::Boolean,  adotype::LongVarWChar,
                          adotype::LongVarBinary, adotype::Currency, adotype::VarWChar};
  const QMetaType::Type qtTypes[] = {
      QMetaType::Int,        QMetaType::QString, QMetaType::Double,
      QMetaType::QDateTime,  QMetaType::Bool,    QMetaType::QString,
      QMetaType::QByteArray, QMetaType::Double,  QMetaType::UnknownType};
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(recordset->Field(i).Name().toStdString());
    EXPECT_EQ(recordset->Field(i).Type(), adoTypes[i]);
    EXPECT_EQ(recordset->Field(i).Value().typeId(), qtTypes[i]);
  }
  EXPECT_EQ(recordset->Field(1).Name(), QStringLiteral("Txt"));
  EXPECT_EQ(recordset->Field(3).Value().toDateTime(), QDateTime(QDate(2016, 10, 7), QTime(8, 30)));
  EXPECT_EQ(recordset->Field(6).Value().toByteArray(), QByteArray::fromHex("00FF10"));
  EXPECT_TRUE(recordset->Field(8).Value().isNull());
}

TEST_F(JetDialectTest, ExpressionColumnsAreNamedTheJetWay) {
  int affected = 0;
  TADORecordsetPtr recordset = Connection.Execute(
      "SELECT COUNT(*), txt, Num*2 AS Doppelt, MAX(Num) FROM T GROUP BY txt, Num ORDER BY Txt",
      affected);
  EXPECT_EQ(recordset->Field(0).Name(), QStringLiteral("Expr1000"));
  EXPECT_EQ(recordset->Field(0).Type(), adotype::Integer);
  EXPECT_EQ(recordset->Field(1).Name(), QStringLiteral("Txt"));
  EXPECT_EQ(recordset->Field(2).Name(), QStringLiteral("Doppelt"));
  EXPECT_EQ(recordset->Field(3).Name(), QStringLiteral("Expr1001"));
  EXPECT_EQ(recordset->Field(3).Type(), adotype::Double);
}

TEST_F(JetDialectTest, AggregatesSkipNullsAndKeepTheirTypes) {
  Exec("INSERT INTO T (Txt, Num, D) VALUES ('Äbc', 4.5, '01.01.2017')");
  Exec("INSERT INTO T (Txt) VALUES (NULL)");
  int affected = 0;
  TADORecordsetPtr result = Connection.Execute(
      "SELECT COUNT(*), COUNT(Num), SUM(Num), AVG(Num), MIN(Txt), MAX(D), SUM(Id), Max(txt) "
      "FROM T",
      affected);
  const struct {
    const char* Value;
    int AdoType;
  } expected[] = {{"3", adotype::Integer},    {"2", adotype::Integer},
                  {"7", adotype::Double},     {"3.5", adotype::Double},
                  {"abc", adotype::VarWChar}, {"2017-01-01T00:00:00.000", adotype::Date},
                  {"6", adotype::Integer},    {"Äbc", adotype::VarWChar}};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    const QVariant value = result->Field(i).Value();
    EXPECT_EQ(value.typeId() == QMetaType::QDateTime
                  ? value.toDateTime().toString(Qt::ISODateWithMs)
                  : value.toString(),
              QString::fromUtf8(expected[i].Value));
    EXPECT_EQ(result->Field(i).Type(), expected[i].AdoType);
  }
}

TEST_F(JetDialectTest, NowAndDateAreTodaysDates) {
  const QDate before = QDate::currentDate();
  const QVector<QVector<QVariant>> rows = Rows("SELECT NOW(), Date(), Format(Now(),'yyyy') FROM T");
  ASSERT_EQ(rows.size(), 1);
  const QDate after = QDate::currentDate();
  EXPECT_TRUE(rows[0][0].toDateTime().date() == before || rows[0][0].toDateTime().date() == after);
  EXPECT_EQ(rows[0][1].toDateTime().time(), QTime(0, 0));
  EXPECT_EQ(rows[0][2].toInt(), after.year());
}

TEST_F(JetDialectTest, TextCollationIgnoresCaseAndUmlautCaseEverywhere) {
  Exec("CREATE TABLE K (Name VARCHAR(20) CONSTRAINT pk_K PRIMARY KEY, N INT)");
  Exec("INSERT INTO K (Name, N) VALUES ('Äpfel', 1)");
  Exec("INSERT INTO K (Name, N) VALUES ('apfel', 2)");
  Exec("INSERT INTO K (Name, N) VALUES ('Birne', 3)");
  EXPECT_FALSE(ErrorOf("INSERT INTO K (Name, N) VALUES ('äPFEL', 4)").isEmpty())
      << "the key compares without case";
  EXPECT_EQ(Value("SELECT N FROM K WHERE Name = 'ÄPFEL'").toInt(), 1);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM K WHERE Name IN ('BIRNE', 'APFEL')").toInt(), 2);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM K WHERE Name LIKE 'äp%'").toInt(), 1);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM K WHERE Name < 'b'").toInt(), 2);

  Exec("CREATE TABLE G (Name VARCHAR(20))");
  for (const char* name : {"straße", "STRASSE", "Öl", "öL", "ol"})
    Exec(QStringLiteral("INSERT INTO G (Name) VALUES ('%1')").arg(QString::fromUtf8(name)));
  EXPECT_EQ(Rows("SELECT Name, COUNT(*) FROM G GROUP BY Name").size(), 4);
  EXPECT_EQ(Rows("SELECT DISTINCT Name FROM G").size(), 4);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM G WHERE Name='öl'").toInt(), 2);
  // Umlauts sort next to their base letters, as Access sorts them.
  const QVector<QVector<QVariant>> sorted = Rows("SELECT N, Name FROM K ORDER BY Name");
  ASSERT_EQ(sorted.size(), 3);
  EXPECT_EQ(sorted[2][1].toString(), QStringLiteral("Birne"));
}

TEST_F(JetDialectTest, SubqueriesJoinsAndInsertSelect) {
  Exec("CREATE TABLE P (Id INT CONSTRAINT pk_P PRIMARY KEY, Name VARCHAR(20), TId INT)");
  Exec("INSERT INTO P (Id, Name, TId) VALUES (1, 'eins', 1)");
  Exec("INSERT INTO P (Id, Name, TId) VALUES (2, 'zwei', 7)");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM P WHERE TId IN (SELECT Id FROM T)").toInt(), 1);
  EXPECT_EQ(Value("SELECT MAX(x.Id) FROM (SELECT Id, Name FROM P WHERE Id > 0) AS x").toInt(), 2);
  EXPECT_EQ(Value("SELECT (SELECT MAX(Id) FROM P) FROM T").toInt(), 2);
  EXPECT_EQ(
      Value("SELECT COUNT(*) FROM P WHERE EXISTS (SELECT * FROM T WHERE T.Id = P.TId)").toInt(), 1);
  EXPECT_EQ(Value("SELECT P.Name FROM P INNER JOIN T ON P.TId = T.Id").toString(),
            QStringLiteral("eins"));
  EXPECT_EQ(Rows("SELECT p.Name, t.Txt FROM P AS p LEFT JOIN T AS t ON p.TId = t.Id ORDER BY p.Id")
                .size(),
            2);
  EXPECT_EQ(Exec("INSERT INTO P (Id, Name) SELECT Id + 10, Txt & '!' FROM T"), 1);
  EXPECT_EQ(Value("SELECT Name FROM P WHERE Id = 11").toString(), QStringLiteral("abc!"));
  EXPECT_EQ(Value("SELECT TOP 1 Name FROM P ORDER BY Name DESC").toString(),
            QStringLiteral("zwei"));
  // Fields by position, as Jet allows.
  EXPECT_EQ(Value("SELECT Id, Name FROM P ORDER BY 2 DESC, 1").toInt(), 2);
  EXPECT_EQ(Value("SELECT Id, Name AS N FROM P ORDER BY N").toInt(), 11);
  EXPECT_FALSE(ErrorOf("SELECT Id FROM P ORDER BY 2").isEmpty());
}

TEST_F(JetDialectTest, ValuesAreConvertedToTheColumnType) {
  Exec("UPDATE T SET Txt = 42, Num = '3,25', D = '2016-12-24', B = 5, Cur = '1,5'");
  const QVector<QVector<QVariant>> rows = Rows("SELECT Txt, Num, D, B, Cur FROM T");
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows[0][0].typeId(), QMetaType::QString);
  EXPECT_EQ(rows[0][0].toString(), QStringLiteral("42"));
  EXPECT_DOUBLE_EQ(rows[0][1].toDouble(), 3.25);
  EXPECT_EQ(rows[0][2].toDateTime().date(), QDate(2016, 12, 24));
  EXPECT_TRUE(rows[0][3].toBool());
  EXPECT_DOUBLE_EQ(rows[0][4].toDouble(), 1.5);
  // A date written into text is its German text, as Access stores it.
  Exec("UPDATE T SET Txt = D");
  EXPECT_EQ(Value("SELECT Txt FROM T").toString(), QStringLiteral("24.12.2016"));
  // Dates compare and sort as dates.
  Exec("INSERT INTO T (D) VALUES ('02.01.2017')");
  EXPECT_EQ(Value("SELECT TOP 1 Format(D,'dd.mm.yyyy') FROM T ORDER BY D DESC").toString(),
            QStringLiteral("02.01.2017"));
}

TEST_F(JetDialectTest, BinaryAndMemoTakeHexLiterals) {
  EXPECT_EQ(Exec("UPDATE T SET Bin=0x0001FF WHERE Id=1"), 1);
  EXPECT_EQ(Value("SELECT Bin FROM T").toByteArray(), QByteArray("\x00\x01\xff", 3));
  // Long memo texts arrive as hex bytes, one byte per character.
  EXPECT_EQ(Exec("UPDATE T SET M=0x48616C6C6F WHERE Id=1"), 1);
  EXPECT_EQ(Value("SELECT M FROM T").toString(), QStringLiteral("Hallo"));
  EXPECT_EQ(Exec("UPDATE T SET Bin=null"), 1);
  EXPECT_TRUE(Value("SELECT Bin FROM T").isNull());
}

TEST_F(JetDialectTest, DdlCreatesIndexesAndDropsTables) {
  Exec("CREATE TABLE X (A INT NOT NULL, B TEXT(10), C MEMO, CONSTRAINT pk_X PRIMARY KEY (A, B))");
  Exec("CREATE UNIQUE INDEX ix_C ON X (C DESC)");
  EXPECT_FALSE(ErrorOf("CREATE INDEX ix_C ON X (A)").isEmpty());
  Exec("INSERT INTO X (A, B, C) VALUES (1, 'a', 'eins')");
  EXPECT_FALSE(ErrorOf("INSERT INTO X (A, B, C) VALUES (2, 'b', 'EINS')").isEmpty());
  EXPECT_FALSE(ErrorOf("INSERT INTO X (A, B, C) VALUES (1, 'A', 'zwei')").isEmpty());
  Exec("DROP INDEX ix_C ON X");
  Exec("INSERT INTO X (A, B, C) VALUES (2, 'b', 'EINS')");
  int affected = 0;
  TADORecordsetPtr result = Connection.Execute("DROP TABLE X", affected);
  EXPECT_FALSE(result->IsOpen());
  EXPECT_EQ(affected, -1);
  EXPECT_FALSE(ErrorOf("SELECT * FROM X").isEmpty());
}

}  // namespace
