#include "key/word_ops.h"

#include <cstdio>

namespace zorvane {
namespace {

// Sixteen single-bit rotations restore the word, so only count mod 16 steps matter.
int Steps(std::int32_t count) { return count <= 0 ? 0 : count % 16; }

}  // namespace

void Rotate16Left(std::int32_t& x, std::int32_t count) {
  const std::uint32_t w = static_cast<std::uint32_t>(x) & 0xFFFFu;
  const int n = Steps(count);
  x = static_cast<std::int32_t>(((w << n) | (w >> (16 - n))) & 0xFFFFu);
}

void Rotate16Right(std::int32_t& x, std::int32_t count) {
  const std::uint32_t w = static_cast<std::uint32_t>(x) & 0xFFFFu;
  const int n = Steps(count);
  x = static_cast<std::int32_t>(((w >> n) | (w << (16 - n))) & 0xFFFFu);
}

std::string FormatHex(std::int32_t x) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%04X",
                static_cast<unsigned>(static_cast<std::uint32_t>(x)));
  return digits;
}

}  // namespace zorvane
