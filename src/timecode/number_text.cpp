#include "timecode/number_text.h"

#include <charconv>
#include <limits>
#include <string>

namespace zorvane {

double NumericValue(std::u16string_view text) {
  bool negative = false;
  bool signAllowed = true;
  bool pointSeen = false;
  bool wholePartNonZero = false;
  std::string number;
  for (const char16_t c : text) {
    if (c == u' ' || c == u'\t' || c == u'\n') continue;
    if (signAllowed && (c == u'+' || c == u'-')) {
      negative = c == u'-';
    } else if (c >= u'0' && c <= u'9') {
      if (!pointSeen && c != u'0') wholePartNonZero = true;
      number += static_cast<char>(c);
    } else if (c == u'.' && !pointSeen) {
      pointSeen = true;
      number += '.';
    } else {
      break;
    }
    signAllowed = false;
  }

  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = wholePartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc{}) {
    value = 0.0;  // no digits at all, as in "", "-" or "."
  }
  return negative ? -value : value;
}

}  // namespace zorvane
