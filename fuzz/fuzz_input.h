// Turns fuzzer bytes into the UTF-16 texts that the window's fields hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zorvane {

inline std::u16string Utf16Of(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  }
  return text;
}

}  // namespace zorvane
