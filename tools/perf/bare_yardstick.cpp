// The bare yardstick: the least a window with the game's timers can cost. The game window's client
// size, nothing drawn on it, and precise timers at the game's intervals that switch themselves off
// and on again in every tick, as the game's own do, and do nothing else. With --trace it marks the
// window's first paint and the start and end of every tick on standard error.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdio>
#include <utility>

#include "trace_mark.h"

namespace {

using starveil::perf::Mark;

class BareWindow final : public QWidget {
 public:
  explicit BareWindow(bool trace) : markFirstPaint_(trace) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    if (std::exchange(markFirstPaint_, false)) Mark("first-paint", windowTitle());
  }

 private:
  bool markFirstPaint_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const bool trace = QApplication::arguments().contains("--trace");
  BareWindow window(trace);
  window.setWindowTitle("Bare yardstick");
  window.setFixedSize(358, 359);

  constexpr std::array kIntervalsMs{30, 50, 150};
  std::array<QTimer, kIntervalsMs.size()> timers;
  for (std::size_t i = 0; i < timers.size(); ++i) {
    QTimer& timer = timers[i];
    const int ms = kIntervalsMs[i];
    const QString interval = QString::number(ms) + "ms";
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(ms);
    QObject::connect(&timer, &QTimer::timeout, [&timer, trace, interval] {
      if (trace) Mark("tick-start", interval);
      timer.stop();
      timer.start();
      if (trace) Mark("tick-end", interval);
    });
    timer.start();
  }
  window.show();
  return QApplication::exec();
}
