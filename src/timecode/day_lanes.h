// The day matcher's vector loop, shared by every vector path: the hash's rounds 2 to 7 on many
// minutes of one day at once. Each path's file instantiates it under that path's compiler flags,
// so this header stays free of anything that could be compiled differently elsewhere.
#pragma once

#include <bit>
#include <cstdint>

#include "timecode/letter_bits.h"

namespace zorvane {

// The minutes of a day padded to a whole number of 64-lane vectors; the pad lanes are dropped.
inline constexpr int kLanesPerDay = 23 * 64;

// What a final hash state must be for the triad looked for: x one of four bytes (the first
// letter's slots combined with the vowel's), bits 6-2 of y one of the third letter's two slots.
// A letter with one slot fills both of its places with it.
struct MatchTarget {
  std::uint8_t first[4];
  std::uint8_t third[2];
};

// One day's search: per-lane tables (kLanesPerDay entries each) and the two packed bytes that
// stay the same all day. Round r sets x' = rol3((y ^ key[r]) + time) + ror2(x); rounds 0 and 1
// and parts of rounds 2 and 3 depend on nothing that changes within a year, so the tables hold
// them ready.
struct DayInputs {
  const std::uint8_t* minute;
  const std::uint8_t* hour;
  const std::uint8_t* round2Input;  // y ^ key[2] of round 2 (y is x after round 0)
  const std::uint8_t* round2Carry;  // ror2(x) of round 2 (x is x after round 1)
  const std::uint8_t* round3Mix;    // rol3((y ^ key[3]) + yearByte) of round 3
  std::uint8_t key[8];
  std::uint8_t dayByte;   // (month mod 8) * 32 + day
  std::uint8_t yearByte;  // (year mod 128) * 2 + month div 8
  MatchTarget target;
};

// Writes all 23 words of the day's mask: bit i of word w stands for lane 64 * w + i.
using FindDayFunction = void (*)(const DayInputs& in, std::uint64_t* mask);

void FindDayVector(const DayInputs& in, std::uint64_t* mask);
void FindDayAvx2(const DayInputs& in, std::uint64_t* mask);
void FindDayAvx2Gfni(const DayInputs& in, std::uint64_t* mask);
void FindDayAvx512(const DayInputs& in, std::uint64_t* mask);
void FindDayAvx512Gfni(const DayInputs& in, std::uint64_t* mask);

#if defined(__GNUC__)
#define ZORVANE_LANE_INLINE inline __attribute__((always_inline))

// The matrix of GFNI's affine instruction that rotates each byte left by `left` bits: bit i of
// the result is the parity of row 7 - i (byte 7 - i) and the input.
constexpr std::uint64_t RotateLeftMatrix(int left) {
  std::uint64_t matrix = 0;
  for (int i = 0; i < 8; ++i) matrix |= (std::uint64_t{1} << ((i - left) & 7)) << (8 * (7 - i));
  return matrix;
}

// Each byte rotated left by `Left` bits, with 16-bit shifts since bytes have none.
template <int Left, class Bytes>
ZORVANE_LANE_INLINE Bytes RotateByShifts(Bytes v) {
  typedef std::uint16_t Words __attribute__((vector_size(sizeof(Bytes))));
  constexpr auto kHigh = static_cast<std::uint16_t>(((0xFF << Left) & 0xFF) * 0x0101);
  constexpr auto kLow = static_cast<std::uint16_t>((0xFF >> (8 - Left)) * 0x0101);
  const Words w = std::bit_cast<Words>(v);
  return std::bit_cast<Bytes>(((w << Left) & kHigh) | ((w >> (8 - Left)) & kLow));
}

template <class Bytes>
ZORVANE_LANE_INLINE Bytes Load(const std::uint8_t* at) {
  Bytes lanes;
  __builtin_memcpy(&lanes, at, sizeof lanes);
  return lanes;
}

template <class Bytes>
ZORVANE_LANE_INLINE Bytes Splat(std::uint8_t v) {
  return Bytes{} + v;
}

// One round on every lane: x' = rol3((y ^ key) + time) + ror2(x), and ror2 is rol6.
template <class Lanes, class Bytes>
ZORVANE_LANE_INLINE Bytes Round(Bytes x, Bytes y, Bytes key, Bytes time) {
  return Lanes::template RotateLeft<3>((y ^ key) + time) + Lanes::template RotateLeft<6>(x);
}

// Lanes supplies `Bytes` (a GCC vector of bytes, so + ^ & work lane by lane), RotateLeft<n>,
// Equal (a compare whose results combine with | and &) and Bits (those results as one bit per
// lane, lane 0 lowest).
template <class Lanes>
ZORVANE_LANE_INLINE void FindDayLanes(const DayInputs& in, std::uint64_t* mask) {
  using Bytes = typename Lanes::Bytes;
  constexpr int kWidth = sizeof(Bytes);
  static_assert(64 % kWidth == 0);
  const Bytes k4 = Splat<Bytes>(in.key[4]), k5 = Splat<Bytes>(in.key[5]);
  const Bytes k6 = Splat<Bytes>(in.key[6]), k7 = Splat<Bytes>(in.key[7]);
  const Bytes dayByte = Splat<Bytes>(in.dayByte), yearByte = Splat<Bytes>(in.yearByte);
  const Bytes f0 = Splat<Bytes>(in.target.first[0]), f1 = Splat<Bytes>(in.target.first[1]);
  const Bytes f2 = Splat<Bytes>(in.target.first[2]), f3 = Splat<Bytes>(in.target.first[3]);
  const Bytes s0 = Splat<Bytes>(in.target.third[0]), s1 = Splat<Bytes>(in.target.third[1]);
  const Bytes thirdBits = Splat<Bytes>(kThirdLetterBits);
  for (int word = 0; word < kLanesPerDay / 64; ++word) {
    std::uint64_t bits = 0;
    for (int lane = 0; lane < 64; lane += kWidth) {
      const int at = word * 64 + lane;
      // xN is x after round N - 1; y is always the x before it.
      const Bytes x3 = Lanes::template RotateLeft<3>(Load<Bytes>(in.round2Input + at) + dayByte) +
                       Load<Bytes>(in.round2Carry + at);
      const Bytes x4 = Load<Bytes>(in.round3Mix + at) + Lanes::template RotateLeft<6>(x3);
      const Bytes x5 = Round<Lanes>(x4, x3, k4, Load<Bytes>(in.minute + at));
      const Bytes x6 = Round<Lanes>(x5, x4, k5, Load<Bytes>(in.hour + at));
      const Bytes x7 = Round<Lanes>(x6, x5, k6, dayByte);
      const Bytes x8 = Round<Lanes>(x7, x6, k7, yearByte);
      const Bytes third = x7 & thirdBits;
      const auto hit = (Lanes::Equal(x8, f0) | Lanes::Equal(x8, f1) | Lanes::Equal(x8, f2) |
                        Lanes::Equal(x8, f3)) &
                       (Lanes::Equal(third, s0) | Lanes::Equal(third, s1));
      bits |= std::uint64_t{Lanes::Bits(hit)} << lane;
    }
    mask[word] = bits;
  }
}
#endif

}  // namespace zorvane
