// Drives the real window under the offscreen platform, with keystrokes and clicks.
#include "window/qt/qt_window.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <memory>

#include "key/key_bytes.h"
#include "key/pass_phrase.h"
#include "timecode/search.h"

using namespace std::chrono_literals;

namespace {

using zorvane::QtWindow;

QString QStringOf(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string_view View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// The lines the core finds, as the results field should show them.
class CollectingDriver final : public zorvane::SearchDriver {
 public:
  explicit CollectingDriver(std::u16string triad) : triad_(std::move(triad)) {}
  std::uint64_t BeforeCandidate() override { return UINT64_MAX; }
  std::u16string_view TriadText() override { return triad_; }
  void Matched(const zorvane::CivilMinute& minute) override {
    text += QStringOf(zorvane::FormatDateText(minute).view()) + '\n';
  }
  QString text;

 private:
  std::u16string triad_;
};

QString CoreResults(const QString& hexKey, const char* triad, int year, int first, int last) {
  CollectingDriver driver(std::u16string(triad, triad + 3));
  bool stop = false;
  zorvane::RunSearch(zorvane::MonthsOfYear({triad[0], triad[1], triad[2]}, year, first, last),
                     zorvane::ReadKeyBytes(View(hexKey)), stop, driver);
  return driver.text;
}

const QString kCountingKey = QStringLiteral("0123456789ABCDEF");

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QtWindow> window;

  template <class Control>
  Control* field(const char* name) const {
    auto* control = window->findChild<Control*>(QLatin1String(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }
  QLineEdit* line(const char* name) const { return field<QLineEdit>(name); }
  QPlainTextEdit* hexCode() const { return field<QPlainTextEdit>("HexCode"); }
  QPlainTextEdit* results() const { return field<QPlainTextEdit>("Results"); }
  QPushButton* button(const char* name) const { return field<QPushButton>(name); }
  QLabel* status() const { return field<QLabel>("Status"); }

  void open(const QString& commandLine = QString()) {
    window = std::make_unique<QtWindow>(commandLine, 2026);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }

  // Types the key into the hex key field and fills the search fields.
  void prepare(const char* triad, const char* year, const char* first, const char* last) {
    QTest::mouseClick(hexCode()->viewport(), Qt::LeftButton);
    QTest::keyClicks(hexCode(), kCountingKey);
    line("Triad")->setText(QLatin1String(triad));
    line("Ytext")->setText(QLatin1String(year));
    line("StMntext")->setText(QLatin1String(first));
    line("EnMnText")->setText(QLatin1String(last));
  }

  // Runs `action` once, as an event, after the first result line has been shown.
  void atFirstMatch(std::function<void()> action) {
    auto done = std::make_shared<bool>(false);
    connect(results()->document(), &QTextDocument::contentsChanged, window.get(), [=, this] {
      if (*done || results()->toPlainText().isEmpty() || !window->form().isSearching()) return;
      *done = true;
      QTimer::singleShot(0, window.get(), action);
    });
  }

  void search() { QTest::mouseClick(button("GO"), Qt::LeftButton); }

 private slots:
  void cleanup() { window.reset(); }

  void startsWithTheDefaults() {
    open();
    QCOMPARE(line("Ytext")->text(), QStringLiteral(" 2026"));
    QCOMPARE(line("StMntext")->text(), QStringLiteral("1"));
    QCOMPARE(line("EnMnText")->text(), QStringLiteral("12"));
    QCOMPARE(hexCode()->toPlainText(), QString());
    QCOMPARE(window->form().keyBytes(), zorvane::KeyBytes{});
    QCOMPARE(window->focusWidget(), line("PassPhrase"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Dates for a specified Timecode"));
  }

  void takesThePassPhraseFromTheCommandLine_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::newRow("words") << QStringLiteral("my pass phrase");
    QTest::newRow("Qt's reverse option kept") << QStringLiteral("-reverse me");
    QTest::newRow("Qt's style option kept") << QStringLiteral("-style x");
  }

  void takesThePassPhraseFromTheCommandLine() {
    QFETCH(QString, commandLine);
    open(commandLine);
    const QString key = QString::fromStdString(*zorvane::DeriveKey(View(commandLine)));
    QCOMPARE(line("PassPhrase")->text(), commandLine);
    QCOMPARE(hexCode()->toPlainText(), key + '\n');  // the 16 digits and CR LF
    QCOMPARE(window->form().keyBytes(), zorvane::ReadKeyBytes(View(key)));
    QCOMPARE(line("Triad")->text(), QString());
  }

  void derivesTheKeyAtEveryKeystroke() {
    open();
    line("Triad")->setText(QStringLiteral("BAG"));
    QString typed;
    for (const QChar c : QStringLiteral("Tr\u00e9s bien")) {
      // A key press that carries the character, as a keyboard layout with it would send.
      QTest::sendKeyEvent(QTest::Click, line("PassPhrase"), Qt::Key_unknown, QString(c),
                          Qt::NoModifier);
      typed += c;
      QCOMPARE(line("PassPhrase")->text(), typed);
      const QString key = QString::fromStdString(*zorvane::DeriveKey(View(typed)));
      QCOMPARE(hexCode()->toPlainText(), key + '\n');
      QCOMPARE(hexCode()->verticalScrollBar()->value(), 0);  // the key, not the line after it
      QCOMPARE(window->form().keyBytes(), zorvane::ReadKeyBytes(View(key)));
      QCOMPARE(line("Triad")->text(), QString());
    }
    // Deleting the whole phrase leaves the key of the last non-empty one.
    const QString lastKey = QString::fromStdString(*zorvane::DeriveKey(u"T")) + '\n';
    for (qsizetype n = typed.size(); n > 0; --n)
      QTest::keyClick(line("PassPhrase"), Qt::Key_Backspace);
    QCOMPARE(line("PassPhrase")->text(), QString());
    QCOMPARE(hexCode()->toPlainText(), lastKey);
  }

  void removesBlanksFromATypedKey() {
    open();
    QTest::mouseClick(hexCode()->viewport(), Qt::LeftButton);
    QTest::keyClicks(hexCode(), QStringLiteral("0123 4567 89AB CDEF"));
    QCOMPARE(hexCode()->toPlainText(), kCountingKey);
    QCOMPARE(hexCode()->textCursor().position(), 16);
    QCOMPARE(window->form().keyBytes(), zorvane::ReadKeyBytes(u"0123456789ABCDEF"));
  }

  void readsAKeyTypedOnTwoLinesWithItsLineBreak() {
    open();
    QTest::keyClicks(hexCode(), QStringLiteral("01234567"));
    QTest::keyClick(hexCode(), Qt::Key_Return);
    QTest::keyClicks(hexCode(), QStringLiteral("89ABCDEF"));
    QCOMPARE(window->form().keyBytes(), zorvane::ReadKeyBytes(u"01234567\r\n89ABCDEF"));
    QCOMPARE(window->form().keyBytes()[3], 0);  // CR LF in the places of characters 9 and 10
  }

  void clickIntoTheHexKeyClearsThePassPhraseButKeepsTheKey() {
    open(QStringLiteral("secret"));
    const QString key = hexCode()->toPlainText();
    const zorvane::KeyBytes bytes = window->form().keyBytes();
    QTest::mouseClick(hexCode()->viewport(), Qt::LeftButton);
    QCOMPARE(line("PassPhrase")->text(), QString());
    QCOMPARE(hexCode()->toPlainText(), key);
    QCOMPARE(window->form().keyBytes(), bytes);
  }

  void offersTheKeyOperations() {
    open();
    std::int32_t word = 0x8001;
    window->form().Rotate16Left(word, 1);
    QCOMPARE(word, 0x0003);
    window->form().Rotate16Right(word, 1);
    QCOMPARE(word, 0x8001);
    QCOMPARE(window->form().FormatHex(171), "00AB");
    hexCode()->setPlainText(kCountingKey);
    window->form().DoKey();
    QCOMPARE(window->form().keyBytes(), zorvane::ReadKeyBytes(u"0123456789ABCDEF"));
  }

  void searches_data() {
    QTest::addColumn<QString>("triad");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("shownTriad");
    QTest::addColumn<QString>("expected");
    const QString bag = CoreResults(kCountingKey, "BAG", 2016, 2, 2);
    QTest::newRow("lower case is searched upper-cased") << "bag"
                                                        << "2016"
                                                        << "2"
                                                        << "2"
                                                        << "BAG" << bag;
    QTest::newRow("leading blank of the year") << "BAG"
                                               << " 2016"
                                               << "2"
                                               << "2"
                                               << "BAG" << bag;
    QTest::newRow("whole text upper-cased")
        << QStringLiteral("b\u00e4g") << "2026"
        << "1"
        << "12" << QStringLiteral("B\u00c4G") << "Invalid Triad";
    QTest::newRow("too long") << "bags"
                              << " 2026"
                              << "1"
                              << "12"
                              << "BAGS"
                              << "Invalid Triad";
    QTest::newRow("too short") << "BA"
                               << " 2026"
                               << "1"
                               << "12"
                               << "BA"
                               << "Invalid Triad";
    QTest::newRow("vowel first") << "AAA"
                                 << " 2026"
                                 << "1"
                                 << "12"
                                 << "AAA"
                                 << "Invalid Triad";
    QTest::newRow("letter in no table") << "BQB"
                                        << " 2026"
                                        << "1"
                                        << "12"
                                        << "BQB"
                                        << "Invalid Triad";
    QTest::newRow("consonant in the middle") << "BBB"
                                             << " 2026"
                                             << "1"
                                             << "12"
                                             << "BBB"
                                             << "Invalid Triad";
    QTest::newRow("triad checked before year") << "BBB"
                                               << "99999"
                                               << "1"
                                               << "12"
                                               << "BBB"
                                               << "Invalid Triad";
    QTest::newRow("year too large") << "BAG"
                                    << "10000"
                                    << "1"
                                    << "12"
                                    << "BAG"
                                    << "Invalid Year";
    QTest::newRow("year with a fraction") << "BAG"
                                          << "2026.5"
                                          << "1"
                                          << "12"
                                          << "BAG"
                                          << "Invalid Year";
    QTest::newRow("month with a fraction") << "BAG"
                                           << "2026"
                                           << "1.5"
                                           << "12"
                                           << "BAG"
                                           << "Invalid Month";
    QTest::newRow("months above 12") << "BAG"
                                     << "2026"
                                     << "13"
                                     << "13"
                                     << "BAG"
                                     << "";
    QTest::newRow("first month after last") << "BAG"
                                            << "2026"
                                            << "5"
                                            << "3"
                                            << "BAG"
                                            << "";
  }

  void searches() {
    QFETCH(QString, triad);
    QFETCH(QString, year);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, shownTriad);
    QFETCH(QString, expected);
    open();
    prepare("", "", "", "");
    line("Triad")->setText(triad);
    line("Ytext")->setText(year);
    line("StMntext")->setText(first);
    line("EnMnText")->setText(last);
    search();
    QCOMPARE(line("Triad")->text(), shownTriad);
    QCOMPARE(results()->toPlainText(), expected);
    QVERIFY(!line("PassPhrase")->isEnabled());
    QVERIFY(!hexCode()->isEnabled());
    QVERIFY(button("GO")->isEnabled());
  }

  void stopEndsTheSearchAtTheNextCandidate() {
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "2", "2");
    const QString all = CoreResults(kCountingKey, "BAG", 2016, 2, 2);
    atFirstMatch([this] { QTest::mouseClick(button("Finish"), Qt::LeftButton); });
    search();
    QCOMPARE(results()->toPlainText(), all.left(all.indexOf('\n') + 1));

    // The stop was used up by the search it ended: the next one runs to its end.
    search();
    QCOMPARE(results()->toPlainText(), all);
  }

  void searchWithinOneSliceNeverEntersTheEventLoop() {
    open();
    window->form().setEventSlice(1h);
    prepare("BAG", "2016", "1", "12");
    QTimer::singleShot(0, window.get(),
                       [this] { QTest::mouseClick(button("Finish"), Qt::LeftButton); });
    search();
    QCOMPARE(results()->toPlainText(), CoreResults(kCountingKey, "BAG", 2016, 1, 12));
  }

  void stopWhileIdleDoesNotSwallowTheNextSearch() {
    open();
    prepare("BQB", "2016", "2", "2");
    QTest::mouseClick(button("Finish"), Qt::LeftButton);
    search();
    QCOMPARE(results()->toPlainText(), QStringLiteral("Invalid Triad"));
    line("Triad")->setText(QStringLiteral("BAG"));
    search();
    QCOMPARE(results()->toPlainText(), CoreResults(kCountingKey, "BAG", 2016, 2, 2));
  }

  void editedTriadIsComparedFromTheNextCandidate() {
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "2", "2");
    atFirstMatch([this] { line("Triad")->setText(QStringLiteral("xyz")); });
    search();
    const QString all = CoreResults(kCountingKey, "BAG", 2016, 2, 2);
    QCOMPARE(results()->toPlainText(), all.left(all.indexOf('\n') + 1));
  }

  void secondSearchRestartsWithTheFieldsAsTheyStand() {
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "2", "2");
    atFirstMatch([this] {
      line("Triad")->setText(QStringLiteral("tok"));
      line("StMntext")->setText(QStringLiteral("3"));
      line("EnMnText")->setText(QStringLiteral("3"));
      QTest::mouseClick(button("GO"), Qt::LeftButton);
    });
    search();
    QVERIFY(!window->form().isSearching());
    QCOMPARE(line("Triad")->text(), QStringLiteral("TOK"));
    QCOMPARE(results()->toPlainText(), CoreResults(kCountingKey, "TOK", 2016, 3, 3));
  }

  void closingDuringASearchEndsTheProgram() {
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "1", "12");
    atFirstMatch([this] { window->close(); });
    // Searched from inside the program's event loop, which the close must end with status 0.
    QTimer::singleShot(0, window.get(), [this] { search(); });
    QTimer hang;  // a search that ignores the close fails instead of hanging
    hang.setSingleShot(true);
    connect(&hang, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    hang.start(20s);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->form().isSearching());
    QVERIFY(!window->isVisible());
    QCOMPARE(results()->toPlainText().count('\n'), 1);
  }

  void appendingKeepsTheReadersPlace_data() {
    QTest::addColumn<bool>("readerScrollsUp");
    QTest::newRow("view follows a reader at the bottom") << false;
    QTest::newRow("view stays where the reader scrolled") << true;
  }

  void appendingKeepsTheReadersPlace() {
    QFETCH(bool, readerScrollsUp);
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "1", "2");
    QScrollBar* bar = results()->verticalScrollBar();
    bool scrolled = false;
    connect(results()->document(), &QTextDocument::contentsChanged, window.get(), [&] {
      if (readerScrollsUp && !scrolled && results()->blockCount() > 60) {
        scrolled = true;
        QTimer::singleShot(0, window.get(), [bar] { bar->setValue(0); });
      }
    });
    search();
    QVERIFY(results()->blockCount() > 80);
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), readerScrollsUp ? 0 : bar->maximum());
  }

  void enterInASearchFieldSearches_data() {
    QTest::addColumn<QString>("field");
    QTest::newRow("triad") << "Triad";
    QTest::newRow("year") << "Ytext";
    QTest::newRow("end month") << "EnMnText";
  }

  void enterInASearchFieldSearches() {
    QFETCH(QString, field);
    open();
    prepare("bag", "2016", "2", "2");
    QTest::keyClick(line(qPrintable(field)), Qt::Key_Return);
    QCOMPARE(line("Triad")->text(), QStringLiteral("BAG"));
    const QString all = CoreResults(kCountingKey, "BAG", 2016, 2, 2);
    QCOMPARE(results()->toPlainText(), all);
    QCOMPARE(status()->text(), QStringLiteral("%1 minutes").arg(all.count('\n')));
  }

  void escapeStopsARunningSearch() {
    open();
    window->form().setEventSlice(0ms);
    prepare("BAG", "2016", "2", "2");
    QString statusWhileRunning;
    atFirstMatch([this, &statusWhileRunning] {
      statusWhileRunning = status()->text();
      QTest::keyClick(line("Triad"), Qt::Key_Escape);
    });
    search();
    const QString all = CoreResults(kCountingKey, "BAG", 2016, 2, 2);
    QCOMPARE(statusWhileRunning, QStringLiteral("Searching..."));
    QCOMPARE(results()->toPlainText(), all.left(all.indexOf('\n') + 1));
    QCOMPARE(status()->text(), QStringLiteral("Stopped after 1 minute"));
  }

  void passPhraseHasNoLengthLimit() {
    open();
    const QString phrase(40000, QLatin1Char('x'));
    line("PassPhrase")->setText(phrase);
    QCOMPARE(line("PassPhrase")->text().size(), phrase.size());
    QCOMPARE(hexCode()->toPlainText(),
             QString::fromStdString(*zorvane::DeriveKey(View(phrase))) + '\n');
  }

  void layoutFollowsTheTable_data() {
    // Left, top, width and height in twips, 15 to a pixel.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Label2") << "Label2" << QRect(840, 240, 975, 255);
    QTest::newRow("PassPhrase") << "PassPhrase" << QRect(360, 600, 1935, 285);
    QTest::newRow("Label1") << "Label1" << QRect(960, 960, 615, 255);
    QTest::newRow("HexCode") << "HexCode" << QRect(360, 1200, 1695, 285);
    QTest::newRow("Label3") << "Label3" << QRect(480, 1800, 495, 255);
    QTest::newRow("Ytext") << "Ytext" << QRect(1200, 1680, 735, 285);
    QTest::newRow("Label4") << "Label4" << QRect(240, 2280, 855, 375);
    QTest::newRow("StMntext") << "StMntext" << QRect(1200, 2280, 735, 285);
    QTest::newRow("Label6") << "Label6" << QRect(120, 2880, 975, 255);
    QTest::newRow("EnMnText") << "EnMnText" << QRect(1200, 2760, 735, 285);
    QTest::newRow("Label5") << "Label5" << QRect(600, 3720, 1335, 255);
    QTest::newRow("Triad") << "Triad" << QRect(360, 4080, 1695, 510);
    QTest::newRow("GO") << "GO" << QRect(600, 4920, 1095, 375);
    QTest::newRow("Finish") << "Finish" << QRect(600, 5520, 1095, 375);
    QTest::newRow("Results") << "Results" << QRect(2640, 240, 2655, 6015);
    QTest::newRow("Status") << "Status" << QRect(2640, 6330, 2655, 255);
  }

  void layoutFollowsTheTable() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    open();
    auto* control = window->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(),
             QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    QCOMPARE(window->size(), QSize(374, 449));
    QCOMPARE(window->minimumSize(), window->maximumSize());
  }

  void noTextIsClipped() {
    open();
    prepare("WAW", " 2026", "12", "12");
    hexCode()->setPlainText(QStringLiteral("0123456789ABCDEF"));
    for (QLabel* label : window->findChildren<QLabel*>()) {
      // Wrapped lines need their line spacing, all but the last also its leading.
      const QFontMetricsF metrics(label->font());
      const QRectF box = label->contentsRect();
      const QRectF needed = metrics.boundingRect(
          QRectF(0, 0, box.width(), 1000), Qt::TextWordWrap | label->alignment(), label->text());
      QVERIFY2(needed.width() <= box.width(), qPrintable(label->objectName()));
      QVERIFY2(needed.height() - (metrics.lineSpacing() - metrics.height()) <= box.height(),
               qPrintable(label->objectName()));
    }
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
      const QFontMetricsF metrics(b->font());
      const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b);
      QVERIFY2(metrics.horizontalAdvance(b->text()) + 2 * margin <= b->width(),
               qPrintable(b->objectName()));
      QVERIFY2(metrics.height() + margin <= b->height(), qPrintable(b->objectName()));
    }
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
      // A frame pixel and the field's own margin on each side.
      const QFontMetricsF metrics(edit->font());
      const QString text = edit->text().isEmpty() ? QStringLiteral("Wg") : edit->text();
      QVERIFY2(metrics.height() + 4 <= edit->height(), qPrintable(edit->objectName()));
      QVERIFY2(metrics.horizontalAdvance(text) + 6 <= edit->width(),
               qPrintable(edit->objectName()));
    }
    const QFontMetricsF metrics(hexCode()->font());
    const QRect viewport = hexCode()->viewport()->rect();
    const double margin = 2 * hexCode()->document()->documentMargin();
    QVERIFY(metrics.horizontalAdvance(hexCode()->toPlainText()) + margin <= viewport.width());
    QVERIFY(metrics.height() + margin <= viewport.height());
  }

  void tabOrderFollowsTheTable() {
    open();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    line("PassPhrase")->setFocus();
    const QStringList expected = {"HexCode", "Triad",    "GO",       "Results",   "Finish",
                                  "Ytext",   "StMntext", "EnMnText", "PassPhrase"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    QCOMPARE(hexCode()->toPlainText(), QString());  // Tab left the field instead of typing
  }

  void labelsNameTheirFields_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::newRow("pass phrase") << "Label2"
                                 << "PassPhrase";
    QTest::newRow("hex key") << "Label1"
                             << "HexCode";
    QTest::newRow("year") << "Label3"
                          << "Ytext";
    QTest::newRow("start month") << "Label4"
                                 << "StMntext";
    QTest::newRow("end month") << "Label6"
                               << "EnMnText";
    QTest::newRow("timecode") << "Label5"
                              << "Triad";
  }

  void labelsNameTheirFields() {
    QFETCH(QString, label);
    QFETCH(QString, field);
    open();
    auto* caption = window->findChild<QLabel*>(label);
    QVERIFY(caption);
    auto* named = window->findChild<QWidget*>(field);
    QCOMPARE(caption->buddy(), named);
    QCOMPARE(caption->focusPolicy(), Qt::NoFocus);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(named);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), caption->text());
  }
};

QTEST_MAIN(QtWindowTest)
#include "qt_window_test.moc"
