// One QApplication for all workspace and shell tests, offscreen, with its own temporary
// directory so that the local database of one test process never meets another's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", ZEP_TEST_CHROMIUM_FLAGS);
  QTemporaryDir TempDir;
  qputenv("TMPDIR", TempDir.path().toLocal8Bit());
  ::testing::InitGoogleTest(&argc, argv);
  QApplication Application(argc, argv);
  return RUN_ALL_TESTS();
}
