#include "app/launch.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace zorvane {
namespace {

using Action = LaunchRequest::Action;

struct LaunchCase {
  const char* name;
  std::u16string text;
  Action action;
  std::u16string passPhrase;
};

class LaunchTest : public testing::TestWithParam<LaunchCase> {};

TEST_P(LaunchTest, ReadsTheArgumentText) {
  const LaunchRequest request = ReadLaunchText(GetParam().text);
  EXPECT_EQ(request.action, GetParam().action);
  EXPECT_EQ(request.passPhrase, GetParam().passPhrase);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LaunchTest,
    testing::Values(
        LaunchCase{"Nothing", u"", Action::OpenWindow, u""},
        LaunchCase{"Phrase", u"blue harbour lantern", Action::OpenWindow, u"blue harbour lantern"},
        LaunchCase{"SingleDashIsAPhrase", u"-reverse me", Action::OpenWindow, u"-reverse me"},
        LaunchCase{"Help", u"--help", Action::ShowHelp, u""},
        LaunchCase{"ShortHelp", u"-h", Action::ShowHelp, u""},
        LaunchCase{"Version", u"--version", Action::ShowVersion, u""},
        LaunchCase{"ShortVersion", u"-V", Action::ShowVersion, u""},
        LaunchCase{"PhraseAfterDoubleDash", u"--  --help me", Action::OpenWindow, u"--help me"},
        LaunchCase{"HelpWordInsideAPhrase", u"my --help", Action::OpenWindow, u"my --help"},
        LaunchCase{"UnknownOption", u"--secret words", Action::RejectOption, u""}),
    RowName());

TEST(ArgumentTextTest, SkipsTheProgramsOwnNameAndTheBlanksAfterIt) {
  EXPECT_EQ(ArgumentTextOf(u"Zorvane.exe blue  harbour "), u"blue  harbour ");
  EXPECT_EQ(ArgumentTextOf(u"\"C:\\Program Files\\Zorvane\\Zorvane.exe\"\t\"quoted\" x"),
            u"\"quoted\" x");
  EXPECT_EQ(ArgumentTextOf(u"Zorvane.exe"), u"");
}

TEST(WindowTextsTest, NameTheVersionAndTheRiskOfAPhraseOnTheCommandLine) {
  EXPECT_NE(WindowVersion().find("zorvane 1.00\n"), std::string::npos);
  EXPECT_NE(WindowVersion().find("MIT"), std::string::npos);
  EXPECT_NE(WindowUsage().find("visible to other local users"), std::string::npos);
}

}  // namespace
}  // namespace zorvane
