#include <QTest>
#include <cstring>

#include "app/command_line.h"

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void joinsTheArgumentsAndWipesThem_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("phrase");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("words joined with single blanks")
        << QStringList{"my", "pass", "phrase"} << QStringLiteral("my pass phrase");
    QTest::newRow("Qt options kept")
        << QStringList{"-reverse", "me", "-style", "x"} << QStringLiteral("-reverse me -style x");
    QTest::newRow("non-ASCII") << QStringList{QStringLiteral("caf\u00e9")}
                               << QStringLiteral("caf\u00e9");
  }

  void joinsTheArgumentsAndWipesThem() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, phrase);
    std::vector<QByteArray> storage{QByteArrayLiteral("zorvane")};
    for (const QString& a : arguments) storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& bytes : storage) argv.push_back(bytes.data());
    argv.push_back(nullptr);

    QCOMPARE(zorvane::TakeCommandLine(static_cast<int>(storage.size()), argv.data()), phrase);
    QCOMPARE(QByteArray(argv[0]), QByteArrayLiteral("zorvane"));
    for (std::size_t i = 1; i < storage.size(); ++i) QCOMPARE(std::strlen(argv[i]), std::size_t{0});
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
