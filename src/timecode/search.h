// The reverse date search: every minute of a year's chosen months whose triad under the key
// equals the one looked for, in time order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "key/key_bytes.h"
#include "timecode/day_matches.h"
#include "timecode/timecode.h"

namespace zorvane {

// The text with a-z upper-cased, as the triad field is rewritten before a search.
std::u16string ToUpperAscii(std::u16string_view text);

// The triad a text spells exactly (three upper-case letters from the tables), if any.
std::optional<Triad> ParseTriad(std::u16string_view text);

// A checked search: months are clamped to 1-12, and firstMonth > lastMonth means no candidates.
struct SearchPlan {
  Triad triad;
  int year;
  int firstMonth;
  int lastMonth;
};

enum class SearchError { InvalidTriad, InvalidYear, InvalidMonth };

// The results text that stands for the error: "Invalid Triad", "Invalid Year", "Invalid Month".
std::string_view MessageFor(SearchError error);

// Checks the field texts in the order the search does: the (already upper-cased) triad, then
// the year, a whole number 0-9999, then the months, whole numbers.
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

  virtual void Matched(std::string_view dateText) = 0;
};

enum class SearchEnd { Completed, Stopped };

// Walks every minute of the plan in time order. A stop request left from before is cleared at
// the start; one seen at a candidate is cleared and ends the search there.
SearchEnd RunSearch(const SearchPlan& plan, const KeyBytes& key, bool& stopRequested,
                    SearchDriver& driver, HashPath path = HashPath::Best);

}  // namespace zorvane
