#include "key/key_bytes.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace zorvane {
namespace {

struct KeyTextCase {
  const char* name;
  std::u16string text;
  KeyBytes expected;  // index 0 first
};

class KeyTextTest : public testing::TestWithParam<KeyTextCase> {};

TEST_P(KeyTextTest, ReadsTheKeyBytes) {
  EXPECT_EQ(ReadKeyBytes(GetParam().text), GetParam().expected);
}

constexpr KeyBytes kCounting = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};

INSTANTIATE_TEST_SUITE_P(
    Texts, KeyTextTest,
    testing::Values(
        KeyTextCase{"MostSignificantPairFirst", u"0123456789ABCDEF", kCounting},
        KeyTextCase{"LowerCaseDigits", u"0123456789abcdef", kCounting},
        KeyTextCase{"TrailingLineBreakIgnored", u"0123456789ABCDEF\r\n", kCounting},
        KeyTextCase{"CharactersAfterSixteenthIgnored", u"0123456789ABCDEFFF", kCounting},
        KeyTextCase{"EmptyIsAllZero", u"", {}},
        KeyTextCase{"ShortTextLeavesLowPairsZero", u"ABCD", {0, 0, 0, 0, 0, 0, 0xCD, 0xAB}},
        KeyTextCase{"OddLengthReadsLastDigitAlone", u"ABC", {0, 0, 0, 0, 0, 0, 0x0C, 0xAB}},
        KeyTextCase{"PairStartingWithDigitReadsIt", u"7G", {0, 0, 0, 0, 0, 0, 0, 0x07}},
        KeyTextCase{"PairStartingWithNonDigitReadsZero", u"G7", {}},
        KeyTextCase{"LineFeedIsDropped", u"\n7", {0, 0, 0, 0, 0, 0, 0, 0x07}},
        KeyTextCase{"TabIsDropped", u"7\t", {0, 0, 0, 0, 0, 0, 0, 0x07}},
        KeyTextCase{"CarriageReturnIsNotDropped", u"\r7", {}},
        // Enter after the eighth digit: CR LF take the places of characters 9 and 10.
        KeyTextCase{"KeyOnTwoLinesMisaligns",
                    u"01234567\r\n89ABCDEF",
                    {0xCD, 0xAB, 0x89, 0x00, 0x67, 0x45, 0x23, 0x01}}),
    RowName());

TEST(RemoveBlanksTest, KeepsEverythingButSpaces) {
  EXPECT_EQ(RemoveBlanks(u" 0123 4567\t89AB\r\n"), u"01234567\t89AB\r\n");
}

}  // namespace
}  // namespace zorvane
