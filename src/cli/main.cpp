#include <ctime>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  const zorvane::LocalMinute now{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                 local.tm_hour, local.tm_min};
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = zorvane::RunCli(args, std::cin, std::cout, std::cerr, now);
  std::cout.flush();
  return std::cout ? status : zorvane::kExitError;
}
