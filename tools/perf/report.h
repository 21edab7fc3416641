// The measuring tool's figures for each program, and their report beside the targets.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "program_run.h"

namespace starveil::perf {

enum Which : std::size_t { kGame, kMatched, kBare };
inline constexpr std::size_t kPrograms = 3;

// What was measured of one program. The figures taken over rounds, alternating with the
// yardsticks' or beside them, keep each round's, and the verdicts go by the median of the
// per-round ratios or margins, which one slow moment of a shared machine cannot sway.
struct Measured {
  std::vector<double> idleCpuNs;  // per round
  std::vector<double> playCpuNs;  // per turn of play
  std::int64_t peakKiB = 0;
  std::vector<double> keyToScreenMs;
  std::vector<double> keyMedianMs;  // per turn of presses
  std::vector<double> keyP90Ms;     // per turn of presses
  std::vector<double> startUpMs;    // per round
  std::vector<double> idleGapsMs;
  std::vector<double> playGapsMs;
  // Wake-ups per second of the main thread over rounds at rest: before Start, and once a lost
  // game's box has been answered and nothing moves.
  std::vector<double> wakeUpsBeforeStart;
  std::vector<double> wakeUpsAfterLoss;
  int boxes = 0;   // message boxes answered in play
  int unseen = 0;  // presses that drew no answer
  int spoilt = 0;  // presses answered by something else in the cannon's place
};
using Figures = std::array<Measured, kPrograms>;
// One of a program's figures taken round by round, such as its wake-ups before Start.
using RoundsOf = std::vector<double> Measured::*;

// Every figure beside both yardsticks' and beside its target, on standard output; `plain`, the
// plain yardstick's, holds only wake-ups.
void PrintReport(const std::array<Program, kPrograms>& programs, const Figures& figures,
                 const Measured& plain);
// Every time from a key to the screen, start-up time and timer gap, one file per program and
// figure in `directory`, for a closer look at what the figures sum up.
void SaveSamples(const QString& directory, const std::array<Program, kPrograms>& programs,
                 const Figures& figures);

}  // namespace starveil::perf
