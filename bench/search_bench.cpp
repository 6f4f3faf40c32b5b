// Candidates per second of the reverse search over a whole leap year on every hash path, and of
// zorvane-cli's search over ranges of years, beside the plain loop that packs and hashes one
// minute at a time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "cli/year_search.h"
#include "timecode/calendar.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

constexpr KeyBytes kKey = {0xEF, 0xCD, 0xAB, 0x89, 0x67, 0x45, 0x23, 0x01};
constexpr int kYear = 2024;
constexpr std::int64_t kCandidates = 527040;
constexpr Triad kTriad = {'B', 'A', 'G'};

// Packs and hashes one minute at a time, as the program first did: the measure of the rest.
void StraightforwardSearch(int firstYear, int lastYear) {
  std::vector<std::string> lines;
  for (int year = firstYear; year <= lastYear; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        for (int hour = 0; hour < 24; ++hour) {
          for (int minute = 0; minute < 60; ++minute) {
            const CivilMinute m{year, month, day, hour, minute};
            if (ComputeTriad(PackMinute(m), kKey) == kTriad) {
              lines.emplace_back(FormatDateText(m).view());
            }
          }
        }
      }
    }
  }
  benchmark::DoNotOptimize(lines.data());
}

void StraightforwardLoop(benchmark::State& state) {
  for (auto _ : state) StraightforwardSearch(kYear, kYear);
  state.SetItemsProcessed(state.iterations() * kCandidates);
}
BENCHMARK(StraightforwardLoop)->Unit(benchmark::kMillisecond);

// Years 0-127, beside YearRange below and `zorvane-cli find --years 0-127`.
void StraightforwardYears(benchmark::State& state) {
  const int years = static_cast<int>(state.range(0));
  for (auto _ : state) StraightforwardSearch(0, years - 1);
  state.SetItemsProcessed(state.iterations() * (years * 525600LL + (years + 3) / 4 * 1440LL));
}
BENCHMARK(StraightforwardYears)
    ->ArgName("years")
    ->Arg(128)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

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

// zorvane-cli's search over a range of years, counting the matches: range(0) years from year 0,
// on range(1) threads. Past 128 years the year patterns repeat and are not searched again.
void YearRange(benchmark::State& state) {
  std::vector<SearchPlan> plans;
  for (int year = 0; year < state.range(0); ++year)
    plans.push_back(MonthsOfYear(kTriad, year, 1, 12));
  std::int64_t candidates = 0;
  for (const SearchPlan& plan : plans) candidates += plan.first.year % 4 == 0 ? 527040 : 525600;
  for (auto _ : state) {
    std::size_t found = 0;
    SearchYears(
        plans, kKey, [&](std::span<const CivilMinute> matches) { found += matches.size(); },
        static_cast<unsigned>(state.range(1)));
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * candidates);
}
BENCHMARK(YearRange)
    ->ArgNames({"years", "threads"})
    ->Args({128, 1})
    ->Args({128, 2})
    ->Args({10000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace zorvane

// The report opens with the processor's paths, so that its figures can be read against them.
int main(int argc, char** argv) {
  std::string paths;
  for (const zorvane::HashPath path : zorvane::kEveryHashPath) {
    if (zorvane::HashPathAvailable(path)) paths += std::string(zorvane::HashPathName(path)) + " ";
  }
  benchmark::AddCustomContext("hash_paths", paths);
  benchmark::AddCustomContext(
      "best_path",
      std::string(zorvane::HashPathName(zorvane::ResolveHashPath(zorvane::HashPath::Best))));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
