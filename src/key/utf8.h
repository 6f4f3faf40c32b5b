// UTF-8, as pass phrases and triads arrive from a command line or standard input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorvane {

// The UTF-16 code units of well-formed UTF-8; nothing for malformed input (a stray or missing
// continuation byte, an overlong form, a surrogate, a value above U+10FFFF).
std::optional<std::u16string> DecodeUtf8(std::string_view text);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD, which a pass phrase codes as '?',
// just as it codes the surrogate itself.
std::string EncodeUtf8(std::u16string_view text);

}  // namespace zorvane
