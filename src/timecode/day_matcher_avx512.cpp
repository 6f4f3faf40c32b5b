// The AVX-512 paths, 64 minutes a step with compares into mask registers; built with
// -mavx512bw, plus -mgfni for the GFNI one.
#include <immintrin.h>

#include "timecode/day_lanes.h"

namespace zorvane {
namespace {

struct Avx512Lanes {
  typedef std::uint8_t Bytes __attribute__((vector_size(64)));

  template <int Left>
  static ZORVANE_LANE_INLINE Bytes RotateLeft(Bytes v) {
#ifdef ZORVANE_GFNI
    return std::bit_cast<Bytes>(_mm512_gf2p8affine_epi64_epi8(
        std::bit_cast<__m512i>(v), _mm512_set1_epi64(RotateLeftMatrix(Left)), 0));
#else
    return RotateByShifts<Left>(v);
#endif
  }
  static ZORVANE_LANE_INLINE std::uint64_t Equal(Bytes a, Bytes b) {
    return _mm512_cmpeq_epi8_mask(std::bit_cast<__m512i>(a), std::bit_cast<__m512i>(b));
  }
  static ZORVANE_LANE_INLINE std::uint64_t Bits(std::uint64_t hit) { return hit; }
};

}  // namespace

#ifdef ZORVANE_GFNI
void FindDayAvx512Gfni(const DayInputs& in, std::uint64_t* mask) {
  FindDayLanes<Avx512Lanes>(in, mask);
}
#else
void FindDayAvx512(const DayInputs& in, std::uint64_t* mask) {
  FindDayLanes<Avx512Lanes>(in, mask);
}
#endif

}  // namespace zorvane
