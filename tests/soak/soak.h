#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"
#include "support/game_window.h"
#include "support/screen_check.h"

namespace starveil::soak {

struct Options {
  std::uint64_t seed = 0;
  double seconds = 10;
  long steps = -1;  // top-level steps to run whatever the time, -1 for no limit
};

// A broken invariant: what broke, and where the stream of events stood.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Plays a long random stream of input against real game windows, with the timers' ticks driven
// through a virtual clock, and checks after every event that the game still holds together. The
// stream depends on the seed alone, so a failure replays exactly.
class Soak {
 public:
  explicit Soak(const Options& options);
  ~Soak();

  // Runs until the time or the step limit; throws Failure when an invariant breaks.
  void Run();

  long Step() const { return step_; }
  std::string Summary(double seconds) const;

 private:
  enum Slot { kMarch, kShot, kFlicker, kSlots };
  struct TimerSlot {
    bool armed = false;
    bool busy = false;  // a tick never starts while its previous one runs
    double due = 0;
    int interval = 0;
  };
  struct Pause {
    int index = 0;
    int closeAt = -1;
  };

  // The windows.
  void OpenWindow();
  void CloseWindow(const std::string& where);
  game::Game& g() { return window_->g(); }

  // The stream of events.
  void TopLevelEvent();
  void PressSomeKey();
  void AutoRepeatFlood();
  void AimAndFire();
  int DodgeKey();
  void ClickStart();
  void ScriptClock();
  void NewDraws();
  void ScriptDraws();
  void StaleMarchTick();
  void PendingEvents();

  // Virtual time: the enabled timers tick as they would over `ms` milliseconds.
  void Advance(double ms);
  void FireDue();
  void Arm();
  void Fire(Slot slot);
  void MarchTick();
  void ShotTick();
  void FlickerTick();

  // Re-entry from inside the rules.
  void OnDoEvents();
  void WhileOpen(const std::string& text);

  // Invariants.
  void Checkpoint(const char* after);
  void CheckCannon(const char* after);
  void CheckFormation(const char* after);
  void CheckMarkers(const char* after);
  void CheckRockets(const char* after);
  void CheckPoints(const char* after);
  void CheckMarchTimer(const char* after);
  void CheckMarchFormula(const char* after);
  void CheckScreen(const char* after);
  [[noreturn]] void Fail(const char* after, const std::string& what);

  // Draws of the stream itself.
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double Uniform() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
  bool Chance(double p) { return Uniform() < p; }

  Options options_;
  std::mt19937_64 rng_;
  std::unique_ptr<testing::GameWindow> window_;
  testing::ScreenCheck screen_;
  testing::ScreenCheck::Names names_;
  bool calm_ = false;  // this game's draws come from no script, so no rocket is launched
  bool closed_ = false;
  int openBoxes_ = 0;
  double now_ = 0;  // virtual milliseconds
  std::array<TimerSlot, kSlots> slots_{};
  Pause pause_;

  // What the invariants remember between checks of one window.
  float cannonTop_ = 0;
  bool shotTicked_ = false;
  std::int32_t lastPoints_ = 0;
  bool startKeptPoints_ = false;

  long step_ = 0;
  long events_ = 0;
  long inputs_ = 0;  // keys and clicks, wherever they came
  std::map<std::string, long> counts_;
};

}  // namespace starveil::soak
