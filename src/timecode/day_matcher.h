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

  HashPath path() const { return path_; }

  // Sets `mask` to the matches of the day whose packed bytes 2 and 3 are given.
  void Find(std::uint8_t dayByte, std::uint8_t yearByte, const MatchTarget& target,
            DayMask& mask) const;

 private:
  HashPath path_;
  FindDayFunction find_;
  DayInputs inputs_{};
  alignas(64) std::array<std::uint8_t, kLanesPerDay> afterRound0_{};
  alignas(64) std::array<std::uint8_t, kLanesPerDay> afterRound1_{};
};

}  // namespace zorvane
