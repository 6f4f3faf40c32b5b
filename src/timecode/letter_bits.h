// Where the triad's letters sit in the final hash state (x, y): the first letter in the low
// five bits of x, the vowel in its top three, the third letter in bits 6-2 of y.
#pragma once

#include <cstdint>

namespace zorvane {

inline constexpr std::uint8_t kFirstLetterBits = 0x1F;
inline constexpr std::uint8_t kVowelBits = 0xE0;
inline constexpr int kVowelShift = 5;
inline constexpr std::uint8_t kThirdLetterBits = 0x7C;
inline constexpr int kThirdLetterShift = 2;

}  // namespace zorvane
