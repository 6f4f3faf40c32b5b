// The AVX2 paths, 32 minutes a step; built with -mavx2, plus -mgfni for the GFNI one.
#include <immintrin.h>

#include "timecode/day_lanes.h"

namespace zorvane {
namespace {

struct Avx2Lanes {
  typedef std::uint8_t Bytes __attribute__((vector_size(32)));

  template <int Left>
  static ZORVANE_LANE_INLINE Bytes RotateLeft(Bytes v) {
#ifdef ZORVANE_GFNI
    return std::bit_cast<Bytes>(_mm256_gf2p8affine_epi64_epi8(
        std::bit_cast<__m256i>(v), _mm256_set1_epi64x(RotateLeftMatrix(Left)), 0));
#else
    return RotateByShifts<Left>(v);
#endif
  }
  static ZORVANE_LANE_INLINE auto Equal(Bytes a, Bytes b) { return a == b; }
  template <class Hit>
  static ZORVANE_LANE_INLINE std::uint32_t Bits(Hit hit) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(std::bit_cast<__m256i>(hit)));
  }
};

}  // namespace

#ifdef ZORVANE_GFNI
void FindDayAvx2Gfni(const DayInputs& in, std::uint64_t* mask) {
  FindDayLanes<Avx2Lanes>(in, mask);
}
#else
void FindDayAvx2(const DayInputs& in, std::uint64_t* mask) { FindDayLanes<Avx2Lanes>(in, mask); }
#endif

}  // namespace zorvane
