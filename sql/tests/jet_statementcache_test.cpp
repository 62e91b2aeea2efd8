#include "sql/tests/jettestdatabase.h"

namespace {

using JetStatementCacheTest = JetDatabaseTest;

// Statements that differ only in their literals share one prepared statement; each run
// must still see its own values, never the previous run's bindings.
TEST_F(JetStatementCacheTest, RepeatedShapesKeepTheirOwnValues) {
  Exec("CREATE TABLE T (Id INT NOT NULL CONSTRAINT pk_T PRIMARY KEY, Name VARCHAR(50) NULL)");
  for (int id = 1; id <= 100; ++id)
    Exec(QStringLiteral("INSERT INTO T(Id,Name) VALUES(%1,'Name %1')").arg(id));
  Exec("INSERT INTO T(Id,Name) VALUES(101,null)");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM T").toInt(), 101);
  for (int id : {1, 57, 100})
    EXPECT_EQ(Value(QStringLiteral("SELECT Name FROM T WHERE Id=%1").arg(id)).toString(),
              QStringLiteral("Name %1").arg(id));
  EXPECT_TRUE(Value("SELECT Name FROM T WHERE Id=101").isNull());
  EXPECT_TRUE(ErrorOf("INSERT INTO T(Id,Name) VALUES(57,'doppelt')").contains("mehrfach"));
  EXPECT_EQ(Value("SELECT Name FROM T WHERE Id=57").toString(), "Name 57");
}

// A table dropped and created again with other columns must not be served by a statement
// prepared for the old table.
TEST_F(JetStatementCacheTest, RecreatedTableIsReadWithItsNewColumns) {
  Exec("CREATE TABLE T (Id INT NULL, Name VARCHAR(50) NULL)");
  Exec("INSERT INTO T(Id,Name) VALUES(1,'alt')");
  EXPECT_EQ(Rows("SELECT * FROM T").value(0).size(), 2);
  Exec("DROP TABLE T");
  Exec("CREATE TABLE T (Id INT NULL, Name VARCHAR(50) NULL, Ort VARCHAR(50) NULL)");
  Exec("INSERT INTO T(Id,Name,Ort) VALUES(1,'neu','Bayreuth')");
  const auto rows = Rows("SELECT * FROM T");
  ASSERT_EQ(rows.size(), 1);
  ASSERT_EQ(rows[0].size(), 3);
  EXPECT_EQ(rows[0][2].toString(), "Bayreuth");
}

// More distinct statements than the cache keeps: the oldest are dropped and prepared anew.
TEST_F(JetStatementCacheTest, ManyDistinctStatementsStayCorrect) {
  Exec("CREATE TABLE T (Id INT NULL)");
  Exec("INSERT INTO T(Id) VALUES(7)");
  for (int round = 0; round < 2; ++round)
    for (int shape = 0; shape < 150; ++shape)
      ASSERT_EQ(Value(QStringLiteral("SELECT Id+%1 AS C%1 FROM T WHERE Id=7").arg(shape)).toInt(),
                7 + shape);
}

}  // namespace
