// Finds the minutes of one day whose triad is the one looked for, on the fastest path the
// processor has. Internal to the search.
#pragma once

#include <array>
#include <cstdint>

#include "key/key_bytes.h"
#include "timecode/calendar.h"
#include "timecode/day_lanes.h"
#include "timecode/hash_path.h"
#include "timecode/timecode.h"

namespace zorvane {

// Bit i of the mask (i = hour * 60 + minute) stands for that minute of the day.
using DayMask = std::array<std::uint64_t, kLanesPerDay / 64>;
static_assert(kLanesPerDay >= kMinutesPerDay && kLanesPerDay - kMinutesPerDay < 64);

MatchTarget TargetOf(const Triad& triad);

class DayMatcher {
 public:
  DayMatcher(const KeyBytes& key, HashPath path);
  DayMatcher(const DayMatcher&) = delete;  // its inputs point into itself
  DayMatcher& operator=(const DayMatcher&) = delete;

  // Sets `mask` to the matches of the day whose packed bytes 2 and 3 are given.
  void Find(std::uint8_t dayByte, std::uint8_t yearByte, const MatchTarget& target,
            DayMask& mask) const;

 private:
  using Lanes = std::array<std::uint8_t, kLanesPerDay>;

  FindDayFunction find_;
  DayInputs inputs_{};
  alignas(64) Lanes afterRound1_{};  // x after round 1, the y of round 3
  alignas(64) Lanes round2Input_{};
  alignas(64) Lanes round2Carry_{};
  // Round 3's mix for one year byte, which changes only twice a year: worked out again when it
  // does. Each search has a matcher of its own.
  alignas(64) mutable Lanes round3Mix_{};
  mutable int round3YearByte_ = -1;
};

}  // namespace zorvane
