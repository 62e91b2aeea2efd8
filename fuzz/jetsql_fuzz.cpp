// Statement text in the Access dialect, compiled and run on a small database: the tokenizer,
// parser, type inference, emitter and the runtime functions. Each statement runs in a
// transaction that is rolled back, so every input meets the same tables.

#include <QTemporaryDir>

#include "fuzz/fuzztext.h"
#include "sql/adoconnection.h"
#include "sql/adoerror.h"
#include "sql/jet/jetprovider.h"

namespace {

const char* const kFixture[] = {
    "CREATE TABLE Orders (Id COUNTER CONSTRAINT pkOrders PRIMARY KEY, Name VARCHAR(40), "
    "Town TEXT(30), Amount DOUBLE, Visits INT, Due DATETIME, Done BIT, Note MEMO, Photo "
    "LONGBINARY)",
    "CREATE INDEX ixTown ON Orders (Town)",
    "CREATE TABLE RO (Class INT, Data1 VARCHAR(255), Data2 VARCHAR(255))",
    "INSERT INTO Orders (Name, Town, Amount, Visits, Due, Done, Note) VALUES ('Müller', "
    "'Bayreuth', 12.5, 3, #10/07/2016#, True, 'erste Zeile')",
    "INSERT INTO Orders (Name, Town, Amount, Visits, Due, Done) VALUES ('Ärger', 'bayreuth', "
    "-1, 0, '07.10.2016 08:30', False)",
    "INSERT INTO Orders (Name, Town) VALUES (NULL, 'Lindenau')",
    "INSERT INTO RO (Class, Data1, Data2) VALUES (1, '07.10.2016 00:00', '08.10.2016 00:00')",
};

struct Database {
  Database() {
    const QString path = folder.filePath(QStringLiteral("ZEPRouting.mdb"));
    CreateJetDatabase(path);
    connection.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path, {}, {});
    int affected = 0;
    for (const char* statement : kFixture)
      connection.Execute(QString::fromUtf8(statement), affected);
  }
  QTemporaryDir folder;
  TADOConnection connection;
};

TADOConnection& TheConnection() {
  static Database database;
  return database.connection;
}

void ReadAll(const TADORecordsetPtr& rows) {
  if (!rows) return;
  for (; !rows->Eof(); rows->MoveNext()) {
    for (int i = 0; i < rows->FieldCount(); ++i) rows->Field(i).Value();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TADOConnection& connection = TheConnection();
  connection.BeginTrans();
  try {
    int affected = 0;
    ReadAll(connection.Execute(zepfuzz::Text(data, size), affected));
  } catch (const EADOError&) {
    // Refused statements are the expected outcome for most inputs.
  }
  connection.RollbackTrans();
  return 0;
}
