#include "store/settingstable.h"

QString SettingsTableName() { return QStringLiteral("RO"); }

QString SettingsTableCreateStatement() {
  return QStringLiteral(
      "CREATE TABLE RO("
      "ROId IDENTITY NOT NULL CONSTRAINT pk_RO_Id PRIMARY KEY,"
      "Class INT NOT NULL,"
      "Data1 VARCHAR(255) NULL,"
      "Data2 VARCHAR(255) NULL"
      ")");
}
