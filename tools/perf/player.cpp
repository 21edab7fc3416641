#include "player.h"

#include <QRect>
#include <optional>
#include <thread>

#include "damage_watch.h"
#include "game/facts.h"
#include "picture_finder.h"
#include "platform/twips.h"
#include "wait_for.h"

namespace starveil::perf {

namespace {

using namespace std::chrono_literals;
using xdrive::WaitFor;

constexpr auto kWindowPatience = 60s;  // the game's splash alone takes 5 s
constexpr auto kFocusPatience = 5s;
constexpr auto kKeyApart = 40ms;  // 25 keys a second
constexpr int kFireEvery = 4;     // steps
constexpr int kFirstSweep = 20;   // steps one way from the middle, then twice that each way
constexpr auto kPressApart = 40ms;
constexpr int kResponsePatienceMs = 500;
using game::kCannonStepPx;

}  // namespace

Player::Player(xdrive::XDesktop& x, ProgramRun& run) : x_(x), run_(run) {}

bool Player::FindWindow() {
  return WaitFor(kWindowPatience, [&] {
    return (window_ = x_.FindWindow(run_.Of().window, run_.Pid())) != XCB_WINDOW_NONE;
  });
}

void Player::TakeFocus() {
  x_.Activate(window_);
  WaitFor(kFocusPatience, [&] { return x_.Focus() == window_; });
  if (!started_) Start();
}

void Player::Start() {
  // Start has the focus in a window just opened; later the text box has it, one step after it.
  if (started_) x_.Key("shift+Tab");
  x_.Key("space");
  started_ = true;
}

bool Player::AnswerAnyBox() {
  if (x_.Focus() == window_) return false;
  const xcb_window_t box = x_.FindWindow(run_.Of().box, run_.Pid());
  if (box == XCB_WINDOW_NONE) {
    // Whatever took the focus, it is not the program's to give back.
    TakeFocus();
    return true;
  }
  WaitFor(kFocusPatience, [&] { return x_.Focus() == box; });
  x_.Key("Return");
  WaitFor(kFocusPatience, [&] { return !x_.Shown(box); });
  ++boxes_;
  WaitFor(kFocusPatience, [&] { return x_.Focus() == window_; });
  Start();
  return true;
}

bool Player::LoseAGame(std::chrono::milliseconds patience) {
  xcb_window_t box = XCB_WINDOW_NONE;
  const bool shown = WaitFor(patience, [&] {
    return x_.Focus() != window_ &&
           (box = x_.FindWindow(run_.Of().box, run_.Pid())) != XCB_WINDOW_NONE;
  });
  if (!shown) return false;
  WaitFor(kFocusPatience, [&] { return x_.Focus() == box; });
  x_.Key("Return");
  return WaitFor(kFocusPatience, [&] { return !x_.Shown(box); });
}

void Player::Press(const char* key) {
  if (!AnswerAnyBox()) x_.Key(key);
  std::this_thread::sleep_for(kKeyApart);
}

void Player::PlayFor(std::chrono::milliseconds span) {
  const auto end = std::chrono::steady_clock::now() + span;
  const char* way = "Left";
  for (int steps = kFirstSweep; std::chrono::steady_clock::now() < end; steps = 2 * kFirstSweep) {
    for (int step = 1; step <= steps && std::chrono::steady_clock::now() < end; ++step) {
      Press(way);
      if (step % kFireEvery == 0) Press("space");
    }
    way = way == std::string_view("Left") ? "Right" : "Left";
  }
}

std::vector<double> Player::KeyToScreenMs(const QString& display, int presses) {
  DamageWatch watch(display, window_);
  std::vector<double> times;
  const char* way = "Left";
  while (watch.Ok() && static_cast<int>(times.size()) < presses && run_.Running()) {
    std::this_thread::sleep_for(kPressApart);
    if (AnswerAnyBox()) continue;
    // A rocket crossing the cannon, or its explosion, hides it whole for a while.
    const std::optional<QPoint> cannon =
        xdrive::FindPicture(x_.Grab(window_), xdrive::CannonPicture());
    if (!cannon) continue;
    const int step = way == std::string_view("Left") ? -kCannonStepPx : kCannonStepPx;
    const QRect moved(*cannon + QPoint(step, 0), xdrive::CannonPicture().size());
    watch.Forget();
    const std::int64_t pressed = MonotonicNs();
    x_.Press(way);
    const std::optional<std::int64_t> shown = watch.CoveredNs(moved, kResponsePatienceMs);
    x_.Release(way);
    if (!shown) {
      ++unseen_;
    } else if (!xdrive::FindPicture(x_.Image(window_, moved), xdrive::CannonPicture())) {
      // Something else drew over the cannon's new place: the explosion of a hit, or a rocket.
      ++spoilt_;
    } else {
      times.push_back(static_cast<double>(*shown - pressed) / 1e6);
    }
    way = step < 0 ? "Right" : "Left";
  }
  return times;
}

}  // namespace starveil::perf
