#include "store/databasefile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {
// The engine keeps its write-ahead log and lock index beside the database; they hold the
// same customer data.
QStringList FileWithJournals(const QString& Path) {
  return {Path, Path + QStringLiteral("-wal"), Path + QStringLiteral("-shm"),
          Path + QStringLiteral("-journal")};
}

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                             QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                             QFileDevice::WriteOther | QFileDevice::ExeOther;
}  // namespace

bool IsOwnDatabaseFile(const QString& Path) {
  const QFileInfo info(Path);
  if (info.isSymLink()) return false;
  if (!info.exists()) return true;
  return info.isFile() && info.ownerId() == ::getuid();
}

void RestrictToOwner(const QString& Path) {
  for (const QString& file : FileWithJournals(Path)) {
    const QFileInfo info(file);
    if (!info.exists() || info.isSymLink() || info.ownerId() != ::getuid()) continue;
    if (info.permissions() & kOthers) QFile::setPermissions(file, kOwnerOnly);
  }
}
