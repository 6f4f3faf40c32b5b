#include "timecode/day_matches.h"

#include <cstring>

namespace zorvane {
namespace {

// The final x must be one of these four bytes (repeated where a letter has one slot) and
// bits 6-2 of the final y one of the two third-letter slots, already shifted into place.
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

// The lane helpers are always inlined, so vectors wider than the baseline's registers never
// cross a function boundary.
#pragma GCC diagnostic ignored "-Wpsabi"

#define ZORVANE_INLINE inline __attribute__((always_inline))

// Bytes of `Width` minutes side by side, and the same bits seen as 16-bit words, which have
// the shifts that bytes lack.
template <int Width>
struct Lanes;
template <>
struct Lanes<16> {
  typedef std::uint8_t Bytes __attribute__((vector_size(16)));
  typedef std::uint16_t Words __attribute__((vector_size(16)));
};
template <>
struct Lanes<32> {
  typedef std::uint8_t Bytes __attribute__((vector_size(32)));
  typedef std::uint16_t Words __attribute__((vector_size(32)));
};

template <class Bytes>
ZORVANE_INLINE Bytes Splat(std::uint8_t v) {
  Bytes lanes;
  for (std::size_t i = 0; i < sizeof(Bytes); ++i) lanes[i] = v;
  return lanes;
}

template <class Bytes>
ZORVANE_INLINE Bytes Load(const std::uint8_t* at) {
  Bytes lanes;
  std::memcpy(&lanes, at, sizeof lanes);
  return lanes;
}

// Each byte rotated left by `Left` bits.
template <int Width, int Left>
ZORVANE_INLINE typename Lanes<Width>::Bytes RotateBytes(typename Lanes<Width>::Bytes v) {
  using Words = typename Lanes<Width>::Words;
  constexpr auto kHigh = static_cast<std::uint16_t>((0xFF << Left) & 0xFF) * 0x0101;
  constexpr auto kLow = static_cast<std::uint16_t>(0xFF >> (8 - Left)) * 0x0101;
  const Words w = reinterpret_cast<Words>(v);
  return reinterpret_cast<typename Lanes<Width>::Bytes>(((w << Left) & kHigh) |
                                                        ((w >> (8 - Left)) & kLow));
}

// The hash round on every lane; a left rotation by 6 is the right rotation by 2.
template <int Width, class Bytes = typename Lanes<Width>::Bytes>
ZORVANE_INLINE Bytes Round(Bytes x, Bytes y, Bytes key, Bytes time) {
  return RotateBytes<Width, 3>((y ^ key) + time) + RotateBytes<Width, 6>(x);
}

// Rounds 2 to 7 for `Width` minutes at a time, from rounds 0 and 1 done once per key.
template <int Width>
ZORVANE_INLINE void FindLanes(const KeyBytes& key, const std::uint8_t* minute,
                              const std::uint8_t* hour, const std::uint8_t* x0s,
                              const std::uint8_t* x1s, std::uint8_t two, std::uint8_t three,
                              const TargetBytes& target, DayMask& mask) {
  using Bytes = typename Lanes<Width>::Bytes;
  static_assert(kMinutesPerDay % Width == 0);
  const Bytes k2 = Splat<Bytes>(key[2]), k3 = Splat<Bytes>(key[3]), k4 = Splat<Bytes>(key[4]);
  const Bytes k5 = Splat<Bytes>(key[5]), k6 = Splat<Bytes>(key[6]), k7 = Splat<Bytes>(key[7]);
  const Bytes t2 = Splat<Bytes>(two), t3 = Splat<Bytes>(three);
  const Bytes f0 = Splat<Bytes>(target.first[0]), f1 = Splat<Bytes>(target.first[1]);
  const Bytes f2 = Splat<Bytes>(target.first[2]), f3 = Splat<Bytes>(target.first[3]);
  const Bytes s0 = Splat<Bytes>(target.third[0]), s1 = Splat<Bytes>(target.third[1]);
  const Bytes thirdBits = Splat<Bytes>(124);
  for (int base = 0; base < kMinutesPerDay; base += Width) {
    const Bytes x0 = Load<Bytes>(x0s + base), x1 = Load<Bytes>(x1s + base);
    const Bytes x2 = Round<Width>(x1, x0, k2, t2);
    const Bytes x3 = Round<Width>(x2, x1, k3, t3);
    const Bytes x4 = Round<Width>(x3, x2, k4, Load<Bytes>(minute + base));
    const Bytes x5 = Round<Width>(x4, x3, k5, Load<Bytes>(hour + base));
    const Bytes x6 = Round<Width>(x5, x4, k6, t2);
    const Bytes x7 = Round<Width>(x6, x5, k7, t3);
    const Bytes third = x6 & thirdBits;
    const auto hit =
        ((x7 == f0) | (x7 == f1) | (x7 == f2) | (x7 == f3)) & ((third == s0) | (third == s1));
    std::uint64_t words[Width / 8];
    std::memcpy(words, &hit, sizeof words);
    std::uint64_t any = 0;
    for (const std::uint64_t w : words) any |= w;
    if (any == 0) continue;  // matches are rare: about one minute in 2000
    for (int lane = 0; lane < Width; ++lane) {
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
  FindLanes<16>(key, minute, hour, x0s, x1s, two, three, target, mask);
}

#if defined(__x86_64__) || defined(__i386__)
#define ZORVANE_HAS_AVX2 1
__attribute__((target("avx2"))) void FindAvx2(const KeyBytes& key, const std::uint8_t* minute,
                                              const std::uint8_t* hour, const std::uint8_t* x0s,
                                              const std::uint8_t* x1s, std::uint8_t two,
                                              std::uint8_t three, const TargetBytes& target,
                                              DayMask& mask) {
  FindLanes<32>(key, minute, hour, x0s, x1s, two, three, target, mask);
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
