#pragma once

#include <QString>
#include <memory>

#include "sql/adorecordset.h"

// The database engine behind a connection, chosen by the "Provider=" part of the
// connection string. Every failure raises EADOError with a readable message.
class TADOProvider {
 public:
  virtual ~TADOProvider() = default;
  virtual void Open(const QString& DataSource, const QString& UserId, const QString& Password) = 0;
  virtual void Close() = 0;
  // Runs one statement. Statements with a result answer an open record set, all others a
  // closed one; RecordsAffected receives the number of changed rows (-1 for a select).
  virtual TADORecordsetPtr Execute(const QString& CommandText, int& RecordsAffected) = 0;
  virtual void BeginTrans() = 0;
  virtual void CommitTrans() = 0;
  virtual void RollbackTrans() = 0;
  virtual QString DefaultDatabase() const = 0;
  virtual void SetDefaultDatabase(const QString& Name) = 0;
};

// Creates the engine for a provider name; raises EADOError for a provider that cannot be
// served on this machine.
std::unique_ptr<TADOProvider> CreateADOProvider(const QString& ProviderName);

// Creates a new, empty database file for the provider (ADOX.Catalog.Create).
void CreateADODatabase(const QString& ProviderName, const QString& DataSource);
