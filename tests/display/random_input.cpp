#include "random_input.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "compositor_screen.h"
#include "compositor_view.h"
#include "keyboard.h"
#include "launch.h"
#include "pointer.h"

namespace starveil::display {

namespace {

// Every game here exits once closed, and the leak check runs as it does. Under the sanitizers,
// stacks unwound in full reach past a driver unloaded before that check, so that its one-time
// allocation is matched by name.
QProcessEnvironment FullyUnwound(QProcessEnvironment env) {
  if (env.contains("LSAN_OPTIONS"))
    env.insert("LSAN_OPTIONS", env.value("LSAN_OPTIONS") + ":fast_unwind_on_malloc=0");
  return env;
}

constexpr int kDefaultSeconds = 60;
constexpr int kCloseEveryMs = 1000;  // as a player pressing Alt+F4 again
constexpr int kClosesAtMost = 30;    // then the game is taken to ignore them
constexpr int kShortestGameMs = 500;
constexpr int kLongestGameMs = 30'000;
// Space in an early closed game, while the splash (5 s) is up or before it shows.
constexpr int kEarliestSpaceMs = 200;
constexpr int kLatestSpaceMs = 3000;
// Between two events, as a player's hands go.
constexpr int kShortestPauseMs = 20;
constexpr int kLongestPauseMs = 400;
constexpr int kLookForTheWindowEveryMs = 5000;
// Of the games, those closed early: Space within the splash's first seconds, then Alt+F4 once a
// second until the game ends.
constexpr double kEarlyCloseShare = 0.35;
// Of the events in the other games, the share of each kind besides keys.
constexpr double kClickShare = 0.15;
constexpr double kCloseShare = 0.02;
constexpr double kTermShare = 0.003;
// The keys the game reacts to, and Shift+Left, which in the text box sets the selection.
constexpr std::array<std::string_view, 8> kKeys{"Left",   "Right",     "Up",  "space",
                                                "Return", "shift+Tab", "Tab", "shift+Left"};

std::uint32_t Seed() {
  if (qEnvironmentVariableIsSet("STARVEIL_RANDOM_INPUT_SEED"))
    return static_cast<std::uint32_t>(qEnvironmentVariable("STARVEIL_RANDOM_INPUT_SEED").toUInt());
  return std::random_device()();
}

int Seconds() {
  const int seconds = qEnvironmentVariableIntValue("STARVEIL_RANDOM_INPUT_SECONDS");
  return seconds > 0 ? seconds : kDefaultSeconds;
}

struct Tally {
  int games = 0;
  int early = 0;
  int keys = 0;
  int clicks = 0;
  int closes = 0;
  int terms = 0;
  int reports = 0;
  std::map<std::string, int> exits;
};

std::ostream& operator<<(std::ostream& out, const Tally& tally) {
  out << tally.games << " games (" << tally.early << " closed early), " << tally.keys << " keys, "
      << tally.clicks << " clicks, " << tally.closes << " closes, " << tally.terms
      << " terms; exits:";
  for (const auto& [kind, count] : tally.exits)
    out << " " << kind << " x" << count;
  return out << "; sanitizer reports: " << tally.reports;
}

std::string ExitKind(const xdrive::Launch& game) {
  if (!game.Signalled()) return "status " + std::to_string(game.ExitCode());
  return game.ExitCode() == SIGTERM ? "SIGTERM" : "signal " + std::to_string(game.ExitCode());
}

// Sanitizers' reports begin with one of these lines.
int Reports(const QString& errors) {
  return static_cast<int>(errors.count("ERROR: AddressSanitizer") +
                          errors.count("ERROR: LeakSanitizer") + errors.count("runtime error:"));
}

class RandomPlayer {
 public:
  RandomPlayer(std::uint32_t seed, xdrive::Keyboard& keys, xdrive::Pointer* pointer)
      : seed_(seed), random_(seed), keys_(keys), pointer_(pointer) {}

  void PlayUntil(const QDeadlineTimer& end) {
    while (!end.hasExpired() && !::testing::Test::HasFatalFailure())
      PlayOneGame(end);
  }

  const Tally& Counted() const { return tally_; }

 private:
  void PlayOneGame(const QDeadlineTimer& end) {
    const QString errors = dir_.filePath("errors");
    xdrive::Launch game(STARVEIL_GAME, env_, dir_.filePath("said"), errors);
    ASSERT_TRUE(game.Started()) << "the game did not start; seed " << seed_;
    ++tally_.games;
    termed_ = false;
    if (Chance(kEarlyCloseShare)) {
      ++tally_.early;
      CloseEarly(game);
    } else {
      PlayRandomly(game, end);
    }
    if (!game.Ended(0) && !CloseUntilEnded(game)) {
      ADD_FAILURE() << "game " << tally_.games << " did not end after " << kClosesAtMost
                    << " Alt+F4; seed " << seed_;
      game.End();
    }
    Judge(game, errors);
  }

  // Space while the splash may still be up, then Alt+F4 once a second.
  void CloseEarly(xdrive::Launch& game) {
    if (game.Ended(Between(kEarliestSpaceMs, kLatestSpaceMs))) return;
    Key("space");
    game.Ended(kCloseEveryMs);
  }

  void PlayRandomly(xdrive::Launch& game, const QDeadlineTimer& end) {
    QDeadlineTimer over(Between(kShortestGameMs, kLongestGameMs));
    while (!over.hasExpired() && !end.hasExpired() &&
           !game.Ended(Between(kShortestPauseMs, kLongestPauseMs))) {
      if (Chance(kTermShare)) {
        ++tally_.terms;
        termed_ = true;
        game.Terminate();
      } else if (Chance(kCloseShare)) {
        Close();
      } else if (Chance(kClickShare)) {
        Click(game);
      } else {
        Key(kKeys[static_cast<std::size_t>(Between(0, static_cast<int>(kKeys.size()) - 1))]);
      }
    }
  }

  bool CloseUntilEnded(xdrive::Launch& game) {
    for (int close = 0; close < kClosesAtMost; ++close) {
      Close();
      if (game.Ended(kCloseEveryMs)) return true;
    }
    return false;
  }

  // Status 0, or the SIGTERM sent; and not a word on standard error.
  void Judge(const xdrive::Launch& game, const QString& errorsFile) {
    const std::string kind = ExitKind(game);
    ++tally_.exits[kind];
    EXPECT_TRUE(kind == "status 0" || (termed_ && kind == "SIGTERM"))
        << "game " << tally_.games << " ended with " << kind << "; seed " << seed_;
    QFile file(errorsFile);
    file.open(QIODevice::ReadOnly);
    const QString errors = QString::fromUtf8(file.readAll());
    tally_.reports += Reports(errors);
    EXPECT_TRUE(errors.isEmpty()) << "game " << tally_.games << " said on its standard error, seed "
                                  << seed_ << ":\n"
                                  << errors.toStdString();
  }

  void Key(std::string_view key) {
    ++tally_.keys;
    keys_.Key(key);
  }

  void Close() {
    ++tally_.closes;
    keys_.Key("alt+F4");
  }

  // Somewhere in the game window's client area, once the compositor has shown where it is: mutter
  // and KWin centre it, the same each time.
  void Click(xdrive::Launch& game) {
    if (!pointer_) return;
    if (!window_ && (!lookedFor_ || lookedFor_->hasExpired())) {
      lookedFor_ = QDeadlineTimer(kLookForTheWindowEveryMs);
      window_ = ClientOnScreen();
    }
    if (!window_ || game.Ended(0)) return;
    ++tally_.clicks;
    const QPoint at(Between(window_->left(), window_->right()),
                    Between(window_->top(), window_->bottom()));
    pointer_->ClickAt(at);
  }

  // The client area in the screen's logical pixels, in which the pointer moves.
  std::optional<QRect> ClientOnScreen() {
    const std::optional<QImage> screen = xdrive::CompositorScreen(env_);
    if (!screen || screen->isNull()) return std::nullopt;
    const std::optional<ClientView> client = ReadClient(*screen, DesktopScale() / 100.0);
    if (!client) return std::nullopt;
    const QRectF shown(client->onScreen);
    const double scale = DesktopScale() / 100.0;
    return QRectF(shown.topLeft() / scale, shown.size() / scale).toAlignedRect();
  }

  int Between(int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random_);
  }

  bool Chance(double share) { return std::bernoulli_distribution(share)(random_); }

  const std::uint32_t seed_;
  std::mt19937 random_;
  xdrive::Keyboard& keys_;
  xdrive::Pointer* pointer_;
  const QProcessEnvironment env_ = FullyUnwound(GameEnvironment());
  QTemporaryDir dir_;
  Tally tally_;
  bool termed_ = false;
  std::optional<QRect> window_;
  std::optional<QDeadlineTimer> lookedFor_;
};

}  // namespace

QProcessEnvironment GameEnvironment() {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("QT_QPA_PLATFORM");  // Qt picks the platform itself, as for a player
  return env;
}

void PlayedWithRandomInput() {
  const QProcessEnvironment env = GameEnvironment();
  const std::unique_ptr<xdrive::Keyboard> keys = xdrive::SessionKeyboard(env, nullptr);
  if (!keys) GTEST_SKIP() << "the compositor takes no keys from a program here";
  const std::unique_ptr<xdrive::Pointer> pointer = xdrive::SessionPointer(*keys);
  const std::uint32_t seed = Seed();
  std::cout << "random input, seed " << seed << std::endl;
  RandomPlayer player(seed, *keys, pointer.get());
  player.PlayUntil(QDeadlineTimer(std::chrono::seconds(Seconds())));
  std::cout << "random input, seed " << seed << ": " << player.Counted() << std::endl;
}

}  // namespace starveil::display
