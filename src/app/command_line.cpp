#include "app/command_line.h"

#include <QStringList>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>

#include "app/launch.h"
#endif

namespace zorvane {

#ifdef Q_OS_WIN
QString TakeCommandLine(int, char**) {
  const std::u16string_view text =
      ArgumentTextOf(reinterpret_cast<const char16_t*>(GetCommandLineW()));
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
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
