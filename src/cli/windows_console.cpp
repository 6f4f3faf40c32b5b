#include "cli/windows_console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "key/utf8.h"

namespace zorvane {

// Reads a console as UTF-16 and gives it out as UTF-8; Ctrl+Z at the start of a line ends it.
class WindowsConsole::ConsoleInput final : public std::streambuf {
 public:
  explicit ConsoleInput(HANDLE console) : console_(console) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    wchar_t units[512];
    DWORD read = 0;
    if (!ReadConsoleW(console_, units, 512, &read, nullptr) || read == 0) return traits_type::eof();
    if (units[0] == 0x1A) return traits_type::eof();
    std::u16string text = pending_;
    pending_.clear();
    text.append(reinterpret_cast<const char16_t*>(units), read);
    // A character in two halves may be split between two reads.
    if (text.back() >= 0xD800 && text.back() <= 0xDBFF) {
      pending_ = text.back();
      text.pop_back();
    }
    bytes_ = EncodeUtf8(text);
    if (bytes_.empty()) return underflow();
    setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  HANDLE console_;
  std::u16string pending_;
  std::string bytes_;
};

WindowsConsole::WindowsConsole() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  outputCodePage_ = GetConsoleOutputCP();
  if (outputCodePage_ != 0) SetConsoleOutputCP(CP_UTF8);  // messages may quote UTF-8
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(input, &mode)) {
    console_ = std::make_unique<ConsoleInput>(input);
    consoleStream_ = std::make_unique<std::istream>(console_.get());
  } else {
    _setmode(_fileno(stdin), _O_BINARY);
  }
}

WindowsConsole::~WindowsConsole() {
  std::cout.flush();
  if (outputCodePage_ != 0) SetConsoleOutputCP(outputCodePage_);
}

std::istream& WindowsConsole::in() { return consoleStream_ ? *consoleStream_ : std::cin; }

std::function<void(bool)> WindowsConsole::echoControl() {
  if (!console_) return {};
  return [](bool echo) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode)) return;
    SetConsoleMode(input, echo ? mode | ENABLE_ECHO_INPUT : mode & ~DWORD{ENABLE_ECHO_INPUT});
  };
}

std::string WindowsConsole::Utf8Of(const wchar_t* argument) {
  return EncodeUtf8(reinterpret_cast<const char16_t*>(argument));
}

}  // namespace zorvane
