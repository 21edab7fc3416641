#include <time.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdio>

namespace {

long long Nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The game's trace line, so that one reader serves both.
void Mark(const char* event, int intervalMs) {
  std::fprintf(stderr, "starveil.trace: %lld %lld %s %dms\n", Nanoseconds(CLOCK_MONOTONIC),
               Nanoseconds(CLOCK_PROCESS_CPUTIME_ID), event, intervalMs);
}

}  // namespace

// The least a window with the game's timers can cost: the game window's client size, nothing
// drawn on it, and precise timers at the game's intervals that switch themselves off and on
// again in every tick, as the game's own do, and do nothing else. With --trace it marks the
// start and end of every tick on standard error.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const bool trace = QApplication::arguments().contains("--trace");
  QWidget window;
  window.setWindowTitle("Starveil baseline");
  window.setFixedSize(358, 359);

  constexpr std::array kIntervalsMs{30, 50, 150};
  std::array<QTimer, kIntervalsMs.size()> timers;
  for (std::size_t i = 0; i < timers.size(); ++i) {
    QTimer& timer = timers[i];
    const int ms = kIntervalsMs[i];
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(ms);
    QObject::connect(&timer, &QTimer::timeout, [&timer, trace, ms] {
      if (trace) Mark("tick-start", ms);
      timer.stop();
      timer.start();
      if (trace) Mark("tick-end", ms);
    });
    timer.start();
  }
  window.show();
  return QApplication::exec();
}
