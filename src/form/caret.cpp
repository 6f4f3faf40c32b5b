#include "form/caret.h"

#include <algorithm>

namespace zorvane {

std::size_t CaretAfterRewrite(std::u16string_view before, std::size_t caret,
                              std::u16string_view after) {
  caret = std::min(caret, before.size());
  const std::size_t fromEnd = before.size() - caret;
  const std::size_t placed = after.size() - std::min(fromEnd, after.size());
  const bool wasPastBreak = before.substr(0, caret).find(u'\n') != std::u16string_view::npos;
  if (placed == after.size() && after.ends_with(u'\n') && !wasPastBreak) {
    return after.ends_with(u"\r\n") ? placed - 2 : placed - 1;
  }
  return placed;
}

}  // namespace zorvane
