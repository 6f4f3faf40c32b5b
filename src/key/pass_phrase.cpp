#include "key/pass_phrase.h"

#include <array>
#include <cstdint>
#include <vector>

#include "key/word_ops.h"

namespace zorvane {
namespace {

// Unicode code points of Windows-1252 bytes 0x80-0x9F. The five bytes the set leaves undefined
// round-trip through the C1 control of the same number, as Windows converts them.
constexpr std::array<char16_t, 32> kHighControlsBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int kUnmappable = '?';

}  // namespace

int CharacterCode(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
  for (std::size_t i = 0; i < kHighControlsBlock.size(); ++i) {
    if (kHighControlsBlock[i] == unit) return static_cast<int>(0x80 + i);
  }
  return kUnmappable;
}

std::optional<std::string> DeriveKey(std::u16string_view phrase) {
  if (phrase.empty()) return std::nullopt;

  // The input is the character codes followed by the length itself; the additions below
  // reduce a length above 65535 like any other value.
  std::vector<std::int64_t> input;
  input.reserve(phrase.size() + 1);
  for (const char16_t unit : phrase) input.push_back(CharacterCode(unit));
  input.push_back(static_cast<std::int64_t>(phrase.size()));

  std::int32_t a = 137, b = 2445, c = 4, d = 62547;
  for (std::size_t i = 0; i < 32; ++i) {
    const std::int64_t code = input[i % input.size()];
    auto t = static_cast<std::int32_t>((code + d) % 65536);
    Rotate16Left(t, 13);
    t ^= b;
    std::int32_t u = a;
    Rotate16Right(u, 5);
    t = (u + t) % 65536;
    t ^= c;
    d = c;
    c = b;
    b = a;
    a = t;
  }
  return FormatHex(d) + FormatHex(c) + FormatHex(b) + FormatHex(a);
}

}  // namespace zorvane
