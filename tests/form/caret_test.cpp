#include "form/caret.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace zorvane {
namespace {

struct CaretCase {
  const char* name;
  std::u16string_view before;
  std::size_t caret;
  std::u16string_view after;
  std::size_t expected;
};

class CaretTest : public testing::TestWithParam<CaretCase> {};

TEST_P(CaretTest, PlacesTheCaret) {
  const CaretCase& c = GetParam();
  EXPECT_EQ(CaretAfterRewrite(c.before, c.caret, c.after), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rewrites, CaretTest,
    testing::Values(
        // A typed blank dropped: the caret stays after the digit it followed.
        CaretCase{"StaysAfterItsCharacterWhenABlankGoes", u"0123 4567", 5, u"01234567", 4},
        // The derived key, with its line break, written into a field one line tall.
        CaretCase{"StaysBeforeTheKeysLineBreak", u"", 0, u"0123456789ABCDEF\r\n", 16},
        CaretCase{"StaysBeforeALineFeedToo", u"", 0, u"0123456789ABCDEF\n", 16},
        // The user's own caret on the line after the break stays there.
        CaretCase{"StaysOnTheLineTheUserWentTo", u"0123456789ABCDEF\r\n ", 19,
                  u"0123456789ABCDEF\r\n", 18},
        CaretCase{"NeverBeforeTheStart", u"  ab", 1, u"ab", 0}),
    RowName());

}  // namespace
}  // namespace zorvane
