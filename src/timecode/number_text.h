// The numeric value of a field text, as the search reads its year and month fields.
#pragma once

#include <string_view>

namespace zorvane {

// Blanks, tabs and line feeds are skipped wherever they stand; the rest is read from its start
// as an optional sign, decimal digits and at most one decimal point. No leading number reads 0;
// a number too large for a double reads as infinity of its sign.
double NumericValue(std::u16string_view text);

}  // namespace zorvane
