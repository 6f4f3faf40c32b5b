#include <QApplication>
#include <QDate>
#include <QIcon>
#include <cstdio>

#include "app/command_line.h"
#include "window/form1.h"

namespace {

// Qt's own message for a missing display names plugins; this says what to do instead.
bool DisplayFound() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayFound()) {
    std::fputs(
        "zorvane: no display found; run it in a desktop session or under a virtual display "
        "(xvfb-run zorvane), or use zorvane-cli, which needs none.\n",
        stderr);
    return 1;
  }
  // The arguments are the pass phrase, so Qt is given none of them to parse as its options.
  const QString passPhrase = zorvane::TakeCommandLine(argc, argv);
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("Zorvane"));
  QApplication::setApplicationVersion(QStringLiteral("1.00"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zorvane-256.png")));

  zorvane::Form1 window(passPhrase, QDate::currentDate().year());
  window.show();
  return QApplication::exec();
}
