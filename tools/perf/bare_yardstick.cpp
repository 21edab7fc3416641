// The bare yardstick: the least a window with the game's timers can cost. The game window's client
// size, nothing drawn on it, and precise timers at the game's intervals that switch themselves off
// and on again in every tick, as the game's own do, and do nothing else. Its trace, switched on as
// the game's is, marks the window's first paint and the start and end of every tick.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdio>
#include <utility>

#include "game/facts.h"
#include "platform/trace.h"
#include "yardstick_timer.h"

namespace {

using starveil::platform::TraceEvent;
using starveil::platform::TwipsToPixels;

class BareWindow final : public QWidget {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QWidget::paintEvent(event);
    if (std::exchange(firstPaint_, false)) TraceEvent("first-paint", windowTitle().toStdString());
  }

 private:
  bool firstPaint_ = true;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  BareWindow window;
  window.setWindowTitle("Bare yardstick");
  window.setFixedSize(TwipsToPixels(starveil::game::kClientWidth),
                      TwipsToPixels(starveil::game::kLoadedClientHeight));

  namespace game = starveil::game;
  // The shot's, the flicker's, and the march's as level 1 sets it.
  constexpr std::array kIntervalsMs{game::kShotIntervalMs, game::kFlickerIntervalMs,
                                    game::MarchIntervalMs(1, game::kLevelStartMonsters)};
  std::array<QTimer, kIntervalsMs.size()> timers;
  for (std::size_t i = 0; i < timers.size(); ++i) {
    QTimer& timer = timers[i];
    const int ms = kIntervalsMs[i];
    const std::string interval = starveil::perf::YardstickTimerName(ms);
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(ms);
    QObject::connect(&timer, &QTimer::timeout, [&timer, interval] {
      TraceEvent("tick-start", interval);
      timer.stop();
      timer.start();
      TraceEvent("tick-end", interval);
    });
    timer.start();
  }
  window.show();
  return QApplication::exec();
}
