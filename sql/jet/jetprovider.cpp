#include "sql/jet/jetprovider.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include "sql/jet/jetcompiler.h"
#include "sql/jet/jetdatabase.h"
#include "sql/jet/jeterror.h"
#include "sql/jet/jetsqliteschema.h"
#include "sql/jet/jetstatementcache.h"
#include "sql/jet/jetvalues.h"

namespace {

const QString kNotOpen =
    QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.");

// A readable message for what SQLite refused while a statement ran.
QString DescribeFailure(sqlite3* database, int result) {
  const QString message = QString::fromUtf8(sqlite3_errmsg(database));
  static const QRegularExpression notNullColumn(
      QStringLiteral("NOT NULL constraint failed: (.*)$"));
  switch (result) {
    case SQLITE_CONSTRAINT_NOTNULL:
      return QStringLiteral(
                 "Das Feld \"%1\" kann keinen Nullwert enthalten, da für dieses Feld "
                 "eine Eingabe erforderlich ist.")
          .arg(notNullColumn.match(message).captured(1));
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_ROWID:
      return QStringLiteral(
          "Die Änderungen an der Tabelle konnten nicht vorgenommen werden, da "
          "der Index, Primärschlüssel oder die Beziehung mehrfach vorkommende "
          "Werte enthalten würde.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return QStringLiteral("Die Datenbank ist durch einen anderen Vorgang gesperrt.");
    case SQLITE_FULL:
      return QStringLiteral("Der Datenträger ist voll.");
    case SQLITE_READONLY:
      return QStringLiteral("Die Datenbank ist schreibgeschützt.");
    default:
      break;
  }
  // Errors raised by our own functions already read as German sentences.
  if ((result & 0xff) == SQLITE_ERROR) return message;
  return QStringLiteral("Datenbankfehler: %1").arg(message);
}

// The value of a result column in the QVariant type that belongs to its Jet type.
QVariant ReadValue(sqlite3_stmt* statement, int column, JetType type) {
  const int storage = sqlite3_column_type(statement, column);
  if (storage == SQLITE_NULL) return QVariant();
  if (storage == SQLITE_BLOB) {
    const QByteArray bytes(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                           sqlite3_column_bytes(statement, column));
    return IsTextType(type) ? QVariant(QString::fromLatin1(bytes)) : QVariant(bytes);
  }
  if (storage == SQLITE_TEXT) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                          sqlite3_column_bytes(statement, column));
    return type == JetType::Binary ? QVariant(text.toUtf8()) : QVariant(text);
  }
  const qint64 integer = sqlite3_column_int64(statement, column);
  const double number = sqlite3_column_double(statement, column);
  switch (type) {
    case JetType::Boolean:
      return number != 0;
    case JetType::DateTime:
      return DateTimeFromDays(number);
    case JetType::Text:
    case JetType::Memo:
      return JetNumberText(number);
    case JetType::Currency:
    case JetType::Single:
    case JetType::Double:
      return number;
    default:
      break;
  }
  if (storage == SQLITE_FLOAT) return number;
  if (integer >= std::numeric_limits<int>::min() && integer <= std::numeric_limits<int>::max())
    return int(integer);
  return qlonglong(integer);
}

void Bind(sqlite3_stmt* statement, int index, const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::LongLong:
      sqlite3_bind_int64(statement, index, value.toLongLong());
      break;
    case QMetaType::Int:
      sqlite3_bind_int64(statement, index, value.toInt());
      break;
    case QMetaType::Double:
      sqlite3_bind_double(statement, index, value.toDouble());
      break;
    case QMetaType::QByteArray: {
      const QByteArray bytes = value.toByteArray();
      sqlite3_bind_blob64(statement, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                          SQLITE_TRANSIENT);
      break;
    }
    case QMetaType::QString: {
      const QByteArray utf8 = value.toString().toUtf8();
      sqlite3_bind_text64(statement, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                          SQLITE_TRANSIENT, SQLITE_UTF8);
      break;
    }
    default:
      sqlite3_bind_null(statement, index);
  }
}

class JetProvider : public TADOProvider {
 public:
  ~JetProvider() override { CloseHandle(); }

  void Open(const QString& DataSource, const QString&, const QString&) override {
    if (FDatabase) throw EADOError(QStringLiteral("Die Verbindung ist bereits geöffnet."));
    FDatabase = OpenJetDatabaseFile(DataSource);
    FSchema = std::make_unique<JetSqliteSchema>(FDatabase);
    FStatements = std::make_unique<JetStatementCache>(FDatabase);
  }

  void Close() override {
    RequireOpen();
    CloseHandle();
  }

  TADORecordsetPtr Execute(const QString& CommandText, int& RecordsAffected) override {
    RequireOpen();
    RecordsAffected = -1;
    const JetCompiledStatement compiled = CompileJetSql(CommandText, *FSchema);
    sqlite3_stmt* statement = Prepare(compiled);
    QVector<QVector<QVariant>> rows;
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
      QVector<QVariant> row;
      row.reserve(compiled.Columns.size());
      for (int i = 0; i < compiled.Columns.size(); ++i)
        row.append(ReadValue(statement, i, compiled.Columns[i].Type));
      rows.append(row);
    }
    if (result != SQLITE_DONE) {
      const QString message = DescribeFailure(FDatabase, sqlite3_extended_errcode(FDatabase));
      FStatements->Release(statement);
      throw EADOError(message);
    }
    FStatements->Release(statement);
    if (compiled.Type == JetCompiledStatement::Kind::Change)
      RecordsAffected = int(sqlite3_changes64(FDatabase));
    if (compiled.Type != JetCompiledStatement::Kind::Query)
      return std::make_shared<TADORecordset>();
    QVector<TADORecordset::Column> columns;
    for (const JetResultColumn& column : compiled.Columns)
      columns.append({column.Name, AdoTypeOf(column.Type)});
    return std::make_shared<TADORecordset>(columns, rows);
  }

  // Nested transactions become savepoints, as Jet allows several levels.
  void BeginTrans() override {
    RequireOpen();
    Run(FDepth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT jet%1").arg(FDepth));
    ++FDepth;
  }

  void CommitTrans() override {
    RequireTransaction();
    Run(FDepth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE jet%1").arg(FDepth - 1));
    --FDepth;
  }

  void RollbackTrans() override {
    RequireTransaction();
    if (FDepth == 1)
      Run(QStringLiteral("ROLLBACK"));
    else
      Run(QStringLiteral("ROLLBACK TO jet%1; RELEASE jet%1").arg(FDepth - 1));
    --FDepth;
    FSchema->Invalidate();
  }

  QString DefaultDatabase() const override {
    RequireOpen();
    return FDefaultDatabase;
  }

  void SetDefaultDatabase(const QString& Name) override {
    RequireOpen();
    FDefaultDatabase = Name;
  }

 private:
  void RequireOpen() const {
    if (!FDatabase) throw EADOError(kNotOpen);
  }

  void RequireTransaction() const {
    RequireOpen();
    if (FDepth == 0) throw EADOError(QStringLiteral("Es ist keine Transaktion aktiv."));
  }

  void CloseHandle() {
    FStatements.reset();
    FSchema.reset();
    if (FDatabase) sqlite3_close_v2(FDatabase);
    FDatabase = nullptr;
    FDepth = 0;
  }

  sqlite3_stmt* Prepare(const JetCompiledStatement& compiled) {
    sqlite3_stmt* statement = FStatements->Acquire(compiled.Sql.toUtf8());
    if (!statement) {
      const QString message = QString::fromUtf8(sqlite3_errmsg(FDatabase));
      if (message.contains(QLatin1String("stack overflow")) ||
          message.contains(QLatin1String("too large")) ||
          message.contains(QLatin1String("too many")))
        throw EADOError(QStringLiteral("Die Anweisung ist zu komplex, um ausgeführt zu werden."));
      throw EADOError(
          QStringLiteral("Die Anweisung kann nicht ausgeführt werden: %1").arg(message));
    }
    for (int i = 0; i < compiled.Parameters.size(); ++i)
      Bind(statement, i + 1, compiled.Parameters[i]);
    return statement;
  }

  void Run(const QString& sql) {
    if (sqlite3_exec(FDatabase, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
      throw EADOError(DescribeFailure(FDatabase, sqlite3_extended_errcode(FDatabase)));
  }

  sqlite3* FDatabase = nullptr;
  std::unique_ptr<JetSqliteSchema> FSchema;
  std::unique_ptr<JetStatementCache> FStatements;
  int FDepth = 0;
  QString FDefaultDatabase;
};

}  // namespace

std::unique_ptr<TADOProvider> CreateJetProvider() { return std::make_unique<JetProvider>(); }
