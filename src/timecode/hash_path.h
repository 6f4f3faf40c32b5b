// The ways the search can compute the triads of a day; every path finds the same minutes.
#pragma once

#include <string_view>

namespace zorvane {

// What each path needs of the processor: Scalar nothing; Vector the baseline vector unit (SSE2
// on x86-64, 16 minutes a step); Avx2 AVX2 (32 minutes a step); Avx2Gfni AVX2 and GFNI, whose
// affine instruction rotates every byte in one step; Avx512 AVX-512BW (64 minutes a step,
// compares into mask registers); Avx512Gfni AVX-512BW and GFNI. The x86 paths beyond the
// baseline are chosen at run time, so one build runs everywhere.
enum class HashPath {
  Scalar,
  Vector,
  Avx2,
  Avx2Gfni,
  Avx512,
  Avx512Gfni,
  Best,  // the fastest path this processor has
};

inline constexpr HashPath kEveryHashPath[] = {HashPath::Scalar, HashPath::Vector,
                                              HashPath::Avx2,   HashPath::Avx2Gfni,
                                              HashPath::Avx512, HashPath::Avx512Gfni};

bool HashPathAvailable(HashPath path);

// The path that Best stands for on this processor; any other available path is itself, and one
// not available falls back to Scalar.
HashPath ResolveHashPath(HashPath path);

std::string_view HashPathName(HashPath path);

}  // namespace zorvane
