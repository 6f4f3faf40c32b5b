#include "key/pass_phrase.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace zorvane {
namespace {

// Keys worked out with the 32 rounds written out separately from this program. Round 0 of "a",
// by hand: P = 97, 1; t = (97 + 62547) mod 65536 = F4B4, rotated left 13 = 9E96, XOR B (098D)
// = 971B; A = 137 rotated right 5 = 4804; 4804 + 971B = DF1F, XOR C (4) = DF1B, the new A.
struct DerivationCase {
  const char* name;
  std::u16string phrase;
  const char* key;
};

class DerivationTest : public testing::TestWithParam<DerivationCase> {};

TEST_P(DerivationTest, GivesTheKnownKey) {
  EXPECT_EQ(DeriveKey(GetParam().phrase), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Phrases, DerivationTest,
    testing::Values(DerivationCase{"OneCharacterCycles", u"a", "70CA6D4CB3F893F5"},
                    DerivationCase{"TrailingBlankCounts", u"a ", "B95223B2807A1006"},
                    DerivationCase{"Word", u"hello", "92C997A5C2B80E00"},
                    DerivationCase{"LatinOneCharacter", u"\u00e9", "9CB22B73093AA5F4"}),
    RowName());

TEST(DerivationTest, EmptyPhraseDerivesNothing) { EXPECT_EQ(DeriveKey(u""), std::nullopt); }

TEST(DerivationTest, LongPhrasesDeriveFromTheirFirst32Characters) {
  // The 32 rounds take one input value each, so past 31 characters the length value is never
  // reached; phrases of any length derive a key, 255 characters or more included.
  const std::u16string prefix = u"the quick brown fox jumps over t";
  const auto key = DeriveKey(prefix + u"he lazy dog");
  ASSERT_TRUE(key);
  EXPECT_EQ(key->size(), 16u);
  EXPECT_EQ(DeriveKey(prefix + std::u16string(300, u'x')), key);
  EXPECT_EQ(DeriveKey(prefix + std::u16string(70000, u'y')), key);
  EXPECT_NE(DeriveKey(prefix.substr(0, 31)), key);
}

TEST(CharacterCodeTest, UsesWindows1252) {
  EXPECT_EQ(CharacterCode(u'A'), 65);
  EXPECT_EQ(CharacterCode(u'\u00e9'), 0xE9);
  EXPECT_EQ(CharacterCode(u'\u20ac'), 0x80);  // euro sign
  EXPECT_EQ(CharacterCode(u'\u0178'), 0x9F);  // Y with diaeresis
  EXPECT_EQ(CharacterCode(u'\u0081'), 0x81);  // undefined in the set, kept as itself
  EXPECT_EQ(CharacterCode(u'\u0080'), '?');   // its byte belongs to the euro sign
  EXPECT_EQ(CharacterCode(u'\u0100'), '?');
  EXPECT_EQ(CharacterCode(u'\xd83d'), '?');  // half of a surrogate pair
}

TEST(DerivationTest, CharactersOutsideTheSetDeriveAsQuestionMarks) {
  EXPECT_EQ(DeriveKey(u"\u4e2d\u6587"), DeriveKey(u"??"));
  // A character beyond the basic plane is two code units, so two question marks.
  EXPECT_EQ(DeriveKey(u"\U0001F600"), DeriveKey(u"??"));
}

}  // namespace
}  // namespace zorvane
