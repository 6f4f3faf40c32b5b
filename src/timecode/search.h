// The reverse date search: every minute of a span of one year whose triad under the key equals
// the one looked for, in time order.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "key/key_bytes.h"
#include "timecode/calendar.h"
#include "timecode/hash_path.h"
#include "timecode/timecode.h"

namespace zorvane {

// The triad a text spells exactly (three upper-case letters from the tables), if any.
std::optional<Triad> ParseTriad(std::u16string_view text);

// The text upper-cased as far as a triad can tell: a-z, and the two characters outside ASCII
// whose upper-case form spells letters of the tables (dotless i as I, the ligature fi as FI).
// Every text spells the same triad, or none, as its full Unicode upper-case form.
std::u16string UpperCaseTriadText(std::u16string_view text);

// The hours of the day whose minutes are compared; a last hour before the first wraps past
// midnight, so 22-5 stands for the night.
struct HourRange {
  int first = 0;
  int last = 23;
};

// Every minute from `first` to `last`, both included and both in first's year, is a candidate;
// there are none when `last` is before `first`. Only candidates whose hour lies in `hours` can
// match.
struct SearchPlan {
  Triad triad;
  CivilMinute first;
  CivilMinute last;
  HourRange hours;
};

// The plan for months first to last of a year, which the window searches. Months outside 1-12
// have no minutes.
SearchPlan MonthsOfYear(const Triad& triad, int year, int firstMonth, int lastMonth);

enum class SearchError { InvalidTriad, InvalidYear, InvalidMonth };

// The results text that stands for the error: "Invalid Triad", "Invalid Year", "Invalid Month".
std::string_view MessageFor(SearchError error);

// Reads the window's field texts in the order the search does: the (already upper-cased)
// triad, then the year, a whole number in the calendar's years, then the months, whole numbers.
std::variant<SearchPlan, SearchError> PlanSearch(std::u16string_view triadText,
                                                 std::u16string_view yearText,
                                                 std::u16string_view firstMonthText,
                                                 std::u16string_view lastMonthText);

// The caller's side of a running search, which runs on the caller's thread.
class SearchDriver {
 public:
  virtual ~SearchDriver() = default;

  // Runs before a candidate: the caller may process pending events here, request a stop or
  // edit the triad. Returns how many candidates, this one included, may pass before the next
  // call; they are all compared with the same triad and none of them can be stopped. A caller
  // that wants its events served at every candidate returns 1.
  virtual std::uint64_t BeforeCandidate() = 0;

  // The text compared with from here on, read after every BeforeCandidate(). A text that is
  // not exactly a triad matches nothing.
  virtual std::u16string_view TriadText() = 0;

  virtual void Matched(const CivilMinute& minute) = 0;
};

enum class SearchEnd { Completed, Stopped };

// Walks every candidate of the plan in time order. A stop request left from before is cleared
// at the start; one seen at a candidate is cleared and ends the search there.
SearchEnd RunSearch(const SearchPlan& plan, const KeyBytes& key, bool& stopRequested,
                    SearchDriver& driver, HashPath path = HashPath::Best);

// Hands each match of a plan whose triad stays as planned to `found`, in time order.
void FindMatches(const SearchPlan& plan, const KeyBytes& key,
                 const std::function<void(const CivilMinute&)>& found,
                 HashPath path = HashPath::Best);

std::vector<CivilMinute> FindMatches(const SearchPlan& plan, const KeyBytes& key,
                                     HashPath path = HashPath::Best);

}  // namespace zorvane
