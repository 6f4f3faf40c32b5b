// zorvane-cli's standard streams on Windows: arguments and console input arrive as UTF-16 and
// are handed on as UTF-8, piped input as the bytes it is; output is binary, so that its lines
// end as on every other platform.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <string>

namespace zorvane {

class WindowsConsole {
 public:
  WindowsConsole();
  ~WindowsConsole();

  WindowsConsole(const WindowsConsole&) = delete;
  WindowsConsole& operator=(const WindowsConsole&) = delete;

  std::istream& in();
  // Turns a console's echo off and on; empty when standard input is not a console.
  std::function<void(bool)> echoControl();

  static std::string Utf8Of(const wchar_t* argument);

 private:
  class ConsoleInput;
  std::unique_ptr<ConsoleInput> console_;
  std::unique_ptr<std::istream> consoleStream_;
  unsigned outputCodePage_ = 0;
};

}  // namespace zorvane
