// zorvane-cli: the key of a pass phrase, the timecode of a minute and the reverse date search,
// from a terminal or a script.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zorvane {

struct LocalMinute {
  int year;
  int month;
  int day;
  int hour;
  int minute;
};

inline constexpr int kExitPrinted = 0;
inline constexpr int kExitNoMatch = 1;
inline constexpr int kExitError = 2;

// `args` excludes the program's name; `now` stands for the current local minute.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const LocalMinute& now);

}  // namespace zorvane
