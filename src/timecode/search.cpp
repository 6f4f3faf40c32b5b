#include "timecode/search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "timecode/day_matcher.h"
#include "timecode/number_text.h"

namespace zorvane {
namespace {

bool IsWhole(double v) { return !std::isfinite(v) || v == std::trunc(v); }

bool InTable(std::string_view table, char16_t c) {
  return c < 0x80 && table.find(static_cast<char>(c)) != std::string_view::npos;
}

// One day of a plan: the minutes [from, to) of it are walked, and `end` counts the candidates
// walked once it is done.
struct PlannedDay {
  std::uint8_t month;
  std::uint8_t day;
  std::uint8_t dayByte;
  std::uint8_t yearByte;
  int from;
  int to;
  std::uint64_t end;
};

std::vector<PlannedDay> PlanDays(const SearchPlan& plan) {
  std::vector<PlannedDay> days;
  const CivilMinute& first = plan.first;
  CivilMinute last = plan.last;
  if (last.year != first.year) last = {first.year, 12, 31, 23, 59};
  if (last < first) return days;
  std::uint64_t walked = 0;
  for (int month = std::max(first.month, 1); month <= std::min(last.month, 12); ++month) {
    const int firstDay = month == first.month ? std::max(first.day, 1) : 1;
    const int lastDay =
        std::min(month == last.month ? last.day : 31, DaysInMonth(first.year, month));
    for (int day = firstDay; day <= lastDay; ++day) {
      const bool isFirst = month == first.month && day == first.day;
      const bool isLast = month == last.month && day == last.day;
      const int from = isFirst ? first.hour * 60 + first.minute : 0;
      const int to = isLast ? last.hour * 60 + last.minute + 1 : kMinutesPerDay;
      if (from >= to) continue;
      const TimeBytes bytes = PackMinute({first.year, month, day, 0, 0});
      walked += static_cast<std::uint64_t>(to - from);
      days.push_back({static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day), bytes[2],
                      bytes[3], from, to, walked});
    }
  }
  return days;
}

DayMask HourMask(const HourRange& hours) {
  DayMask mask{};
  for (int i = 0; i < kMinutesPerDay; ++i) {
    const int hour = i / 60;
    const bool in = hours.first <= hours.last ? hour >= hours.first && hour <= hours.last
                                              : hour >= hours.first || hour <= hours.last;
    if (in) mask[i / 64] |= std::uint64_t{1} << (i % 64);
  }
  return mask;
}

// Hands the driver every minute of [from, to) that both masks hold. Most words hold none.
void Report(const DayMask& matches, const DayMask& hours, int from, int to, int year,
            const PlannedDay& day, SearchDriver& driver) {
  const int firstWord = from / 64;
  const int lastWord = (to - 1) / 64;
  for (int word = firstWord; word <= lastWord; ++word) {
    std::uint64_t bits = matches[word] & hours[word];
    if (bits == 0) continue;
    if (word == firstWord) bits &= ~std::uint64_t{0} << (from % 64);
    if (word == lastWord && to % 64 != 0) bits &= ~(~std::uint64_t{0} << (to % 64));
    while (bits != 0) {
      const int i = word * 64 + std::countr_zero(bits);
      bits &= bits - 1;
      driver.Matched({year, day.month, day.day, i / 60, i % 60});
    }
  }
}

// A search that nothing watches: the driver runs once and the triad stays.
class UnwatchedDriver final : public SearchDriver {
 public:
  UnwatchedDriver(const Triad& triad, const std::function<void(const CivilMinute&)>& found)
      : triad_(triad.begin(), triad.end()), found_(found) {}
  std::uint64_t BeforeCandidate() override { return std::numeric_limits<std::uint64_t>::max(); }
  std::u16string_view TriadText() override { return triad_; }
  void Matched(const CivilMinute& minute) override { found_(minute); }

 private:
  std::u16string triad_;
  const std::function<void(const CivilMinute&)>& found_;
};

}  // namespace

std::optional<Triad> ParseTriad(std::u16string_view text) {
  if (text.size() != 3 || !InTable(ConsonantTable, text[0]) || !InTable(VowelTable, text[1]) ||
      !InTable(ConsonantTable, text[2])) {
    return std::nullopt;
  }
  return Triad{static_cast<char>(text[0]), static_cast<char>(text[1]), static_cast<char>(text[2])};
}

std::u16string UpperCaseTriadText(std::u16string_view text) {
  std::u16string upper;
  upper.reserve(text.size());
  for (const char16_t c : text) {
    if (c >= u'a' && c <= u'z') {
      upper.push_back(static_cast<char16_t>(c - u'a' + u'A'));
    } else if (c == u'\u0131') {
      upper.push_back(u'I');
    } else if (c == u'\uFB01') {
      upper += u"FI";
    } else {
      upper.push_back(c);
    }
  }
  return upper;
}

SearchPlan MonthsOfYear(const Triad& triad, int year, int firstMonth, int lastMonth) {
  const int last = std::clamp(lastMonth, 0, 12);
  return {triad,
          {year, std::clamp(firstMonth, 1, 13), 1, 0, 0},
          {year, last, DaysInMonth(year, last), 23, 59},
          {}};
}

std::string_view MessageFor(SearchError error) {
  switch (error) {
    case SearchError::InvalidTriad:
      return "Invalid Triad";
    case SearchError::InvalidYear:
      return "Invalid Year";
    case SearchError::InvalidMonth:
      return "Invalid Month";
  }
  return {};
}

std::variant<SearchPlan, SearchError> PlanSearch(std::u16string_view triadText,
                                                 std::u16string_view yearText,
                                                 std::u16string_view firstMonthText,
                                                 std::u16string_view lastMonthText) {
  const std::optional<Triad> triad = ParseTriad(triadText);
  if (!triad) return SearchError::InvalidTriad;

  const double year = NumericValue(yearText);
  if (!IsWhole(year) || !(year >= kFirstYear && year <= kLastYear)) {
    return SearchError::InvalidYear;
  }

  const double first = NumericValue(firstMonthText);
  const double last = NumericValue(lastMonthText);
  if (!IsWhole(first) || !IsWhole(last)) return SearchError::InvalidMonth;

  // Months outside 1-12 have no days, so only the part of the range inside them is walked.
  return MonthsOfYear(*triad, static_cast<int>(year),
                      static_cast<int>(std::clamp(first, 1.0, 13.0)),
                      static_cast<int>(std::clamp(last, 0.0, 12.0)));
}

SearchEnd RunSearch(const SearchPlan& plan, const KeyBytes& key, bool& stopRequested,
                    SearchDriver& driver, HashPath path) {
  stopRequested = false;
  std::vector<PlannedDay> days = PlanDays(plan);
  if (days.empty()) return SearchEnd::Completed;
  const std::uint64_t total = days.back().end;
  // A day past the last ends the walk over whole days below without a bounds check.
  days.push_back({0, 0, 0, 0, 0, 0, std::numeric_limits<std::uint64_t>::max()});

  const DayMatcher matcher(key, path);
  const DayMask hours = HourMask(plan.hours);
  std::optional<MatchTarget> target = TargetOf(plan.triad);
  std::u16string comparedText(plan.triad.begin(), plan.triad.end());
  DayMask matches{};
  std::size_t matchesDay = days.size();  // the day whose matches `matches` holds

  // The minutes of day d from candidate `at` (counted over the whole plan) to candidate `end`.
  const auto walk = [&](std::size_t d, std::uint64_t at, std::uint64_t end) {
    if (!target) return;
    const PlannedDay& day = days[d];
    if (matchesDay != d) {
      matcher.Find(day.dayByte, day.yearByte, *target, matches);
      matchesDay = d;
    }
    const std::uint64_t start = day.end - static_cast<std::uint64_t>(day.to - day.from);
    Report(matches, hours, day.from + static_cast<int>(at - start),
           day.from + static_cast<int>(end - start), plan.first.year, day, driver);
  };

  std::uint64_t walked = 0;
  std::size_t d = 0;
  while (walked < total) {
    const std::uint64_t allowance = std::max<std::uint64_t>(driver.BeforeCandidate(), 1);
    if (stopRequested) {
      stopRequested = false;
      return SearchEnd::Stopped;
    }
    if (const std::u16string_view text = driver.TriadText(); text != comparedText) {
      comparedText = text;
      const std::optional<Triad> triad = ParseTriad(text);
      target = triad ? std::optional(TargetOf(*triad)) : std::nullopt;
      matchesDay = days.size();
    }
    const std::uint64_t allowedUntil = allowance >= total - walked ? total : walked + allowance;
    // Days that end within the allowance run straight through.
    for (; days[d].end <= allowedUntil; ++d) {
      walk(d, walked, days[d].end);
      walked = days[d].end;
    }
    if (walked < allowedUntil) {
      walk(d, walked, allowedUntil);
      walked = allowedUntil;
    }
  }
  return SearchEnd::Completed;
}

void FindMatches(const SearchPlan& plan, const KeyBytes& key,
                 const std::function<void(const CivilMinute&)>& found, HashPath path) {
  UnwatchedDriver driver(plan.triad, found);
  bool stopRequested = false;
  RunSearch(plan, key, stopRequested, driver, path);
}

std::vector<CivilMinute> FindMatches(const SearchPlan& plan, const KeyBytes& key, HashPath path) {
  std::vector<CivilMinute> matches;
  FindMatches(
      plan, key, [&](const CivilMinute& m) { matches.push_back(m); }, path);
  return matches;
}

}  // namespace zorvane
