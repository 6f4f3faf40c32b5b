#include "key/word_ops.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace zorvane {
namespace {

struct RotationCase {
  const char* name;
  std::int32_t word;
  std::int32_t count;
  bool left;
  std::int32_t expected;
};

class RotationTest : public testing::TestWithParam<RotationCase> {};

TEST_P(RotationTest, GivesTheRotatedWord) {
  const RotationCase& c = GetParam();
  std::int32_t x = c.word;
  if (c.left) {
    Rotate16Left(x, c.count);
  } else {
    Rotate16Right(x, c.count);
  }
  EXPECT_EQ(x, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Words, RotationTest,
    testing::Values(RotationCase{"LeftCarriesBit15Round", 0x8001, 1, true, 0x0003},
                    RotationCase{"RightCarriesBit0Round", 0x0003, 1, false, 0x8001},
                    RotationCase{"LeftBySixteenIsIdentity", 0xBEEF, 16, true, 0xBEEF},
                    RotationCase{"RightBySixteenIsIdentity", 0xBEEF, 16, false, 0xBEEF},
                    RotationCase{"LeftByThirteen", 0x1234, 13, true, 0x8246},
                    RotationCase{"NegativeIsItsSixteenBitPattern", -2989, 0, true, 0xF453},
                    RotationCase{"HighBitsAreDropped", 0x12345, 0, false, 0x2345},
                    RotationCase{"NegativeCountOnlyReduces", -1, -7, true, 0xFFFF},
                    RotationCase{"HugeCountIsCountModSixteen", 0x8001, 2147483647, false, 0x0003}),
    RowName());

TEST(RotationTest, LeftByThirteenEqualsRightByThree) {
  for (std::int32_t word = 0; word < 65536; word += 251) {
    std::int32_t left = word, right = word;
    Rotate16Left(left, 13);
    Rotate16Right(right, 3);
    ASSERT_EQ(left, right) << word;
  }
}

TEST(FormatHexTest, PadsToFourUpperCaseDigits) {
  EXPECT_EQ(FormatHex(0), "0000");
  EXPECT_EQ(FormatHex(171), "00AB");
  EXPECT_EQ(FormatHex(65535), "FFFF");
  EXPECT_EQ(FormatHex(0x12345), "12345");
}

}  // namespace
}  // namespace zorvane
