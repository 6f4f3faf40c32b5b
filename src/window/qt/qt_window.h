// The window on Qt: builds the controls from the layout table, gives the form its field
// operations and routes the controls' events to the form's handlers.
#pragma once

#include <QString>
#include <QWidget>
#include <map>

#include "form/fields.h"
#include "form/form1.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorvane {

class QtWindow : public QWidget, private FormFields {
  Q_OBJECT

 public:
  // `commandLine` becomes the pass phrase when not empty; `currentYear` fills the year field.
  QtWindow(const QString& commandLine, int currentYear, QWidget* parent = nullptr);
  ~QtWindow() override;

  Form1& form() { return form_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::u16string Text(Field field) override;
  void SetText(Field field, std::u16string_view text) override;
  void Append(Field field, std::u16string_view text) override;
  void Disable(Field field) override;
  void ProcessEvents() override;
  std::u16string UpperCase(std::u16string_view text) override;

  QWidget* Control(Field field) const;

  Form1 form_;
  std::map<Field, QLineEdit*> lineFields_;
  std::map<Field, QPlainTextEdit*> multiLineFields_;
  QLabel* status_ = nullptr;
};

}  // namespace zorvane
