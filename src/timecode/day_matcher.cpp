#include "timecode/day_matcher.h"

#include <string_view>

namespace zorvane {
namespace {

// Lane i of a day is minute i % 60 of hour i / 60; the pad lanes repeat the day's start.
struct MinuteTables {
  alignas(64) std::array<std::uint8_t, kLanesPerDay> minute{};
  alignas(64) std::array<std::uint8_t, kLanesPerDay> hour{};
};

constexpr MinuteTables MakeMinuteTables() {
  MinuteTables t;
  for (int i = 0; i < kLanesPerDay; ++i) {
    t.minute[i] = static_cast<std::uint8_t>(i % kMinutesPerDay % 60);
    t.hour[i] = static_cast<std::uint8_t>(i % kMinutesPerDay / 60);
  }
  return t;
}

constexpr MinuteTables kMinuteTables = MakeMinuteTables();

bool Matches(const MatchTarget& target, TriadState s) {
  const auto third = static_cast<std::uint8_t>(s.y & kThirdLetterBits);
  return (s.x == target.first[0] || s.x == target.first[1] || s.x == target.first[2] ||
          s.x == target.first[3]) &&
         (third == target.third[0] || third == target.third[1]);
}

// The hash as written, one minute at a time.
void FindDayScalar(const DayInputs& in, std::uint64_t* mask) {
  KeyBytes key;
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = in.key[i];
  for (int word = 0; word < kLanesPerDay / 64; ++word) {
    std::uint64_t bits = 0;
    for (int lane = 0; lane < 64; ++lane) {
      const int i = word * 64 + lane;
      const TimeBytes time = {in.minute[i], in.hour[i], in.dayByte, in.yearByte};
      if (Matches(in.target, MixMinute(time, key))) bits |= std::uint64_t{1} << lane;
    }
    mask[word] = bits;
  }
}

struct CpuFeatures {
  bool avx2 = false;
  bool avx512bw = false;
  bool gfni = false;
};

const CpuFeatures& Features() {
  static const CpuFeatures features = [] {
    CpuFeatures f;
#if defined(ZORVANE_X86_PATHS)
    f.avx2 = __builtin_cpu_supports("avx2");
    f.avx512bw = __builtin_cpu_supports("avx512bw");
    f.gfni = __builtin_cpu_supports("gfni");
#endif
    return f;
  }();
  return features;
}

FindDayFunction FunctionOf(HashPath path) {
  switch (path) {
#if defined(__GNUC__)
    case HashPath::Vector:
      return FindDayVector;
#endif
#if defined(ZORVANE_X86_PATHS)
    case HashPath::Avx2:
      return FindDayAvx2;
    case HashPath::Avx2Gfni:
      return FindDayAvx2Gfni;
    case HashPath::Avx512:
      return FindDayAvx512;
    case HashPath::Avx512Gfni:
      return FindDayAvx512Gfni;
#endif
    default:
      return FindDayScalar;
  }
}

}  // namespace

bool HashPathAvailable(HashPath path) {
  switch (path) {
    case HashPath::Scalar:
    case HashPath::Best:
      return true;
    case HashPath::Vector:
#if defined(__GNUC__)
      return true;
#else
      return false;
#endif
    case HashPath::Avx2:
      return Features().avx2;
    case HashPath::Avx2Gfni:
      return Features().avx2 && Features().gfni;
    case HashPath::Avx512:
      return Features().avx512bw;
    case HashPath::Avx512Gfni:
      return Features().avx512bw && Features().gfni;
  }
  return false;
}

HashPath ResolveHashPath(HashPath path) {
  if (path != HashPath::Best) return HashPathAvailable(path) ? path : HashPath::Scalar;
  for (const HashPath fastest : {HashPath::Avx512Gfni, HashPath::Avx512, HashPath::Avx2Gfni,
                                 HashPath::Avx2, HashPath::Vector}) {
    if (HashPathAvailable(fastest)) return fastest;
  }
  return HashPath::Scalar;
}

std::string_view HashPathName(HashPath path) {
  switch (path) {
    case HashPath::Scalar:
      return "Scalar";
    case HashPath::Vector:
      return "Vector";
    case HashPath::Avx2:
      return "Avx2";
    case HashPath::Avx2Gfni:
      return "Avx2Gfni";
    case HashPath::Avx512:
      return "Avx512";
    case HashPath::Avx512Gfni:
      return "Avx512Gfni";
    case HashPath::Best:
      return "Best";
  }
  return {};
}

MatchTarget TargetOf(const Triad& triad) {
  // The one or two slots of a letter in its table.
  const auto slots = [](std::string_view table, char letter) {
    std::array<std::uint8_t, 2> found{};
    int count = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i] == letter) found[count++ == 0 ? 0 : 1] = static_cast<std::uint8_t>(i);
    }
    if (count == 1) found[1] = found[0];
    return found;
  };
  const auto first = slots(ConsonantTable, triad[0]);
  const auto vowel = slots(VowelTable, triad[1]);
  const auto third = slots(ConsonantTable, triad[2]);
  MatchTarget target{};
  for (int i = 0; i < 4; ++i) {
    target.first[i] = static_cast<std::uint8_t>(first[i & 1] | vowel[i >> 1] << kVowelShift);
  }
  for (int i = 0; i < 2; ++i) {
    target.third[i] = static_cast<std::uint8_t>(third[i] << kThirdLetterShift);
  }
  return target;
}

DayMatcher::DayMatcher(const KeyBytes& key, HashPath path)
    : find_(FunctionOf(ResolveHashPath(path))) {
  for (int i = 0; i < kLanesPerDay; ++i) {
    const std::uint8_t x1 =
        HashRound(kInitialState.x, kInitialState.y, key[0], kMinuteTables.minute[i]);
    afterRound1_[i] = HashRound(x1, kInitialState.x, key[1], kMinuteTables.hour[i]);
    round2Input_[i] = x1 ^ key[2];
    round2Carry_[i] = Rotate8Right2(afterRound1_[i]);
  }
  inputs_.minute = kMinuteTables.minute.data();
  inputs_.hour = kMinuteTables.hour.data();
  inputs_.round2Input = round2Input_.data();
  inputs_.round2Carry = round2Carry_.data();
  inputs_.round3Mix = round3Mix_.data();
  for (std::size_t i = 0; i < key.size(); ++i) inputs_.key[i] = key[i];
}

void DayMatcher::Find(std::uint8_t dayByte, std::uint8_t yearByte, const MatchTarget& target,
                      DayMask& mask) const {
  if (round3YearByte_ != yearByte) {
    for (int i = 0; i < kLanesPerDay; ++i) {
      round3Mix_[i] =
          Rotate8Left3(static_cast<std::uint8_t>((afterRound1_[i] ^ inputs_.key[3]) + yearByte));
    }
    round3YearByte_ = yearByte;
  }
  DayInputs in = inputs_;
  in.dayByte = dayByte;
  in.yearByte = yearByte;
  in.target = target;
  find_(in, mask.data());
  mask.back() &= (std::uint64_t{1} << (kMinutesPerDay % 64)) - 1;  // the pad lanes
}

}  // namespace zorvane
