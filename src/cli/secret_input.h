// A key or pass phrase read from standard input, so that it never stands in the process list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/cli.h"

namespace zorvane {

// Far more than a secret needs: only the first 32 characters of a phrase enter its key.
inline constexpr std::size_t kMaxSecretBytes = 64 * 1024;

// One line, without its line break, of valid UTF-8 and at most kMaxSecretBytes; from a
// terminal after a prompt on standard error, with the echo off. `what` names the secret in the
// prompt and in the messages, as "pass phrase" or "key".
std::string ReadSecret(CliContext& context, std::string_view what);

}  // namespace zorvane
