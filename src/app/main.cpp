#include <QApplication>
#include <QDate>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/launch.h"
#include "key/core_dumps.h"
#include "version.h"
#include "window/qt/qt_window.h"

namespace {

constexpr const char* kNoDisplay =
    "zorvane: no display found; run it in a desktop session or under a virtual display "
    "(xvfb-run zorvane), or use zorvane-cli, which needs none.\n";

// Qt's own message for a missing display names plugins; this says what to do instead.
bool DisplayNamed() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
  return true;
#endif
}

// A display that is named but cannot be reached makes Qt's start-up fail fatally; that ends
// here with the same one line as no display at all. Qt's other start-up messages wait until
// the start has succeeded.
QStringList startMessages;
void HoldStartMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) {
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  startMessages << message;
}

}  // namespace

int main(int argc, char** argv) {
  zorvane::DisableCoreDumps();
  const QString commandLine = zorvane::TakeCommandLine(argc, argv);
  const zorvane::LaunchRequest request =
      zorvane::ReadLaunchText({reinterpret_cast<const char16_t*>(commandLine.utf16()),
                               static_cast<std::size_t>(commandLine.size())});
  switch (request.action) {
    case zorvane::LaunchRequest::Action::ShowHelp:
      std::fputs(zorvane::WindowUsage().c_str(), stdout);
      return 0;
    case zorvane::LaunchRequest::Action::ShowVersion:
      std::fputs(zorvane::WindowVersion().c_str(), stdout);
      return 0;
    case zorvane::LaunchRequest::Action::RejectOption:
      std::fprintf(stderr, "%s\n", zorvane::kUnknownOptionMessage.data());
      return 2;
    case zorvane::LaunchRequest::Action::OpenWindow:
      break;
  }
  if (!DisplayNamed()) {
    std::fputs(kNoDisplay, stderr);
    return 1;
  }

  // The arguments are the pass phrase, so Qt is given none of them to parse as its options.
  int qtArgc = 1;
  qInstallMessageHandler(HoldStartMessages);
  QApplication app(qtArgc, argv);
  qInstallMessageHandler(nullptr);
  for (const QString& message : startMessages) std::fprintf(stderr, "%s\n", qPrintable(message));
  QApplication::setApplicationName(QStringLiteral("Zorvane"));
  QApplication::setApplicationVersion(QStringLiteral(ZORVANE_VERSION_TEXT));
  QGuiApplication::setDesktopFileName(QStringLiteral(ZORVANE_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zorvane-256.png")));

  zorvane::QtWindow window(QString::fromStdU16String(request.passPhrase),
                           QDate::currentDate().year());
  window.show();
  return QApplication::exec();
}
