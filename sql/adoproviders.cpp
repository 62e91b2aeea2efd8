#include "sql/adoerror.h"
#include "sql/adoprovider.h"
#include "sql/jet/jetprovider.h"

namespace {
bool IsJet(const QString& ProviderName) {
  return ProviderName.compare(QLatin1String(kJetProviderName), Qt::CaseInsensitive) == 0;
}

[[noreturn]] void RaiseNoServer(const QString& ProviderName) {
  throw EADOError(
      QStringLiteral("Keine Serververbindung für den Provider \"%1\" eingerichtet: dieser "
                     "Datenbanktyp kann hier nur protokolliert, nicht ausgeführt werden.")
          .arg(ProviderName));
}
}  // namespace

std::unique_ptr<TADOProvider> CreateADOProvider(const QString& ProviderName) {
  if (IsJet(ProviderName)) return CreateJetProvider();
  RaiseNoServer(ProviderName);
}

void CreateADODatabase(const QString& ProviderName, const QString& DataSource) {
  if (!IsJet(ProviderName)) RaiseNoServer(ProviderName);
  CreateJetDatabase(DataSource);
}
