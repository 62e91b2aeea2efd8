#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// Points the process's temporary directory (TMPDIR) at a fresh, empty directory for as long
// as it lives, so the store creates its database file there and nowhere else.
class TemporaryDirectory {
 public:
  TemporaryDirectory() : FHadPrevious(qEnvironmentVariableIsSet("TMPDIR")) {
    if (FHadPrevious) FPrevious = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(FDirectory.path()));
  }
  ~TemporaryDirectory() {
    if (FHadPrevious)
      qputenv("TMPDIR", FPrevious);
    else
      qunsetenv("TMPDIR");
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  QString Path() const { return FDirectory.path(); }
  QString FilePath(const QString& Name) const { return FDirectory.filePath(Name); }
  QString DatabaseFile() const { return FilePath(QStringLiteral("ZEPRouting.mdb")); }

 private:
  bool FHadPrevious;
  QByteArray FPrevious;
  QTemporaryDir FDirectory;
};
