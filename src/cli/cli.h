// zorvane-cli: the key of a pass phrase, the timecode of a minute and the reverse date search,
// from a terminal or a script.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "timecode/calendar.h"

namespace zorvane {

inline constexpr int kExitPrinted = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitError = 2;

// What a run sees of its process: the standard streams, the current local minute and, when
// standard input is a terminal, a way to turn its echo off (false) and on again (true).
struct CliContext {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  CivilMinute now;
  std::function<void(bool echo)> setInputEcho = {};
};

// `args` excludes the program's name; every text in them is UTF-8.
int RunCli(const std::vector<std::string>& args, CliContext& context);

}  // namespace zorvane
