// One QApplication for every test of the widget library.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

class TApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QApplication::instance()) FApp = new QApplication(FArgc, FArgv);
  }

 private:
  int FArgc = 1;
  char FName[16] = "zep_widgets";
  char* FArgv[2] = {FName, nullptr};
  QApplication* FApp = nullptr;
};

const auto* const Registered = ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

}  // namespace
