// The program's one window without its toolkit: the handlers, the state they share and the
// pacing of a running search. A binding (Qt, Win32) builds the controls and routes their events
// here; all the behaviour lives in this class.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form/fields.h"
#include "key/key_bytes.h"

namespace zorvane {

enum class FormKey { Enter, Escape };

class Form1 {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  explicit Form1(FormFields& fields, Clock clock = std::chrono::steady_clock::now);

  // The handlers, named after their control and event.
  void Form_Load(std::u16string_view commandLine, int currentYear);
  void PassPhrase_Change();
  void HexCode_Change();
  void HexCode_Click();
  void GO_Click();
  void Finish_Click();
  void Form_Unload();
  // Enter in the triad, year and month fields runs Search, and Escape stops a running search.
  // True when the key was used here, so that the focused control does not also act on it.
  bool Form_KeyPress(std::optional<Field> focused, FormKey key);

  void Rotate16Left(std::int32_t& x, std::int32_t count);
  void Rotate16Right(std::int32_t& x, std::int32_t count);
  std::string FormatHex(std::int32_t x);
  void DoKey();

  // How long a search may run between two passes of event processing; zero gives a pass at
  // every candidate.
  void setEventSlice(std::chrono::milliseconds slice) { eventSlice_ = slice; }
  bool isSearching() const { return searching_; }
  bool isClosing() const { return closing_; }
  const zorvane::KeyBytes& keyBytes() const { return KeyBytes; }

 private:
  class SearchPacer;

  void SearchDates();

  FormFields& fields_;
  Clock clock_;

  std::string KeyHex;
  zorvane::KeyBytes KeyBytes{};
  bool StopRequested = false;

  std::chrono::milliseconds eventSlice_{4};
  bool searching_ = false;
  bool restartRequested_ = false;
  bool closing_ = false;
};

// The status line's texts.
std::u16string FoundText(std::uint64_t minutes);
std::u16string StoppedText(std::uint64_t minutes);
inline constexpr std::u16string_view kSearchingText = u"Searching...";

}  // namespace zorvane
