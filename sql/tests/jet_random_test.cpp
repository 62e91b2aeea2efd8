// Thousands of random and mutated statements: the compiler and the provider must either run
// them or raise EADOError, never crash or throw anything else.
#include <random>

#include "sql/jet/jetcompiler.h"
#include "sql/tests/jettestdatabase.h"

namespace {

const char* const kSeeds[] = {
    "SELECT TOP 5 AuftragId,AuftragBez FROM R1 WHERE Route=1 ORDER BY Route,mid(ArrivalTime,12,5)",
    "SELECT AuftragId FROM R1 WHERE (Route between 1 and 10) ORDER BY clng(XCOORD)+clng(YCOORD)",
    "SELECT XCOORD,YCOORD,HNrPos,COUNT(*) FROM R1 WHERE AuftragId>0 GROUP BY XCOORD,YCOORD,HNrPos "
    "HAVING COUNT(*)>1",
    "UPDATE R1 SET REFPNTIDHIGH='1' WHERE (XCOORD+','+YCOORD='1000,2000') AND REFPNTIDLOW IS NOT "
    "NULL",
    "SELECT COUNT(*) FROM RO WHERE (Class=1) AND (('07.10.2016' BETWEEN CDate(Data1) AND "
    "CDate(Data2)) OR (Data1 LIKE '07.10.2016%'))",
    "INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(1,'it'+CHR(39)+'s','a'+CHR(13)+''+CHR(10)+'b')",
    "SELECT Format(CDate(ArrivalTime),'dd.mm.yyyy hh:nn'), IIF(Reihe>1,\"x\",NULL) FROM R1",
    "DELETE FROM R1 WHERE cstr(AuftragId)=REFPNTIDHIGH AND Route<>5",
    "SELECT p.Class FROM RO AS p INNER JOIN (SELECT Class FROM RO) AS q ON p.Class=q.Class",
    "SELECT #10/7/2016#, 0x00FF, 1.5e3, -Reihe, Reihe MOD 2, Reihe\\3, 2^3 FROM R1",
    "CREATE TABLE Z (a COUNTER, b VARCHAR(10) NOT NULL, c MEMO, d DATETIME, e BIT, f LONGBINARY)",
};

const char* const kVocabulary[] = {"SELECT",
                                   "FROM",
                                   "WHERE",
                                   "AND",
                                   "OR",
                                   "NOT",
                                   "(",
                                   ")",
                                   ",",
                                   "'",
                                   "\"",
                                   "#",
                                   "[",
                                   "]",
                                   "+",
                                   "-",
                                   "*",
                                   "/",
                                   "&",
                                   "=",
                                   "<>",
                                   "<",
                                   ">=",
                                   "LIKE",
                                   "IN",
                                   "IS",
                                   "NULL",
                                   "BETWEEN",
                                   "GROUP BY",
                                   "HAVING",
                                   "ORDER BY",
                                   "TOP",
                                   "1",
                                   "0",
                                   "-1",
                                   "2147483648",
                                   "1e308",
                                   "0x",
                                   "0xZZ",
                                   "'x'",
                                   "''",
                                   "#1/1/2000#",
                                   "MID(",
                                   "CLNG(",
                                   "CDATE(",
                                   "FORMAT(",
                                   "COUNT(*)",
                                   "MAX(",
                                   "IIF(",
                                   "NZ(",
                                   "CHR(",
                                   "AuftragId",
                                   "Data1",
                                   "RO",
                                   "R1",
                                   "Reihe",
                                   ".",
                                   ";",
                                   "INSERT INTO",
                                   "VALUES",
                                   "UPDATE",
                                   "SET",
                                   "DELETE",
                                   "CREATE TABLE",
                                   "DROP TABLE",
                                   "CREATE INDEX",
                                   "ON",
                                   "INNER JOIN",
                                   "AS",
                                   "DISTINCT",
                                   "*",
                                   "\\",
                                   "^",
                                   "MOD",
                                   "EXISTS",
                                   "\r\n",
                                   "\0",
                                   "ä",
                                   "😀"};

QString RandomToken(std::mt19937& random) {
  std::uniform_int_distribution<size_t> pick(0, std::size(kVocabulary) - 1);
  const char* token = kVocabulary[pick(random)];
  return token[0] == '\0' ? QString(QChar(0)) : QString::fromUtf8(token);
}

QString Mutate(QString statement, std::mt19937& random) {
  std::uniform_int_distribution<int> kind(0, 5);
  const int steps = std::uniform_int_distribution<int>(1, 2)(random);
  for (int step = 0; step < steps; ++step) {
    const qsizetype size = statement.size();
    const qsizetype at =
        size == 0 ? 0 : std::uniform_int_distribution<qsizetype>(0, size - 1)(random);
    const qsizetype length = std::uniform_int_distribution<qsizetype>(1, 12)(random);
    switch (kind(random)) {
      case 0:
        statement.remove(at, length);
        break;
      case 1:
        statement.insert(at, QLatin1Char(' ') + RandomToken(random) + QLatin1Char(' '));
        break;
      case 2:
        statement.insert(at, statement.mid(at, length));
        break;
      case 3:
        statement.truncate(at);
        break;
      case 4:
        if (size > 0) statement[at] = QChar(std::uniform_int_distribution<int>(1, 0x2FF)(random));
        break;
      default:
        statement.replace(at, length, RandomToken(random));
        break;
    }
  }
  return statement;
}

QString RandomStatement(std::mt19937& random) {
  QString statement;
  const int tokens = std::uniform_int_distribution<int>(1, 30)(random);
  for (int i = 0; i < tokens; ++i) statement += RandomToken(random) + QLatin1Char(' ');
  return statement;
}

class JetRandomStatementTest : public JetDatabaseTest {
 protected:
  void SetUp() override {
    JetDatabaseTest::SetUp();
    Exec(kCreateRO);
    Exec(CreateRouteTable(QStringLiteral("R1")));
    Exec(
        "INSERT INTO R1(AuftragId,XCOORD,YCOORD,ArrivalTime,Reihe,Route)\r\nVALUES(1,'10','20',"
        "'07.10.2016 08:30',1,1)");
    Exec("INSERT INTO RO(Class,Data1,Data2)\r\nVALUES(1,'07.10.2016 00:00','08.10.2016 00:00')");
  }

  // Runs the statement; answers whether it ran (false when it raised EADOError).
  bool Survives(const QString& statement) {
    int affected = 0;
    try {
      Connection.Execute(statement, affected);
      return true;
    } catch (const EADOError& error) {
      EXPECT_FALSE(error.Message.isEmpty());
      return false;
    }
  }
};

TEST_F(JetRandomStatementTest, NeverCrashesAndEitherRunsOrRaises) {
  for (const char* seed : kSeeds) EXPECT_TRUE(Survives(QString::fromUtf8(seed))) << seed;
  std::mt19937 random(20161007);
  int ran = 0, refused = 0;
  for (int i = 0; i < 4000; ++i) {
    const QString statement =
        i % 4 == 3 ? RandomStatement(random)
                   : Mutate(QString::fromUtf8(kSeeds[i % std::size(kSeeds)]), random);
    SCOPED_TRACE(statement.toStdString());
    try {
      (Survives(statement) ? ran : refused)++;
    } catch (const std::exception& error) {
      ADD_FAILURE() << "unexpected exception: " << error.what();
    }
  }
  // Both outcomes occur, so the mutations reach past the tokenizer.
  EXPECT_GT(ran, 50);
  EXPECT_GT(refused, 1000);
}

}  // namespace
