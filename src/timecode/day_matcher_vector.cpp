// The baseline vector path: 16 minutes a step on any processor GCC and Clang vectorise for.
#include "timecode/day_lanes.h"

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#endif

namespace zorvane {
namespace {

struct BaselineLanes {
  typedef std::uint8_t Bytes __attribute__((vector_size(16)));

  template <int Left>
  static ZORVANE_LANE_INLINE Bytes RotateLeft(Bytes v) {
    return RotateByShifts<Left>(v);
  }
  static ZORVANE_LANE_INLINE auto Equal(Bytes a, Bytes b) { return a == b; }
  template <class Hit>
  static ZORVANE_LANE_INLINE std::uint32_t Bits(Hit hit) {
#if defined(__x86_64__) || defined(__i386__)
    return static_cast<std::uint32_t>(_mm_movemask_epi8(std::bit_cast<__m128i>(hit)));
#else
    std::uint32_t bits = 0;
    for (int lane = 0; lane < 16; ++lane) bits |= (hit[lane] & 1u) << lane;
    return bits;
#endif
  }
};

}  // namespace

void FindDayVector(const DayInputs& in, std::uint64_t* mask) {
  FindDayLanes<BaselineLanes>(in, mask);
}

}  // namespace zorvane
