// What the form needs of a window toolkit: the four field operations, and the toolkit's own
// upper-case form of a text.
#pragma once

#include <string>
#include <string_view>

namespace zorvane {

enum class Field { PassPhrase, HexCode, Ytext, StMntext, EnMnText, Triad, Results, Status };

// Texts are UTF-16, with CR LF between the lines of a multi-line field.
class FormFields {
 public:
  virtual ~FormFields() = default;

  virtual std::u16string Text(Field field) = 0;

  // A write that changes the text runs the field's change handling before it returns.
  virtual void SetText(Field field, std::u16string_view text) = 0;

  // Writes Text(field) + text without rebuilding what is already there.
  virtual void Append(Field field, std::u16string_view text) = 0;

  virtual void Disable(Field field) = 0;

  // Lets the window process its pending events once.
  virtual void ProcessEvents() = 0;

  virtual std::u16string UpperCase(std::u16string_view text) = 0;
};

}  // namespace zorvane
