#include "cli/cli_error.h"

#include <cstdio>

#include "key/utf8.h"

namespace zorvane {

std::string Quoted(std::string_view argument) {
  constexpr std::size_t kShown = 24;
  std::string quoted = "'";
  std::size_t shown = 0;
  std::size_t i = 0;
  for (; i < argument.size() && shown < kShown; ++shown) {
    const auto c = static_cast<unsigned char>(argument[i]);
    // A whole UTF-8 character is kept as it is; anything else is written as its bytes.
    std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    if (c >= 0x80 &&
        !(i + length <= argument.size() && DecodeUtf8(argument.substr(i, length)).has_value())) {
      length = 0;
    }
    // C0 and C1 controls (U+0080-U+009F is C2 80-9F) could steer a terminal.
    const bool control =
        c < 0x20 || c == 0x7F ||
        (c == 0xC2 && length == 2 && static_cast<unsigned char>(argument[i + 1]) < 0xA0);
    if (length == 0 || control || c == '\\' || c == '\'') {
      const std::size_t bytes = length == 0 ? 1 : length;
      for (std::size_t b = 0; b < bytes; ++b) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X",
                      static_cast<unsigned char>(argument[i + b]));
        quoted += escaped;
      }
      i += bytes;
    } else {
      quoted.append(argument.substr(i, length));
      i += length;
    }
  }
  quoted += i < argument.size() ? "'..." : "'";
  return quoted;
}

}  // namespace zorvane
