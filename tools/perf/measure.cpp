// Measures the game on the desktop it runs in beside two yardsticks, side by side in one run: a
// matched one that shows the same kinds of frames at the same ticks and takes the same keys,
// and a bare one with the game's three timers that draws nothing. Prints every figure beside both
// and beside its target. tools/measure.sh builds it and runs it on openbox.
//
//   measure <directory for the programs' logs>

#include <QGuiApplication>
#include <QString>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "game/facts.h"
#include "player.h"
#include "program_run.h"
#include "report.h"
#include "statistics.h"
#include "x_desktop.h"
#include "yardstick_timer.h"

namespace starveil::perf {
namespace {

using namespace std::chrono_literals;

constexpr auto kSettle = 2s;  // after the windows show, for their first events to pass
constexpr int kIdleRounds = 6;
constexpr auto kIdleRound = 5s;        // 30 s in all
constexpr auto kLossPatience = 120s;   // for the cannon, left still, to lose its lives
constexpr auto kAfterLossSettle = 5s;  // for the last rockets to fall out of the playfield
constexpr int kAfterLossRounds = 4;
constexpr auto kAfterLossRound = 5s;
constexpr auto kPlayBlock = 6s;
constexpr int kPlayRounds = 5;  // of a block each for the game and its matched yardstick
// Per program, for the key-to-screen time: its p99 is then the sixth slowest, which one slow
// moment of the machine cannot make on its own.
constexpr int kPresses = 600;
constexpr int kPressesAtATurn = 50;  // before the other program takes its turn
constexpr int kStartUps = 11;        // per program: one may find caches still cold
constexpr auto kGapsIdle = 12s;      // over 300 ticks of the 30 ms timers
constexpr auto kGapsPlayBlock = 6s;  // two each
constexpr auto kCatchUp = 300ms;
constexpr auto kFirstPaintPatience = 30s;

const std::array<Program, kPrograms> kMeasured{{
    {"game", STARVEIL_GAME, "Form1", "Starveil by Pellamy", "Starveil"},
    {"matched", MATCHED_YARDSTICK, "Matched yardstick splash", "Matched yardstick",
     "Matched yardstick message"},
    {"bare", BARE_YARDSTICK, "Bare yardstick", "Bare yardstick", ""},
}};
// A window with no timers, whose wake-ups at rest are shown beside the others'.
const Program kPlain{"plain", PLAIN_YARDSTICK, "Plain yardstick", "Plain yardstick", ""};
// The shot timer's name in the game's trace; the yardsticks name theirs by the interval.
const std::array<std::string, kPrograms> kShotTimer{"tmrBulletsMove",
                                                    YardstickTimerName(game::kShotIntervalMs),
                                                    YardstickTimerName(game::kShotIntervalMs)};

// The three programs running side by side on the desktop.
class Session {
 public:
  Session(xdrive::XDesktop& x, bool trace, const QString& logs, const QString& name) {
    for (std::size_t i = 0; i < kPrograms; ++i) {
      const QString log = QString("%1/%2-%3.log").arg(logs, name, kMeasured[i].name);
      runs_[i] = std::make_unique<ProgramRun>(kMeasured[i], trace, log);
      players_[i] = std::make_unique<Player>(x, *runs_[i]);
    }
  }

  bool Ready() {
    for (auto& player : players_) {
      if (!player->FindWindow()) return false;
    }
    std::this_thread::sleep_for(kSettle);
    return true;
  }

  ProgramRun& Run(Which which) { return *runs_[which]; }
  Player& Play(Which which) { return *players_[which]; }
  std::array<std::int64_t, kPrograms> Cpu() const {
    return {runs_[kGame]->CpuNs(), runs_[kMatched]->CpuNs(), runs_[kBare]->CpuNs()};
  }
  std::array<std::int64_t, kPrograms> WakeUps() const {
    return {runs_[kGame]->WakeUps(), runs_[kMatched]->WakeUps(), runs_[kBare]->WakeUps()};
  }
  bool AllRunning() const {
    return std::ranges::all_of(runs_, [](const auto& run) { return run->Running(); });
  }

 private:
  std::array<std::unique_ptr<ProgramRun>, kPrograms> runs_;
  std::array<std::unique_ptr<Player>, kPrograms> players_;
};

// From the moment each is started, alone, to the end of its first window's first paint.
void MeasureStartUp(const QString& logs, Figures& figures) {
  for (int round = 0; round < kStartUps; ++round) {
    for (std::size_t i = 0; i < kPrograms; ++i) {
      ProgramRun run(kMeasured[i], true, QString("%1/start-%2.log").arg(logs, kMeasured[i].name));
      const auto deadline = std::chrono::steady_clock::now() + kFirstPaintPatience;
      while (std::chrono::steady_clock::now() < deadline && run.Running()) {
        const auto& marks = run.Marks();
        const auto painted = std::ranges::find_if(marks, [&](const TraceMark& mark) {
          return mark.event == "first-paint" &&
                 mark.subject == kMeasured[i].firstWindow.toStdString();
        });
        if (painted != marks.end()) {
          figures[i].startUpMs.push_back(static_cast<double>(painted->wallNs - run.StartedNs()) /
                                         1e6);
          break;
        }
        std::this_thread::sleep_for(1ms);
      }
    }
  }
}

// Wake-ups per second over each of `rounds` stretches of `round`, the plain yardstick's beside
// the others'; with `cpu`, the CPU time of the whole too.
void CountAtRest(Session& session, const ProgramRun& plain, int rounds, std::chrono::seconds round,
                 RoundsOf wakeUps, Figures& figures, Measured& plainFigures, bool cpu) {
  const auto perSecond = [round](std::int64_t count) {
    return static_cast<double>(count) / static_cast<double>(round.count());
  };
  for (int done = 0; done < rounds; ++done) {
    const auto cpuFrom = session.Cpu();
    const auto from = session.WakeUps();
    const std::int64_t plainFrom = plain.WakeUps();
    std::this_thread::sleep_for(round);
    const auto to = session.WakeUps();
    const auto cpuTo = session.Cpu();
    (plainFigures.*wakeUps).push_back(perSecond(plain.WakeUps() - plainFrom));
    for (std::size_t i = 0; i < kPrograms; ++i) {
      (figures[i].*wakeUps).push_back(perSecond(to[i] - from[i]));
      if (cpu) figures[i].idleCpuNs.push_back(static_cast<double>(cpuTo[i] - cpuFrom[i]));
    }
  }
}

// CPU time and wake-ups over a stretch of doing nothing, all at once, the game before Start.
void MeasureIdle(Session& session, const ProgramRun& plain, Figures& figures,
                 Measured& plainFigures) {
  std::fprintf(stderr, "measure: idle for %d rounds of %lld s\n", kIdleRounds,
               static_cast<long long>(kIdleRound.count()));
  CountAtRest(session, plain, kIdleRounds, kIdleRound, &Measured::wakeUpsBeforeStart, figures,
              plainFigures, true);
}

// Wake-ups once the game has been lost and its box answered, and nothing moves any more.
bool MeasureRestAfterLoss(Session& session, const ProgramRun& plain, Figures& figures,
                          Measured& plainFigures) {
  std::fprintf(stderr, "measure: the cannon left still until the game is lost\n");
  session.Play(kGame).TakeFocus();
  if (!session.Play(kGame).LoseAGame(kLossPatience)) return false;
  std::this_thread::sleep_for(kAfterLossSettle);
  CountAtRest(session, plain, kAfterLossRounds, kAfterLossRound, &Measured::wakeUpsAfterLoss,
              figures, plainFigures, false);
  return true;
}

// CPU time in play, the game and its matched yardstick in turn.
void MeasurePlayCpu(Session& session, Figures& figures) {
  std::fprintf(stderr, "measure: scripted play, %d turns of %lld s each\n", 2 * kPlayRounds,
               static_cast<long long>(kPlayBlock.count()));
  for (int round = 0; round < kPlayRounds; ++round) {
    for (const Which which : {kGame, kMatched}) {
      session.Play(which).TakeFocus();
      const auto from = session.Cpu();
      session.Play(which).PlayFor(kPlayBlock);
      figures[which].playCpuNs.push_back(static_cast<double>(session.Cpu()[which] - from[which]));
    }
  }
}

void MeasurePeakMemory(Session& session, Figures& figures) {
  for (std::size_t i = 0; i < kPrograms; ++i)
    figures[i].peakKiB = session.Run(static_cast<Which>(i)).PeakResidentKiB();
}

// The time from a key to the screen, the game and its matched yardstick taking turns.
bool MeasureKeyToScreen(Session& session, const QString& display, Figures& figures) {
  std::fprintf(stderr, "measure: %d presses each, from the key to the screen\n", kPresses);
  while (figures[kGame].keyToScreenMs.size() < kPresses ||
         figures[kMatched].keyToScreenMs.size() < kPresses) {
    if (!session.AllRunning()) return false;
    for (const Which which : {kGame, kMatched}) {
      session.Play(which).TakeFocus();
      const std::vector<double> times = session.Play(which).KeyToScreenMs(display, kPressesAtATurn);
      figures[which].keyToScreenMs.insert(figures[which].keyToScreenMs.end(), times.begin(),
                                          times.end());
      figures[which].keyMedianMs.push_back(Median(times));
      figures[which].keyP90Ms.push_back(Percentile(times, 90));
    }
  }
  for (const Which which : {kGame, kMatched}) {
    figures[which].boxes = session.Play(which).BoxesAnswered();
    figures[which].unseen = session.Play(which).Unseen();
    figures[which].spoilt = session.Play(which).Spoilt();
  }
  return true;
}

// The figures taken with the trace off, whose lines would count as the programs' work.
bool MeasureWithoutTrace(xdrive::XDesktop& x, const QString& display, const QString& logs,
                         Figures& figures, Measured& plainFigures) {
  const ProgramRun plain(kPlain, false, logs + "/cpu-plain.log");
  Session session(x, false, logs, "cpu");
  if (!session.Ready()) return false;
  MeasureIdle(session, plain, figures, plainFigures);
  MeasurePlayCpu(session, figures);
  MeasurePeakMemory(session, figures);
  return MeasureKeyToScreen(session, display, figures) &&
         MeasureRestAfterLoss(session, plain, figures, plainFigures) && session.AllRunning() &&
         plain.Running();
}

// The shot timer's gaps from the end of one tick to the start of the next, idle and in play, with
// the trace on.
bool MeasureTimerGaps(xdrive::XDesktop& x, const QString& logs, Figures& figures) {
  Session session(x, true, logs, "trace");
  if (!session.Ready()) return false;
  std::fprintf(stderr, "measure: the 30 ms timers, idle and in play\n");
  const std::int64_t idleFrom = MonotonicNs();
  std::this_thread::sleep_for(kGapsIdle);
  const std::vector<Span> idle{{idleFrom, MonotonicNs()}};
  std::array<std::vector<Span>, kPrograms> play;
  for (int round = 0; round < 2; ++round) {
    for (const Which which : {kGame, kMatched}) {
      session.Play(which).TakeFocus();
      // Start wakes the game from its rest, and the ticks it skipped come at once: no gaps of play.
      std::this_thread::sleep_for(kCatchUp);
      const std::int64_t from = MonotonicNs();
      session.Play(which).PlayFor(kGapsPlayBlock);
      play[which].push_back({from, MonotonicNs()});
      // The bare yardstick plays nothing: its gaps in play are those while the others play.
      play[kBare].push_back(play[which].back());
    }
  }
  for (std::size_t i = 0; i < kPrograms; ++i) {
    const auto& marks = session.Run(static_cast<Which>(i)).Marks();
    figures[i].idleGapsMs = TickGapsMs(marks, kShotTimer[i], idle);
    figures[i].playGapsMs = TickGapsMs(marks, kShotTimer[i], play[i]);
  }
  return session.AllRunning();
}

}  // namespace
}  // namespace starveil::perf

int main(int argc, char* argv[]) {
  using namespace starveil::perf;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <directory for the programs' logs>\n", argv[0]);
    return 2;
  }
  const QString logs = argv[1];
  // The tool's own pictures need no screen; the programs it starts choose theirs themselves.
  std::array<char*, 3> arguments{argv[0], const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen")};
  int count = static_cast<int>(arguments.size());
  const QGuiApplication app(count, arguments.data());

  const QString display = qEnvironmentVariable("DISPLAY");
  starveil::xdrive::XDesktop x(display);
  if (!x.Ok()) {
    std::fprintf(stderr, "measure: no X display; run it through tools/measure.sh\n");
    return 1;
  }
  Figures figures;
  Measured plain;
  MeasureStartUp(logs, figures);
  if (!MeasureWithoutTrace(x, display, logs, figures, plain) ||
      !MeasureTimerGaps(x, logs, figures)) {
    std::fprintf(stderr, "measure: a program did not show its window or ended early; see %s\n",
                 qPrintable(logs));
    return 1;
  }
  PrintReport(kMeasured, figures, plain);
  SaveSamples(logs, kMeasured, figures);
  return 0;
}
