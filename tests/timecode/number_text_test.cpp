#include "timecode/number_text.h"

#include <gtest/gtest.h>

#include "row_name.h"

#include <limits>

namespace zorvane {
namespace {

struct NumberCase {
  const char* name;
  std::u16string text;
  double expected;
};

class NumericValueTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumericValueTest, ReadsTheLeadingNumber) {
  EXPECT_EQ(NumericValue(GetParam().text), GetParam().expected);
}

const double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericValueTest,
    testing::Values(
        NumberCase{"LeadingBlankOfTheYearField", u" 2026", 2026},
        NumberCase{"BlanksTabsLineFeedsSkippedAnywhere", u"2 0\t1\n6", 2016},
        NumberCase{"CarriageReturnEndsTheNumber", u"20\r16", 20}, NumberCase{"Sign", u"-12", -12},
        NumberCase{"PlusSign", u"+7", 7}, NumberCase{"SignOnlyAtTheStart", u"7-1", 7},
        NumberCase{"OneDecimalPoint", u"12.5.3", 12.5}, NumberCase{"ExponentNotRead", u"1e3", 1},
        NumberCase{"HexadecimalPrefixNotRead", u"&H10", 0}, NumberCase{"NoNumber", u"abc", 0},
        NumberCase{"Empty", u"", 0}, NumberCase{"LoneSignAndPoint", u"-.", 0},
        NumberCase{"HundredsOfDigits", u"1" + std::u16string(400, u'0'), kInfinity},
        NumberCase{"HundredsOfDigitsNegative", u"-" + std::u16string(400, u'9'), -kInfinity},
        NumberCase{"TinyFraction", u"0." + std::u16string(400, u'0') + u"1", 0}),
    RowName());

}  // namespace
}  // namespace zorvane
