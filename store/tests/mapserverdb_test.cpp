#include "store/mapserverdb.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "base/tests/printers.h"
#include "store/routetable.h"
#include "store/tests/databaseinspection.h"
#include "store/tests/temporarydirectory.h"

namespace {
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The permission bits of a file, e.g. 0600.
int ModeOf(const QString& Path) {
  struct stat info {};
  if (::stat(QFile::encodeName(Path).constData(), &info) != 0) return -1;
  return int(info.st_mode & 07777);
}

void WriteFile(const QString& Path, const QByteArray& Bytes) {
  QFile file(Path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Bytes);
}

// A second connection to a database file, the way another part of the program would use it.
class FileConnection {
 public:
  explicit FileConnection(const QString& Path) {
    Server.SetADODBTyp(MSAccess);
    Server.DataSource = Path;
    Server.Connect();
  }
  TSQLADOServer Server;
};

class StoreTest : public ::testing::Test {
 protected:
  TemporaryDirectory tempDir;

  QStringList TablesInFile() const { return DatabaseInspection(tempDir.DatabaseFile()).Tables(); }
  QStringList Query(const char* Sql) const {
    return DatabaseInspection(tempDir.DatabaseFile()).Column(Sql);
  }
};

TEST_F(StoreTest, FirstStartCreatesThePrivateFileWithTheSettingsTableOnly) {
  {
    TMapServerDB store;
    EXPECT_EQ(store.DBFile, QDir::toNativeSeparators(tempDir.DatabaseFile()));
    EXPECT_TRUE(store.DBConnected(false));
    EXPECT_EQ(store.FListRoute, RouteTableColumnList());
    EXPECT_EQ(store.RouteTables.Count(), 0);
    EXPECT_EQ(ModeOf(store.DBFile), 0600);
  }
  EXPECT_THAT(TablesInFile(), ElementsAre("RO"));
  EXPECT_THAT(DatabaseInspection(tempDir.DatabaseFile()).ColumnsOf("RO"),
              ElementsAre("ROId", "Class", "Data1", "Data2"));
  // Whatever the engine keeps beside the file is just as private.
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    const QString companion = tempDir.DatabaseFile() + suffix;
    if (QFile::exists(companion)) {
      EXPECT_EQ(ModeOf(companion), 0600) << suffix;
    }
  }
}

TEST_F(StoreTest, SettingsWrittenInOneRunAreReadInTheNext) {
  {
    TMapServerDB store;
    store.SetROData(1001, 1, "2");
    // At every start the main window makes sure class 1002 has its row.
    if (store.GetROData(1002, 2).isEmpty()) store.SetROData(1002, 2, "");
  }
  TMapServerDB next;
  EXPECT_EQ(next.GetROData(1001, 1), "2");
  EXPECT_EQ(next.GetROData(1002, 1), "");
  EXPECT_THAT(Query("SELECT Class FROM RO ORDER BY Class"), ElementsAre("1001", "1002"));
}

TEST_F(StoreTest, ReadingAClassWithoutRecordGivesEmptyTextAndCreatesNothing) {
  TMapServerDB store;
  EXPECT_EQ(store.GetROData(1018, 1), "");
  EXPECT_EQ(store.GetROData(1018, 2), "");
  EXPECT_THAT(Query("SELECT COUNT(*) FROM RO"), ElementsAre("0"));
}

struct SettingCase {
  const char* Name;
  int FeldNr;
  QString Value;
  QString StoredData1;  // as the file holds it; "<null>" for null
  QString StoredData2;
  QString ReadBack;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const SettingCase& Case, std::ostream* Out) { *Out << Case.Name; }

class SettingsRecordTest : public StoreTest, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(SettingsRecordTest, StoresTheValueInTheAddressedColumn) {
  const SettingCase& c = GetParam();
  TMapServerDB store;
  store.SetROData(1011, c.FeldNr, c.Value);
  EXPECT_EQ(store.GetROData(1011, c.FeldNr), c.ReadBack);
  EXPECT_THAT(Query("SELECT Data1 FROM RO WHERE Class=1011"), ElementsAre(c.StoredData1));
  EXPECT_THAT(Query("SELECT Data2 FROM RO WHERE Class=1011"), ElementsAre(c.StoredData2));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRecordTest,
    ::testing::Values(SettingCase{"FeldNr1WritesData1", 1, "X", "X", "<null>", "X"},
                      SettingCase{"FeldNr2WritesData2", 2, "X", "<null>", "X", "X"},
                      SettingCase{"AnyOtherFeldNrWritesData2", 5, "X", "<null>", "X", "X"},
                      SettingCase{"EmptyValueIsStoredAsNull", 1, "", "<null>", "<null>", ""},
                      SettingCase{"ApostropheIsKept", 1, "12 o'clock", "12 o'clock", "<null>",
                                  "12 o'clock"},
                      SettingCase{"SurroundingBlanksAreTrimmedOnReading", 1, "  /maps/de  ",
                                  "  /maps/de  ", "<null>", "/maps/de"},
                      SettingCase{"UmlautsSurvive", 1, "Zeitfensterdarstellung für Günther",
                                  "Zeitfensterdarstellung für Günther", "<null>",
                                  "Zeitfensterdarstellung für Günther"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(StoreTest, TheStatementDoublesTheQuoteOfAValue) {
  TMapServerDB store;
  store.SetROData(1002, 1, "12 o'clock");
  EXPECT_EQ(store.Connection().SQLExecStatement,
            "UPDATE RO SET Data1='12 o''clock' WHERE Class=1002");
}

TEST_F(StoreTest, ASingleValuedClassKeepsOneRecordAcrossWrites) {
  TMapServerDB store;
  store.SetROData(1018, 1, "3");
  store.SetROData(1018, 1, "4");
  store.SetROData(1018, 2, "");
  EXPECT_EQ(store.GetROData(1018, 1), "4");
  EXPECT_THAT(Query("SELECT COUNT(*) FROM RO WHERE Class=1018"), ElementsAre("1"));
}

TEST_F(StoreTest, AWriteReachesEveryRecordOfTheClass) {
  TMapServerDB store;
  {
    FileConnection other(store.DBFile);
    ASSERT_TRUE(other.Server.SQLInsert("RO", "Class,Data1,Data2",
                                       "1,'01.10.2016 00:00','02.10.2016 00:00'"));
    ASSERT_TRUE(other.Server.SQLInsert("RO", "Class,Data1,Data2",
                                       "1,'08.10.2016 00:00','09.10.2016 00:00'"));
  }
  store.SetROData(1, 2, "31.12.2016 00:00");
  EXPECT_THAT(Query("SELECT Data2 FROM RO WHERE Class=1"),
              ElementsAre("31.12.2016 00:00", "31.12.2016 00:00"));
}

TEST_F(StoreTest, AFileOfGarbageIsReplacedByAWorkingDatabase) {
  WriteFile(tempDir.DatabaseFile(), QByteArray("Standard Jet DB\x01\x02\x03 but not ours"));
  TMapServerDB store;
  EXPECT_TRUE(store.DBConnected(false));
  store.SetROData(1001, 1, "1");
  EXPECT_EQ(store.GetROData(1001, 1), "1");
  EXPECT_THAT(TablesInFile(), ElementsAre("RO"));
  EXPECT_EQ(ModeOf(store.DBFile), 0600);
}

TEST_F(StoreTest, TheLogOfAnEarlierFileIsNotReplayedIntoTheNewOne) {
  // A log left beside the file, from a database with a table of its own.
  const QString earlier = tempDir.FilePath("earlier.mdb");
  {
    FileConnection creator(earlier);
    ASSERT_TRUE(creator.Server.CreateAccessDatabase());
    FileConnection open(earlier);
    ASSERT_TRUE(open.Server.ExecSQLStatement("CREATE TABLE Fremd(Id INT)"));
    ASSERT_TRUE(QFile::copy(earlier + "-wal", tempDir.DatabaseFile() + "-wal"));
  }
  // The file itself is a link, which is never opened: the store starts afresh at once.
  ASSERT_TRUE(QFile::link(tempDir.FilePath("gone.mdb"), tempDir.DatabaseFile()));
  TMapServerDB store;
  store.SetROData(1001, 1, "1");
  EXPECT_EQ(store.GetROData(1001, 1), "1");
  EXPECT_THAT(TablesInFile(), ElementsAre("RO"));
}

TEST_F(StoreTest, OwnFileWithLooseRightsIsKeptButMadePrivate) {
  TMapServerDB().SetROData(1001, 1, "2");
  ASSERT_TRUE(QFile::setPermissions(tempDir.DatabaseFile(),
                                    QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ReadOther));
  TMapServerDB store;
  EXPECT_EQ(store.GetROData(1001, 1), "2");
  EXPECT_EQ(ModeOf(store.DBFile), 0600);
}

TEST_F(StoreTest, ALinkInPlaceOfTheFileIsNotFollowed) {
  const QString elsewhere = tempDir.FilePath("elsewhere.mdb");
  {
    TSQLADOServer server;
    server.SetADODBTyp(MSAccess);
    server.DataSource = elsewhere;
    ASSERT_TRUE(server.CreateAccessDatabase());
  }
  const QByteArray before = [&] {
    QFile file(elsewhere);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
  }();
  ASSERT_TRUE(QFile::link(elsewhere, tempDir.DatabaseFile()));
  TMapServerDB store;
  store.SetROData(1001, 1, "2");
  EXPECT_FALSE(QFileInfo(store.DBFile).isSymLink());
  EXPECT_EQ(store.GetROData(1001, 1), "2");
  QFile target(elsewhere);
  ASSERT_TRUE(target.open(QIODevice::ReadOnly));
  EXPECT_EQ(target.readAll(), before);
}

TEST_F(StoreTest, AFileOfAnotherUserIsNotUsed) {
  if (::getuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  TMapServerDB().SetROData(1001, 1, "2");
  for (const char* suffix : {"", "-wal", "-shm"}) {
    const QByteArray file = QFile::encodeName(tempDir.DatabaseFile() + suffix);
    if (QFile::exists(file)) {
      ASSERT_EQ(::chown(file.constData(), 65534, 65534), 0);
    }
  }
  TMapServerDB store;
  EXPECT_EQ(store.GetROData(1001, 1), "");
  EXPECT_EQ(QFileInfo(store.DBFile).ownerId(), ::getuid());
}

TEST_F(StoreTest, AFileThatCanNeitherBeOpenedNorReplacedLeavesTheStoreUnconnected) {
  // A directory of the file's name can be neither opened, deleted nor created anew.
  ASSERT_TRUE(QDir(tempDir.Path()).mkdir("ZEPRouting.mdb"));
  TMapServerDB store;
  EXPECT_FALSE(store.DBConnected(false));
  EXPECT_FALSE(store.DBConnected(true));
  EXPECT_FALSE(store.Connection().SQLErrorMsg.isEmpty());
  store.SetROData(1001, 1, "2");
  EXPECT_EQ(store.GetROData(1001, 1), "");
  store.SetRouteTable("R1");
  EXPECT_THAT(store.RouteTables.ToStringList(), ElementsAre("R1"));
}

TEST_F(StoreTest, ReconnectOpensTheFileOnceItCanBeOpened) {
  ASSERT_TRUE(QDir(tempDir.Path()).mkdir("ZEPRouting.mdb"));
  TMapServerDB store;
  ASSERT_FALSE(store.DBConnected(false));
  ASSERT_TRUE(QDir(tempDir.Path()).rmdir("ZEPRouting.mdb"));
  TSQLADOServer creator;
  creator.SetADODBTyp(MSAccess);
  creator.DataSource = store.DBFile;
  ASSERT_TRUE(creator.CreateAccessDatabase());
  EXPECT_FALSE(store.DBConnected(false));
  EXPECT_TRUE(store.DBConnected(true));
  EXPECT_TRUE(store.DBConnected(false));
}

TEST_F(StoreTest, ARouteTableIsCreatedOnFirstUseWithAllColumns) {
  TMapServerDB store;
  store.SetRouteTable("R4711");
  EXPECT_THAT(TablesInFile(), ElementsAre("RO", "R4711"));
  EXPECT_EQ(DatabaseInspection(tempDir.DatabaseFile()).ColumnsOf("R4711").join(","),
            store.FListRoute);
}

TEST_F(StoreTest, ARouteTableSetTwiceExistsOnceAndIsListedOnce) {
  TMapServerDB store;
  store.SetRouteTable("R42");
  store.SetRouteTable("r42");
  EXPECT_EQ(store.Connection().SQLExecStatement, "SELECT COUNT(*) FROM r42");
  EXPECT_FALSE(store.Connection().SQLExecError);
  EXPECT_THAT(store.RouteTables.ToStringList(), ElementsAre("R42"));
  EXPECT_THAT(TablesInFile(), ElementsAre("RO", "R42"));
}

TEST_F(StoreTest, RouteTablesAreListedInOrderOfFirstUse) {
  TMapServerDB store;
  for (const char* name : {"R2", "R1", "R2", "R3", "R1"}) store.SetRouteTable(name);
  EXPECT_THAT(store.RouteTables.ToStringList(), ElementsAre("R2", "R1", "R3"));
}

TEST_F(StoreTest, DestructionEmptiesTheRouteTablesOfTheRunAndKeepsThem) {
  {
    TMapServerDB store;
    store.SetROData(1001, 1, "1");
    store.SetRouteTable("R1");
    store.SetRouteTable("R2");
    FileConnection other(store.DBFile);
    for (const char* table : {"R1", "R2"})
      ASSERT_TRUE(other.Server.SQLInsert(table, "AuftragId,AuftragBez,Route", "7,'Kunde',1"));
  }
  EXPECT_THAT(TablesInFile(), ElementsAre("RO", "R1", "R2"));
  EXPECT_THAT(Query("SELECT COUNT(*) FROM R1"), ElementsAre("0"));
  EXPECT_THAT(Query("SELECT COUNT(*) FROM R2"), ElementsAre("0"));
  EXPECT_THAT(Query("SELECT Data1 FROM RO"), ElementsAre("1"));
}

TEST_F(StoreTest, RowsOfATableNotSetInThisRunSurviveIt) {
  {
    TMapServerDB store;
    store.SetRouteTable("R1");
  }
  {
    FileConnection other(tempDir.DatabaseFile());
    ASSERT_TRUE(other.Server.SQLInsert("R1", "AuftragId", "7"));
  }
  { TMapServerDB store; }
  EXPECT_THAT(Query("SELECT AuftragId FROM R1"), ElementsAre("7"));
}

struct NameCase {
  const char* Name;
  QString TableName;
};

void PrintTo(const NameCase& Case, std::ostream* Out) { *Out << Case.Name; }

class RefusedRouteTableNameTest : public StoreTest,
                                  public ::testing::WithParamInterface<NameCase> {};

TEST_P(RefusedRouteTableNameTest, RunsNoStatementAndKeepsTheSettings) {
  TMapServerDB store;
  store.SetROData(1001, 1, "2");
  store.SetRouteTable(GetParam().TableName);
  EXPECT_TRUE(store.Connection().SQLExecError);
  EXPECT_THAT(store.Connection().SQLErrorMsg.toStdString(), HasSubstr("Routentabelle"));
  EXPECT_EQ(store.RouteTables.Count(), 0);
  EXPECT_THAT(TablesInFile(), ElementsAre("RO"));
}

TEST_P(RefusedRouteTableNameTest, SettingsSurviveTheEndOfTheRun) {
  TMapServerDB().SetROData(1001, 1, "2");
  {
    TMapServerDB store;
    store.SetRouteTable(GetParam().TableName);
  }
  EXPECT_EQ(TMapServerDB().GetROData(1001, 1), "2");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedRouteTableNameTest,
    ::testing::Values(NameCase{"Empty", ""},
                      // "R" followed by the identifier "O" would name the settings table.
                      NameCase{"SettingsTable", "RO"}, NameCase{"SettingsTableLowerCase", "ro"},
                      NameCase{"StatementInside", "R1;DELETE FROM RO"}, NameCase{"Blank", "R 1"},
                      NameCase{"Minus", "R-1"}, NameCase{"DigitFirst", "1R"},
                      NameCase{"Bracketed", "[R1]"},
                      NameCase{"LongerThan64", "R" + QString(64, '1')}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(StoreTest, AcceptsPlainIdentifiersUpTo64Characters) {
  TMapServerDB store;
  store.SetRouteTable("R_a1");
  store.SetRouteTable("R" + QString(63, '9'));
  EXPECT_EQ(store.RouteTables.Count(), 2);
  EXPECT_THAT(TablesInFile(), ElementsAre("RO", "R_a1", "R" + QString(63, '9')));
}
}  // namespace
