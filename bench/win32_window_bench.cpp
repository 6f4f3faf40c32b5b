// A whole-year search in the native window, from the press of Search to the last line painted,
// at the default time slice and with the literal event pass at every candidate; beside it, what
// the system's own controls take for the same work whatever the program does, and what a Results
// drawn by the program itself would take. Google Benchmark is not packaged for MinGW, so this
// times itself: run it under Wine on a display,
// tests/window/win32/run_on_display.sh WINE PREFIX zorvane_win32_window_bench.exe [RUNS].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "window/win32/win32_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

std::vector<double> Times(int runs, const std::function<double()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(run());
  return times;
}

double Time(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return Milliseconds(Clock::now() - start);
}

// One search of 2024 (527,040 candidates) for BAG; the time until Results is painted.
double TimeSearch(zorvane::Win32Window& window) {
  return Time([&] {
    SendMessageW(window.control("GO"), BM_CLICK, 0, 0);
    RedrawWindow(window.control("Results"), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  });
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string LinesOf(HWND results) {
  return "lines=" + std::to_string(SendMessageW(results, EM_GETLINECOUNT, 0, 0) - 1);
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// An edit control of another's style, place and font, made without the visible style so that
// it is never drawn.
HWND HiddenCopyOf(HWND control) {
  const RECT place = PlaceOf(control);
  const HWND parent = GetParent(control);
  const auto style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  const HWND copy =
      CreateWindowExW(static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE)), L"EDIT", L"",
                      style & ~DWORD{WS_VISIBLE}, place.left, place.top, place.right - place.left,
                      place.bottom - place.top, parent, nullptr, nullptr, nullptr);
  SendMessageW(copy, WM_SETFONT, static_cast<WPARAM>(SendMessageW(control, WM_GETFONT, 0, 0)),
               FALSE);
  return copy;
}

// What a Results drawn by the program itself would take for the same lines: keep them, set the
// scroll range, and paint the lines in view with the scroll bar, in a window at Results' place.
LRESULT CALLBACK DrawnLinesProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wparam, lparam);
  const auto& lines =
      *reinterpret_cast<const std::vector<std::wstring>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(window, 0));
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT client;
  GetClientRect(window, &client);
  for (std::size_t i = 0;
       i < lines.size() && static_cast<LONG>(i) * metrics.tmHeight < client.bottom; ++i)
    TextOutW(dc, 2, static_cast<int>(i) * metrics.tmHeight, lines[i].c_str(),
             static_cast<int>(lines[i].size()));
  SelectObject(dc, previous);
  EndPaint(window, &paint);
  return 0;
}

double TimeDrawnLines(HWND results, const std::wstring& found) {
  static const WNDCLASSW drawn = [] {
    WNDCLASSW kind = {};
    kind.lpfnWndProc = DrawnLinesProc;
    kind.cbWndExtra = sizeof(LONG_PTR);
    kind.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    kind.lpszClassName = L"ZorvaneBenchDrawnLines";
    RegisterClassW(&kind);
    return kind;
  }();
  const RECT place = PlaceOf(results);
  std::vector<std::wstring> lines;
  const HWND view = CreateWindowExW(WS_EX_CLIENTEDGE, drawn.lpszClassName, L"",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top,
                                    GetParent(results), nullptr, nullptr, nullptr);
  SetWindowLongPtrW(view, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&lines));
  SetWindowLongPtrW(view, 0, static_cast<LONG_PTR>(SendMessageW(results, WM_GETFONT, 0, 0)));
  UpdateWindow(view);
  const double ms = Time([&] {
    for (std::size_t at = 0, end; (end = found.find(L"\r\n", at)) != std::wstring::npos;
         at = end + 2)
      lines.emplace_back(found, at, end - at);
    // Results has the same height and font, so its page is the view's page.
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_PAGE;
    GetScrollInfo(results, SB_VERT, &bar);
    bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    bar.nMax = static_cast<int>(lines.size());
    SetScrollInfo(view, SB_VERT, &bar, FALSE);
    RedrawWindow(view, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  });
  DestroyWindow(view);
  return ms;
}

void Report(const char* name, std::vector<double> times, const std::string& note) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s %10.2f ms %10.2f ms %8zu   %s\n", name, times[times.size() / 2], times.front(),
              times.size(), note.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  zorvane::Win32Window window(u"benchmark pass phrase", 2024);
  ShowWindow(window.handle(), SW_SHOW);
  UpdateWindow(window.handle());
  SetWindowTextW(window.control("Triad"), L"BAG");
  const HWND results = window.control("Results");

  std::printf("%-34s %13s %13s %8s\n", "Benchmark", "Median", "Best", "Runs");
  const std::vector<double> searches = Times(runs, [&] { return TimeSearch(window); });
  const std::wstring found = TextOf(results);
  Report("WholeYearSearch/slice_ms:4", searches, LinesOf(results));

  // The floor under the search: the edit control's layout of the found lines, and one drawing
  // of Results' scroll bar.
  Report("Controls/EditLayoutOfTheLines",
         Times(runs,
               [&] {
                 const HWND edit = HiddenCopyOf(results);
                 SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
                 const double ms = Time([&] {
                   SendMessageW(edit, EM_REPLACESEL, FALSE,
                                reinterpret_cast<LPARAM>(found.c_str()));
                 });
                 DestroyWindow(edit);
                 return ms;
               }),
         LinesOf(results));
  Report("Controls/ScrollBarDrawing",
         Times(runs,
               [&] {
                 SCROLLINFO bar = {};
                 bar.cbSize = sizeof bar;
                 bar.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
                 GetScrollInfo(results, SB_VERT, &bar);
                 return Time([&] { SetScrollInfo(results, SB_VERT, &bar, TRUE); });
               }),
         "");

  Report("Controls/LinesDrawnByTheProgram",
         Times(runs, [&] { return TimeDrawnLines(results, found); }), LinesOf(results));

  window.form().setEventSlice(std::chrono::milliseconds(0));
  const double literal = TimeSearch(window);
  const bool same = TextOf(results) == found;
  Report("WholeYearSearch/slice_ms:0", {literal},
         LinesOf(results) + (same ? " same_lines" : " DIFFERENT_LINES"));
  return same ? 0 : 1;
}
