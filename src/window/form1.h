// The program's one window: the key fields, the search fields, Search and Stop, and the
// results. It owns the state and wires the events to the core's functions.
#pragma once

#include <QString>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <string>

#include "key/key_bytes.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorvane {

class Form1 : public QWidget {
  Q_OBJECT

 public:
  // `commandLine` becomes the pass phrase when not empty; `currentYear` fills the year field.
  Form1(const QString& commandLine, int currentYear, QWidget* parent = nullptr);
  ~Form1() override;

  void Rotate16Left(std::int32_t& x, std::int32_t count);
  void Rotate16Right(std::int32_t& x, std::int32_t count);
  QString FormatHex(std::int32_t x);
  void DoKey();

  // How long a search may run between two passes of the event loop; zero gives a pass at
  // every candidate.
  void setEventSlice(std::chrono::milliseconds slice) { eventSlice_ = slice; }
  bool isSearching() const { return searching_; }
  const zorvane::KeyBytes& keyBytes() const { return KeyBytes; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class SearchPacer;

  void Form_Load(const QString& commandLine, int currentYear);
  void PassPhrase_Change();
  void HexCode_Change();
  void HexCode_Click();
  void GO_Click();
  void Finish_Click();
  void Form_Unload();
  void SearchDates();
  void AppendResults(const QString& lines);

  QLabel* Label2;
  QLineEdit* PassPhrase;
  QLabel* Label1;
  QPlainTextEdit* HexCode;
  QLabel* Label3;
  QLineEdit* Ytext;
  QLabel* Label4;
  QLineEdit* StMntext;
  QLabel* Label6;
  QLineEdit* EnMnText;
  QLabel* Label5;
  QLineEdit* Triad;
  QPushButton* GO;
  QPushButton* Finish;
  QPlainTextEdit* Results;

  std::string KeyHex;
  zorvane::KeyBytes KeyBytes{};
  bool StopRequested = false;

  std::chrono::milliseconds eventSlice_{4};
  bool searching_ = false;
  bool restartRequested_ = false;
  bool closing_ = false;
};

}  // namespace zorvane
