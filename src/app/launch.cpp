#include "app/launch.h"

#include "version.h"

namespace zorvane {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

LaunchRequest ReadLaunchText(std::u16string_view text) {
  std::size_t wordEnd = 0;
  while (wordEnd < text.size() && !IsBlank(text[wordEnd])) ++wordEnd;
  const std::u16string_view word = text.substr(0, wordEnd);
  if (word == u"--help" || word == u"-h") return {LaunchRequest::Action::ShowHelp, {}};
  if (word == u"--version" || word == u"-V") return {LaunchRequest::Action::ShowVersion, {}};
  if (word == u"--") {
    std::size_t start = wordEnd;
    while (start < text.size() && IsBlank(text[start])) ++start;
    return {LaunchRequest::Action::OpenWindow, std::u16string(text.substr(start))};
  }
  if (word.starts_with(u"--")) return {LaunchRequest::Action::RejectOption, {}};
  return {LaunchRequest::Action::OpenWindow, std::u16string(text)};
}

std::u16string_view ArgumentTextOf(std::u16string_view commandLine) {
  std::size_t i = 0;
  bool quoted = false;
  for (; i < commandLine.size() && (quoted || !IsBlank(commandLine[i])); ++i) {
    if (commandLine[i] == u'"') quoted = !quoted;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

std::string WindowUsage() {
  return "Usage: zorvane [PASS PHRASE...]\n"
         "       zorvane -- PASS PHRASE...\n"
         "       zorvane --help | --version\n"
         "\n"
         "Opens the window that lists the minutes a timecode may stand for. The words after\n"
         "the program's name, joined with single blanks, become the pass phrase; after --\n"
         "they may start with '-'. A phrase given here is visible to other local users for a\n"
         "moment (in the process list); type it into the window to keep it to yourself.\n";
}

std::string WindowVersion() { return VersionText("zorvane"); }

}  // namespace zorvane
