#pragma once

#include <string>
#include <string_view>

namespace zorvane {

// Decodes UTF-8 into UTF-16 code units; each malformed sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

}  // namespace zorvane
