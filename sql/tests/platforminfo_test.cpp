#include "sql/platforminfo.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "sql/tests/qstringprinter.h"

namespace {
const QString kOwnProgram = QStringLiteral("/proc/self/exe");

TEST(GetTempDirectoryTest, EndsWithASeparatorReadyForAFileName) {
  const QString dir = GetTempDirectory();
  EXPECT_TRUE(dir.endsWith(QDir::separator())) << dir.toStdString();
  EXPECT_EQ(dir.trimmed(), dir);
  EXPECT_EQ(QDir(dir).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
}

TEST(GetTempDirectoryTest, FollowsTMPDIRAndFallsBackWhenItIsMissing) {
  QTemporaryDir base;
  ASSERT_TRUE(base.isValid());
  const QByteArray saved = qgetenv("TMPDIR");
  qputenv("TMPDIR", base.path().toUtf8());
  const QString configured = GetTempDirectory();
  qputenv("TMPDIR", base.filePath("fehlt").toUtf8());
  const QString missing = GetTempDirectory();
  if (saved.isNull())
    qunsetenv("TMPDIR");
  else
    qputenv("TMPDIR", saved);
  EXPECT_EQ(configured, QDir(base.path()).canonicalPath() + "/");
  EXPECT_EQ(missing, "/tmp/");
}

TEST(GetVersionInfoValueTest, ReadsTheProgramsOwnVersionInformation) {
  EXPECT_EQ(GetVersionInfoValue("", "ProductName"), "ZEPRouting");
  EXPECT_EQ(GetVersionInfoValue(kOwnProgram, "ProductName"), "ZEPRouting");
  const QString fileVersion = GetVersionInfoValue("", "FileVersion");
  EXPECT_EQ(fileVersion.count('.'), 3) << fileVersion.toStdString();
  EXPECT_TRUE(fileVersion.startsWith(GetVersionInfoValue("", "ProductVersion")));
  EXPECT_FALSE(GetVersionInfoValue("", "FileDescription").isEmpty());
  EXPECT_EQ(GetVersionInfoValue("", "Unbekannt"), "");
  EXPECT_EQ(GetVersionInfoValue("", ""), "");
}

TEST(GetVersionInfoValueTest, IsEmptyForFilesWithoutVersionInformation) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString text = dir.filePath("text.txt");
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("\\StringFileInfo\\040704E4\\ProductName\0Fremd\0", 43);
  file.close();
  EXPECT_EQ(GetVersionInfoValue(text, "ProductName"), "");
  EXPECT_EQ(GetVersionInfoValue(dir.filePath("fehlt.exe"), "ProductName"), "");
  EXPECT_EQ(GetVersionInfoValue(dir.path(), "ProductName"), "");
  // A program of the system has ELF sections, but none with our version information.
  EXPECT_EQ(GetVersionInfoValue("/bin/sh", "ProductName"), "");
}

TEST(GetVersionInfoValueTest, SurvivesADamagedProgramFile) {
  QFile self(kOwnProgram);
  ASSERT_TRUE(self.open(QIODevice::ReadOnly));
  const QByteArray head = self.read(64);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // The ELF header alone: its section table lies beyond the end of the file.
  const QString truncated = dir.filePath("truncated");
  QFile file(truncated);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(head);
  file.close();
  EXPECT_EQ(GetVersionInfoValue(truncated, "ProductName"), "");
}
}  // namespace
