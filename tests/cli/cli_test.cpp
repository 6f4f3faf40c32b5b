#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "key/utf8.h"
#include "row_name.h"

namespace zorvane {
namespace {

constexpr LocalMinute kNow = {2014, 1, 5, 13, 7};

struct CliCase {
  const char* name;
  std::vector<std::string> args;
  std::string input;
  int status;
  std::string out;     // the whole of standard output
  std::string errHas;  // a part of the one line on standard error
};

class CliTest : public testing::TestWithParam<CliCase> {};

TEST_P(CliTest, PrintsAndExitsAsDocumented) {
  const CliCase& c = GetParam();
  std::istringstream in(c.input);
  std::ostringstream out, err;
  EXPECT_EQ(RunCli(c.args, in, out, err, kNow), c.status) << err.str();
  EXPECT_EQ(out.str(), c.out);
  if (c.errHas.empty()) {
    EXPECT_EQ(err.str(), "");
  } else {
    const std::string message = err.str();
    EXPECT_NE(message.find(c.errHas), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  }
}

const std::string kZero = "0000000000000000";
// February 2014 under the zero key never shows KEV (worked out minute by minute apart from
// this program); 5 January 2014 13:07 is LON under it.

INSTANTIATE_TEST_SUITE_P(
    Commands, CliTest,
    testing::Values(
        CliCase{"KeyOfPhrase", {"key", "hello"}, "", 0, "92C997A5C2B80E00\n", ""},
        CliCase{"KeyJoinsWordsWithBlanks", {"key", "a", ""}, "", 0, "B95223B2807A1006\n", ""},
        CliCase{"KeyReadsOneLine", {"key"}, "line\r\nmore\n", 0, "C1B303C867E0F9AB\n", ""},
        CliCase{"KeyAfterDoubleDash", {"key", "--", "hello"}, "", 0, "92C997A5C2B80E00\n", ""},
        CliCase{"KeyOfUtf8Phrase", {"key", "\xc3\xa9"}, "", 0, "9CB22B73093AA5F4\n", ""},
        CliCase{"KeyOfEmptyLine", {"key"}, "\n", 2, "", "empty"},
        CliCase{"KeyWithoutInput", {"key"}, "", 2, "", "standard input"},
        CliCase{"CodeOfMinute", {"code", "--key", kZero, "2014-01-05T13:07"}, "", 0, "LON\n", ""},
        CliCase{"CodeWithBlankForm",
                {"code", "--key=" + kZero, "2014-01-05 13:07", "2014-01-05T13:07"},
                "",
                0,
                "LON\nLON\n",
                ""},
        CliCase{"CodeOfNow", {"code", "--key", kZero}, "", 0, "LON\n", ""},
        CliCase{"CodeKeyFromInput",
                {"code", "--key", "-", "2016-12-31T23:59"},
                "0123456789abcdef\n",
                0,
                "HEB\n",
                ""},
        CliCase{"CodeOfPassPhraseKey",
                {"code", "--pass-phrase", "hello", "2014-01-05T13:07"},
                "",
                0,
                "DOR\n",
                ""},
        CliCase{"CodeOnCenturyLeapDay",
                {"code", "--key", kZero, "2100-02-29T00:00"},
                "",
                0,
                "DAC\n",
                ""},
        CliCase{"CodeRejectsDayOutsideCalendar",
                {"code", "--key", kZero, "2026-02-30T00:00"},
                "",
                2,
                "",
                "not a minute"},
        CliCase{"CodeRejectsShape", {"code", "--key", kZero, "2026-2-3T00:00"}, "", 2, "", "YYYY"},
        CliCase{"ShortKeyRejected",
                {"code", "--key", "123", "2014-01-05T13:07"},
                "",
                2,
                "",
                "exactly 16 hexadecimal digits"},
        CliCase{"KeyWithBlankRejected",
                {"code", "--key", "00000000 0000000", "2014-01-05T13:07"},
                "",
                2,
                "",
                "exactly 16"},
        CliCase{"NoKeyRejected", {"code", "2014-01-05T13:07"}, "", 2, "", "--key"},
        CliCase{"BothSecretsRejected",
                {"code", "--key", kZero, "--pass-phrase", "x"},
                "",
                2,
                "",
                "not both"},
        CliCase{"FindNoMatch", {"find", "--key", kZero, "--months", "2-2", "KEV"}, "", 1, "", ""},
        CliCase{"FindInvalidTriad",
                {"find", "--key", kZero, "--year", "99999", "BQB"},
                "",
                2,
                "",
                "Invalid Triad"},
        CliCase{"FindInvalidYear",
                {"find", "--key", kZero, "--years", "2000-10000", "BAG"},
                "",
                2,
                "",
                "Invalid Year"},
        CliCase{"FindUnreadableYear",
                {"find", "--key", kZero, "--year", "20x6", "BAG"},
                "",
                2,
                "",
                "Invalid Year"},
        CliCase{"FindInvalidMonth",
                {"find", "--key", kZero, "--months", "0-3", "BAG"},
                "",
                2,
                "",
                "Invalid Month"},
        CliCase{"FindNeedsOneTriad", {"find", "--key", kZero}, "", 2, "", "TRIAD"},
        CliCase{"UnknownOption", {"find", "--kye", kZero, "BAG"}, "", 2, "", "--kye"},
        CliCase{"UnknownCommand", {"search"}, "", 2, "", "search"},
        CliCase{"NoCommand", {}, "", 2, "", "--help"},
        CliCase{"Version", {"--version"}, "", 0, "zorvane-cli 1.00\n", ""},
        CliCase{"HelpAfterDoubleDashIsAPhrase",
                {"key", "--", "--help"},
                "",
                0,
                "20F12C00F7438BA2\n",
                ""}),
    RowName());

// A search's lines, from the same key and months in both spellings of the key.
class FindTest : public testing::Test {
 protected:
  std::string Run(std::vector<std::string> args, int expectedStatus = 0) {
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, in, out, err, kNow), expectedStatus) << err.str();
    return out.str();
  }
};

TEST_F(FindTest, ListsTheMatchingMinutesInTimeOrder) {
  const std::string lines =
      Run({"find", "--key", "0123456789ABCDEF", "--year", "2014", "--months", "1-1", "bag"});
  EXPECT_EQ(lines.substr(0, 38), "2014/01/01   03:16\n2014/01/01   09:55\n");
  std::istringstream each(lines);
  std::string line, previous;
  while (std::getline(each, line)) {
    EXPECT_LT(previous, line);
    previous = line;
  }
}

TEST_F(FindTest, YearRangesAndDefaultsCoverTheSameMinutes) {
  const std::string byYear = Run({"find", "--pass-phrase", "hello", "--year", "2013", "TOK"}) +
                             Run({"find", "--pass-phrase", "hello", "TOK"});
  EXPECT_EQ(Run({"find", "--pass-phrase", "hello", "--years", "2013-2014", "--months", "1-12", "--",
                 "TOK"}),
            byYear);
}

TEST_F(FindTest, HelpStandsAnywhereBeforeTheEndOfOptions) {
  EXPECT_EQ(Run({"find", "--key", "0123456789ABCDEF", "--help"}).rfind("Usage:", 0), 0u);
  EXPECT_EQ(Run({"--help"}), Run({"key", "-h"}));
}

TEST(Utf8Test, DecodesAndReplacesMalformedSequences) {
  EXPECT_EQ(Utf8ToUtf16("a\xc3\xa9\xe2\x82\xac"), u"a\u00e9\u20ac");
  EXPECT_EQ(Utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
  EXPECT_EQ(Utf8ToUtf16("\xff"
                        "a"),
            u"\ufffd"
            "a");
  EXPECT_EQ(Utf8ToUtf16("\xc3"), u"\ufffd");            // cut short
  EXPECT_EQ(Utf8ToUtf16("\xc0\xaf"), u"\ufffd\ufffd");  // overlong
  EXPECT_EQ(Utf8ToUtf16("\xed\xa0\x80"), u"\ufffd");    // a surrogate
}

}  // namespace
}  // namespace zorvane
