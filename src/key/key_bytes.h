// The eight key bytes the timecode hash uses, read from the hex key text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorvane {

// Index 0 is the least significant byte of the key text; a byte never set counts as 0.
using KeyBytes = std::array<std::uint8_t, 8>;

// Reads the first 16 characters of the key text pair by pair, most significant pair first.
// Each pair drops blanks, tabs and line feeds (not carriage returns) and is worth the
// hexadecimal digits it starts with: "7G" reads 7, "G7" reads 0; missing pairs read 0.
KeyBytes ReadKeyBytes(std::u16string_view keyText);

// The key text without its blanks (space characters), as the hex key field keeps it.
std::u16string RemoveBlanks(std::u16string_view keyText);

}  // namespace zorvane
