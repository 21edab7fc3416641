// The scenario each display row plays: the game's windows come up, open centred with the focus,
// and a whole game is played and another started, with keys through XTEST or the compositor, its
// screen read back and its screen reader heard.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cannon_recorder.h"
#include "compositor_view.h"
#include "desktop_session.h"
#include "game/facts.h"
#include "keyboard.h"
#include "platform/qt_forms.h"
#include "random_input.h"
#include "screen_judgements.h"
#include "wait_for.h"

// The built game on the desktop tools/desktop.sh started for the row, driven by real input (XTEST,
// as a keyboard and a mouse would) and read back from the screen.
namespace starveil::display {
namespace {

using display::Describe;
using game::kCannonPicture;
using game::kCannonStepPx;
using game::kExplosionFrames;
using platform::TwipsToPixels;
using xdrive::WaitFor;

constexpr int kLossPatienceMs = 300'000;  // a cannon standing still is hit thrice in a minute or so
constexpr int kStandStillMs = 40'000;     // then, if no rocket has hit it, it moves elsewhere
const QSize kSplashPx{game::kSplashWidthPx, game::kSplashHeightPx};
constexpr int kGameWindowWidthPx = TwipsToPixels(game::kClientWidth);
// Where the "Points" caption stands, from the playfield's top left corner.
const QRect kPointsCaptionPx =
    platform::PixelRect(game::kPointsCaption.place).translated(-kPlayfieldLeftPx, -kPlayfieldTopPx);

// How far a desktop's row goes: the game's windows come up; they open centred and take the focus;
// a whole game is played and another started; or games are played with random keys, clicks and
// closes. CMakeLists.txt beside names it for each row.
enum class Reach { kComesUp, kOpensCentred, kPlaysOn, kRandomInput };

std::optional<Reach> RowReach() {
  const QString reach = qEnvironmentVariable("STARVEIL_DISPLAY_REACH");
  if (reach == "comes-up") return Reach::kComesUp;
  if (reach == "opens-centred") return Reach::kOpensCentred;
  if (reach == "plays-on") return Reach::kPlaysOn;
  if (reach == "random-input") return Reach::kRandomInput;
  return std::nullopt;
}

// Centred on the screen as the player sees the window, frame included: opposite margins differ
// by the pixel an odd size leaves at most, or on a scaled screen by one of the window's units,
// the finest step in which a program places its windows there. At a fractional scale the game
// may stand a pixel off the centre, where the compositor draws it crisp.
testing::AssertionResult Centred(const QRect& framed, Session& session) {
  const QSize screen = session.X().ScreenSize();
  const double scale = session.Scale();
  const double slack = scale == std::floor(scale) ? scale : 2;
  const int leftOverRight = framed.left() - (screen.width() - 1 - framed.right());
  const int topOverBottom = framed.top() - (screen.height() - 1 - framed.bottom());
  if (std::abs(leftOverRight) <= slack && std::abs(topOverBottom) <= slack)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "the window, frame included, spans x " << framed.left() << " to " << framed.right()
         << " and y " << framed.top() << " to " << framed.bottom() << " of a " << screen.width()
         << "x" << screen.height() << " screen";
}

// A busy manager may show a client inside its frame a moment before it has placed the frame.
testing::AssertionResult CentredOncePlaced(Session& session, xcb_window_t window) {
  testing::AssertionResult centred = testing::AssertionFailure();
  WaitFor(kReaction, [&] { return centred = Centred(session.X().FramedRect(window), session); });
  return centred;
}

// The formation marches, which it does only in a game: the top row's band changes step after
// step. Until Start, and once a game has ended, it stands still. The whole band is compared, not
// where the row begins: on a loaded machine the X server now and then keeps a stray pixel of an
// old step that the game has painted over, and that pixel would hold the row's beginning still.
bool Marches(Session& session, xcb_window_t game) {
  QImage last = TopRowBand(session.X().Grab(game));
  int changes = 0;
  return WaitFor(kReaction, [&] {
    QImage band = TopRowBand(session.X().Grab(game));
    if (band != last) ++changes;
    last = std::move(band);
    return changes == 2;
  });
}

// How far one press of Left moved the cannon. A rocket crossing the cannon, or an explosion,
// hides its picture for a while: each try waits for it to show whole, and a spoilt try makes way
// for the next.
std::optional<int> LeftMovesTheCannonBy(Session& session, xcb_window_t game) {
  std::optional<int> moved;
  for (int attempt = 0; attempt < 5 && !moved; ++attempt) {
    std::optional<QPoint> before;
    if (!WaitFor(kReaction, [&] { return (before = Cannon(session.X().Grab(game))).has_value(); }))
      continue;
    session.X().Key("Left");
    WaitFor(kReaction, [&] {
      const std::optional<QPoint> after = Cannon(session.X().Grab(game));
      if (after && *after != *before) moved = after->x() - before->x();
      return moved.has_value();
    });
  }
  return moved;
}

// Stands the cannon still under the marching formation until the game ends by itself, recording
// every loss; after a long while without a hit the cannon steps aside, in ever wider swings.
struct GameEnd {
  std::vector<int> frames;             // of the cannon's pictures, as recorded
  xcb_window_t box = XCB_WINDOW_NONE;  // the message that ends the game; none if it did not end
};

GameEnd RecordLossesUntilTheGameEnds(Session& session, xcb_window_t game) {
  Recorder recorder(session.Display(), game);
  xcb_window_t box = XCB_WINDOW_NONE;
  bool aimed = false;
  QDeadlineTimer patience(kLossPatienceMs);
  QDeadlineTimer still(kStandStillMs);
  std::size_t seen = 0;
  int swings = 0;
  while (!patience.hasExpired() && session.GameRunning() &&
         (box = session.GameWindow("Starveil")) == XCB_WINDOW_NONE) {
    const std::vector<int> frames = recorder.Frames();
    if (frames.size() != seen) still.setRemainingTime(kStandStillMs);
    seen = frames.size();
    const bool calm = frames.empty() || frames.back() == kCannonPicture;
    if (aimed && calm && still.hasExpired()) {
      for (int step = 0; step < 12 * (swings + 1); ++step) {
        session.X().Key(swings % 2 == 0 ? "Left" : "Right");
        QThread::msleep(40);
      }
      ++swings;
      aimed = false;
      still.setRemainingTime(kStandStillMs);
    }
    if (!aimed) {
      if (const std::optional<QPoint> cannon = Cannon(session.X().Grab(game))) {
        recorder.Aim(*cannon);
        aimed = true;
      }
    }
    QThread::msleep(200);
  }
  recorder.Stop();
  return {recorder.Frames(), box};
}

// The borderless splash, centred, shows its picture and goes by itself; then the game window,
// frame and all, is centred and takes the focus. Gives the game window.
xcb_window_t OpensCentredWithTheFocus(Session& session) {
  xcb_window_t splash = XCB_WINDOW_NONE;
  EXPECT_TRUE(WaitFor(kPatience, [&] {
    return (splash = session.GameWindow("Form1")) != XCB_WINDOW_NONE;
  })) << session.GameOutput().toStdString();
  if (splash == XCB_WINDOW_NONE) return splash;
  const QSize splashShown = session.X().FramedRect(splash).size();
  EXPECT_TRUE(Scaled(splashShown.width(), kSplashPx.width(), session.Scale()));
  EXPECT_TRUE(Scaled(splashShown.height(), kSplashPx.height(), session.Scale()));
  EXPECT_TRUE(CentredOncePlaced(session, splash));
  EXPECT_TRUE(WaitFor(kPatience, [&] { return DistinctColours(session.X().Grab(splash)) > 16; }))
      << "the splash shows no picture";
  EXPECT_TRUE(WaitFor(kPatience, [&] { return !session.X().Shown(splash); }));

  xcb_window_t game = XCB_WINDOW_NONE;
  EXPECT_TRUE(WaitFor(kPatience, [&] {
    return (game = session.GameWindow("Starveil by Pellamy")) != XCB_WINDOW_NONE;
  }));
  if (game == XCB_WINDOW_NONE) return game;
  EXPECT_TRUE(Scaled(session.X().ClientRect(game).width(), kGameWindowWidthPx, session.Scale()));
  EXPECT_TRUE(CentredOncePlaced(session, game));
  EXPECT_TRUE(session.Focused(game));
  return game;
}

// Orca, started after the game, speaks the window that has the focus and its Start button.
testing::AssertionResult FoundByAScreenReaderStartedLate(Session& session) {
  if (!session.StartScreenReader()) return testing::AssertionFailure() << "Orca did not start";
  return session.Says(R"(Starveil by Pellamy frame\.?Start (push )?button)", kPatience);
}

// Each loss but the last is news with the score; the last is the game-over message.
testing::AssertionResult SpokeTheLossesAndTheEnd(Session& session) {
  return session.Says(R"(Lives left: 2\. Score: \d+\..*Lives left: 1\. Score: \d+\..*)"
                      R"(Sorry, Game Over\.OK (push )?button)",
                      kReaction);
}

// Until Start the formation stands still, whatever the arrow keys do; then Space on the Start
// button, which has the focus, starts the game.
void StartWithSpaceAfterTheArrows(Session& session, xcb_window_t game) {
  std::optional<int> waiting;
  ASSERT_TRUE(WaitFor(
      kPatience, [&] { return (waiting = FormationLeft(session.X().Grab(game))).has_value(); }));
  session.X().Keys({"Right", "Left", "Up"});
  EXPECT_EQ(FormationLeft(session.X().Grab(game)), waiting);
  session.X().Key("space");
  ASSERT_TRUE(Marches(session, game))
      << "Space on the Start button did not start the game after the arrow keys";
}

void MoveAndFire(Session& session, xcb_window_t game) {
  EXPECT_EQ(LeftMovesTheCannonBy(session, game), -kCannonStepPx);
  bool shotSeen = false;
  for (int attempt = 0; attempt < 5 && !shotSeen; ++attempt) {
    const std::optional<QPoint> cannon = Cannon(session.X().Grab(game));
    if (!cannon) continue;
    session.X().Key("space");
    QDeadlineTimer flight(kReaction);
    while (!shotSeen && !flight.hasExpired())
      shotSeen = ShotAbove(session.X().Grab(game), *cannon);
  }
  EXPECT_TRUE(shotSeen);
}

// Every loss plays the explosion frame by frame. A busy machine may miss a frame now and then,
// but never shows them out of order, and one loss at least is seen whole. Gives the message that
// ends the game.
xcb_window_t LoseEveryLifeFrameByFrame(Session& session, xcb_window_t game) {
  const GameEnd end = RecordLossesUntilTheGameEnds(session, game);
  const std::vector<std::vector<int>> losses = Losses(end.frames);
  EXPECT_NE(end.box, XCB_WINDOW_NONE) << "the game did not end; losses seen:" << Describe(losses);
  if (end.box == XCB_WINDOW_NONE) return end.box;
  std::cout << "explosion frames seen in each loss:" << Describe(losses) << "\n";
  const std::vector<int> whole{0, 1, 2, 3, 4, 5, 6, 7};
  bool seenWhole = false;
  for (const std::vector<int>& loss : losses) {
    EXPECT_TRUE(std::ranges::adjacent_find(loss, std::greater_equal<>()) == loss.end())
        << "frames out of order in a loss; losses seen:" << Describe(losses);
    seenWhole = seenWhole || loss == whole;
  }
  EXPECT_TRUE(seenWhole) << "no loss showed all " << kExplosionFrames
                         << " frames; losses seen:" << Describe(losses);
  return end.box;
}

// The game's watch compared the screen with the game at least once a second and at each loss, and
// the markers went out one by one: none is lit while the message shows.
void MarkersWentOutOneByOne(Session& session, std::size_t checkedBefore, qint64 playedMs) {
  EXPECT_TRUE(WaitFor(kReaction, [&] { return session.LastMarkersLit() == 0; }))
      << "a life marker is still lit on the screen at the end of the game";
  const std::vector<int> lit = session.MarkersLit();
  EXPECT_GE(static_cast<qint64>(lit.size() - checkedBefore), playedMs / 1000);
  std::vector<int> changes;
  std::unique_copy(lit.begin() + static_cast<std::ptrdiff_t>(checkedBefore), lit.end(),
                   std::back_inserter(changes));
  EXPECT_EQ(changes, std::vector<int>({3, 2, 1, 0})) << "life markers lit on the screen";
}

// Return answers the message, and the focus comes back to the game window, manager or not: with
// the pointer away, Shift+Tab from the text box to Start and Space on it start a new game.
void StartAnotherAfterTheMessage(Session& session, xcb_window_t game, xcb_window_t box) {
  ASSERT_TRUE(session.Focused(box));
  // With a screen reader listening, what it says of the losses and the end, before the message is
  // answered.
  if (session.Listened()) {
    EXPECT_TRUE(SpokeTheLossesAndTheEnd(session));
  }
  session.X().Key("Return");
  ASSERT_TRUE(WaitFor(kPatience, [&] { return !session.X().Shown(box); }));
  session.X().MovePointer({0, 0});
  EXPECT_TRUE(session.Focused(game)) << "the game window did not get the focus back";
  session.X().Keys({"shift+Tab", "space"});
  ASSERT_TRUE(Marches(session, game)) << "the keys after the message did not start a new game";
  EXPECT_TRUE(WaitFor(kReaction, [&] { return session.LastMarkersLit() == 3; }))
      << "the new game does not show its three life markers";
  EXPECT_EQ(LeftMovesTheCannonBy(session, game), -kCannonStepPx);
  EXPECT_TRUE(session.GameRunning()) << session.GameOutput().toStdString();
}

// The formation and the cannon as the compositor shows them on a scaled screen: in the sprites'
// own colours, and at a whole scale in solid blocks.
void ShowsTheSpritesCrisp(Session& session) {
  const double scale = DesktopScale() / 100.0;
  if (!session.CompositorScreen())
    GTEST_SKIP() << "the compositor offers no way to take what it shows";
  // Asked each time: the game window may come up on X while the test waits.
  const auto least = [&] {
    return LeastPaletteShare(session.OnX() &&
                             session.GameWindow("Starveil by Pellamy") != XCB_WINDOW_NONE);
  };
  QImage screen;
  std::optional<QRect> field;
  EXPECT_TRUE(WaitFor(kPatience, [&] {
    screen = session.CompositorScreen().value_or(QImage());
    field = Playfield(screen, scale);
    return field && PaletteShare(screen, *field) >= least();
  }));
  ASSERT_TRUE(field) << "no playfield on the " << screen.width() << "x" << screen.height()
                     << " screen; " << session.GameOutput().toStdString();
  const double share = PaletteShare(screen, *field);
  std::cout << "palette share " << share << " of the playfield at " << field->x() << ","
            << field->y() << " " << field->width() << "x" << field->height() << "\n";
  EXPECT_GE(share, least());
  if (DesktopScale() % 100 == 0) {
    const int whole = DesktopScale() / 100;
    EXPECT_EQ(MixedBlocks(screen, *field, whole), 0);
    // Text drawn at the screen's resolution has edges finer than the window's pixels; text
    // enlarged from them has none.
    const QPoint caption = field->topLeft() + kPointsCaptionPx.topLeft() * whole;
    EXPECT_GT(MixedBlocks(screen, QRect(caption, kPointsCaptionPx.size() * whole), whole), 0)
        << "the \"Points\" caption is enlarged, not drawn at the screen's resolution";
  }
}

// A whole game, from Start to "Sorry, Game Over.", and the start of the next.
void PlayAGameToItsEndAndStartAnother(Session& session, xcb_window_t game) {
  ASSERT_NO_FATAL_FAILURE(StartWithSpaceAfterTheArrows(session, game));
  const std::size_t checkedBefore = session.MarkersLit().size();
  QElapsedTimer played;
  played.start();
  MoveAndFire(session, game);
  const xcb_window_t box = LoseEveryLifeFrameByFrame(session, game);
  if (box == XCB_WINDOW_NONE) return;
  MarkersWentOutOneByOne(session, checkedBefore, played.elapsed());
  StartAnotherAfterTheMessage(session, game, box);
}

// What the compositor shows: the whole screen, and the game window's client area in it.
struct Shown {
  QImage screen;
  std::optional<ClientView> client;
};

// The game natively on Wayland as the test sees it, through the compositor's pictures: each
// picture taken notes the life markers lit in it, so that none of their changes goes unseen
// however slowly the pictures come.
class CompositorWatch {
 public:
  explicit CompositorWatch(Session& session) : session_(session) {}

  Shown Now() {
    Shown shown{session_.CompositorScreen().value_or(QImage()), std::nullopt};
    if (!shown.screen.isNull()) shown.client = ReadClient(shown.screen, DesktopScale() / 100.0);
    if (shown.client) {
      const int lit = markers_.Lit(shown.client->pixels);
      if (lit_.empty() || lit_.back() != lit) lit_.push_back(lit);
    }
    return shown;
  }
  // The markers lit in the pictures taken since the last call, as they changed.
  std::vector<int> TakeLit() { return std::exchange(lit_, {}); }
  std::size_t LitChanges() const { return lit_.size(); }

 private:
  Session& session_;
  MarkerReader markers_;
  std::vector<int> lit_;
};

// The formation marches, as the compositor shows it: the top row's band changes twice.
bool MarchesNatively(CompositorWatch& watch) {
  std::optional<QImage> last;
  int changes = 0;
  return WaitFor(kPatience, [&] {
    const Shown now = watch.Now();
    if (!now.client) return false;
    QImage band = TopRowBand(now.client->pixels);
    if (last && band != *last) ++changes;
    last = std::move(band);
    return changes == 2;
  });
}

std::string Describe(const std::vector<int>& counts) {
  std::string text;
  for (const int count : counts)
    text += " " + std::to_string(count);
  return text.empty() ? " none" : text;
}

// Stands the cannon still until the box that ends the game shows; after a long while without a
// hit the cannon steps aside, in ever wider swings. Gives what was seen of the box.
BoxSeen LoseEveryLifeNatively(Session& session, CompositorWatch& watch, xdrive::Keyboard& keys,
                              const QImage& before) {
  BoxSeen box;
  QDeadlineTimer patience(kLossPatienceMs);
  QDeadlineTimer still(kStandStillMs);
  std::size_t seen = 0;
  int swings = 0;
  while (!box.shown && !patience.hasExpired() && session.GameRunning()) {
    const Shown now = watch.Now();
    if (!now.client) continue;
    box = BoxShown(now.screen, before, *now.client);
    if (watch.LitChanges() != seen) still.setRemainingTime(kStandStillMs);
    seen = watch.LitChanges();
    if (!box.shown && still.hasExpired()) {
      for (int step = 0; step < 12 * (swings + 1); ++step)
        keys.Key(swings % 2 == 0 ? "Left" : "Right");
      ++swings;
      still.setRemainingTime(kStandStillMs);
    }
  }
  return box;
}

// Natively on Wayland, where keys go in through the compositor and only its picture tells what
// shows: Start, the life markers going out one by one until the box that ends the game opens over
// the game window with none lit, the box answered with a key, and the next game started.
void PlayAGameNatively(Session& session) {
  xdrive::Keyboard* keys = session.CompositorKeyboard();
  if (!keys) GTEST_SKIP() << "the compositor takes no keys from a program here";
  CompositorWatch watch(session);
  Shown before;
  ASSERT_TRUE(WaitFor(kPatience,
                      [&] {
                        before = watch.Now();
                        return before.client && FormationLeft(before.client->pixels);
                      }))
      << "no game window on the screen; " << session.GameOutput().toStdString();
  // Until Start the formation stands still, whatever the arrow keys do.
  keys->Keys({"Right", "Left", "Up"});
  const Shown waiting = watch.Now();
  ASSERT_TRUE(waiting.client);
  EXPECT_EQ(TopRowBand(waiting.client->pixels), TopRowBand(before.client->pixels));
  watch.TakeLit();
  keys->Key("space");
  ASSERT_TRUE(MarchesNatively(watch)) << "Space on the Start button did not start the game";
  const std::size_t checkedBefore = session.MarkersLit().size();
  QElapsedTimer played;
  played.start();

  const BoxSeen box = LoseEveryLifeNatively(session, watch, *keys, before.screen);
  const std::vector<int> lit = watch.TakeLit();
  ASSERT_TRUE(box.shown) << "the game did not end; life markers lit:" << Describe(lit);
  EXPECT_TRUE(box.overThePlayfield) << "the box that ends the game opened beside the game window";
  EXPECT_EQ(lit, std::vector<int>({3, 2, 1, 0})) << "life markers lit on the screen";
  // The game's watch compared what it handed the compositor with a fresh paint all along, where Qt
  // paints at a whole ratio: Qt before 6.5 draws only whole ones natively.
  if (DesktopScale() % 100 == 0 || QT_VERSION < QT_VERSION_CHECK(6, 5, 0)) {
    EXPECT_GE(static_cast<qint64>(session.MarkersLit().size() - checkedBefore),
              played.elapsed() / 1000);
  }

  keys->Key("Return");
  EXPECT_TRUE(WaitFor(kPatience, [&] {
    const Shown now = watch.Now();
    return now.client && !BoxShown(now.screen, before.screen, *now.client).shown;
  })) << "Return did not answer the box";
  // Shift+Tab from the text box that has the focus to Start, and Space on it.
  watch.TakeLit();
  keys->Keys({"shift+Tab", "space"});
  ASSERT_TRUE(MarchesNatively(watch)) << "the keys after the message did not start a new game";
  const std::vector<int> next = watch.TakeLit();
  EXPECT_NE(std::ranges::find(next, 3), next.end())
      << "the new game does not show its three life markers; lit:" << Describe(next);
  EXPECT_TRUE(session.GameRunning()) << session.GameOutput().toStdString();
}

TEST(RealDisplay, PlayedAsAPlayerWouldTheWindowsKeysMessagesAndExplosionsShowRight) {
  const std::optional<Reach> reach = RowReach();
  ASSERT_TRUE(reach) << "STARVEIL_DISPLAY_REACH must name how far the row goes";
  if (*reach == Reach::kRandomInput) return PlayedWithRandomInput();
  Session session;
  ASSERT_TRUE(session.StartGame());

  if (DesktopScale() != 100) {
    if (*reach == Reach::kOpensCentred) OpensCentredWithTheFocus(session);
    ShowsTheSpritesCrisp(session);
    const bool onX = session.OnX() && session.GameWindow("Starveil by Pellamy") != XCB_WINDOW_NONE;
    if (*reach == Reach::kPlaysOn && !onX && !::testing::Test::IsSkipped()) {
      PlayAGameNatively(session);
    }
  } else if (!session.OnX()) {
    // Natively on Wayland, where only a picture of the screen tells what shows.
    EXPECT_TRUE(WaitFor(kPatience, [&] { return ShowsTheGameWindow(session.Screenshot()); }))
        << "the game window did not show; " << session.GameOutput().toStdString();
  } else if (*reach == Reach::kComesUp) {
    EXPECT_TRUE(WaitFor(
        kPatience, [&] { return session.GameWindow("Starveil by Pellamy") != XCB_WINDOW_NONE; }))
        << "the game window did not come up on the X display " << session.Display().toStdString()
        << "; " << session.GameOutput().toStdString();
  } else {
    const xcb_window_t game = OpensCentredWithTheFocus(session);
    if (session.Listened()) {
      ASSERT_TRUE(FoundByAScreenReaderStartedLate(session));
    }
    if (game != XCB_WINDOW_NONE && *reach == Reach::kPlaysOn)
      PlayAGameToItsEndAndStartAnother(session, game);
  }
  // The game says nothing, whatever the desktop: a line would tell of a plugin gone missing.
  EXPECT_EQ(session.GameErrors().toStdString(), "");
}

}  // namespace
}  // namespace starveil::display
