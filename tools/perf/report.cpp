#include "report.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <string>

#include "statistics.h"

namespace starveil::perf {

namespace {

constexpr double kNsPerS = 1e9;
constexpr double kKiBPerMiB = 1024;

// The targets, as ratios or margins over a yardstick, since a shared machine's speed varies.
constexpr double kIdleCpuOverBare = 1.1;
constexpr double kPlayCpuOverMatched = 1.0;
constexpr double kMemoryOverMatched = 1.1;
constexpr double kKeyToScreenOverMatchedMs = 0.5;
constexpr double kStartUpOverMatched = 1.2;
constexpr double kMostWakeUpsAtRest = 1.0;  // per second

struct Row {
  QString figure;
  std::array<QString, kPrograms> values;
  QString target;
  QString verdict;
};

QString Number(double value, int decimals, const char* unit) {
  return QString::number(value, 'f', decimals) + unit;
}

QString Met(bool met) {
  return met ? "met" : "MISSED";
}

// The median over rounds, and their spread.
QString OverRounds(const std::vector<double>& rounds, int decimals, const char* unit) {
  if (rounds.empty()) return "-";
  return QString("%1%2 (%3 to %4)")
      .arg(Median(rounds), 0, 'f', decimals)
      .arg(unit)
      .arg(*std::ranges::min_element(rounds), 0, 'f', decimals)
      .arg(*std::ranges::max_element(rounds), 0, 'f', decimals);
}

// Round by round, the game's figure over the yardstick's, or less it for a margin; a round in
// which either took no sample is left out.
std::vector<double> PerRound(const std::vector<double>& game, const std::vector<double>& yardstick,
                             bool margin) {
  std::vector<double> rounds;
  for (std::size_t r = 0; r < std::min(game.size(), yardstick.size()); ++r) {
    if (std::isnan(game[r]) || std::isnan(yardstick[r])) continue;
    rounds.push_back(margin ? game[r] - yardstick[r] : game[r] / yardstick[r]);
  }
  return rounds;
}

Row Ratio(const QString& figure, const std::array<double, kPrograms>& values, int decimals,
          const char* unit, Which over, double most, const std::vector<double>& ratios) {
  const QString yardstick = over == kBare ? "bare" : "matched";
  return {figure,
          {Number(values[kGame], decimals, unit), Number(values[kMatched], decimals, unit),
           Number(values[kBare], decimals, unit)},
          QString("<= %1 x %2: %3").arg(most).arg(yardstick).arg(OverRounds(ratios, 2, " x")),
          Met(Median(ratios) <= most)};
}

Row Margin(const QString& figure, double game, double matched, const std::vector<double>& margins) {
  return {figure,
          {Number(game, 2, " ms"), Number(matched, 2, " ms"), "-"},
          QString("<= matched + %1 ms: %2")
              .arg(kKeyToScreenOverMatchedMs)
              .arg(OverRounds(margins, 2, " ms")),
          Met(Median(margins) <= kKeyToScreenOverMatchedMs)};
}

Row WakeUps(const QString& figure, const Figures& figures, const Measured& plain, RoundsOf rounds) {
  Row row{figure, {}, "", ""};
  for (std::size_t i = 0; i < kPrograms; ++i)
    row.values[i] = OverRounds(figures[i].*rounds, 1, " /s");
  row.target = QString("<= %1 /s; plain window %2")
                   .arg(kMostWakeUpsAtRest)
                   .arg(OverRounds(plain.*rounds, 1, " /s"));
  row.verdict = Met(Median(figures[kGame].*rounds) <= kMostWakeUpsAtRest);
  return row;
}

Row Gaps(const QString& figure, const Figures& figures, bool play) {
  Row row{figure, {}, "", ""};
  for (std::size_t i = 0; i < kPrograms; ++i) {
    const std::vector<double>& gaps = play ? figures[i].playGapsMs : figures[i].idleGapsMs;
    // The game's timers sleep at rest.
    if (gaps.empty()) {
      row.values[i] = "no ticks";
      continue;
    }
    row.values[i] = QString("%1 / %2 ms (%3)")
                        .arg(Mean(gaps), 0, 'f', 1)
                        .arg(Percentile(gaps, 99), 0, 'f', 1)
                        .arg(gaps.size());
  }
  return row;
}

template <class Value>
std::array<double, kPrograms> Each(const Figures& figures, Value value) {
  return {value(figures[kGame]), value(figures[kMatched]), value(figures[kBare])};
}

void Print(const Row& row) {
  std::printf("%-36s %-20s %-20s %-20s %-36s %s\n", qPrintable(row.figure),
              qPrintable(row.values[kGame]), qPrintable(row.values[kMatched]),
              qPrintable(row.values[kBare]), qPrintable(row.target), qPrintable(row.verdict));
}

}  // namespace

void PrintReport(const std::array<Program, kPrograms>& programs, const Figures& figures,
                 const Measured& plain) {
  Print({"figure",
         {programs[kGame].name, programs[kMatched].name, programs[kBare].name},
         "target",
         "verdict"});
  const auto sum = [](const std::vector<double>& rounds) {
    return std::accumulate(rounds.begin(), rounds.end(), 0.0);
  };
  const Measured& game = figures[kGame];
  const Measured& matched = figures[kMatched];
  Print(Ratio(QString("CPU time idle, %1 rounds").arg(game.idleCpuNs.size()),
              Each(figures, [&](const Measured& m) { return sum(m.idleCpuNs) / kNsPerS; }), 3, " s",
              kBare, kIdleCpuOverBare, PerRound(game.idleCpuNs, figures[kBare].idleCpuNs, false)));
  Row play =
      Ratio(QString("CPU time in scripted play, %1 turns").arg(game.playCpuNs.size()),
            Each(figures, [&](const Measured& m) { return sum(m.playCpuNs) / kNsPerS; }), 3, " s",
            kMatched, kPlayCpuOverMatched, PerRound(game.playCpuNs, matched.playCpuNs, false));
  play.values[kBare] = "-";
  Print(play);
  const auto peakMiB = [](const Measured& m) { return m.peakKiB / kKiBPerMiB; };
  Print(Ratio("peak resident memory", Each(figures, peakMiB), 1, " MiB", kMatched,
              kMemoryOverMatched, {peakMiB(game) / peakMiB(matched)}));
  Print(Margin(QString("key to screen, median (%1, %2)")
                   .arg(game.keyToScreenMs.size())
                   .arg(matched.keyToScreenMs.size()),
               Median(game.keyToScreenMs), Median(matched.keyToScreenMs),
               PerRound(game.keyMedianMs, matched.keyMedianMs, true)));
  Print(Margin(QString("key to screen, p90 (%1 turns)").arg(game.keyP90Ms.size()),
               Percentile(game.keyToScreenMs, 90), Percentile(matched.keyToScreenMs, 90),
               PerRound(game.keyP90Ms, matched.keyP90Ms, true)));
  // A turn's p99 is its slowest press, one moment of the machine: the tail is judged by the p90.
  Print({"key to screen, p99",
         {Number(Percentile(game.keyToScreenMs, 99), 2, " ms"),
          Number(Percentile(matched.keyToScreenMs, 99), 2, " ms"), "-"},
         "shown only",
         ""});
  Print(Ratio(QString("start to first paint, median of %1").arg(game.startUpMs.size()),
              Each(figures, [](const Measured& m) { return Median(m.startUpMs); }), 1, " ms",
              kMatched, kStartUpOverMatched, PerRound(game.startUpMs, matched.startUpMs, false)));
  Print(WakeUps("wake-ups at rest, before Start", figures, plain, &Measured::wakeUpsBeforeStart));
  Row afterLoss =
      WakeUps("wake-ups at rest, after a lost game", figures, plain, &Measured::wakeUpsAfterLoss);
  afterLoss.values[kMatched] = "-";
  Print(afterLoss);
  Print(Gaps("30 ms timer's gaps idle, mean / p99", figures, false));
  Print(Gaps("30 ms timer's gaps in play", figures, true));
  std::printf(
      "\nIn play the game answered %d message box(es), its matched yardstick %d. Of the "
      "presses timed, %d and %d drew no answer within half a second, and %d and %d were answered "
      "by something else drawn in the cannon's place, an explosion or a rocket; they are left "
      "out.\n",
      figures[kGame].boxes, figures[kMatched].boxes, figures[kGame].unseen,
      figures[kMatched].unseen, figures[kGame].spoilt, figures[kMatched].spoilt);
}

void SaveSamples(const QString& directory, const std::array<Program, kPrograms>& programs,
                 const Figures& figures) {
  const auto save = [&](const QString& figure, std::size_t program,
                        const std::vector<double>& samples) {
    QFile file(QString("%1/%2-%3.txt").arg(directory, figure, programs[program].name));
    if (!file.open(QIODevice::WriteOnly)) return;
    for (const double sample : samples)
      file.write(QByteArray::number(sample, 'f', 3) + "\n");
  };
  for (std::size_t i = 0; i < kPrograms; ++i) {
    save("key-to-screen-ms", i, figures[i].keyToScreenMs);
    save("start-up-ms", i, figures[i].startUpMs);
    save("gaps-idle-ms", i, figures[i].idleGapsMs);
    save("gaps-play-ms", i, figures[i].playGapsMs);
  }
}

}  // namespace starveil::perf
