// A whole-year search in the window, from the click on Search to the last line shown, with the
// event loop entered once per time slice beside the literal pass at every candidate.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "window/qt/qt_window.h"

namespace {

// range(0): the time slice in milliseconds; 0 processes events at every candidate.
void WholeYearSearch(benchmark::State& state) {
  zorvane::QtWindow form(QStringLiteral("benchmark pass phrase"), 2024);
  form.form().setEventSlice(std::chrono::milliseconds(state.range(0)));
  form.show();
  QApplication::processEvents();
  form.findChild<QLineEdit*>(QStringLiteral("Triad"))->setText(QStringLiteral("BAG"));
  auto* go = form.findChild<QPushButton*>(QStringLiteral("GO"));
  auto* results = form.findChild<QPlainTextEdit*>(QStringLiteral("Results"));
  for (auto _ : state) {
    go->click();
    results->repaint();
  }
  state.counters["lines"] = static_cast<double>(results->blockCount() - 1);
  state.SetItemsProcessed(state.iterations() * 527040);
}
BENCHMARK(WholeYearSearch)
    ->ArgName("slice_ms")
    ->Arg(4)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
