// The timecode of one calendar minute: the minute packed into four bytes and mixed with the
// eight key bytes into a triad, consonant, vowel, consonant.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "key/key_bytes.h"
#include "timecode/calendar.h"
#include "timecode/letter_bits.h"

namespace zorvane {

inline constexpr std::string_view ConsonantTable = "BCDFGHJKLMNPRTVWXZBCDFGHJLMNPRTW";
inline constexpr std::string_view VowelTable = "AEIOUYAE";

// Minute, hour, (month mod 8) * 32 + day, (year mod 128) * 2 + month div 8.
using TimeBytes = std::array<std::uint8_t, 4>;

// Years this far apart pack alike and share the leap rule, so they share every timecode.
inline constexpr int kYearsPerPattern = 128;

using Triad = std::array<char, 3>;

// For whole years of 0 or more and months 1-12.
TimeBytes PackMinute(const CivilMinute& m);

// The hash state after the last round: the triad's letters are read from it.
struct TriadState {
  std::uint8_t x;
  std::uint8_t y;
};

// Rotations within 8 bits and one round of the hash: x' = rol3((y ^ key) + time) + ror2(x),
// after which the old x becomes y.
constexpr std::uint8_t Rotate8Left3(std::uint8_t v) {
  return static_cast<std::uint8_t>((v << 3) | (v >> 5));
}
constexpr std::uint8_t Rotate8Right2(std::uint8_t v) {
  return static_cast<std::uint8_t>((v >> 2) | (v << 6));
}
constexpr std::uint8_t HashRound(std::uint8_t x, std::uint8_t y, std::uint8_t key,
                                 std::uint8_t time) {
  return static_cast<std::uint8_t>(Rotate8Left3(static_cast<std::uint8_t>((y ^ key) + time)) +
                                   Rotate8Right2(x));
}

// The starting state: x = 43, y = 137.
inline constexpr TriadState kInitialState = {43, 137};

TriadState MixMinute(const TimeBytes& time, const KeyBytes& key);
Triad TriadOfState(TriadState state);

Triad ComputeTriad(const TimeBytes& time, const KeyBytes& key);

std::string ToString(const Triad& triad);

}  // namespace zorvane
