#include "window/qt/qt_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <limits>

#include "form/caret.h"
#include "form/layout.h"

namespace zorvane {
namespace {

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string ToU16(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Positions and sizes are in twips, 15 to a device-independent pixel.
constexpr int kTwipsPerPixel = kTwipsPerInch / 96;

QRect PixelsOf(const TwipsRect& r) {
  return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
          r.height / kTwipsPerPixel};
}

Qt::Alignment AlignmentOf(TextAlignment a) {
  switch (a) {
    case TextAlignment::Centre:
      return Qt::AlignHCenter;
    case TextAlignment::Right:
      return Qt::AlignRight;
    case TextAlignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

// The window's own families first, then metric-compatible free ones, then any sans serif.
QFont FontOf(const FontSpec& wanted) {
  const QString family = FromView(wanted.family);
  QStringList families{family};
  if (family == QLatin1String("MS Sans Serif")) families << QStringLiteral("Microsoft Sans Serif");
  QFont font;
  font.setFamilies(families + QStringList{QStringLiteral("Liberation Sans"),
                                          QStringLiteral("Arimo"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(wanted.points);
  // MS Sans Serif runs about 6% narrower than the Arial-like fonts that stand in for it; the
  // layout was drawn for its widths, so a stand-in is narrowed to them.
  if (families.size() > 1 && !families.contains(QFontInfo(font).family())) font.setStretch(94);
  return font;
}

// Multi-line fields hold line feeds; the form sees and writes their line breaks as CR LF.
QString WithLineFeeds(std::u16string_view text) {
  return FromView(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

QtWindow::QtWindow(const QString& commandLine, int currentYear, QWidget* parent)
    : QWidget(parent), form_(*this) {
  setWindowTitle(FromView(kWindowCaption));
  setFont(FontOf(kDefaultFont));

  std::map<Field, QWidget*> byField;
  std::vector<std::pair<QLabel*, Field>> captions;
  for (const ControlLayout& c : kLayout) {
    QWidget* control = nullptr;
    const QString text = FromView(c.text);
    switch (c.kind) {
      case ControlKind::Label: {
        auto* label = new QLabel(text, this);
        label->setAlignment(AlignmentOf(c.alignment) | Qt::AlignTop);
        label->setWordWrap(true);
        if (c.names) captions.emplace_back(label, *c.names);
        if (c.field == Field::Status) status_ = label;
        control = label;
        break;
      }
      case ControlKind::LineField: {
        auto* edit = new QLineEdit(text, this);
        edit->setAlignment(AlignmentOf(c.alignment));
        edit->setMaxLength(std::numeric_limits<int>::max());
        lineFields_[*c.field] = edit;
        control = edit;
        break;
      }
      case ControlKind::MultiLineField: {
        auto* edit = new QPlainTextEdit(text, this);
        edit->setTabChangesFocus(true);
        multiLineFields_[*c.field] = edit;
        control = edit;
        break;
      }
      case ControlKind::Button:
        control = new QPushButton(text, this);
        break;
    }
    control->setObjectName(QLatin1String(c.name.data(), static_cast<qsizetype>(c.name.size())));
    control->setGeometry(PixelsOf(c.twips));
    if (c.font.family != kDefaultFont.family || c.font.points != kDefaultFont.points) {
      control->setFont(FontOf(c.font));
    }
    if (!c.tooltip.empty()) control->setToolTip(FromView(c.tooltip));
    if (c.field) byField[*c.field] = control;
  }
  for (const auto& [label, field] : captions) label->setBuddy(byField.at(field));
  setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);

  QPlainTextEdit* hexCode = multiLineFields_.at(Field::HexCode);
  hexCode->setLineWrapMode(QPlainTextEdit::NoWrap);
  hexCode->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  hexCode->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  hexCode->document()->setDocumentMargin(1);  // room for one line of digits in its 19 pixels
  QPlainTextEdit* results = multiLineFields_.at(Field::Results);
  results->setReadOnly(true);
  results->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  // Labels hold places in the tab order but never take the focus.
  const auto order = FocusOrder();
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(findChild<QWidget*>(QLatin1String(order[i - 1]->name.data())),
                findChild<QWidget*>(QLatin1String(order[i]->name.data())));
  }
  lineFields_.at(Field::PassPhrase)->setFocus();

  connect(lineFields_.at(Field::PassPhrase), &QLineEdit::textChanged, this,
          [this] { form_.PassPhrase_Change(); });
  connect(hexCode, &QPlainTextEdit::textChanged, this, [this] { form_.HexCode_Change(); });
  connect(findChild<QPushButton*>(QStringLiteral("GO")), &QPushButton::clicked, this,
          [this] { form_.GO_Click(); });
  connect(findChild<QPushButton*>(QStringLiteral("Finish")), &QPushButton::clicked, this,
          [this] { form_.Finish_Click(); });
  for (const auto& [field, edit] : lineFields_) {
    connect(edit, &QLineEdit::returnPressed, this,
            [this, field = field] { form_.Form_KeyPress(field, FormKey::Enter); });
  }
  hexCode->viewport()->installEventFilter(this);

  form_.Form_Load(ToU16(commandLine), currentYear);
}

QtWindow::~QtWindow() = default;

QWidget* QtWindow::Control(Field field) const {
  if (const auto line = lineFields_.find(field); line != lineFields_.end()) return line->second;
  if (const auto multi = multiLineFields_.find(field); multi != multiLineFields_.end()) {
    return multi->second;
  }
  return status_;
}

std::u16string QtWindow::Text(Field field) {
  if (const auto line = lineFields_.find(field); line != lineFields_.end()) {
    return ToU16(line->second->text());
  }
  if (const auto multi = multiLineFields_.find(field); multi != multiLineFields_.end()) {
    return ToU16(multi->second->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
  }
  return ToU16(status_->text());
}

void QtWindow::SetText(Field field, std::u16string_view text) {
  if (const auto line = lineFields_.find(field); line != lineFields_.end()) {
    const QString value = FromView(text);
    if (line->second->text() != value) line->second->setText(value);
    return;
  }
  if (const auto multi = multiLineFields_.find(field); multi != multiLineFields_.end()) {
    QPlainTextEdit* edit = multi->second;
    const QString value = WithLineFeeds(text);
    const QString before = edit->toPlainText();
    if (before == value) return;
    const auto caret = static_cast<std::size_t>(edit->textCursor().position());
    edit->setPlainText(value);
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(static_cast<int>(CaretAfterRewrite(ToU16(before), caret, ToU16(value))));
    edit->setTextCursor(cursor);
    return;
  }
  status_->setText(FromView(text));
}

void QtWindow::Append(Field field, std::u16string_view text) {
  QPlainTextEdit* edit = multiLineFields_.at(field);
  // The view follows only a reader who is already at the bottom.
  QScrollBar* bar = edit->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();
  QTextCursor end(edit->document());
  end.movePosition(QTextCursor::End);
  end.insertText(WithLineFeeds(text));
  if (following) bar->setValue(bar->maximum());
}

void QtWindow::Disable(Field field) { Control(field)->setEnabled(false); }

void QtWindow::ProcessEvents() { QCoreApplication::processEvents(); }

std::u16string QtWindow::UpperCase(std::u16string_view text) {
  return ToU16(FromView(text).toUpper());
}

void QtWindow::closeEvent(QCloseEvent* event) {
  form_.Form_Unload();
  event->accept();
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  // Escape when the focused control leaves it unused.
  if (event->key() == Qt::Key_Escape && form_.Form_KeyPress(std::nullopt, FormKey::Escape)) return;
  QWidget::keyPressEvent(event);
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == multiLineFields_.at(Field::HexCode)->viewport() &&
      event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    form_.HexCode_Click();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zorvane
