// Where a field's caret goes when the program rewrites the field's whole text; both bindings
// place it so.
#pragma once

#include <cstddef>
#include <string_view>

namespace zorvane {

// The caret keeps its distance from the end, so that it stays after the character it followed
// when blanks before it are dropped. A final line break keeps the caret before it, unless the
// caret was already past a line break, so that a field one line tall shows its text and not
// the empty line after it. Lines may end in CR LF or in LF alone.
std::size_t CaretAfterRewrite(std::u16string_view before, std::size_t caret,
                              std::u16string_view after);

}  // namespace zorvane
