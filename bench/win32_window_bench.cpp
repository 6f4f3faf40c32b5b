// A whole-year search in the native window, from the press of Search to the last line painted,
// at the default time slice and with the literal event pass at every candidate. Google
// Benchmark is not packaged for MinGW, so this times itself: run it under Wine on a display,
// tests/window/win32/run_on_display.sh WINE PREFIX zorvane_win32_window_bench.exe [RUNS].
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "window/win32/win32_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// One search of 2024 (527,040 candidates) for BAG; the time until Results is painted.
double TimeSearch(zorvane::Win32Window& window) {
  const HWND results = window.control("Results");
  const auto start = Clock::now();
  SendMessageW(window.control("GO"), BM_CLICK, 0, 0);
  RedrawWindow(results, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return Milliseconds(Clock::now() - start);
}

void Report(const char* name, std::vector<double> times, int lines) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s %10.2f ms %10.2f ms %8zu   lines=%d candidates_per_second=%.3gG\n", name,
              times[times.size() / 2], times.front(), times.size(), lines,
              527040 / times[times.size() / 2] / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  zorvane::Win32Window window(u"benchmark pass phrase", 2024);
  ShowWindow(window.handle(), SW_SHOW);
  UpdateWindow(window.handle());
  SetWindowTextW(window.control("Triad"), L"BAG");

  std::printf("%-34s %13s %13s %8s\n", "Benchmark", "Median", "Best", "Runs");
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(TimeSearch(window));
  const int lines =
      static_cast<int>(SendMessageW(window.control("Results"), EM_GETLINECOUNT, 0, 0)) - 1;
  Report("WholeYearSearch/slice_ms:4", times, lines);

  window.form().setEventSlice(std::chrono::milliseconds(0));
  Report("WholeYearSearch/slice_ms:0", {TimeSearch(window)}, lines);
  return 0;
}
