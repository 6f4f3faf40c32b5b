// Drives the native window in-process with window messages, as the user's keys and clicks
// would arrive; runs under Wine on a virtual display.
#include "window/win32/win32_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "key/pass_phrase.h"
#include "results_text.h"
#include "row_name.h"
#include "timecode/search.h"

namespace zorvane {
namespace {

using namespace std::chrono_literals;

std::u16string KeyLine(std::u16string_view phrase) {
  const std::string key = *DeriveKey(phrase);
  return std::u16string(key.begin(), key.end()) + u"\r\n";
}

class Win32WindowTest : public testing::Test {
 protected:
  void TearDown() override {
    window.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void Open(std::u16string_view commandLine = u"") {
    window = std::make_unique<Win32Window>(commandLine, 2026);
    ShowWindow(window->handle(), SW_SHOW);
    UpdateWindow(window->handle());
  }

  HWND Control(const char* name) const { return window->control(name); }

  std::u16string Text(const char* name) const {
    const HWND control = Control(name);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return {text.begin(), text.end()};
  }

  LRESULT FirstLineInView(const char* name) const {
    return SendMessageW(Control(name), EM_GETFIRSTVISIBLELINE, 0, 0);
  }

  // A whole text put in at once, as a paste would.
  void Put(const char* name, std::u16string_view text) {
    const std::wstring wide(text.begin(), text.end());
    SendMessageW(Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }

  void Type(const char* name, std::u16string_view text) {
    for (const char16_t c : text) SendMessageW(Control(name), WM_CHAR, c, 1);
  }

  void Press(const char* name) { SendMessageW(Control(name), BM_CLICK, 0, 0); }

  void ClickInto(const char* name) {
    SendMessageW(Control(name), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(Control(name), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }

  // A key as the message pump sees it, through the window's dialog keys.
  void Key(const char* name, WPARAM key) {
    SetFocus(Control(name));
    PostMessageW(Control(name), WM_KEYDOWN, key, 1);
    PostMessageW(Control(name), WM_KEYUP, key, 0xC0000001);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(window->handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }

  // The counting key typed into the hex key field, and the search fields filled.
  void Prepare(std::u16string_view triad, std::u16string_view year, std::u16string_view first,
               std::u16string_view last) {
    Open();
    ClickInto("HexCode");
    Type("HexCode", kCountingKey);
    Put("Triad", triad);
    Put("Ytext", year);
    Put("StMntext", first);
    Put("EnMnText", last);
  }

  // Runs `action` each time result lines have been put into Results, until it returns true.
  void WhileAppending(std::function<bool()> action) {
    atAppend = std::move(action);
    SetWindowSubclass(Control("Results"), WatchResults, 1, reinterpret_cast<DWORD_PTR>(this));
  }

  void AtFirstMatch(std::function<void()> action) {
    WhileAppending([action = std::move(action)] {
      action();
      return true;
    });
  }

  static LRESULT CALLBACK WatchResults(HWND field, UINT message, WPARAM w, LPARAM l, UINT_PTR,
                                       DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(field, message, w, l);
    auto* test = reinterpret_cast<Win32WindowTest*>(self);
    if (message == EM_REPLACESEL && test->atAppend && test->atAppend()) test->atAppend = nullptr;
    return result;
  }

  std::unique_ptr<Win32Window> window;
  std::function<bool()> atAppend;
};

TEST_F(Win32WindowTest, StartsWithTheDefaults) {
  Open();
  EXPECT_EQ(Text("Ytext"), u" 2026");
  EXPECT_EQ(Text("StMntext"), u"1");
  EXPECT_EQ(Text("EnMnText"), u"12");
  EXPECT_EQ(Text("HexCode"), u"");
  EXPECT_EQ(window->form().keyBytes(), KeyBytes{});
  wchar_t caption[64];
  GetWindowTextW(window->handle(), caption, 64);
  EXPECT_STREQ(caption, L"Dates for a specified Timecode");
  EXPECT_EQ(GetFocus(), Control("PassPhrase"));
}

TEST_F(Win32WindowTest, TakesThePassPhraseFromTheCommandLine) {
  Open(u"blue harbour lantern");
  EXPECT_EQ(Text("PassPhrase"), u"blue harbour lantern");
  EXPECT_EQ(Text("HexCode"), KeyLine(u"blue harbour lantern"));
  EXPECT_EQ(FirstLineInView("HexCode"), 0);  // the key, not the empty line after it
  EXPECT_EQ(window->form().keyBytes(), ReadKeyBytes(KeyLine(u"blue harbour lantern")));
  EXPECT_EQ(Text("Triad"), u"");
}

TEST_F(Win32WindowTest, DerivesTheKeyAtEveryKeystroke) {
  Open();
  Put("Triad", u"BAG");
  std::u16string typed;
  for (const char16_t c : std::u16string_view(u"Tr\u00e8s bien")) {
    Type("PassPhrase", std::u16string(1, c));
    typed += c;
    ASSERT_EQ(Text("HexCode"), KeyLine(typed));
    EXPECT_EQ(FirstLineInView("HexCode"), 0);
    EXPECT_EQ(Text("Triad"), u"");
  }
  EXPECT_EQ(window->form().keyBytes(), ReadKeyBytes(KeyLine(typed)));
}

TEST_F(Win32WindowTest, TypedKeyLosesItsBlanksAndKeepsTheCaretAtItsEnd) {
  Open();
  ClickInto("HexCode");
  Type("HexCode", u"0123 4567 89AB CDEF");
  EXPECT_EQ(Text("HexCode"), kCountingKey);
  DWORD start = 0, end = 0;
  SendMessageW(Control("HexCode"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end, 16u);
  EXPECT_EQ(window->form().keyBytes(), ReadKeyBytes(kCountingKey));
}

TEST_F(Win32WindowTest, KeyTypedOnTwoLinesKeepsItsLineBreak) {
  Open();
  Type("HexCode", u"01234567\r89ABCDEF");
  EXPECT_EQ(Text("HexCode"), u"01234567\r\n89ABCDEF");
  EXPECT_EQ(window->form().keyBytes(), ReadKeyBytes(u"01234567\r\n89ABCDEF"));
}

TEST_F(Win32WindowTest, ClickIntoTheHexKeyClearsThePassPhraseButKeepsTheKey) {
  Open(u"secret");
  const KeyBytes key = window->form().keyBytes();
  ClickInto("HexCode");
  EXPECT_EQ(Text("PassPhrase"), u"");
  EXPECT_EQ(Text("HexCode"), KeyLine(u"secret"));
  EXPECT_EQ(window->form().keyBytes(), key);
}

TEST_F(Win32WindowTest, PassPhraseHasNoLengthLimit) {
  Open();
  const std::u16string phrase(40000, u'x');
  Put("PassPhrase", phrase);
  EXPECT_EQ(Text("PassPhrase").size(), phrase.size());
  EXPECT_EQ(Text("HexCode"), KeyLine(phrase));
}

struct SearchCase {
  const char* name;
  std::u16string triad;
  std::u16string shownTriad;
  std::u16string error;  // else the core's results for February 2016
};

class Win32SearchTest : public Win32WindowTest, public testing::WithParamInterface<SearchCase> {};

TEST_P(Win32SearchTest, ShowsTheResultsAndLocksTheKey) {
  const SearchCase& c = GetParam();
  Prepare(c.triad, u" 2016", u"2", u"2");
  Press("GO");
  EXPECT_EQ(Text("Triad"), c.shownTriad);
  const std::u16string results = c.error.empty() ? CoreResults("BAG", 2016, 2, 2) : c.error;
  EXPECT_EQ(Text("Results"), results);
  const auto lines = static_cast<std::uint64_t>(std::count(results.begin(), results.end(), u'\n'));
  EXPECT_EQ(Text("Status"), c.error.empty() ? FoundText(lines) : u"");
  EXPECT_FALSE(IsWindowEnabled(Control("PassPhrase")));
  EXPECT_FALSE(IsWindowEnabled(Control("HexCode")));
  EXPECT_TRUE(IsWindowEnabled(Control("GO")));
}

INSTANTIATE_TEST_SUITE_P(
    Triads, Win32SearchTest,
    testing::Values(SearchCase{"LowerCaseUpperCased", u"bag", u"BAG", u""},
                    SearchCase{"WholeTextUpperCased", u"b\u00e4g", u"B\u00c4G", u"Invalid Triad"},
                    SearchCase{"MiddleNotAVowel", u"BBB", u"BBB", u"Invalid Triad"}),
    RowName());

TEST_F(Win32WindowTest, EnterInTheTriadSearchesAndEscapeStops) {
  Prepare(u"bag", u"2016", u"2", u"2");
  Key("Triad", VK_RETURN);
  const std::u16string all = CoreResults("BAG", 2016, 2, 2);
  EXPECT_EQ(Text("Results"), all);

  window->form().setEventSlice(0ms);
  AtFirstMatch([this] { PostMessageW(Control("EnMnText"), WM_KEYDOWN, VK_ESCAPE, 1); });
  Key("EnMnText", VK_RETURN);
  EXPECT_EQ(Text("Results"), FirstLine(all));
  EXPECT_EQ(Text("Status"), u"Stopped after 1 minute");
}

TEST_F(Win32WindowTest, StopEndsTheSearchAtTheNextCandidate) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  window->form().setEventSlice(0ms);
  std::u16string statusWhileRunning;
  AtFirstMatch([this, &statusWhileRunning] {
    statusWhileRunning = Text("Status");
    PostMessageW(Control("Finish"), BM_CLICK, 0, 0);
  });
  Press("GO");
  const std::u16string all = CoreResults("BAG", 2016, 2, 2);
  EXPECT_EQ(statusWhileRunning, u"Searching...");
  EXPECT_EQ(Text("Results"), FirstLine(all));
  window->form().setEventSlice(4ms);  // a pass per candidate is slow under Wine
  Press("GO");
  EXPECT_EQ(Text("Results"), all);
}

TEST_F(Win32WindowTest, ClosingDuringASearchEndsTheProgramWithStatusZero) {
  Prepare(u"BAG", u"2016", u"1", u"12");
  window->form().setEventSlice(0ms);
  std::u16string resultsAtClose;
  AtFirstMatch([this, &resultsAtClose] {
    resultsAtClose = Text("Results");
    PostMessageW(window->handle(), WM_CLOSE, 0, 0);
  });
  PostMessageW(Control("GO"), BM_CLICK, 0, 0);
  const HWND handle = window->handle();
  EXPECT_EQ(window->RunMessageLoop(), 0);
  EXPECT_FALSE(IsWindow(handle));
  EXPECT_EQ(std::count(resultsAtClose.begin(), resultsAtClose.end(), u'\n'), 1);
  EXPECT_FALSE(window->form().isSearching());
}

struct ReaderCase {
  const char* name;
  bool scrollsUp;
};

class Win32ReaderTest : public Win32WindowTest, public testing::WithParamInterface<ReaderCase> {};

// Lines come one at a time; once Results can scroll, the reader either stays at the bottom or
// goes to the top and selects a word there.
TEST_P(Win32ReaderTest, AppendingKeepsTheReadersPlace) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  window->form().setEventSlice(0ms);
  const HWND results = Control("Results");
  const auto bar = [results] {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(results, SB_VERT, &info);
    return info;
  };
  WhileAppending([&] {
    if (const SCROLLINFO now = bar(); now.nMax < static_cast<int>(now.nPage)) return false;
    if (GetParam().scrollsUp) {
      PostMessageW(results, WM_VSCROLL, SB_TOP, 0);
      PostMessageW(results, EM_SETSEL, 0, 4);
    }
    return true;
  });
  Press("GO");
  ASSERT_EQ(Text("Results"), CoreResults("BAG", 2016, 2, 2));
  const SCROLLINFO after = bar();
  DWORD start = 0, end = 0;
  SendMessageW(results, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  if (GetParam().scrollsUp) {
    EXPECT_EQ(after.nPos, 0);
    EXPECT_EQ(FirstLineInView("Results"), 0);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{0}, DWORD{4}));
  } else {
    EXPECT_GT(after.nPos + static_cast<int>(after.nPage), after.nMax);
    EXPECT_EQ(start, Text("Results").size());
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, Win32ReaderTest,
                         testing::Values(ReaderCase{"ViewFollowsAReaderAtTheBottom", false},
                                         ReaderCase{"ViewStaysWhereTheReaderScrolled", true}),
                         RowName());

TEST_F(Win32WindowTest, ControlAThenControlCCopiesTheResults) {
  Prepare(u"BAG", u"2016", u"2", u"2");
  Press("GO");
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(Control("Results"), WM_KEYDOWN, 'A', 1);
  SendMessageW(Control("Results"), WM_CHAR, 1, 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  DWORD start = 0, end = 0;
  SendMessageW(Control("Results"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, Text("Results").size());
  SendMessageW(Control("Results"), WM_COPY, 0, 0);
  ASSERT_TRUE(OpenClipboard(window->handle()));
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const std::wstring copied(static_cast<const wchar_t*>(GlobalLock(data)));
  GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(std::u16string(copied.begin(), copied.end()), CoreResults("BAG", 2016, 2, 2));
}

// Left, top, width and height in twips, at 96 dots per inch 15 to a pixel.
struct PlaceCase {
  const char* name;
  RECT pixels;
};

class Win32LayoutTest : public Win32WindowTest,
                        public testing::WithParamInterface<ControlLayout> {};

// The screen's dots per inch: 96, or what the test is run at.
int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

int Pixels(int twips) { return MulDiv(twips, ScreenDpi(), 1440); }

TEST_P(Win32LayoutTest, PlacesTheControlAsTheTableSays) {
  Open();
  const ControlLayout& c = GetParam();
  RECT rect;
  GetWindowRect(Control(std::string(c.name).c_str()), &rect);
  MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, Pixels(c.twips.left));
  EXPECT_EQ(rect.top, Pixels(c.twips.top));
  EXPECT_EQ(rect.right - rect.left, Pixels(c.twips.width));
  EXPECT_EQ(rect.bottom - rect.top, Pixels(c.twips.height));
  // The font of the table: at 96 dots per inch 8.25 points are 11 pixels and 18 points 24.
  LOGFONTW font;
  const auto handle =
      reinterpret_cast<HFONT>(SendMessageW(Control(std::string(c.name).c_str()), WM_GETFONT, 0, 0));
  ASSERT_TRUE(GetObjectW(handle, sizeof font, &font));
  EXPECT_EQ(std::wstring(font.lfFaceName),
            std::wstring(c.font.family.begin(), c.font.family.end()));
  EXPECT_EQ(font.lfHeight, -MulDiv(c.font.points == 18 ? 24 : 11, ScreenDpi(), 96));
}

INSTANTIATE_TEST_SUITE_P(Controls, Win32LayoutTest, testing::ValuesIn(kLayout),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(Win32WindowTest, WindowHasTheTablesFixedClientArea) {
  Open();
  RECT client;
  GetClientRect(window->handle(), &client);
  EXPECT_EQ(client.right, Pixels(5610));   // 374 pixels at 96 dots per inch
  EXPECT_EQ(client.bottom, Pixels(6735));  // 449
  const auto style = GetWindowLongW(window->handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(Win32WindowTest, TabOrderFollowsTheTableAndPassesOverTheLabels) {
  Open();
  std::vector<std::string> visited;
  HWND at = Control("PassPhrase");
  for (int i = 0; i < 9; ++i) {
    at = GetNextDlgTabItem(window->handle(), at, FALSE);
    for (const ControlLayout& c : kLayout) {
      if (Control(std::string(c.name).c_str()) == at) visited.emplace_back(c.name);
    }
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"HexCode", "Triad", "GO", "Results", "Finish",
                                               "Ytext", "StMntext", "EnMnText", "PassPhrase"}));
}

TEST_F(Win32WindowTest, FieldsHaveTheirKindsAndTooltips) {
  Open();
  const auto styleOf = [this](const char* name) {
    return GetWindowLongW(Control(name), GWL_STYLE);
  };
  EXPECT_TRUE(styleOf("HexCode") & ES_MULTILINE);
  EXPECT_FALSE(styleOf("HexCode") & (WS_VSCROLL | WS_HSCROLL));
  EXPECT_TRUE(styleOf("Results") & ES_MULTILINE);
  EXPECT_TRUE(styleOf("Results") & WS_VSCROLL);
  EXPECT_TRUE(styleOf("Triad") & ES_CENTER);
  EXPECT_FALSE(styleOf("Label2") & WS_TABSTOP);

  // The tooltips of the pass phrase and hex key fields.
  HWND tips = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM found) {
        wchar_t name[64];
        GetClassNameW(w, name, 64);
        if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = w;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tips));
  ASSERT_NE(tips, nullptr);
  for (const char* name : {"PassPhrase", "HexCode"}) {
    wchar_t text[80] = {};
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window->handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(name));
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
    const std::u16string_view expected = LayoutOf(name).tooltip;
    EXPECT_EQ(std::wstring(text), std::wstring(expected.begin(), expected.end())) << name;
  }
}

}  // namespace
}  // namespace zorvane
