// Zorvane.exe's entry: the process's own UTF-16 command line after the program's name, in one
// piece, and the native window.
#include <windows.h>

#include <ctime>
#include <string>

#include "app/launch.h"
#include "key/core_dumps.h"
#include "window/win32/win32_window.h"

namespace {

std::wstring Wide(std::string_view text) { return {text.begin(), text.end()}; }

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  return std::localtime(&now)->tm_year + 1900;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  zorvane::DisableCoreDumps();
  const std::u16string_view commandLine = reinterpret_cast<const char16_t*>(GetCommandLineW());
  const zorvane::LaunchRequest request =
      zorvane::ReadLaunchText(zorvane::ArgumentTextOf(commandLine));
  // A program without a console says these in a message box.
  switch (request.action) {
    case zorvane::LaunchRequest::Action::ShowHelp:
      MessageBoxW(nullptr, Wide(zorvane::WindowUsage()).c_str(), L"Zorvane", MB_OK);
      return 0;
    case zorvane::LaunchRequest::Action::ShowVersion:
      MessageBoxW(nullptr, Wide(zorvane::WindowVersion()).c_str(), L"Zorvane", MB_OK);
      return 0;
    case zorvane::LaunchRequest::Action::RejectOption:
      MessageBoxW(nullptr, Wide(zorvane::kUnknownOptionMessage).c_str(), L"Zorvane",
                  MB_OK | MB_ICONERROR);
      return 2;
    case zorvane::LaunchRequest::Action::OpenWindow:
      break;
  }
  zorvane::Win32Window window(request.passPhrase, CurrentYear());
  ShowWindow(window.handle(), show);
  UpdateWindow(window.handle());
  return window.RunMessageLoop();
}
