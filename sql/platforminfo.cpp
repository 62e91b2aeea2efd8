#include "sql/platforminfo.h"

#include <QDir>

#include "base/delphistr.h"
#include "sql/elfsection.h"
#include "sql/versioninfo.h"

namespace {
const QString kOwnProgramFile = QStringLiteral("/proc/self/exe");
const QString kFallbackTempPath = QStringLiteral("/tmp");

QString ValueInBlock(const QByteArray& block, const QString& path) {
  const QList<QByteArray> parts = block.split('\0');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (QString::fromUtf8(parts[i]).compare(path, Qt::CaseInsensitive) == 0)
      return QString::fromUtf8(parts[i + 1]);
  }
  return QString();
}
}  // namespace

QString GetTempDirectory() {
  QString path = Trim(QDir::toNativeSeparators(QDir::tempPath()));
  // Qt answers nothing for a TMPDIR that does not exist; the root is no place for our files.
  if (path.isEmpty()) path = kFallbackTempPath;
  if (!path.endsWith(QDir::separator())) path += QDir::separator();
  return path;
}

QString GetVersionInfoValue(const QString& FileName, const QString& Key) {
  const QString file = FileName.isEmpty() ? kOwnProgramFile : FileName;
  const QByteArray block = ReadElfSection(file, QByteArray(kVersionInfoSectionName));
  if (block.isEmpty()) return QString();
  return ValueInBlock(block, QLatin1String(kVersionInfoStringBlock) + Key);
}
