// The window on Windows, in plain Win32: builds the controls from the layout table at the
// screen's DPI, gives the form its field operations and routes the controls' messages to the
// form's handlers. The event pass inside a search is one pass of the message pump.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "form/fields.h"
#include "form/form1.h"
#include "form/layout.h"

namespace zorvane {

class Win32Window final : private FormFields {
 public:
  // `commandLine` becomes the pass phrase when not empty; `currentYear` fills the year field.
  Win32Window(std::u16string_view commandLine, int currentYear);
  ~Win32Window() override;

  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  HWND handle() const { return window_; }
  // The control of that name in the layout table.
  HWND control(std::string_view name) const;
  Form1& form() { return form_; }

  // Dispatches messages, the dialog keys (Tab, Enter, Escape) included, until the window is
  // closed; returns the program's exit status.
  int RunMessageLoop();

 private:
  struct Control {
    const ControlLayout* layout;
    HWND handle;
  };

  std::u16string Text(Field field) override;
  void SetText(Field field, std::u16string_view text) override;
  void Append(Field field, std::u16string_view text) override;
  void Disable(Field field) override;
  void ProcessEvents() override;
  std::u16string UpperCase(std::u16string_view text) override;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l);
  static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                    DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT OnFieldMessage(HWND field, UINT message, WPARAM w, LPARAM l);
  void OnCommand(HWND from, WORD id, WORD code);
  // Runs a handler that may search, and carries out a close that came during the search.
  template <class Handler>
  void RunHandler(Handler handler);

  void CreateControls();
  void ApplyDpi(UINT dpi);
  std::optional<Field> FocusedField() const;
  bool Dispatch(MSG& message);

  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  std::vector<Control> controls_;
  std::map<Field, HWND> fields_;
  // The texts of the single-line fields as last read. Such a field reports every change of its
  // text, so a read needs the control again only after one; the search reads the triad often.
  std::map<Field, std::u16string> lineTexts_;
  std::vector<HFONT> fonts_;
  bool writing_ = false;  // the form's own writes run their change handling themselves
  bool destroyAfterSearch_ = false;
  std::optional<int> quitDuringSearch_;
  Form1 form_;
};

}  // namespace zorvane
