// zorvane-cli's entry: the process's arguments as UTF-8, its standard streams, a terminal's
// echo and the local clock, handed to RunCli.
#include <csignal>
#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "key/core_dumps.h"

#ifdef _WIN32
#include "cli/windows_console.h"
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace {

zorvane::CivilMinute LocalNow() {
  const std::time_t seconds = std::time(nullptr);
  const std::tm local = *std::localtime(&seconds);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

#ifndef _WIN32
// The terminal's settings while a secret is typed without echo, restored on an interrupt too.
termios savedTerminal;
volatile std::sig_atomic_t echoOff = 0;

void RestoreEchoAndDie(int signal) {
  if (echoOff) tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void SetInputEcho(bool echo) {
  if (!echo) {
    if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0) return;
    termios quiet = savedTerminal;
    quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
    echoOff = 1;
    std::signal(SIGINT, RestoreEchoAndDie);
    std::signal(SIGTERM, RestoreEchoAndDie);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  } else if (echoOff) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    echoOff = 0;
  }
}
#endif

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  zorvane::DisableCoreDumps();
  zorvane::WindowsConsole console;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(zorvane::WindowsConsole::Utf8Of(argv[i]));
  zorvane::CliContext context{console.in(), std::cout, std::cerr, LocalNow(),
                              console.echoControl()};
  return zorvane::RunCli(args, context);
}
#else
int main(int argc, char** argv) {
  zorvane::DisableCoreDumps();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  zorvane::CliContext context{std::cin, std::cout, std::cerr, LocalNow()};
  if (isatty(STDIN_FILENO) != 0) context.setInputEcho = SetInputEcho;
  return zorvane::RunCli(args, context);
}
#endif
