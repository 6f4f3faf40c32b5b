// Sixteen-bit word operations that the pass-phrase derivation builds on.
#pragma once

#include <cstdint>
#include <string>

namespace zorvane {

// Replaces x by its low 16 bits rotated left `count` times by one bit; a count of 0 or less
// only reduces x to 16 bits. The result is always 0-65535.
void Rotate16Left(std::int32_t& x, std::int32_t count);
void Rotate16Right(std::int32_t& x, std::int32_t count);

// Upper-case hexadecimal digits of x, padded with "0" on the left to at least four characters.
// A negative x is written as its 32-bit two's-complement pattern.
std::string FormatHex(std::int32_t x);

}  // namespace zorvane
