// What the three timers cost per tick, and what a full repaint of the game window costs.
// Run: cmake -B build -DSTARVEIL_BENCH=ON && cmake --build build && build/bench/starveil_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QPixmap>
#include <cstdlib>

#include "game/flicker.h"
#include "game/formation.h"
#include "game/march.h"
#include "game/shot.h"
#include "window/frm_main.h"

namespace {

using starveil::frmMain;

// A game window loaded and started, as a player sees it after pressing Start.
struct StartedGame {
  frmMain frm;
  StartedGame() {
    frm.Load();
    starveil::game::cmdStart_Click(frm.Rules());
    frm.tmrMonster.SetEnabled(false);  // the benchmark drives every tick itself
    frm.tmrBulletsMove.SetEnabled(false);
    frm.TmrRk.SetEnabled(false);
  }
};

void ReportPeakMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_kb"] = static_cast<double>(usage.ru_maxrss);
}

void BM_MarchStep(benchmark::State& state) {
  StartedGame game;
  int steps = 0;
  for (auto _ : state) {
    // A fresh formation now and then keeps the march within the playfield.
    if (++steps % 200 == 0) starveil::game::BuildFormation(game.frm.Rules());
    benchmark::DoNotOptimize(starveil::game::MarchFormation(game.frm.Rules()));
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_MarchStep);

void BM_ShotTick(benchmark::State& state) {
  StartedGame game;
  for (auto _ : state) {
    auto& s = game.frm.Rules().state;
    if (!s.ShotInFlight) {
      game.frm.R[2].SetTop(game.frm.SH.Top() - 240);
      s.ShotInFlight = true;
    }
    starveil::game::tmrBulletsMove_Timer(game.frm.Rules());
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_ShotTick);

void BM_FlickerTick(benchmark::State& state) {
  StartedGame game;
  for (auto _ : state)
    starveil::game::TmrRk_Timer(game.frm.Rules());
}
BENCHMARK(BM_FlickerTick);

void BM_FullRepaint(benchmark::State& state) {
  StartedGame game;
  game.frm.Show();
  for (auto _ : state)
    benchmark::DoNotOptimize(game.frm.grab());
  ReportPeakMemory(state);
}
BENCHMARK(BM_FullRepaint);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
