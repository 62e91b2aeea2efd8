#pragma once

#include <QString>
#include <memory>

#include "sql/adoprovider.h"
#include "sql/adorecordset.h"

// The members of ADO's Connection object that the SQL layer uses. The connection string
// is "Provider=...;Data Source=..."; the provider decides which engine serves it.
class TADOConnection {
 public:
  static constexpr int adStateClosed = 0;
  static constexpr int adStateOpen = 1;
  static constexpr int adUseClient = 3;

  void Open(const QString& ConnectionString, const QString& UserId, const QString& Password);
  void Close();
  int State() const { return FProvider ? adStateOpen : adStateClosed; }
  TADORecordsetPtr Execute(const QString& CommandText, int& RecordsAffected);
  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  QString Version() const;
  QString DefaultDatabase() const;
  void SetDefaultDatabase(const QString& Name);

  int CursorLocation = adUseClient;
  int CommandTimeout = 30;

 private:
  TADOProvider& RequireOpen() const;
  std::unique_ptr<TADOProvider> FProvider;
};

// ADOX's Catalog: Create builds a new, empty database from a connection string.
class TADOXCatalog {
 public:
  void Create(const QString& ConnectionString);
};

// The value of one "Key=Value" part of a connection string; key compared without case.
QString ConnectionStringValue(const QString& ConnectionString, const QString& Key);
