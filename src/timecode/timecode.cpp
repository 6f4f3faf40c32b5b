#include "timecode/timecode.h"

namespace zorvane {

TimeBytes PackMinute(const CivilMinute& m) {
  return {static_cast<std::uint8_t>(m.minute), static_cast<std::uint8_t>(m.hour),
          static_cast<std::uint8_t>((m.month % 8) * 32 + m.day),
          static_cast<std::uint8_t>((m.year % kYearsPerPattern) * 2 + m.month / 8)};
}

TriadState MixMinute(const TimeBytes& time, const KeyBytes& key) {
  TriadState s = kInitialState;
  for (std::size_t r = 0; r < 8; ++r) {
    const std::uint8_t next = HashRound(s.x, s.y, key[r], time[r % 4]);
    s.y = s.x;
    s.x = next;
  }
  return s;
}

Triad TriadOfState(TriadState state) {
  return {ConsonantTable[state.x & kFirstLetterBits],
          VowelTable[(state.x & kVowelBits) >> kVowelShift],
          ConsonantTable[(state.y & kThirdLetterBits) >> kThirdLetterShift]};
}

Triad ComputeTriad(const TimeBytes& time, const KeyBytes& key) {
  return TriadOfState(MixMinute(time, key));
}

std::string ToString(const Triad& triad) { return {triad.begin(), triad.end()}; }

}  // namespace zorvane
