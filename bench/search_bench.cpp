// Candidates per second of the reverse search over a whole leap year, by each way of computing
// the triads, beside the plain loop that packs and hashes one minute at a time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "timecode/calendar.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

constexpr KeyBytes kKey = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};
constexpr int kYear = 2024;
constexpr std::int64_t kCandidates = 527040;
constexpr Triad kTriad = {'B', 'A', 'G'};

void StraightforwardLoop(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> lines;
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(kYear, month); ++day) {
        for (int hour = 0; hour < 24; ++hour) {
          for (int minute = 0; minute < 60; ++minute) {
            const CivilMinute m{kYear, month, day, hour, minute};
            if (ComputeTriad(PackMinute(m), kKey) == kTriad) {
              lines.emplace_back(FormatDateText(m).view());
            }
          }
        }
      }
    }
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * kCandidates);
}
BENCHMARK(StraightforwardLoop)->Unit(benchmark::kMillisecond);

class CollectingDriver final : public SearchDriver {
 public:
  explicit CollectingDriver(std::uint64_t allowance) : allowance_(allowance) {}
  std::uint64_t BeforeCandidate() override { return allowance_; }
  std::u16string_view TriadText() override { return u"BAG"; }
  void Matched(const CivilMinute& minute) override { lines.push_back(minute); }
  std::vector<CivilMinute> lines;

 private:
  std::uint64_t allowance_;
};

// `allowance`: candidates between two calls of the driver; UINT64_MAX calls it once.
void Search(benchmark::State& state, HashPath path, std::uint64_t allowance) {
  if (!HashPathAvailable(path)) {
    state.SkipWithError("not on this processor");
    return;
  }
  const SearchPlan plan = MonthsOfYear(kTriad, kYear, 1, 12);
  for (auto _ : state) {
    CollectingDriver driver(allowance);
    bool stop = false;
    RunSearch(plan, kKey, stop, driver, path);
    benchmark::DoNotOptimize(driver.lines.data());
  }
  state.SetItemsProcessed(state.iterations() * kCandidates);
}
BENCHMARK_CAPTURE(Search, Scalar, HashPath::Scalar, UINT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Vector, HashPath::Vector, UINT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Avx2, HashPath::Avx2, UINT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Avx2Gfni, HashPath::Avx2Gfni, UINT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Avx512, HashPath::Avx512, UINT64_MAX)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Avx512Gfni, HashPath::Avx512Gfni, UINT64_MAX)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, BestDriverEveryCandidate, HashPath::Best, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, BestDriverEvery1024, HashPath::Best, 1024)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, Best, HashPath::Best, UINT64_MAX)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zorvane

BENCHMARK_MAIN();
