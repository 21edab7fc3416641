// The matched yardstick: what any plain Qt Widgets program pays to show the game's kinds of frames,
// at the game's ticks and keys, with no rules behind them (matched_window.h).

#include <QApplication>

#include "matched_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  starveil::perf::RunMatchedSplash();
  const std::unique_ptr<QWidget> window = starveil::perf::MatchedWindow();
  starveil::perf::ShowCentred(*window);
  return QApplication::exec();
}
