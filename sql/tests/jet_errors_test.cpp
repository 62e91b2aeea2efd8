// Statements the compiler must refuse with a readable message, and hostile values that must
// never leave their literal.
#include "sql/tests/jettestdatabase.h"

namespace {

class JetErrorsTest : public JetDatabaseTest {
 protected:
  void SetUp() override {
    JetDatabaseTest::SetUp();
    Exec(kCreateRO);
    Exec(
        "CREATE TABLE Notes (Id INT CONSTRAINT pk_Notes PRIMARY KEY, Body MEMO, Short "
        "VARCHAR(20))");
    Exec("INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(1002,'C:\\Karten',null)");
  }

  void ExpectIntact() {
    EXPECT_EQ(Value("SELECT COUNT(*) FROM RO").toInt(), 1);
    EXPECT_EQ(Value("SELECT Data1 FROM RO WHERE Class=1002").toString(),
              QStringLiteral("C:\\Karten"));
  }
};

TEST_F(JetErrorsTest, MalformedOrUnsupportedStatementsRaiseReadableErrors) {
  struct Case {
    QString Sql;
    const char* MessagePart;
  };
  const Case cases[] = {
      {"", "leere Anweisung"},
      {"   ;", "gefunden \";\""},
      {"SELEC * FROM RO", "ungültige SQL-Anweisung"},
      {"SELECT * FROM", "Tabellenname erwartet"},
      {"SELECT * FROM Fehlt", "findet die Eingabetabelle oder Abfrage \"Fehlt\""},
      {"SELECT Nope FROM RO", "Unbekannter Feldname \"Nope\" (an Position 8)"},
      {"SELECT * FROM RO; DELETE FROM RO", "nur eine Anweisung"},
      {"SELECT * FROM RO;;", "unerwartet"},
      {"SELECT 'abc FROM RO", "ohne schließendes Anführungszeichen"},
      {"SELECT [Class FROM RO", "fehlende schließende Klammer"},
      {QStringLiteral("CREATE TABLE [X") + QChar(0) + QStringLiteral("y] (a INT)"),
       "ungültiger Name in eckigen Klammern"},
      {"SELECT Foo(1) FROM RO", "Undefinierte Funktion \"FOO\""},
      {"SELECT MID('a') FROM RO", "Anzahl von Argumenten für die Funktion MID"},
      {"SELECT * FROM RO WHERE COUNT(*)>1", "Aggregatfunktion COUNT"},
      {"SELECT MAX(MIN(Class)) FROM RO", "Aggregatfunktion MIN"},
      {"SELECT Class, COUNT(*) FROM RO",
       "Ausdruck \"RO.Class\" nicht als Teil einer Aggregatfunktion"},
      {"SELECT * FROM RO GROUP BY Class", "Ausdruck \"RO.ROId\" nicht"},
      {"SELECT Class FROM RO GROUP BY Class ORDER BY Data1", "Ausdruck \"RO.Data1\" nicht"},
      {"SELECT COUNT(*) FROM RO HAVING Data1 > 'a'", "Ausdruck \"RO.Data1\" nicht"},
      {"SELECT 0x123 FROM RO", "ungültiges Binärliteral"},
      {"SELECT #32/13/2016# FROM RO", "ungültiges Datum"},
      {"SELECT 12abc FROM RO", "ungültige Zahl"},
      {"SELECT * FROM RO UNION SELECT * FROM RO", "UNION wird nicht unterstützt"},
      {"SELECT TOP 10 PERCENT * FROM RO", "PERCENT wird nicht unterstützt"},
      {"SELECT TOP x * FROM RO", "Anzahl nach TOP erwartet"},
      {"SELECT Class FROM RO ORDER", "BY erwartet"},
      {"SELECT Class FROM RO WHERE", "Ausdruck erwartet"},
      {"SELECT Class FROM RO WHERE Class = 'abc'", "Datentypen in Kriterienausdruck unverträglich"},
      {"SELECT Class FROM RO WHERE Class IN (1,", "Ausdruck erwartet"},
      {"SELECT Class FROM RO WHERE Class BETWEEN 1", "AND erwartet"},
      {"SELECT Class FROM RO -- Kommentar", "unerwartet"},
      {"SELECT Class FROM RO WHERE Data1 = 0x00", "Datentypen in Kriterienausdruck unverträglich"},
      {"SELECT * FROM sqlite_master", "findet die Eingabetabelle"},
      {"SELECT * FROM RO, RO", "mehrfach"},
      {"SELECT Class FROM RO a JOIN RO b ON a.ROId = b.ROId", "JOIN ohne INNER"},
      {"SELECT CLNG(Data1) FROM RO", "keine Zahl (CLNG)"},
      {"SELECT CDATE(Data1) FROM RO", "kein Datum (CDATE)"},
      {"SELECT CSTR(Data2) FROM RO", "Unzulässige Verwendung von Null"},
      {"SELECT MID(Data1,0,1) FROM RO", "Ungültiger Prozeduraufruf"},
      {"SELECT CLNG(3000000000) FROM RO", "Überlauf"},
      {"SELECT Class/0 FROM RO", "Division durch Null"},
      {"SELECT Format(CDate(1e300),'dd.mm.yyyy') FROM RO", "außerhalb des Datumsbereichs"},
      {"SELECT Format(-1e9,'dd mmmm yyyy') FROM RO", "außerhalb des Datumsbereichs"},
      {"SELECT Year(3000000) FROM RO", "außerhalb des Datumsbereichs"},
      {"SELECT 1e300 \\ 1 FROM RO", "Überlauf"},
      {"SELECT Class FROM RO WHERE Data1 LIKE '[ab'", "ohne \"]\""},
      {"UPDATE RO SET Nope=1", "Unbekannter Feldname \"Nope\""},
      {"UPDATE RO SET Class=1, Class=2", "mehrfach gesetzt"},
      {"UPDATE RO SET Class='eins'", "passt nicht zum Datentyp des Feldes \"RO.Class\""},
      {"UPDATE RO SET Class=NULL", "keinen Nullwert"},
      {"UPDATE RO SET Data1='" + QString(256, QLatin1Char('x')) + "'",
       "länger als die erlaubten 255 Zeichen"},
      {"INSERT INTO RO(Class) VALUES(1,2)", "Anzahl der Abfragewerte und Zielfelder"},
      {"INSERT INTO RO(Class,Class) VALUES(1,2)", "mehrfach als Ziel"},
      {"INSERT INTO RO(Class) VALUES(Data1)", "Unbekannter Feldname \"Data1\""},
      {"INSERT INTO RO(Data1) VALUES('x')", "keinen Nullwert"},
      {"INSERT INTO RO(ROId,Class) VALUES(1,1)", "mehrfach vorkommende Werte"},
      {"INSERT RO(Class) VALUES(1)", "INTO erwartet"},
      {"DELETE RO", "FROM erwartet"},
      {"CREATE TABLE X (a FOO)", "Unbekannter Datentyp \"FOO\""},
      {"CREATE TABLE X (a VARCHAR(300))", "Feldgröße 300"},
      {"CREATE TABLE X (a INT, A INT)", "mehrfach definiert"},
      {"CREATE TABLE X (a COUNTER, b INT CONSTRAINT pk PRIMARY KEY)", "Zählerfeld"},
      {"CREATE TABLE X (a INT PRIMARY KEY, CONSTRAINT p2 PRIMARY KEY (a))", "mehr als einen"},
      {"CREATE TABLE X (a COUNTER(5,2))", "Startwert"},
      {"CREATE TABLE sqlite_x (a INT)", "reserviert"},
      {"CREATE TABLE X (a INT DEFAULT 1)", "\")\" erwartet, gefunden \"DEFAULT\""},
      {"CREATE INDEX i ON RO (Nope)", "Unbekannter Feldname \"Nope\""},
      {"DROP INDEX i ON RO", "nicht vorhanden"},
      {"DROP TABLE Fehlt", "findet die Eingabetabelle"},
      {"ALTER TABLE RO ADD x INT", "ungültige SQL-Anweisung"},
      {"SELECT " + QString(300, QLatin1Char('(')) + "1" + QString(300, QLatin1Char(')')) +
           " FROM RO",
       "zu tief verschachtelt"},
      {"SELECT " + QString(300, QLatin1Char('-')) + "1 FROM RO", "zu tief verschachtelt"},
      {"SELECT Class FROM RO WHERE " + QString(300, QLatin1Char('N')).replace("N", "NOT ") + "1=1",
       "zu tief verschachtelt"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.Sql.left(200).toStdString());
    const QString message = ErrorOf(test.Sql);
    EXPECT_TRUE(message.contains(QString::fromUtf8(test.MessagePart)))
        << "message: " << message.toStdString();
  }
  ExpectIntact();
}

TEST_F(JetErrorsTest, HostileValuesStayInsideTheirLiteral) {
  const QString hundredKilobytes =
      QString(100 * 1024, QLatin1Char('x')) + QStringLiteral("'; DROP TABLE RO; --");
  const QString values[] = {
      QStringLiteral("O'Brien"),
      QStringLiteral("'; DROP TABLE RO; --"),
      QStringLiteral("'); DELETE FROM RO; SELECT ('"),
      QStringLiteral("a\r\nb\r\n"),
      QString::fromUtf16(u"x\u0000y", 3),
      QStringLiteral("\"doppelt\" \"\""),
      QStringLiteral("-- ; /* */ ?1 ?2 :a @b $c"),
      QStringLiteral("\\' \\\" \\0"),
      QStringLiteral("ä€😀 ' ß"),
      QStringLiteral("   "),
      QString(250, QLatin1Char('\'')),
      QStringLiteral("Zeile\r\n").repeated(100),
      hundredKilobytes,
  };
  int id = 0;
  for (const QString& value : values) {
    SCOPED_TRACE(value.left(40).toStdString());
    // Standard quoting with doubled apostrophes...
    QString standard = value;
    standard.replace(QLatin1String("'"), QLatin1String("''"));
    ++id;
    EXPECT_EQ(
        Exec(QStringLiteral("INSERT INTO Notes(Id,Body)\r\nVALUES(%1,'%2')").arg(id).arg(standard)),
        1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Body FROM Notes WHERE Id=%1").arg(id)).toString(),
              value);
    // ...the Access concatenation style with CHR codes...
    QString concatenated = value;
    concatenated.replace(QLatin1String("'"), QLatin1String("'+CHR(39)+'"));
    concatenated.replace(QLatin1String("\r"), QLatin1String("'+CHR(13)+'"));
    concatenated.replace(QLatin1String("\n"), QLatin1String("'+CHR(10)+'"));
    ++id;
    EXPECT_EQ(
        Exec(
            QStringLiteral("UPDATE Notes SET Body='%1' WHERE Id=%2").arg(concatenated).arg(id - 1)),
        1);
    EXPECT_EQ(Value(QStringLiteral("SELECT Body FROM Notes WHERE Id=%1").arg(id - 1)).toString(),
              value);
    // ...double quotes, and the value found again by comparing with it.
    QString doubleQuoted = value;
    doubleQuoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    EXPECT_EQ(Exec(QStringLiteral("INSERT INTO Notes(Id,Body)\r\nVALUES(%1,\"%2\")")
                       .arg(id)
                       .arg(doubleQuoted)),
              1);
    EXPECT_EQ(
        Value(QStringLiteral("SELECT COUNT(*) FROM Notes WHERE Body=\"%1\"").arg(doubleQuoted))
            .toInt(),
        2);
  }
  ExpectIntact();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM Notes").toInt(), 2 * int(std::size(values)));
}

TEST_F(JetErrorsTest, FailedStatementChangesNothing) {
  Exec("INSERT INTO Notes(Id,Short) VALUES(1,'a')");
  Exec("INSERT INTO Notes(Id,Short) VALUES(2,'b')");
  // The second row's value is too long: the whole UPDATE is undone.
  EXPECT_FALSE(
      ErrorOf("UPDATE Notes SET Short=IIF(Id=1,'kurz','" + QString(30, QLatin1Char('y')) + "')")
          .isEmpty());
  EXPECT_EQ(Value("SELECT Short FROM Notes WHERE Id=1").toString(), QStringLiteral("a"));
}

}  // namespace
