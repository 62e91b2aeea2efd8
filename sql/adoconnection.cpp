#include "sql/adoconnection.h"

#include <QStringList>

#include "sql/adoerror.h"

namespace {
const QString kNotOpen =
    QStringLiteral("Der Vorgang ist für ein geschlossenes Objekt nicht zulässig.");
}

QString ConnectionStringValue(const QString& ConnectionString, const QString& Key) {
  for (const QString& part : ConnectionString.split(QLatin1Char(';'))) {
    const int equals = part.indexOf(QLatin1Char('='));
    if (equals < 0) continue;
    if (part.left(equals).trimmed().compare(Key, Qt::CaseInsensitive) == 0)
      return part.mid(equals + 1).trimmed();
  }
  return QString();
}

void TADOConnection::Open(const QString& ConnectionString, const QString& UserId,
                          const QString& Password) {
  if (FProvider) throw EADOError(QStringLiteral("Die Verbindung ist bereits geöffnet."));
  auto provider = CreateADOProvider(ConnectionStringValue(ConnectionString, "Provider"));
  provider->Open(ConnectionStringValue(ConnectionString, "Data Source"), UserId, Password);
  FProvider = std::move(provider);
}

void TADOConnection::Close() {
  if (!FProvider) throw EADOError(kNotOpen);
  auto provider = std::move(FProvider);
  provider->Close();
}

TADOProvider& TADOConnection::RequireOpen() const {
  if (!FProvider) throw EADOError(kNotOpen);
  return *FProvider;
}

TADORecordsetPtr TADOConnection::Execute(const QString& CommandText, int& RecordsAffected) {
  return RequireOpen().Execute(CommandText, RecordsAffected);
}

void TADOConnection::BeginTrans() { RequireOpen().BeginTrans(); }
void TADOConnection::CommitTrans() { RequireOpen().CommitTrans(); }
void TADOConnection::RollbackTrans() { RequireOpen().RollbackTrans(); }

QString TADOConnection::Version() const { return QStringLiteral("2.8"); }

QString TADOConnection::DefaultDatabase() const { return RequireOpen().DefaultDatabase(); }

void TADOConnection::SetDefaultDatabase(const QString& Name) {
  RequireOpen().SetDefaultDatabase(Name);
}

void TADOXCatalog::Create(const QString& ConnectionString) {
  CreateADODatabase(ConnectionStringValue(ConnectionString, "Provider"),
                    ConnectionStringValue(ConnectionString, "Data Source"));
}
