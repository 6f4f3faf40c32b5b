#include "app/command_line.h"

#include <QStringList>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zorvane {

#ifdef Q_OS_WIN
QString TakeCommandLine(int, char**) {
  // Skips the program's name, quoted or not, and the blanks after it.
  const wchar_t* text = GetCommandLineW();
  bool quoted = false;
  for (; *text != L'\0' && (quoted || (*text != L' ' && *text != L'\t')); ++text) {
    if (*text == L'"') quoted = !quoted;
  }
  while (*text == L' ' || *text == L'\t') ++text;
  return QString::fromWCharArray(text);
}
#else
QString TakeCommandLine(int argc, char** argv) {
  QStringList words;
  for (int i = 1; i < argc; ++i) {
    words << QString::fromLocal8Bit(argv[i]);
    std::memset(argv[i], 0, std::strlen(argv[i]));
  }
  return words.join(QLatin1Char(' '));
}
#endif

}  // namespace zorvane
