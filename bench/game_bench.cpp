// What one tick of each timer's rules costs on a shown game window, and what a full paint costs.
// Run: tools/bench.sh (or build with -DSTARVEIL_BENCH=ON and run build-bench/bench/starveil_bench)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QImage>
#include <chrono>
#include <cstdlib>

#include "game/flicker.h"
#include "game/formation.h"
#include "game/march.h"
#include "game/rockets.h"
#include "game/shot.h"
#include "window/frm_main.h"

namespace {

using starveil::frmMain;
namespace game = starveil::game;

// A game window loaded, shown and started, as a player sees it after pressing Start. The
// benchmark drives every tick itself.
struct StartedGame {
  frmMain frm;
  StartedGame() {
    frm.Load();
    frm.Show();
    game::cmdStart_Click(frm.Rules());
    frm.tmrMonster.SetEnabled(false);
    frm.tmrBulletsMove.SetEnabled(false);
    frm.TmrRk.SetEnabled(false);
  }

  // Keeps the shot rising through the first column's gap and every rocket falling well clear of
  // the cannon, so each tick has the most to move and nothing ends in a loss sequence.
  void KeepEverythingInFlight() {
    game::Game& g = frm.Rules();
    if (!g.state.ShotInFlight) {
      g.R[2].SetLeft(g.Shape1.Left() + 15);
      g.R[2].SetTop(g.SH.Top() - g.R[2].Height());
      g.state.ShotInFlight = true;
    }
    const float farFromCannon = g.SH.Left() > 2000 ? g.Shape1.Left() + 60 : 4000;
    for (int i = 0; i <= game::kLastRocket; ++i) {
      starveil::platform::Sprite& rocket = g.K[i];
      if (rocket.Tag() != game::kRocketFree) continue;
      rocket.SetTag(game::kRocketDue);
      rocket.SetLeft(farFromCannon + 300.0f * static_cast<float>(i % 4));
      rocket.SetTop(g.Shape1.Top() + 300.0f * static_cast<float>(i));
      rocket.SetVisible(true);
    }
  }
};

// Times one tick of the rules by the wall clock, then lets the window repaint what the tick
// changed, as it does in play, outside the time. With `timePaint` the other way round: the tick
// is left out and the repaint that follows it is timed, from handing Qt the changed boxes to the
// last pixel. (Pausing the benchmark's own timing costs more than a tick, hence the manual time.)
template <class Tick>
void TimeTickOrPaint(benchmark::State& state, bool timePaint, Tick tick) {
  const auto start = std::chrono::steady_clock::now();
  tick();
  const auto ticked = std::chrono::steady_clock::now();
  QCoreApplication::processEvents();
  const auto painted = std::chrono::steady_clock::now();
  state.SetIterationTime(
      std::chrono::duration<double>(timePaint ? painted - ticked : ticked - start).count());
}

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_kb"] = static_cast<double>(usage.ru_maxrss);
}

void BM_MarchStep(benchmark::State& state) {
  const bool timePaint = state.range(0) != 0;
  StartedGame game;
  int steps = 0;
  for (auto _ : state) {
    // A fresh formation now and then keeps all 48 monsters marching within the playfield.
    if (++steps % 200 == 0) game::BuildFormation(game.frm.Rules());
    TimeTickOrPaint(state, timePaint, [&] { game::MarchFormation(game.frm.Rules()); });
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_MarchStep)->ArgName("paint")->Arg(0)->Arg(1)->UseManualTime()->MinTime(0.2);

void BM_ShotTick(benchmark::State& state) {
  const bool timePaint = state.range(0) != 0;
  StartedGame game;
  for (auto _ : state) {
    game.KeepEverythingInFlight();
    TimeTickOrPaint(state, timePaint, [&] { game::tmrBulletsMove_Timer(game.frm.Rules()); });
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_ShotTick)->ArgName("paint")->Arg(0)->Arg(1)->UseManualTime()->MinTime(0.2);

void BM_FlickerTick(benchmark::State& state) {
  StartedGame game;
  game.KeepEverythingInFlight();
  game::tmrBulletsMove_Timer(game.frm.Rules());
  const bool timePaint = state.range(0) != 0;
  for (auto _ : state)
    TimeTickOrPaint(state, timePaint, [&] { game::TmrRk_Timer(game.frm.Rules()); });
}
BENCHMARK(BM_FlickerTick)->ArgName("paint")->Arg(0)->Arg(1)->UseManualTime()->MinTime(0.2);

// Paints the whole window into an image at a screen scale of 1 or 2.
void BM_FullPaint(benchmark::State& state) {
  const auto scale = static_cast<int>(state.range(0));
  StartedGame game;
  game.KeepEverythingInFlight();
  game::tmrBulletsMove_Timer(game.frm.Rules());
  QImage image(game.frm.size() * scale, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  for (auto _ : state) {
    game.frm.render(&image);
    benchmark::ClobberMemory();
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_FullPaint)->Arg(1)->Arg(2);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
