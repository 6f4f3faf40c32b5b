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
    if (plan->year < 0 || plan->year > 9999 || plan->firstMonth < 1 || plan->lastMonth > 12) {
      std::abort();
    }
  }
  return 0;
}
