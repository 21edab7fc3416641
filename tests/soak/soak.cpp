#include "soak/soak.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <utility>

#include "game/facts.h"
#include "game/flicker.h"
#include "game/formation.h"
#include "game/march.h"
#include "game/rockets.h"
#include "game/shot.h"
#include "platform/clock.h"
#include "platform/label.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "support/game_window.h"

namespace starveil::soak {

namespace {

using platform::Sprite;

// Twips from one monster's left edge to the next one's, and from one row's top to the next one's.
constexpr float kColumnSpacing = game::kSmallSprite + game::kColumnGap;
constexpr float kRowSpacing = game::kSmallSprite + game::kRowGap;
constexpr int kPauses = game::kExplosionFrames + 1;  // one after each explosion frame, one last
constexpr int kDodgeHeight = 900;  // twips above the cannon where a rocket is worth dodging
constexpr int kDodgeMargin = 120;  // twips either side of the cannon
constexpr std::size_t kDrawReserve = 200;
constexpr double kCalmGames = 0.4;  // the share of games in which no rocket is launched

int LiveMonsters(const game::GameState& s) {
  int live = 0;
  for (const game::MonsterRow& row : s.MonsterRows) {
    for (int p = 1; p <= row.Count(); ++p)
      live += row.Item(p)->Tag() == game::kAlive;
  }
  return live;
}

bool IsScore(std::int32_t points) {
  return points == 15 || points == 30 || points == 45 || points == 60;
}

std::string KeyText(int key) {
  if (key == Qt::Key_Space) return " ";
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return QString(QChar(key)).toLower().toStdString();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return std::string(1, static_cast<char>(key));
  return "";
}

}  // namespace

Soak::Soak(const Options& options) : options_(options), rng_(options.seed) {
  OpenWindow();
}

Soak::~Soak() = default;

void Soak::Run() {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::duration<double>(options_.seconds);
  while (options_.steps < 0 ? Clock::now() < end : step_ < options_.steps) {
    ++step_;
    if (closed_) OpenWindow();
    TopLevelEvent();
  }
}

std::string Soak::Summary(double seconds) const {
  std::ostringstream out;
  out << step_ << " steps, " << events_ << " events in " << seconds << " s ("
      << static_cast<long>(events_ / std::max(seconds, 1e-9)) << " events/s)\n";
  for (const auto& [what, count] : counts_)
    out << "  " << what << ": " << count << "\n";
  out << "  screen comparisons: " << screen_.Comparisons() << "\n";
  return out.str();
}

void Soak::OpenWindow() {
  window_.reset();
  window_ = std::make_unique<testing::GameWindow>();
  window_->clock->onDoEvents = [this] { OnDoEvents(); };
  window_->msgBox->whileOpen = [this](const std::string& text) { WhileOpen(text); };
  NewDraws();
  // Runs after the game's own handler: a click on Start begins a new game.
  QObject::connect(&window_->frm->cmdStart, &QPushButton::clicked, [this] {
    startKeptPoints_ = startKeptPoints_ || g().state.Points != 0;
    lastPoints_ = 0;
    ++counts_["games started"];
    NewDraws();
  });
  names_ = testing::ScreenCheck::DesignNames(*window_->frm);
  window_->frm->show();
  closed_ = false;
  openBoxes_ = 0;
  slots_ = {};
  pause_ = {};
  cannonTop_ = g().SH.Top();
  shotTicked_ = false;
  lastPoints_ = g().state.Points;
  startKeptPoints_ = false;
  ++counts_["windows"];
  Checkpoint("window load");
}

void Soak::CloseWindow(const std::string& where) {
  window_->frm->close();
  if (!window_->frm->IsUnloaded()) Fail("close", "closing the window left it loaded");
  closed_ = true;
  ++counts_["closed " + where];
  Checkpoint("close");
}

void Soak::TopLevelEvent() {
  // A player who sees the march stopped presses Start sooner or later.
  if (!g().tmrMonster.Enabled() && Chance(0.01)) {
    ClickStart();
    return;
  }
  const int pick = Below(1000);
  if (pick < 300) {
    Advance(Chance(0.1) ? 300 + Below(1700) : 10 + Below(190));
    CheckScreen("time passing");
  } else if (pick < 450) {
    PressSomeKey();
  } else if (pick < 840) {
    AimAndFire();
  } else if (pick < 880) {
    AutoRepeatFlood();
  } else if (pick < 881) {
    ClickStart();
  } else if (pick < 900) {
    ScriptClock();
  } else if (pick < 910) {
    ScriptDraws();
  } else if (pick < 940) {
    StaleMarchTick();
  } else if (Chance(0.998)) {
    PendingEvents();
  } else {
    CloseWindow("between events");
  }
}

void Soak::PressSomeKey() {
  static constexpr std::array kKeys{Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Up,     Qt::Key_Space,
                                    Qt::Key_Left,  Qt::Key_Right,  Qt::Key_Space,  Qt::Key_Down,
                                    Qt::Key_Shift, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A,
                                    Qt::Key_5,     Qt::Key_Control};
  static constexpr std::array<Qt::KeyboardModifier, 4> kModifiers{
      Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
  int key = kKeys[Below(static_cast<int>(kKeys.size()))];
  // Tab moves the focus, and Space on the Start button starts a new game: now and then only.
  if (Chance(0.01)) key = Chance(0.5) ? Qt::Key_Tab : Qt::Key_Backtab;
  Qt::KeyboardModifiers modifiers = kModifiers[Below(static_cast<int>(kModifiers.size()))];
  if (key == Qt::Key_Shift) modifiers = Qt::ShiftModifier;
  ++events_;
  ++counts_["keys"];
  ++inputs_;
  testing::PressKey(*window_->frm, key, modifiers);
  Checkpoint("a key");
}

// A key held down: a press, a stream of auto-repeated presses with the timers running between
// them, then the release.
void Soak::AutoRepeatFlood() {
  static constexpr std::array kKeys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Space};
  const int key = kKeys[Below(static_cast<int>(kKeys.size()))];
  const QString text = QString::fromStdString(KeyText(key));
  const int repeats = 5 + Below(80);
  ++counts_["auto-repeat floods"];
  for (int i = 0; i <= repeats && !closed_; ++i) {
    QWidget* target = window_->frm->focusWidget();
    if (!target) target = window_->frm.get();
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, /*autorep=*/i > 0);
    QApplication::sendEvent(target, &press);
    ++events_;
    Checkpoint("an auto-repeated key");
    Advance(Below(45));
  }
  if (closed_) return;
  QWidget* target = window_->frm->focusWidget();
  if (!target) target = window_->frm.get();
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
  Checkpoint("a key release");
}

// Plays as a player would: steps out from under a rocket about to land, else walks the cannon
// towards the nearest live monster, one key at a time, and fires once under it.
void Soak::AimAndFire() {
  const game::GameState& s = g().state;
  const float shotLeft = g().SH.Left() + g().SH.Width() / 2 - g().R[2].Width() / 2;
  const float shotTop = g().SH.Top() - g().R[2].Height();
  // Aims where the monster will be when the shot reaches it, as the march goes now.
  const int destroyed = game::kMonsters - LiveMonsters(s);
  const double step = s.MarchStep + std::copysign(std::round(1.5f * destroyed), s.MarchStep);
  const auto stepPerMs = static_cast<float>(step / std::max<int>(s.MonsterInterval, 1));
  std::optional<float> aim;
  for (const game::MonsterRow& row : s.MonsterRows) {
    for (int p = 1; p <= row.Count(); ++p) {
      const Sprite& monster = *row.Item(p);
      if (monster.Tag() != game::kAlive) continue;
      const float flightMs =
          (shotTop - monster.Top()) / (g().R[2].Height() / 2) * game::kShotIntervalMs;
      const float place = monster.Left() + stepPerMs * flightMs;
      if (!aim || std::abs(place - shotLeft) < std::abs(*aim - shotLeft)) aim = place;
    }
  }
  int key = DodgeKey();
  if (key == 0) key = Qt::Key_Space;
  if (aim && key == Qt::Key_Space) {
    // The shot hits within its side margin either side of the monster's left edge: aim well inside.
    const float offset = shotLeft - *aim;
    if (offset > game::kShotSideMargin / 2.0f) key = Qt::Key_Left;
    if (offset < -game::kShotSideMargin / 2.0f) key = Qt::Key_Right;
  }
  ++events_;
  ++counts_["aimed keys"];
  ++inputs_;
  testing::PressKey(*window_->frm, key);
  Checkpoint("an aimed key");
}

int Soak::DodgeKey() {
  const Sprite& cannon = g().SH;
  for (int k = 0; k <= game::kLastRocket; ++k) {
    const Sprite& rocket = g().K[k];
    if (!rocket.Visible() || rocket.Top() + rocket.Height() < cannon.Top() - kDodgeHeight) continue;
    const float middle = rocket.Left() + rocket.Width() / 2;
    if (middle < cannon.Left() - kDodgeMargin ||
        middle > cannon.Left() + cannon.Width() + kDodgeMargin)
      continue;
    return middle < cannon.Left() + cannon.Width() / 2 ? Qt::Key_Right : Qt::Key_Left;
  }
  return 0;
}

void Soak::ClickStart() {
  ++inputs_;
  ++events_;
  QTest::mouseClick(&window_->frm->cmdStart, Qt::LeftButton);
  // Start restarts the march timer's countdown with the new game's interval.
  slots_[kMarch].armed = false;
  Checkpoint("Start");
  CheckMarchFormula("Start");
}

// A new game is calm now and then: no script, so every march step draws a target that no monster
// matches. Otherwise the draws are uniform, as the real generator's are.
void Soak::NewDraws() {
  calm_ = Chance(kCalmGames);
  if (calm_) window_->random->draws.clear();
}

// The time of day jumps, now and then to just before midnight so that pauses run across it.
void Soak::ScriptClock() {
  ++counts_["clock scripts"];
  const float nearMidnight = platform::kSecondsPerDay - static_cast<float>(Uniform() * 2.0);
  window_->clock->now =
      Chance(0.5) ? nearMidnight : static_cast<float>(Uniform() * platform::kSecondsPerDay);
  if (window_->clock->now >= platform::kSecondsPerDay) window_->clock->now = 0;
}

// The next draws: a storm of equal draws that launches rockets, a fixed pattern, or the edges
// of the range.
void Soak::ScriptDraws() {
  if (calm_) return;
  ++counts_["draw scripts"];
  auto& draws = window_->random->draws;
  const int count = 10 + Below(200);
  switch (Below(3)) {
    case 0: {
      const auto storm = static_cast<float>(Uniform());
      draws.insert(draws.begin(), count, storm);
      break;
    }
    case 1:
      for (int i = 0; i < count; ++i)
        draws.push_front(i % 49 == 0 ? 0.0f : 0.5f);
      break;
    default:
      for (int i = 0; i < count; ++i)
        draws.push_front(Chance(0.5) ? 0.0f : std::nextafter(1.0f, 0.0f));
  }
}

// A march tick that was already due when the game ended: it must find the game over.
void Soak::StaleMarchTick() {
  if (!g().state.GameOver || g().tmrMonster.Enabled() || slots_[kMarch].busy || closed_) return;
  ++events_;
  ++counts_["stale march ticks"];
  MarchTick();
}

// The event loop runs once: posted events and repaints, but no timer, since the timers tick on
// the virtual clock alone and the stream must not depend on the machine's speed.
void Soak::PendingEvents() {
  ++events_;
  QCoreApplication::processEvents(QEventLoop::X11ExcludeTimers);
  Checkpoint("pending events");
  CheckScreen("pending events");
}

void Soak::Arm() {
  const std::array<platform::Timer*, kSlots> timers{&g().tmrMonster, &g().tmrBulletsMove,
                                                    &g().TmrRk};
  for (int i = 0; i < kSlots; ++i) {
    TimerSlot& slot = slots_[i];
    const platform::Timer& timer = *timers[i];
    if (!timer.Enabled() || !window_->frm->IsLoaded()) {
      slot.armed = false;
      continue;
    }
    // Switching a timer on, or changing the interval of one that runs, restarts its countdown.
    if (slot.armed && slot.interval == timer.RunningInterval()) continue;
    slot.armed = true;
    slot.interval = timer.RunningInterval();
    slot.due = now_ + slot.interval;
  }
}

void Soak::Advance(double ms) {
  const double end = now_ + ms;
  while (!closed_) {
    Arm();
    int next = -1;
    for (int i = 0; i < kSlots; ++i) {
      const TimerSlot& slot = slots_[i];
      if (!slot.armed || slot.busy || slot.due > end) continue;
      if (next < 0 || slot.due < slots_[next].due) next = i;
    }
    if (next < 0) break;
    now_ = std::max(now_, slots_[next].due);
    Fire(static_cast<Slot>(next));
  }
  now_ = std::max(now_, end);
}

// Every timer whose time has come ticks once, as pending events run once.
void Soak::FireDue() {
  Arm();
  for (int i = 0; i < kSlots && !closed_; ++i) {
    if (slots_[i].armed && !slots_[i].busy && slots_[i].due <= now_) Fire(static_cast<Slot>(i));
    Arm();
  }
}

void Soak::Fire(Slot slot) {
  TimerSlot& timer = slots_[slot];
  timer.busy = true;
  timer.armed = false;
  ++events_;
  switch (slot) {
    case kMarch:
      MarchTick();
      break;
    case kShot:
      ShotTick();
      break;
    default:
      FlickerTick();
  }
  slots_[slot].busy = false;
}

void Soak::MarchTick() {
  game::Game& game = g();
  const bool over = game.state.GameOver;
  std::vector<std::pair<float, float>> places;
  if (over) {
    for (const game::MonsterRow& row : game.state.MonsterRows) {
      for (int p = 1; p <= row.Count(); ++p)
        places.emplace_back(row.Item(p)->Left(), row.Item(p)->Top());
    }
  }
  game::tmrMonster_Timer(game);
  ++counts_["march ticks"];
  if (over) {
    std::size_t n = 0;
    for (const game::MonsterRow& row : game.state.MonsterRows) {
      for (int p = 1; p <= row.Count(); ++p, ++n) {
        if (std::make_pair(row.Item(p)->Left(), row.Item(p)->Top()) != places[n])
          Fail("a march tick after the game ended", "a monster moved");
      }
    }
    if (game.tmrMonster.Enabled())
      Fail("a march tick after the game ended", "the march timer came back on");
  } else if (game.tmrMonster.Enabled() && !closed_) {
    CheckMarchFormula("a march tick");
  }
  Checkpoint("a march tick");
}

void Soak::ShotTick() {
  // Each tick may bring a cannon loss sequence; it closes the window at one of its pauses now
  // and then.
  const Pause outer = pause_;
  pause_ = Pause{0, Chance(0.08) ? Below(kPauses) : -1};
  shotTicked_ = true;
  const std::int32_t points = g().state.Points;
  const long inputs = inputs_;
  game::tmrBulletsMove_Timer(g());
  pause_ = outer;
  // A hit ends the shot, unless a key fired a new one while the tick paused.
  if (g().state.Points > points && g().state.ShotInFlight && inputs_ == inputs)
    Fail("a shot tick", "the shot flew on after a hit");
  ++counts_["shot ticks"];
  Checkpoint("a shot tick");
}

void Soak::FlickerTick() {
  game::TmrRk_Timer(g());
  if (g().lblPoints.Caption() != std::to_string(g().state.Points))
    Fail("a flicker tick", "the score label reads " + g().lblPoints.Caption());
  if (g().lblLevel.Caption() != std::to_string(g().state.Level))
    Fail("a flicker tick", "the level label reads " + g().lblLevel.Caption());
  Checkpoint("a flicker tick");
}

// A pause of the cannon loss sequence is over: what was pending runs once. While a message box
// is open the window takes no input, so only its timers run.
void Soak::OnDoEvents() {
  Checkpoint("a pause");
  if (closed_) Fail("a pause", "the loss sequence went on after the window closed");
  // As the game's own pause does, but for the timers, which tick on the virtual clock.
  platform::RunPendingEventsOnce(QEventLoop::X11ExcludeTimers);
  CheckScreen("a pause");
  const int index = pause_.index++;
  ++counts_["pauses"];
  if (index == pause_.closeAt) {
    CloseWindow("at pause " + std::to_string(index));
    return;
  }
  now_ += index == kPauses - 1 ? game::kLossFinalPauseMs : game::kExplosionFramePauseMs;
  FireDue();
  if (openBoxes_ > 0) return;
  for (int i = Below(4); i > 0 && !closed_; --i) {
    const int pick = Below(100);
    if (pick == 0) {
      ClickStart();
    } else if (pick < 12) {
      AimAndFire();
    } else {
      PressSomeKey();
    }
  }
}

// A message box is open for a while, the window's events and the timers that are on running, and
// may be closed with its window before it is answered.
void Soak::WhileOpen(const std::string& text) {
  Checkpoint("a message");
  if (closed_) Fail("a message", "\"" + text + "\" shown after the window closed");
  ++openBoxes_;
  ++counts_["message " + text];
  PendingEvents();
  const double span = Below(3) == 0 ? Below(3000) : Below(300);
  const double closeAt = Chance(0.25) ? Uniform() * span : -1;
  if (closeAt >= 0) {
    Advance(closeAt);
    if (!closed_) CloseWindow("during " + text);
  } else {
    Advance(span);
  }
  --openBoxes_;
}

void Soak::Checkpoint(const char* after) {
  ++counts_["checks"];
  auto& draws = window_->random->draws;
  if (!calm_ && draws.size() < kDrawReserve) {
    for (std::size_t i = 0; i < kDrawReserve; ++i)
      draws.push_back(static_cast<float>(Uniform()));
  }
  CheckCannon(after);
  CheckFormation(after);
  CheckMarkers(after);
  CheckRockets(after);
  CheckPoints(after);
  CheckMarchTimer(after);
}

void Soak::CheckCannon(const char* after) {
  const Sprite& cannon = g().SH;
  const platform::Shape& field = g().Shape1;
  if (cannon.Left() < field.Left()) Fail(after, "the cannon left the playfield on the left");
  if (cannon.Left() + cannon.Width() > field.Left() + field.Width())
    Fail(after, "the cannon left the playfield on the right");
  if (cannon.Top() != cannonTop_) Fail(after, "the cannon moved vertically");
}

void Soak::CheckFormation(const char* after) {
  const game::GameState& s = g().state;
  for (int r = 0; r < game::kRows; ++r) {
    const game::MonsterRow& row = s.MonsterRows[r];
    if (row.Count() != game::kColumns)
      Fail(after, "row " + std::to_string(r) + " holds " + std::to_string(row.Count()));
    const Sprite& first = *row.Item(1);
    if (r > 0 && first.Top() - s.MonsterRows[r - 1].Item(1)->Top() != kRowSpacing)
      Fail(after, "row " + std::to_string(r) + " is out of its place under the row above");
    for (int p = 1; p <= game::kColumns; ++p) {
      const Sprite& monster = *row.Item(p);
      if (&monster != &g().M[game::kFirstMonster + game::kColumns * r + p - 1])
        Fail(after, "a monster stands in the wrong row or column");
      if (monster.Top() != first.Top()) Fail(after, "a row is no longer level");
      if (p > 1 && monster.Left() - row.Item(p - 1)->Left() != kColumnSpacing)
        Fail(after, "the columns of row " + std::to_string(r) + " lost their spacing");
      if (monster.Visible() != (monster.Tag() == game::kAlive))
        Fail(after, "a monster is shown though destroyed, or hidden though alive");
    }
  }
}

void Soak::CheckMarkers(const char* after) {
  bool gap = false;
  for (int j = 0; j <= 2; ++j) {
    if (!g().Lives[j].Visible()) {
      gap = true;
    } else if (gap) {
      Fail(after, "life marker " + std::to_string(j) + " is shown after a hidden one");
    }
  }
}

void Soak::CheckRockets(const char* after) {
  if (!shotTicked_) return;
  for (int k = 0; k <= game::kLastRocket; ++k) {
    const Sprite& rocket = g().K[k];
    if (rocket.Visible() && rocket.Tag() != game::kRocketFalling)
      Fail(after, "rocket " + std::to_string(k) + " is shown with tag \"" + rocket.Tag() + "\"");
    if (rocket.Tag().empty() && rocket.Visible())
      Fail(after, "free rocket " + std::to_string(k) + " is shown");
  }
}

void Soak::CheckPoints(const char* after) {
  if (std::exchange(startKeptPoints_, false)) Fail(after, "a new game kept its points");
  const std::int32_t points = g().state.Points;
  if (points != lastPoints_) ++counts_["hits"];
  if (points != lastPoints_ && !IsScore(points - lastPoints_)) {
    Fail(after,
         "the score went from " + std::to_string(lastPoints_) + " to " + std::to_string(points));
  }
  lastPoints_ = points;
}

void Soak::CheckMarchTimer(const char* after) {
  const platform::Timer& timer = g().tmrMonster;
  const int stored = g().state.MonsterInterval;
  if (timer.Interval() != stored)
    Fail(after, "the march timer holds " + std::to_string(timer.Interval()) + ", the game " +
                    std::to_string(stored));
  if (timer.RunningInterval() != std::max(stored, platform::Timer::kShortestRunnableMs))
    Fail(after, "the march timer runs " + std::to_string(timer.RunningInterval()) + " ms for " +
                    std::to_string(stored));
  const bool shouldRun = timer.Enabled() && window_->frm->IsLoaded();
  if (timer.Running() != shouldRun) Fail(after, "the march timer's countdown disagrees with it");
}

// Right after a march step, the interval is the formula's: ten milliseconds fewer per level and
// one fewer per monster down.
void Soak::CheckMarchFormula(const char* after) {
  const int formula = (11 - g().state.Level) * 10 + LiveMonsters(g().state);
  if (g().state.MonsterInterval != formula)
    Fail(after, "the march interval is " + std::to_string(g().state.MonsterInterval) +
                    " instead of " + std::to_string(formula));
}

// What the window shows is what its controls hold now: a repaint that missed a pixel fails here.
void Soak::CheckScreen(const char* after) {
  if (closed_) return;
  const std::string stale = screen_.Compare(*window_->frm, names_);
  if (!stale.empty()) Fail(after, stale);
}

void Soak::Fail(const char* after, const std::string& what) {
  std::ostringstream out;
  out << what << " (after " << after << "; step " << step_ << ", event " << events_ << ", level "
      << g().state.Level << ", points " << g().state.Points << ")";
  throw Failure(out.str());
}

}  // namespace starveil::soak
