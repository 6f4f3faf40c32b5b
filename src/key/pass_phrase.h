// Derivation of the 16-digit key text from a pass phrase.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorvane {

// The character's code in Windows-1252, the single-byte set keys have always been derived
// under; a UTF-16 code unit with no code there counts as '?' (63).
int CharacterCode(char16_t unit);

// The 16 upper-case hexadecimal digits derived from `phrase`, counted and coded in UTF-16 code
// units; nothing for an empty phrase, which leaves the current key in place.
std::optional<std::string> DeriveKey(std::u16string_view phrase);

}  // namespace zorvane
