// Any field text reads to a number, never NaN, and the year and month checks never fault.
#include <cmath>
#include <cstdlib>

#include "fuzz_input.h"
#include "timecode/number_text.h"
#include "timecode/search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = zorvane::Utf16Of(data, size);
  const double value = zorvane::NumericValue(text);
  if (std::isnan(value)) std::abort();
  const auto planned = zorvane::PlanSearch(u"BAG", text, text, text);
  if (const auto* plan = std::get_if<zorvane::SearchPlan>(&planned)) {
    // One year of the calendar's, and months within 1-12 (an empty span ends before it starts).
    const bool inYears = plan->first.year >= zorvane::kFirstYear &&
                         plan->first.year <= zorvane::kLastYear &&
                         plan->last.year == plan->first.year;
    const bool empty = plan->last < plan->first;
    if (!inYears || (!empty && (plan->first.month < 1 || plan->last.month > 12))) {
      std::abort();
    }
  }
  return 0;
}
