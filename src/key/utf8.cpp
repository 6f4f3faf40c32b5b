#include "key/utf8.h"

namespace zorvane {

std::u16string Utf8ToUtf16(std::string_view text) {
  constexpr char32_t kReplacement = 0xFFFD;
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t smallest = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, cp = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, cp = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, cp = lead & 0x07u, smallest = 0x10000;
    } else {
      out.push_back(static_cast<char16_t>(kReplacement));
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    for (; j < text.size() && j <= i + static_cast<std::size_t>(extra); ++j) {
      const auto next = static_cast<unsigned char>(text[j]);
      if ((next & 0xC0u) != 0x80u) break;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    const bool complete = j == i + 1 + static_cast<std::size_t>(extra);
    if (!complete || cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      out.push_back(static_cast<char16_t>(kReplacement));
      i = j > i + 1 ? j : i + 1;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FFu)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i = j;
  }
  return out;
}

}  // namespace zorvane
