#include "window/form1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include "key/pass_phrase.h"
#include "key/word_ops.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

std::u16string_view View(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Multi-line fields hold line feeds; the handlers see and write their line breaks as CR LF.
QString FieldText(const QPlainTextEdit* field) {
  return field->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// A write runs the field's change handling before it returns, and only when the text changes.
void SetFieldText(QPlainTextEdit* field, QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (field->toPlainText() != text) field->setPlainText(text);
}

void SetFieldText(QLineEdit* field, const QString& text) {
  if (field->text() != text) field->setText(text);
}

// Positions and sizes are in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = 15;

void Place(QWidget* control, int left, int top, int width, int height) {
  control->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                       height / kTwipsPerPixel);
}

const QStringList kSansSerif = {QStringLiteral("MS Sans Serif"),
                                QStringLiteral("Microsoft Sans Serif")};
const QStringList kArial = {QStringLiteral("Arial")};

// The window's own families first, then metric-compatible free ones, then any sans serif.
QFont FontOf(const QStringList& families, double points) {
  QFont font;
  font.setFamilies(families + QStringList{QStringLiteral("Liberation Sans"),
                                          QStringLiteral("Arimo"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  // MS Sans Serif runs about 6% narrower than the Arial-like fonts that stand in for it; the
  // layout was drawn for its widths, so a stand-in is narrowed to them.
  if (families == kSansSerif && !kSansSerif.contains(QFontInfo(font).family())) font.setStretch(94);
  return font;
}

// Clock reads are spaced this many candidates apart: a few microseconds of searching.
constexpr std::uint64_t kCandidatesPerClockRead = 2048;

}  // namespace

// Binds the search's per-candidate hook to this window: pending events are processed once a
// time slice has passed since the last pass, or at every candidate with a zero slice.
class Form1::SearchPacer final : public SearchDriver {
 public:
  explicit SearchPacer(Form1& form) : form_(form) { sinceEvents_.start(); }

  std::uint64_t BeforeCandidate() override {
    const auto slice = form_.eventSlice_.count();
    if (slice <= 0) {
      ProcessEvents();
      return 1;
    }
    if (sinceEvents_.elapsed() >= slice) {
      ProcessEvents();
      sinceEvents_.restart();
    }
    return kCandidatesPerClockRead;
  }

  std::u16string_view TriadText() override {
    triad_ = form_.Triad->text();
    return View(triad_);
  }

  // Lines found between two passes of the event loop are shown together: nothing could see
  // them sooner.
  void Matched(const CivilMinute& minute) override {
    const std::string_view dateText = FormatDateText(minute);
    pending_ += QLatin1String(dateText.data(), static_cast<qsizetype>(dateText.size()));
    pending_ += QLatin1Char('\n');
  }

  void ShowPending() {
    if (pending_.isEmpty()) return;
    form_.AppendResults(pending_);
    pending_.clear();
  }

 private:
  void ProcessEvents() {
    ShowPending();
    QCoreApplication::processEvents();
  }

  Form1& form_;
  QElapsedTimer sinceEvents_;
  QString triad_;
  QString pending_;
};

Form1::Form1(const QString& commandLine, int currentYear, QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Dates for a specified Timecode"));
  setFont(FontOf(kSansSerif, 8.25));

  const auto label = [this](const char* name, const QString& caption, Qt::Alignment alignment) {
    auto* control = new QLabel(caption, this);
    control->setObjectName(QLatin1String(name));
    control->setAlignment(alignment | Qt::AlignTop);
    control->setWordWrap(true);
    return control;
  };
  const auto lineField = [this](const char* name, const QString& text) {
    auto* control = new QLineEdit(text, this);
    control->setObjectName(QLatin1String(name));
    return control;
  };
  const auto multiLineField = [this](const char* name) {
    auto* control = new QPlainTextEdit(this);
    control->setObjectName(QLatin1String(name));
    control->setTabChangesFocus(true);
    return control;
  };
  const auto button = [this](const char* name, const QString& caption) {
    auto* control = new QPushButton(caption, this);
    control->setObjectName(QLatin1String(name));
    return control;
  };

  Label2 = label("Label2", QStringLiteral("Pass Phrase"), Qt::AlignLeft);
  PassPhrase = lineField("PassPhrase", QString());
  Label1 = label("Label1", QStringLiteral("Hex Key"), Qt::AlignLeft);
  HexCode = multiLineField("HexCode");
  Label3 = label("Label3", QStringLiteral("Year"), Qt::AlignRight);
  Ytext = lineField("Ytext", QString());
  Label4 = label("Label4", QStringLiteral("Start Month (1 -12)"), Qt::AlignHCenter);
  StMntext = lineField("StMntext", QStringLiteral("1"));
  Label6 = label("Label6", QStringLiteral("End Month"), Qt::AlignRight);
  EnMnText = lineField("EnMnText", QStringLiteral("12"));
  Label5 = label("Label5", QStringLiteral("Timecode hash"), Qt::AlignLeft);
  Triad = lineField("Triad", QString());
  GO = button("GO", QStringLiteral("Search"));
  Finish = button("Finish", QStringLiteral("Stop"));
  Results = multiLineField("Results");

  PassPhrase->setToolTip(QStringLiteral("Pass phrase to generate hex key"));
  HexCode->setToolTip(QStringLiteral("Enter key as 16 hex characters (no spaces)"));
  HexCode->setLineWrapMode(QPlainTextEdit::NoWrap);
  HexCode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  HexCode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  HexCode->document()->setDocumentMargin(1);  // room for one line of digits in its 19 pixels
  Triad->setAlignment(Qt::AlignCenter);
  Triad->setFont(FontOf(kSansSerif, 18));
  GO->setFont(FontOf(kArial, 8.25));
  Results->setReadOnly(true);
  Results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  Label2->setBuddy(PassPhrase);
  Label1->setBuddy(HexCode);
  Label3->setBuddy(Ytext);
  Label4->setBuddy(StMntext);
  Label6->setBuddy(EnMnText);
  Label5->setBuddy(Triad);

  Place(Label2, 840, 240, 975, 255);
  Place(PassPhrase, 360, 600, 1935, 285);
  Place(Label1, 960, 960, 615, 255);
  Place(HexCode, 360, 1200, 1695, 285);
  Place(Label3, 480, 1800, 495, 255);
  Place(Ytext, 1200, 1680, 735, 285);
  Place(Label4, 240, 2280, 855, 375);
  Place(StMntext, 1200, 2280, 735, 285);
  Place(Label6, 120, 2880, 975, 255);
  Place(EnMnText, 1200, 2760, 735, 285);
  Place(Label5, 600, 3720, 1335, 255);
  Place(Triad, 360, 4080, 1695, 510);
  Place(GO, 600, 4920, 1095, 375);
  Place(Finish, 600, 5520, 1095, 375);
  Place(Results, 2640, 240, 2655, 6015);
  setFixedSize(5610 / kTwipsPerPixel, 6735 / kTwipsPerPixel);

  // Tab order: labels hold places in it but never take the focus.
  QWidget* const tabOrder[] = {PassPhrase, HexCode, Triad,    GO,      Results,
                               Finish,     Ytext,   StMntext, EnMnText};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
  PassPhrase->setFocus();

  connect(PassPhrase, &QLineEdit::textChanged, this, &Form1::PassPhrase_Change);
  connect(HexCode, &QPlainTextEdit::textChanged, this, &Form1::HexCode_Change);
  connect(GO, &QPushButton::clicked, this, &Form1::GO_Click);
  connect(Finish, &QPushButton::clicked, this, &Form1::Finish_Click);
  HexCode->viewport()->installEventFilter(this);

  Form_Load(commandLine, currentYear);
}

Form1::~Form1() = default;

void Form1::Rotate16Left(std::int32_t& x, std::int32_t count) { zorvane::Rotate16Left(x, count); }

void Form1::Rotate16Right(std::int32_t& x, std::int32_t count) { zorvane::Rotate16Right(x, count); }

QString Form1::FormatHex(std::int32_t x) { return QString::fromStdString(zorvane::FormatHex(x)); }

void Form1::DoKey() { KeyBytes = ReadKeyBytes(View(FieldText(HexCode))); }

void Form1::Form_Load(const QString& commandLine, int currentYear) {
  if (!commandLine.isEmpty()) SetFieldText(PassPhrase, commandLine);
  StopRequested = false;
  // Written with the place of a sign, as a blank before a year of 0 or more.
  Ytext->setText((currentYear >= 0 ? QStringLiteral(" ") : QString()) +
                 QString::number(currentYear));
}

void Form1::PassPhrase_Change() {
  const std::optional<std::string> key = DeriveKey(View(PassPhrase->text()));
  if (!key) return;
  KeyHex = *key;
  SetFieldText(HexCode, QString::fromStdString(KeyHex) + QStringLiteral("\r\n"));
  SetFieldText(Triad, QString());
  DoKey();
}

void Form1::HexCode_Change() {
  const QString text = FieldText(HexCode);
  const std::u16string kept = RemoveBlanks(View(text));
  if (kept.size() != static_cast<std::size_t>(text.size())) {
    // The caret stays after the same character it followed.
    const int caret = HexCode->textCursor().position();
    const auto blanksBefore = HexCode->toPlainText().left(caret).count(QLatin1Char(' '));
    SetFieldText(HexCode, FromView(kept));
    QTextCursor cursor = HexCode->textCursor();
    cursor.setPosition(caret - static_cast<int>(blanksBefore));
    HexCode->setTextCursor(cursor);
  }
  DoKey();
}

void Form1::HexCode_Click() { SetFieldText(PassPhrase, QString()); }

void Form1::GO_Click() {
  // A press during a search ends it at its next candidate; the search then starts over here,
  // with the fields as they stand, so searches never nest.
  if (searching_) {
    restartRequested_ = true;
    StopRequested = true;
    return;
  }
  searching_ = true;
  do {
    restartRequested_ = false;
    SearchDates();
  } while (restartRequested_ && !closing_);
  searching_ = false;
}

void Form1::Finish_Click() { StopRequested = true; }

void Form1::Form_Unload() {
  closing_ = true;
  StopRequested = true;  // a running search ends at its next candidate, and with it the program
}

void Form1::SearchDates() {
  Results->clear();
  PassPhrase->setEnabled(false);
  HexCode->setEnabled(false);
  SetFieldText(Triad, FromView(UpperCaseTriadText(View(Triad->text()))));

  const auto planned = PlanSearch(View(Triad->text()), View(Ytext->text()), View(StMntext->text()),
                                  View(EnMnText->text()));
  if (const auto* error = std::get_if<SearchError>(&planned)) {
    const std::string_view message = MessageFor(*error);
    Results->setPlainText(
        QString::fromLatin1(message.data(), static_cast<qsizetype>(message.size())));
    return;
  }
  SearchPacer pacer(*this);
  RunSearch(std::get<SearchPlan>(planned), KeyBytes, StopRequested, pacer);
  pacer.ShowPending();
}

void Form1::AppendResults(const QString& lines) {
  // Appended at the end without rebuilding the text; the view follows only a reader who is
  // already at the bottom.
  QScrollBar* bar = Results->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  QTextCursor end(Results->document());
  end.movePosition(QTextCursor::End);
  end.insertText(lines);
  if (following) bar->setValue(bar->maximum());
}

void Form1::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == HexCode->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    HexCode_Click();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zorvane
