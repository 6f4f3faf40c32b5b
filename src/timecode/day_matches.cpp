#include "timecode/day_matches.h"

#include <cstring>

namespace zorvane {
namespace {

// The last state x7 must be one of these four bytes (repeated where a letter has one slot) and
// bits 6-2 of y7 one of the two third-letter slots, already shifted into place.
struct TargetBytes {
  std::array<std::uint8_t, 4> first;
  std::array<std::uint8_t, 2> third;
};

std::array<std::uint8_t, 2> Slots(std::string_view table, char letter) {
  std::array<std::uint8_t, 2> slots{};
  int found = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == letter) slots[found++ == 0 ? 0 : 1] = static_cast<std::uint8_t>(i);
  }
  if (found == 1) slots[1] = slots[0];
  return slots;
}

TargetBytes TargetOf(const Triad& triad) {
  const auto c1 = Slots(ConsonantTable, triad[0]);
  const auto v = Slots(VowelTable, triad[1]);
  const auto c3 = Slots(ConsonantTable, triad[2]);
  TargetBytes t{};
  for (int i = 0; i < 4; ++i) t.first[i] = static_cast<std::uint8_t>(c1[i & 1] | v[i >> 1] << 5);
  for (int i = 0; i < 2; ++i) t.third[i] = static_cast<std::uint8_t>(c3[i] << 2);
  return t;
}

void FindScalar(const KeyBytes& key, int year, int month, int day, const Triad& target,
                DayMask& mask) {
  for (int i = 0; i < kMinutesPerDay; ++i) {
    const Triad triad = ComputeTriad(PackMinute(year, month, day, i / 60, i % 60), key);
    if (triad == target) mask[i / 64] |= std::uint64_t{1} << (i % 64);
  }
}

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__) || defined(__aarch64__))
#define ZORVANE_HAS_VECTOR 1

// The lane helpers are always inlined, so passing vectors wider than the baseline's registers
// never crosses a function boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

constexpr int kLanes = 32;
using Lanes = std::uint8_t __attribute__((vector_size(kLanes)));
static_assert(kMinutesPerDay % kLanes == 0);

inline __attribute__((always_inline)) Lanes Splat(std::uint8_t v) {
  Lanes lanes;
  for (int i = 0; i < kLanes; ++i) lanes[i] = v;
  return lanes;
}

inline __attribute__((always_inline)) Lanes Load(const std::uint8_t* at) {
  Lanes lanes;
  std::memcpy(&lanes, at, sizeof lanes);
  return lanes;
}

inline __attribute__((always_inline)) Lanes Round(Lanes x, Lanes y, Lanes key, Lanes time) {
  const Lanes v = (y ^ key) + time;
  return ((v << 3) | (v >> 5)) + ((x >> 2) | (x << 6));
}

// Rounds 2 to 7 for 32 minutes at a time, from the rounds 0 and 1 done once per key.
inline __attribute__((always_inline)) void FindLanes(
    const KeyBytes& key, const std::uint8_t* minute, const std::uint8_t* hour,
    const std::uint8_t* x0s, const std::uint8_t* x1s, std::uint8_t two, std::uint8_t three,
    const TargetBytes& target, DayMask& mask) {
  const Lanes k2 = Splat(key[2]), k3 = Splat(key[3]), k4 = Splat(key[4]), k5 = Splat(key[5]);
  const Lanes k6 = Splat(key[6]), k7 = Splat(key[7]);
  const Lanes t2 = Splat(two), t3 = Splat(three);
  const Lanes f0 = Splat(target.first[0]), f1 = Splat(target.first[1]);
  const Lanes f2 = Splat(target.first[2]), f3 = Splat(target.first[3]);
  const Lanes s0 = Splat(target.third[0]), s1 = Splat(target.third[1]);
  const Lanes thirdBits = Splat(124);
  for (int base = 0; base < kMinutesPerDay; base += kLanes) {
    const Lanes x0 = Load(x0s + base), x1 = Load(x1s + base);
    const Lanes x2 = Round(x1, x0, k2, t2);
    const Lanes x3 = Round(x2, x1, k3, t3);
    const Lanes x4 = Round(x3, x2, k4, Load(minute + base));
    const Lanes x5 = Round(x4, x3, k5, Load(hour + base));
    const Lanes x6 = Round(x5, x4, k6, t2);
    const Lanes x7 = Round(x6, x5, k7, t3);
    const Lanes third = x6 & thirdBits;
    const auto hit =
        ((x7 == f0) | (x7 == f1) | (x7 == f2) | (x7 == f3)) & ((third == s0) | (third == s1));
    std::uint64_t words[kLanes / 8];
    std::memcpy(words, &hit, sizeof words);
    if ((words[0] | words[1] | words[2] | words[3]) == 0) continue;
    for (int lane = 0; lane < kLanes; ++lane) {
      if (hit[lane] != 0) {
        const int i = base + lane;
        mask[i / 64] |= std::uint64_t{1} << (i % 64);
      }
    }
  }
}

void FindVector(const KeyBytes& key, const std::uint8_t* minute, const std::uint8_t* hour,
                const std::uint8_t* x0s, const std::uint8_t* x1s, std::uint8_t two,
                std::uint8_t three, const TargetBytes& target, DayMask& mask) {
  FindLanes(key, minute, hour, x0s, x1s, two, three, target, mask);
}

#if defined(__x86_64__) || defined(__i386__)
#define ZORVANE_HAS_AVX2 1
__attribute__((target("avx2"))) void FindAvx2(const KeyBytes& key, const std::uint8_t* minute,
                                              const std::uint8_t* hour, const std::uint8_t* x0s,
                                              const std::uint8_t* x1s, std::uint8_t two,
                                              std::uint8_t three, const TargetBytes& target,
                                              DayMask& mask) {
  FindLanes(key, minute, hour, x0s, x1s, two, three, target, mask);
}
#endif
#endif

HashPath Resolve(HashPath path) {
  if (path != HashPath::Best) return HashPathAvailable(path) ? path : HashPath::Scalar;
  if (HashPathAvailable(HashPath::Avx2)) return HashPath::Avx2;
  if (HashPathAvailable(HashPath::Vector)) return HashPath::Vector;
  return HashPath::Scalar;
}

}  // namespace

bool HashPathAvailable(HashPath path) {
  switch (path) {
    case HashPath::Scalar:
    case HashPath::Best:
      return true;
    case HashPath::Vector:
#ifdef ZORVANE_HAS_VECTOR
      return true;
#else
      return false;
#endif
    case HashPath::Avx2:
#ifdef ZORVANE_HAS_AVX2
      return __builtin_cpu_supports("avx2");
#else
      return false;
#endif
  }
  return false;
}

DayMatcher::DayMatcher(const KeyBytes& key, HashPath path) : key_(key), path_(Resolve(path)) {
  for (int i = 0; i < kMinutesPerDay; ++i) {
    minute_[i] = static_cast<std::uint8_t>(i % 60);
    hour_[i] = static_cast<std::uint8_t>(i / 60);
    round0_[i] = HashRound(kInitialState.x, kInitialState.y, key[0], minute_[i]);
    round1_[i] = HashRound(round0_[i], kInitialState.x, key[1], hour_[i]);
  }
}

DayMask DayMatcher::Find(int year, int month, int day, const std::optional<Triad>& target) const {
  DayMask mask{};
  if (!target) return mask;
  // Bytes 2 and 3 stay the same all day.
  [[maybe_unused]] const TimeBytes day0 = PackMinute(year, month, day, 0, 0);
  switch (path_) {
#ifdef ZORVANE_HAS_VECTOR
    case HashPath::Vector:
      FindVector(key_, minute_.data(), hour_.data(), round0_.data(), round1_.data(), day0[2],
                 day0[3], TargetOf(*target), mask);
      break;
#endif
#ifdef ZORVANE_HAS_AVX2
    case HashPath::Avx2:
      FindAvx2(key_, minute_.data(), hour_.data(), round0_.data(), round1_.data(), day0[2], day0[3],
               TargetOf(*target), mask);
      break;
#endif
    default:
      FindScalar(key_, year, month, day, *target, mask);
      break;
  }
  return mask;
}

}  // namespace zorvane
