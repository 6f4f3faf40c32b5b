// Finds the minutes of one day whose triad equals a target, for the search's inner loop. The
// hash runs on many minutes at once where the processor has vector units for it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "key/key_bytes.h"
#include "timecode/timecode.h"

namespace zorvane {

inline constexpr int kMinutesPerDay = 24 * 60;

// How the triads of a day are computed; every path gives the same matches.
enum class HashPath {
  Scalar,  // one minute at a time, the hash as written
  Vector,  // many minutes per step with the processor's baseline vector unit
  Avx2,    // the same with 256-bit vector units
  Best,    // the fastest one this processor has
};

bool HashPathAvailable(HashPath path);

// Bit i (i = hour * 60 + minute) is set where that minute of the day matches.
using DayMask = std::array<std::uint64_t, (kMinutesPerDay + 63) / 64>;

class DayMatcher {
 public:
  DayMatcher(const KeyBytes& key, HashPath path);

  // An empty target (a triad text that no minute can produce) matches nothing.
  DayMask Find(int year, int month, int day, const std::optional<Triad>& target) const;

 private:
  KeyBytes key_;
  HashPath path_;
  // The first two rounds depend on the minute and hour alone, so they are done once per key.
  alignas(32) std::array<std::uint8_t, kMinutesPerDay> minute_{};
  alignas(32) std::array<std::uint8_t, kMinutesPerDay> hour_{};
  alignas(32) std::array<std::uint8_t, kMinutesPerDay> round0_{};
  alignas(32) std::array<std::uint8_t, kMinutesPerDay> round1_{};
};

}  // namespace zorvane
