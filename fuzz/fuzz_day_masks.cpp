// Every hash path available here gives the same day mask for any key, packed day and year bytes
// and triad, and that mask holds exactly the minutes whose triad, worked out one by one, is the
// one looked for.
#include <cstdlib>
#include <string>

#include "timecode/day_matcher.h"
#include "timecode/search.h"

namespace {

using namespace zorvane;

// One of the 1944 triads the tables spell.
Triad TriadOf(unsigned index) {
  constexpr std::string_view kConsonants = "BCDFGHJKLMNPRTVWXZ";
  constexpr std::string_view kVowels = "AEIOUY";
  index %= 18 * 6 * 18;
  return {kConsonants[index % 18], kVowels[index / 18 % 6], kConsonants[index / 108]};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 12) return 0;
  KeyBytes key;
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = data[i];
  const std::uint8_t dayByte = data[8], yearByte = data[9];
  const Triad triad = TriadOf(data[10] | data[11] << 8);
  const MatchTarget target = TargetOf(triad);

  DayMask expected{};
  for (int i = 0; i < kMinutesPerDay; ++i) {
    const TimeBytes time = {static_cast<std::uint8_t>(i % 60), static_cast<std::uint8_t>(i / 60),
                            dayByte, yearByte};
    if (ComputeTriad(time, key) == triad) expected[i / 64] |= std::uint64_t{1} << (i % 64);
  }
  for (const HashPath path : kEveryHashPath) {
    if (!HashPathAvailable(path)) continue;
    const DayMatcher matcher(key, path);
    DayMask mask;
    // Twice with the year byte changed between, as a search crossing August does.
    matcher.Find(dayByte, static_cast<std::uint8_t>(yearByte ^ 1), target, mask);
    matcher.Find(dayByte, yearByte, target, mask);
    if (mask != expected) std::abort();
  }
  return 0;
}
