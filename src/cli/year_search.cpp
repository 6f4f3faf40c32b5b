#include "cli/year_search.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>

#ifdef __linux__
#include <sched.h>
#endif

namespace zorvane {
namespace {

// What makes two years' searches alike: the year's place in the pattern and the span within it.
auto PatternOf(const SearchPlan& plan) {
  const CivilMinute& f = plan.first;
  const CivilMinute& l = plan.last;
  return std::tuple{f.year % kYearsPerPattern, f.month, f.day, f.hour, f.minute,
                    l.year - f.year,           l.month, l.day, l.hour, l.minute};
}

// A match within its year, in a quarter of a CivilMinute's room.
struct YearMinute {
  std::uint8_t month;
  std::uint8_t day;
  std::uint16_t minuteOfDay;
};

struct Pattern {
  const SearchPlan* plan;  // its first year
  std::size_t lastUse;     // the last plan that shares it
  std::vector<YearMinute> matches;
  bool done = false;
};

// Hands out the patterns in order to the workers and to the thread that waits for them, which
// searches one itself rather than sleep while any is left.
class PatternQueue {
 public:
  PatternQueue(std::vector<Pattern>& patterns, const KeyBytes& key)
      : patterns_(patterns), key_(key) {}

  void Work() {
    while (SearchNext()) {
    }
  }

  Pattern& WaitFor(std::size_t i) {
    std::unique_lock lock(mutex_);
    while (!patterns_[i].done) {
      if (next_ < patterns_.size()) {
        lock.unlock();
        SearchNext();
        lock.lock();
      } else {
        done_.wait(lock);
      }
    }
    return patterns_[i];
  }

  void Cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
  }

 private:
  bool SearchNext() {
    std::size_t i;
    {
      std::lock_guard lock(mutex_);
      if (cancelled_ || next_ == patterns_.size()) return false;
      i = next_++;
    }
    std::vector<YearMinute> matches;
    FindMatches(*patterns_[i].plan, key_, [&](const CivilMinute& m) {
      matches.push_back({static_cast<std::uint8_t>(m.month), static_cast<std::uint8_t>(m.day),
                         static_cast<std::uint16_t>(m.hour * 60 + m.minute)});
    });
    std::lock_guard lock(mutex_);
    patterns_[i].matches = std::move(matches);
    patterns_[i].done = true;
    done_.notify_all();
    return true;
  }

  std::vector<Pattern>& patterns_;
  const KeyBytes& key_;
  std::mutex mutex_;
  std::condition_variable done_;
  std::size_t next_ = 0;
  bool cancelled_ = false;
};

}  // namespace

unsigned UsableProcessors() {
#ifdef __linux__
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<unsigned>(CPU_COUNT(&set));
#endif
  return std::max(1u, std::thread::hardware_concurrency());
}

void SearchYears(const std::vector<SearchPlan>& plans, const KeyBytes& key,
                 const std::function<void(std::span<const CivilMinute>)>& yearFound,
                 unsigned threads) {
  if (plans.empty()) return;
  // Patterns in the order their first years come, so that the workers go ahead in time order.
  std::vector<Pattern> patterns;
  std::vector<std::size_t> patternOfPlan;
  std::map<decltype(PatternOf(plans.front())), std::size_t> known;
  for (const SearchPlan& plan : plans) {
    const auto [at, added] = known.try_emplace(PatternOf(plan), patterns.size());
    if (added) patterns.push_back({&plan, 0, {}, false});
    patterns[at->second].lastUse = patternOfPlan.size();
    patternOfPlan.push_back(at->second);
  }

  PatternQueue queue(patterns, key);
  std::vector<std::thread> workers;
  // This thread searches too, between handing years over.
  const auto helpers = std::clamp<std::size_t>(threads, 1, patterns.size()) - 1;
  for (std::size_t i = 0; i < helpers; ++i) workers.emplace_back(&PatternQueue::Work, &queue);
  const auto joinAll = [&] {
    for (std::thread& worker : workers) worker.join();
  };

  std::vector<CivilMinute> year;
  try {
    for (std::size_t p = 0; p < plans.size(); ++p) {
      Pattern& pattern = queue.WaitFor(patternOfPlan[p]);
      year.clear();
      for (const YearMinute& m : pattern.matches) {
        year.push_back(
            {plans[p].first.year, m.month, m.day, m.minuteOfDay / 60, m.minuteOfDay % 60});
      }
      // Memory once used is handed on to the patterns still to come.
      if (pattern.lastUse == p) std::vector<YearMinute>().swap(pattern.matches);
      yearFound(year);
    }
  } catch (...) {
    queue.Cancel();
    joinAll();
    throw;
  }
  joinAll();
}

}  // namespace zorvane
