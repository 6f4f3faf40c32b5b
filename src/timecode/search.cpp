#include "timecode/search.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "timecode/calendar.h"
#include "timecode/number_text.h"

namespace zorvane {
namespace {

bool IsWhole(double v) { return !std::isfinite(v) || v == std::trunc(v); }

bool InTable(std::string_view table, char16_t c) {
  return c < 0x80 && table.find(static_cast<char>(c)) != std::string_view::npos;
}

// Calls Matched for every set bit of the mask from minute `from` up to, not including, `to`.
void ReportMatches(const DayMask& mask, int from, int to, int year, int month, int day,
                   SearchDriver& driver) {
  for (int word = from / 64; word * 64 < to; ++word) {
    std::uint64_t bits = mask[word];
    if (word * 64 < from) bits &= ~std::uint64_t{0} << (from - word * 64);
    if (to - word * 64 < 64) bits &= ~(~std::uint64_t{0} << (to - word * 64));
    while (bits != 0) {
      const int i = word * 64 + std::countr_zero(bits);
      bits &= bits - 1;
      driver.Matched(FormatDateText(year, month, day, i / 60, i % 60));
    }
  }
}

}  // namespace

std::u16string ToUpperAscii(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return upper;
}

std::optional<Triad> ParseTriad(std::u16string_view text) {
  if (text.size() != 3 || !InTable(ConsonantTable, text[0]) || !InTable(VowelTable, text[1]) ||
      !InTable(ConsonantTable, text[2])) {
    return std::nullopt;
  }
  return Triad{static_cast<char>(text[0]), static_cast<char>(text[1]), static_cast<char>(text[2])};
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
  if (!IsWhole(year) || !(year >= 0 && year <= 9999)) return SearchError::InvalidYear;

  const double first = NumericValue(firstMonthText);
  const double last = NumericValue(lastMonthText);
  if (!IsWhole(first) || !IsWhole(last)) return SearchError::InvalidMonth;

  // Months outside 1-12 have no days, so only the part of the range inside them is walked.
  return SearchPlan{*triad, static_cast<int>(year), static_cast<int>(std::clamp(first, 1.0, 13.0)),
                    static_cast<int>(std::clamp(last, 0.0, 12.0))};
}

SearchEnd RunSearch(const SearchPlan& plan, const KeyBytes& key, bool& stopRequested,
                    SearchDriver& driver, HashPath path) {
  stopRequested = false;
  const DayMatcher matcher(key, path);
  std::optional<Triad> target = plan.triad;
  std::u16string comparedText(plan.triad.begin(), plan.triad.end());
  std::uint64_t allowance = 0;  // candidates left before the driver runs again

  for (int month = plan.firstMonth; month <= plan.lastMonth; ++month) {
    const int days = DaysInMonth(plan.year, month);
    for (int day = 1; day <= days; ++day) {
      std::optional<DayMask> mask;
      for (int minute = 0; minute < kMinutesPerDay;) {
        if (allowance == 0) {
          allowance = std::max<std::uint64_t>(driver.BeforeCandidate(), 1);
          if (stopRequested) {
            stopRequested = false;
            return SearchEnd::Stopped;
          }
          if (const std::u16string_view text = driver.TriadText(); text != comparedText) {
            comparedText = text;
            target = ParseTriad(text);
            mask.reset();
          }
        }
        if (!mask) mask = matcher.Find(plan.year, month, day, target);
        const auto left = static_cast<std::uint64_t>(kMinutesPerDay - minute);
        const int end = allowance >= left ? kMinutesPerDay : minute + static_cast<int>(allowance);
        ReportMatches(*mask, minute, end, plan.year, month, day, driver);
        allowance -= static_cast<std::uint64_t>(end - minute);
        minute = end;
      }
    }
  }
  return SearchEnd::Completed;
}

}  // namespace zorvane
