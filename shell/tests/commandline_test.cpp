#include "shell/commandline.h"

#include <gtest/gtest.h>

namespace {

using TAction = TCommandLine::TAction;

TEST(CommandLine, HomeUrlMustBeAWebAddressEndingInASlash) {
  const struct {
    const char* Address;
    bool Valid;
  } Cases[] = {{"http://127.0.0.1:8080/", true}, {"https://touren.example.de/zep/", true},
               {"http://127.0.0.1:8080", false}, {"http://127.0.0.1:8080/app", false},
               {"ftp://host/", false},           {"file:///tmp/", false},
               {"javascript:alert(1)/", false},  {"http:///", false},
               {"http://host/?q=1/", false},     {"", false}};
  for (const auto& Case : Cases) {
    EXPECT_EQ(IsValidHomeURL(Case.Address), Case.Valid) << Case.Address;
    const TCommandLine Line = ParseCommandLine({"zeprouting", "--home-url", Case.Address});
    EXPECT_EQ(Line.Action, Case.Valid ? TAction::Run : TAction::Fail) << Case.Address;
    if (!Case.Valid) {
      EXPECT_TRUE(Line.Text.contains(QString::fromUtf8("Ungültige Adresse")));
    }
  }
}

TEST(CommandLine, HelpVersionAndUnknownArguments) {
  EXPECT_EQ(ParseCommandLine({"zeprouting"}).Action, TAction::Run);
  EXPECT_EQ(ParseCommandLine({"zeprouting"}).HomeURL, "");
  const TCommandLine Help = ParseCommandLine({"zeprouting", "--help"});
  EXPECT_EQ(Help.Action, TAction::ShowHelp);
  EXPECT_TRUE(Help.Text.contains("--home-url"));
  const TCommandLine Version = ParseCommandLine({"zeprouting", "--version"});
  EXPECT_EQ(Version.Action, TAction::ShowVersion);
  EXPECT_TRUE(Version.Text.startsWith("ZEPRouting "));
  EXPECT_EQ(ParseCommandLine({"zeprouting", "--bogus"}).Action, TAction::Fail);
  EXPECT_EQ(ParseCommandLine({"zeprouting", "extra"}).Action, TAction::Fail);
  EXPECT_EQ(ParseCommandLine({"zeprouting", "--home-url=http://h:1/"}).HomeURL, "http://h:1/");
}

}  // namespace
