// What the window program's command line asks for: a pass phrase, or help or the version
// instead of a window. Shared by every entry point, whatever the toolkit.
#pragma once

#include <string>
#include <string_view>

namespace zorvane {

struct LaunchRequest {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, RejectOption };
  Action action;
  std::u16string passPhrase;
};

// `text` is the argument text in one piece. Its first word decides: --help or -h, --version or
// -V, "--" before a phrase (which may then start with "-"), any other word starting with "--"
// an unknown option; otherwise the whole text is the pass phrase.
LaunchRequest ReadLaunchText(std::u16string_view text);

// The argument text of a Windows command line: everything after the program's own name
// (quoted or not) and the blanks after it.
std::u16string_view ArgumentTextOf(std::u16string_view commandLine);

// What --help and --version print, and the one line for an unknown option; none echoes the
// option, which may be a pass phrase typed without "--".
std::string WindowUsage();
std::string WindowVersion();
inline constexpr std::string_view kUnknownOptionMessage =
    "zorvane: unknown option (see zorvane --help); a pass phrase that starts with -- follows --";

}  // namespace zorvane
