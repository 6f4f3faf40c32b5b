#include "timecode/timecode.h"

namespace zorvane {

TimeBytes PackMinute(int year, int month, int day, int hour, int minute) {
  return {static_cast<std::uint8_t>(minute), static_cast<std::uint8_t>(hour),
          static_cast<std::uint8_t>((month % 8) * 32 + day),
          static_cast<std::uint8_t>((year % 128) * 2 + month / 8)};
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
  return {ConsonantTable[state.x & 31], VowelTable[state.x >> 5],
          ConsonantTable[(state.y & 124) >> 2]};
}

Triad ComputeTriad(const TimeBytes& time, const KeyBytes& key) {
  return TriadOfState(MixMinute(time, key));
}

std::string ToString(const Triad& triad) { return {triad.begin(), triad.end()}; }

}  // namespace zorvane
