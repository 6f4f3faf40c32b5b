#include "window/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

#include "form/caret.h"

namespace zorvane {
namespace {

constexpr wchar_t kClassName[] = L"ZorvaneForm1";
constexpr UINT_PTR kFieldSubclass = 1;
constexpr int kFirstControlId = 100;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

const wchar_t* Wide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

std::wstring WideString(std::u16string_view text) { return {text.begin(), text.end()}; }

int Scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

// The window's DPI where the system can tell it per window (Windows 10), else the screen's.
UINT DpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return dpi;
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT WindowRectFor(UINT dpi) {
  RECT rect = {0, 0, Scaled(kClientWidthTwips, dpi), Scaled(kClientHeightTwips, dpi)};
  AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
  return rect;
}

DWORD StyleOf(const ControlLayout& c) {
  const DWORD align = c.alignment == TextAlignment::Centre  ? DWORD{ES_CENTER}
                      : c.alignment == TextAlignment::Right ? DWORD{ES_RIGHT}
                                                            : DWORD{ES_LEFT};
  switch (c.kind) {
    case ControlKind::Label: {
      const DWORD labelAlign = c.alignment == TextAlignment::Centre  ? DWORD{SS_CENTER}
                               : c.alignment == TextAlignment::Right ? DWORD{SS_RIGHT}
                                                                     : DWORD{SS_LEFT};
      return WS_CHILD | WS_VISIBLE | SS_NOPREFIX | labelAlign;
    }
    case ControlKind::LineField:
      return WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | align;
    case ControlKind::MultiLineField:
      // The hex key has no scroll bars; Results scrolls up and down and is only read.
      return c.field == Field::Results ? WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                             ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY
                                       : WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE |
                                             ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_WANTRETURN;
    case ControlKind::Button:
      return WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
  }
  return WS_CHILD | WS_VISIBLE;
}

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return WC_STATICW;
    case ControlKind::Button:
      return WC_BUTTONW;
    default:
      return WC_EDITW;
  }
}

// An edit control's text as it stands: its lines end in CR LF.
std::u16string WindowText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
  return {text.begin(), text.end()};
}

// Runs `write` with the control's drawing held back, then has the control drawn once, at the
// next event pass. Wine's theme takes milliseconds to draw a scroll bar, and an edit control
// redraws its scroll bar at every change of its text.
template <class Write>
void WriteUndrawn(HWND control, Write write) {
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  write();
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(control, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
}

}  // namespace

Win32Window::Win32Window(std::u16string_view commandLine, int currentYear) : form_(*this) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX common = {};
  common.dwSize = sizeof common;
  common.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&common);
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when a window made it before

  const RECT rect = WindowRectFor(96);
  window_ = CreateWindowExW(0, kClassName, Wide(kWindowCaption), kWindowStyle, CW_USEDEFAULT,
                            CW_USEDEFAULT, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                            nullptr, instance, this);
  CreateControls();
  ApplyDpi(DpiOf(window_));
  SetFocus(fields_.at(Field::PassPhrase));
  form_.Form_Load(commandLine, currentYear);
}

Win32Window::~Win32Window() {
  if (IsWindow(window_)) DestroyWindow(window_);
  if (tooltip_ != nullptr && IsWindow(tooltip_)) DestroyWindow(tooltip_);
  for (const HFONT font : fonts_) DeleteObject(font);
}

void Win32Window::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  // Windows keeps the tab order in the order controls are made; labels hold their places in
  // it, and the status line, which has none, comes last.
  std::vector<const ControlLayout*> order;
  for (const ControlLayout& c : kLayout) order.push_back(&c);
  std::stable_sort(order.begin(), order.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return static_cast<unsigned>(a->tab) < static_cast<unsigned>(b->tab);
  });
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr);
  for (const ControlLayout* c : order) {
    const auto id = static_cast<std::size_t>(kFirstControlId + (c - kLayout.data()));
    const DWORD extended =
        c->kind == ControlKind::LineField || c->kind == ControlKind::MultiLineField
            ? WS_EX_CLIENTEDGE
            : 0;
    const HWND handle =
        CreateWindowExW(extended, ClassOf(c->kind), WideString(c->text).c_str(), StyleOf(*c), 0, 0,
                        0, 0, window_, reinterpret_cast<HMENU>(id), instance, nullptr);
    controls_.push_back({c, handle});
    if (c->field) fields_[*c->field] = handle;
    if (c->kind == ControlKind::LineField || c->kind == ControlKind::MultiLineField) {
      SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // no limit
      SetWindowSubclass(handle, FieldProc, kFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
    if (!c->tooltip.empty()) {
      const std::wstring tip = WideString(c->tooltip);
      TTTOOLINFOW tool = {};
      tool.cbSize = sizeof tool;
      tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.hwnd = window_;
      tool.uId = reinterpret_cast<UINT_PTR>(handle);
      tool.lpszText = const_cast<wchar_t*>(tip.c_str());
      SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
  }
}

void Win32Window::ApplyDpi(UINT dpi) {
  const RECT outer = WindowRectFor(dpi);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const HFONT font : fonts_) DeleteObject(font);
  fonts_.clear();
  for (const Control& c : controls_) {
    const TwipsRect& r = c.layout->twips;
    MoveWindow(c.handle, Scaled(r.left, dpi), Scaled(r.top, dpi), Scaled(r.width, dpi),
               Scaled(r.height, dpi), TRUE);
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(static_cast<int>(c.layout->font.points * 100 + 0.5),
                            static_cast<int>(dpi), 72 * 100);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    const std::wstring family = WideString(c.layout->font.family);
    family.copy(font.lfFaceName, LF_FACESIZE - 1);
    const HFONT handle = CreateFontIndirectW(&font);
    fonts_.push_back(handle);
    SendMessageW(c.handle, WM_SETFONT, reinterpret_cast<WPARAM>(handle), TRUE);
  }
}

HWND Win32Window::control(std::string_view name) const {
  for (const Control& c : controls_) {
    if (c.layout->name == name) return c.handle;
  }
  return nullptr;
}

std::u16string Win32Window::Text(Field field) {
  const HWND handle = fields_.at(field);
  if (LayoutOf(field).kind != ControlKind::LineField) return WindowText(handle);
  const auto known = lineTexts_.find(field);
  if (known != lineTexts_.end()) return known->second;
  return lineTexts_[field] = WindowText(handle);
}

void Win32Window::SetText(Field field, std::u16string_view text) {
  const HWND handle = fields_.at(field);
  const std::u16string before = WindowText(handle);
  if (before == text) return;
  DWORD start = 0, end = 0;
  SendMessageW(handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto write = [&] {
    writing_ = true;
    SetWindowTextW(handle, WideString(text).c_str());
    writing_ = false;
    const auto caret = static_cast<WPARAM>(CaretAfterRewrite(before, end, text));
    if (field != Field::Status) SendMessageW(handle, EM_SETSEL, caret, static_cast<LPARAM>(caret));
  };
  if (field == Field::Results) {
    WriteUndrawn(handle, write);
  } else {
    write();
  }
  lineTexts_.erase(field);
  // Windows reports a program's writes into a multi-line field to nobody, so every write runs
  // the field's change handling here, the same way for all fields.
  if (field == Field::PassPhrase) form_.PassPhrase_Change();
  if (field == Field::HexCode) form_.HexCode_Change();
}

void Win32Window::Append(Field field, std::u16string_view text) {
  const HWND handle = fields_.at(field);
  // The view follows only a reader who is already at the bottom, and a selection stays.
  SCROLLINFO bar = {};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_ALL;
  GetScrollInfo(handle, SB_VERT, &bar);
  // At the bottom the last line, the empty one after the final line break, is in view.
  const bool following = bar.nPos + static_cast<int>(bar.nPage) > bar.nMax;
  const auto firstVisible = SendMessageW(handle, EM_GETFIRSTVISIBLELINE, 0, 0);
  DWORD start = 0, end = 0;
  SendMessageW(handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const auto length = static_cast<WPARAM>(GetWindowTextLengthW(handle));
  WriteUndrawn(handle, [&] {
    writing_ = true;
    SendMessageW(handle, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(handle, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(WideString(text).c_str()));
    writing_ = false;
    if (following) {
      const auto last = static_cast<WPARAM>(GetWindowTextLengthW(handle));
      SendMessageW(handle, EM_SETSEL, last, static_cast<LPARAM>(last));
      SendMessageW(handle, EM_SCROLLCARET, 0, 0);
    } else {
      SendMessageW(handle, EM_SETSEL, start, static_cast<LPARAM>(end));
      SendMessageW(handle, EM_LINESCROLL, 0,
                   firstVisible - SendMessageW(handle, EM_GETFIRSTVISIBLELINE, 0, 0));
    }
  });
}

void Win32Window::Disable(Field field) { EnableWindow(fields_.at(field), FALSE); }

void Win32Window::ProcessEvents() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Ends the search, and the program once the search has returned.
      quitDuringSearch_ = static_cast<int>(message.wParam);
      form_.Form_Unload();
      return;
    }
    Dispatch(message);
  }
}

std::u16string Win32Window::UpperCase(std::u16string_view text) {
  std::wstring upper = WideString(text);
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  return {upper.begin(), upper.end()};
}

bool Win32Window::Dispatch(MSG& message) {
  if (IsWindow(window_) && IsDialogMessageW(window_, &message)) return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return false;
}

int Win32Window::RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

std::optional<Field> Win32Window::FocusedField() const {
  const HWND focused = GetFocus();
  for (const auto& [field, handle] : fields_) {
    if (handle == focused) return field;
  }
  return std::nullopt;
}

template <class Handler>
void Win32Window::RunHandler(Handler handler) {
  handler();
  if (form_.isSearching()) return;  // a nested press: the search that runs carries on
  if (destroyAfterSearch_) {
    destroyAfterSearch_ = false;
    DestroyWindow(window_);
  }
  if (quitDuringSearch_) {
    PostQuitMessage(*quitDuringSearch_);
    quitDuringSearch_.reset();
  }
}

void Win32Window::OnCommand(HWND from, WORD id, WORD code) {
  // The dialog keys: Enter and Escape in any control arrive as these two commands.
  const HWND focused = GetFocus();
  if (id == IDOK && (focused == control("GO") || focused == control("Finish"))) {
    SendMessageW(focused, BM_CLICK, 0, 0);  // Enter presses the focused button
    return;
  }
  if (id == IDOK || id == IDCANCEL) {
    const FormKey key = id == IDOK ? FormKey::Enter : FormKey::Escape;
    RunHandler([&] { form_.Form_KeyPress(FocusedField(), key); });
    return;
  }
  if (from == control("GO") && code == BN_CLICKED) RunHandler([&] { form_.GO_Click(); });
  if (from == control("Finish") && code == BN_CLICKED) form_.Finish_Click();
  if (code == EN_CHANGE) {
    for (const auto& [field, handle] : fields_) {
      if (handle == from) lineTexts_.erase(field);
    }
  }
  if (code == EN_CHANGE && !writing_) {
    if (from == fields_.at(Field::PassPhrase)) form_.PassPhrase_Change();
    if (from == fields_.at(Field::HexCode)) form_.HexCode_Change();
  }
}

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self != nullptr ? self->OnMessage(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT Win32Window::OnMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(reinterpret_cast<HWND>(l), LOWORD(w), HIWORD(w));
      return 0;
    case WM_CLOSE:
      form_.Form_Unload();
      // During a search the window goes at once and is destroyed once the search has ended.
      if (form_.isSearching()) {
        ShowWindow(window_, SW_HIDE);
        destroyAfterSearch_ = true;
      } else {
        DestroyWindow(window_);
      }
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      PostQuitMessage(0);
      return 0;
    case WM_DPICHANGED: {
      // Where the system suggests; the size follows from the new DPI.
      const auto* suggested = reinterpret_cast<const RECT*>(l);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyDpi(HIWORD(w));
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, w, l);
  }
}

LRESULT CALLBACK Win32Window::FieldProc(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                        DWORD_PTR self) {
  return reinterpret_cast<Win32Window*>(self)->OnFieldMessage(field, message, w, l);
}

LRESULT Win32Window::OnFieldMessage(HWND field, UINT message, WPARAM w, LPARAM l) {
  const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  switch (message) {
    case WM_GETDLGCODE: {
      // Multi-line fields would take every key; Tab and Escape belong to the window, and so
      // does Enter in Results, which cannot take a line break.
      LRESULT code = DefSubclassProc(field, message, w, l);
      const auto* key = reinterpret_cast<const MSG*>(l);
      if (key != nullptr && key->message == WM_KEYDOWN &&
          (key->wParam == VK_TAB || key->wParam == VK_ESCAPE ||
           (key->wParam == VK_RETURN && field == fields_.at(Field::Results)))) {
        code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
      }
      return code;
    }
    case WM_KEYDOWN:
      if (control && w == 'A') {
        SendMessageW(field, EM_SETSEL, 0, -1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (w == 1) return 0;  // Ctrl+A typed as a character
      break;
    case WM_LBUTTONUP:
      if (field == fields_.at(Field::HexCode)) {
        const LRESULT result = DefSubclassProc(field, message, w, l);
        form_.HexCode_Click();
        return result;
      }
      break;
    case WM_SETREDRAW: {
      // Wine's edit control ignores the message; the default handling, which the Windows one
      // runs as well, keeps a control from drawing by taking its visible style away.
      const LRESULT result = DefSubclassProc(field, message, w, l);
      DefWindowProcW(field, message, w, l);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(field, FieldProc, kFieldSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(field, message, w, l);
}

}  // namespace zorvane
