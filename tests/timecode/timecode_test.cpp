#include "timecode/timecode.h"

#include <gtest/gtest.h>

#include "row_name.h"

#include <random>

namespace zorvane {
namespace {

struct PackCase {
  const char* name;
  int year, month, day, hour, minute;
  TimeBytes expected;
};

class PackMinuteTest : public testing::TestWithParam<PackCase> {};

TEST_P(PackMinuteTest, PacksTheFourBytes) {
  const PackCase& c = GetParam();
  EXPECT_EQ(PackMinute({c.year, c.month, c.day, c.hour, c.minute}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Minutes, PackMinuteTest,
    testing::Values(PackCase{"WorkedExample", 2014, 1, 5, 13, 7, {7, 13, 37, 188}},
                    PackCase{"YearsApartBy128PackAlike", 2142, 1, 5, 13, 7, {7, 13, 37, 188}},
                    // August: month bits 7-5 of byte 2 are 0, bit 0 of byte 3 is 1.
                    PackCase{"August", 2014, 8, 31, 0, 0, {0, 0, 31, 189}},
                    PackCase{"December", 2014, 12, 1, 23, 59, {59, 23, 4 * 32 + 1, 189}},
                    PackCase{"LargestByteTwo", 0, 7, 31, 0, 0, {0, 0, 255, 0}}),
    RowName());

// Round by round for the zero key and 2014-01-05 13:07 (bytes 7, 13, 37, 188), x after each
// round: 78, 84, 176, 172, 232, 7, 41, 104; y ends as 41. Round 0: y = 137 + 7 = 144, rotated
// left 3 = 132, plus 43 rotated right 2 (202) = 78. Letters: 104 AND 31 = 8 (L), 104 div 32 = 3
// (O), (41 AND 124) div 4 = 10 (N). The other rows come from the same rounds worked out apart
// from this program.
struct TriadCase {
  const char* name;
  KeyBytes key;
  TimeBytes time;
  const char* triad;
};

class ComputeTriadTest : public testing::TestWithParam<TriadCase> {};

TEST_P(ComputeTriadTest, GivesTheKnownTriad) {
  EXPECT_EQ(ToString(ComputeTriad(GetParam().time, GetParam().key)), GetParam().triad);
}

constexpr KeyBytes kCounting = {0xEF, 0xCD, 0xAB, 0x89,
                                0x67, 0x45, 0x23, 0x01};  // 0123456789ABCDEF

INSTANTIATE_TEST_SUITE_P(
    Minutes, ComputeTriadTest,
    testing::Values(TriadCase{"ZeroKey", {}, PackMinute({2014, 1, 5, 13, 7}), "LON"},
                    TriadCase{"CountingKey", kCounting, PackMinute({2014, 1, 5, 13, 7}), "KAJ"},
                    TriadCase{"CountingKeyLastMinuteOfLeapYear", kCounting,
                              PackMinute({2016, 12, 31, 23, 59}), "HEB"},
                    TriadCase{"AllOnesKey",
                              {255, 255, 255, 255, 255, 255, 255, 255},
                              PackMinute({2000, 8, 1, 0, 0}),
                              "CAP"}),
    RowName());

TEST(ComputeTriadTest, EveryTriadIsConsonantVowelConsonant) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int i = 0; i < 20000; ++i) {
    KeyBytes key;
    for (auto& b : key) b = static_cast<std::uint8_t>(byte(random));
    const TimeBytes time = {
        static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random)),
        static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random))};
    const Triad t = ComputeTriad(time, key);
    ASSERT_NE(ConsonantTable.find(t[0]), std::string_view::npos);
    ASSERT_NE(VowelTable.find(t[1]), std::string_view::npos);
    ASSERT_NE(ConsonantTable.find(t[2]), std::string_view::npos);
  }
}

}  // namespace
}  // namespace zorvane
