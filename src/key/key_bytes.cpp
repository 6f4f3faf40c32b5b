#include "key/key_bytes.h"

#include <algorithm>

namespace zorvane {
namespace {

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::uint8_t ReadPair(std::u16string_view pair) {
  int value = 0;
  for (const char16_t c : pair) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    const int digit = HexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return static_cast<std::uint8_t>(value);
}

}  // namespace

KeyBytes ReadKeyBytes(std::u16string_view keyText) {
  KeyBytes bytes{};
  for (std::size_t j = 0; j < bytes.size(); ++j) {
    const std::size_t start = 14 - 2 * j;
    if (start < keyText.size()) bytes[j] = ReadPair(keyText.substr(start, 2));
  }
  return bytes;
}

std::u16string RemoveBlanks(std::u16string_view keyText) {
  std::u16string kept(keyText);
  kept.erase(std::remove(kept.begin(), kept.end(), u' '), kept.end());
  return kept;
}

}  // namespace zorvane
