#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QRect>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "assets/pictures.h"
#include "platform/picture.h"
#include "platform/x11.h"

// The built game under its own X server, with or without a window manager, driven by real input
// (XTEST, as a keyboard and a mouse would) and read back from the screen.
namespace starveil::display {
namespace {

constexpr int kPatienceMs = 60'000;       // generous: the machine may be busy with other builds
constexpr int kReactionMs = 10'000;       // for the game to show what a key or a click did
constexpr int kLossPatienceMs = 300'000;  // a cannon standing still is hit thrice in a minute or so
constexpr int kStandStillMs = 40'000;     // then, if no rocket has hit it, it moves elsewhere
constexpr int kRecordEveryMs = 3;         // many grabs to each 0.1 s explosion frame
constexpr QSize kScreen{1024, 768};
constexpr int kPlayfieldLeftPx = 4;
constexpr int kPlayfieldTopPx = 80;
constexpr int kTopRowTopPx = 116;  // the first row's top in a fresh formation
constexpr int kMonsterPx = 16;
constexpr int kCannonTopPx = 325;
constexpr int kCannonPx = 32;
constexpr int kCannonStepPx = 4;     // 60 twips
constexpr int kExplosionFrames = 8;  // SE(0) to SE(7)
constexpr int kCannonPicture = 8;    // SE(8)
const QPoint kStartButton{324, 20};

enum class Desktop { kBare, kOpenbox };

// One program run to its end, its output kept.
QString RunTool(const QProcessEnvironment& env, const QString& program, const QStringList& args) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(program, args);
  if (!process.waitForFinished(kPatienceMs)) return {};
  return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

bool WaitFor(const std::function<bool()>& condition, int ms = kPatienceMs) {
  QDeadlineTimer patience(ms);
  while (!patience.hasExpired()) {
    if (condition()) return true;
    QThread::msleep(50);
  }
  return condition();
}

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// A connection of the test's own to the X server, to read where windows are and what the screen
// shows.
class XView {
 public:
  explicit XView(const QString& display)
      : x_(xcb_connect(display.toUtf8().constData(), nullptr), &xcb_disconnect) {
    if (xcb_connection_has_error(x_.get())) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(x_.get())).data->root;
  }

  bool Ok() const { return root_ != XCB_WINDOW_NONE; }

  std::vector<std::uint32_t> Property(xcb_window_t window, const char* name, xcb_atom_t type) {
    return platform::x11::Property(x_.get(), window, platform::x11::Atom(x_.get(), name), type);
  }

  bool ManagerRunning() { return platform::x11::ManagerRunning(x_.get(), root_); }

  // The client area on the screen.
  QRect ClientRect(xcb_window_t window) {
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x_.get(), xcb_get_geometry(x_.get(), window), nullptr), &std::free);
    const Reply<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(
            x_.get(), xcb_translate_coordinates(x_.get(), window, root_, 0, 0), nullptr),
        &std::free);
    if (!geometry || !place) return {};
    return {place->dst_x, place->dst_y, geometry->width, geometry->height};
  }

  // The window as the player sees it: the client area and whatever frame the manager drew.
  QRect FramedRect(xcb_window_t window) {
    const std::vector<std::uint32_t> frame =
        Property(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    const QRect client = ClientRect(window);
    if (frame.size() != 4) return client;
    return client.adjusted(-static_cast<int>(frame[0]), -static_cast<int>(frame[2]),
                           static_cast<int>(frame[1]), static_cast<int>(frame[3]));
  }

  // Mapped, and so on the screen unless covered; a window that has gone is not.
  bool Shown(xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x_.get(), xcb_get_window_attributes(x_.get(), window),
                                        nullptr),
        &std::free);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
  }

  xcb_window_t Focus() {
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr), &std::free);
    return focus ? focus->focus : xcb_window_t{XCB_WINDOW_NONE};
  }

  // What the screen shows in `box`, as 0xRRGGBB pixels row by row.
  std::vector<QRgb> Pixels(const QRect& box) {
    const Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(
            x_.get(),
            xcb_get_image(x_.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, root_,
                          static_cast<std::int16_t>(box.x()), static_cast<std::int16_t>(box.y()),
                          static_cast<std::uint16_t>(box.width()),
                          static_cast<std::uint16_t>(box.height()), ~0U),
            nullptr),
        &std::free);
    const auto count = static_cast<std::size_t>(box.width()) * box.height();
    if (!image || xcb_get_image_data_length(image.get()) < static_cast<int>(4 * count)) return {};
    const std::uint8_t* data = xcb_get_image_data(image.get());
    std::vector<QRgb> pixels(count);
    std::memcpy(pixels.data(), data, 4 * count);
    for (QRgb& pixel : pixels)
      pixel &= RGB_MASK;
    return pixels;
  }

  QImage Image(const QRect& box) {
    const std::vector<QRgb> pixels = Pixels(box);
    if (pixels.empty()) return {};
    return QImage(reinterpret_cast<const uchar*>(pixels.data()), box.width(), box.height(),
                  QImage::Format_RGB32)
        .copy();
  }

 private:
  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x_;
  xcb_window_t root_ = XCB_WINDOW_NONE;
};

// Watches the cannon's box on the screen from a thread of its own, many times in each explosion
// frame, and notes every change to another of the cannon's pictures shown whole: SE(0) to SE(8),
// by index. A rocket crossing the box hides the picture and is passed over.
class Recorder {
 public:
  explicit Recorder(const QString& display) : x_(display) {
    for (int frame = 0; frame <= kCannonPicture; ++frame) {
      const QImage picture =
          assets::Load("se" + std::to_string(frame)).Image().convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < kCannonPx; ++y) {
        for (int x = 0; x < kCannonPx; ++x) {
          const QRgb pixel = picture.pixel(x, y);
          // Drawn over the playfield's black.
          pictures_[frame].push_back(qAlpha(pixel) == 0 ? 0 : pixel & RGB_MASK);
        }
      }
    }
  }

  ~Recorder() { Stop(); }

  void Aim(QPoint cannonOnScreen) {
    const std::lock_guard lock(mutex_);
    box_ = QRect(cannonOnScreen, QSize(kCannonPx, kCannonPx));
    if (!thread_.joinable()) thread_ = std::thread([this] { Record(); });
  }

  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

  std::vector<int> Frames() {
    const std::lock_guard lock(mutex_);
    return frames_;
  }

 private:
  void Record() {
    while (!stop_) {
      QRect box;
      {
        const std::lock_guard lock(mutex_);
        box = box_;
      }
      const std::vector<QRgb> shown = x_.Pixels(box);
      const auto match = std::find(pictures_.begin(), pictures_.end(), shown);
      if (match != pictures_.end()) {
        const auto frame = static_cast<int>(match - pictures_.begin());
        const std::lock_guard lock(mutex_);
        if (frames_.empty() || frames_.back() != frame) frames_.push_back(frame);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(kRecordEveryMs));
    }
  }

  XView x_;
  std::array<std::vector<QRgb>, kCannonPicture + 1> pictures_;
  std::mutex mutex_;
  QRect box_;
  std::vector<int> frames_;
  std::atomic<bool> stop_ = false;
  std::thread thread_;
};

// The explosion frames of each loss, in the order seen: the runs between the cannon's own picture.
std::vector<std::vector<int>> Losses(const std::vector<int>& frames) {
  std::vector<std::vector<int>> losses(1);
  for (const int frame : frames) {
    if (frame != kCannonPicture) {
      losses.back().push_back(frame);
    } else if (!losses.back().empty()) {
      losses.emplace_back();
    }
  }
  if (losses.back().empty()) losses.pop_back();
  return losses;
}

std::string Describe(const std::vector<std::vector<int>>& losses) {
  std::string text;
  for (const std::vector<int>& loss : losses) {
    text += " [";
    for (const int frame : loss)
      text += std::to_string(frame);
    text += "]";
  }
  return text.empty() ? " none" : text;
}

// An X server of its own on a free display, a window manager if asked, and the game on it.
class Session {
 public:
  ~Session() {
    for (QProcess* process : {&game_, &manager_, &xvfb_}) {
      process->terminate();
      if (!process->waitForFinished(5000)) process->kill();
      process->waitForFinished(5000);
    }
  }

  bool OpenDisplay(Desktop desktop) {
    for (int attempt = 0; attempt < 5 && display_.isEmpty(); ++attempt)
      StartServer();
    if (display_.isEmpty()) return false;
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DISPLAY", display_);
    env_.remove("QT_QPA_PLATFORM");  // the game must reach the X server, not stay offscreen
    view_ = std::make_unique<XView>(display_);
    if (!view_->Ok()) return false;
    if (desktop == Desktop::kBare) return true;
    manager_.setProcessEnvironment(env_);
    manager_.setStandardOutputFile(QProcess::nullDevice());
    manager_.setStandardErrorFile(QProcess::nullDevice());
    manager_.start("openbox", {"--sm-disable"});
    return manager_.waitForStarted(kPatienceMs) && WaitFor([&] { return view_->ManagerRunning(); });
  }

  bool StartGame() {
    game_.setProcessEnvironment(env_);
    game_.setProcessChannelMode(QProcess::MergedChannels);
    game_.start(STARVEIL_GAME, {});
    return game_.waitForStarted(kPatienceMs);
  }

  bool GameRunning() { return game_.state() == QProcess::Running; }
  // What the game has said, and whether it has ended: read only when a check fails.
  QString GameOutput() {
    game_.waitForReadyRead(1000);
    const QString said = QString::fromUtf8(game_.readAll());
    return GameRunning() ? said : "the game has ended: " + said;
  }
  const QString& Display() const { return display_; }
  XView& View() { return *view_; }

  QString X(const QStringList& args) { return RunTool(env_, "xdotool", args); }

  QString VisibleWindow(const QString& title) {
    return X({"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
  }

  // Keys and clicks go where a player's would: to the window that has the focus.
  bool Focused(const QString& window) {
    return WaitFor([&] { return view_->Focus() == window.toUInt(); });
  }

  void Click(const QString& window, QPoint at) {
    const QPoint onScreen = view_->ClientRect(window.toUInt()).topLeft() + at;
    X({"mousemove", QString::number(onScreen.x()), QString::number(onScreen.y()), "click", "1"});
  }

  // What the screen shows of the window's client area.
  QImage Grab(const QString& window) { return view_->Image(view_->ClientRect(window.toUInt())); }

 private:
  // On a display number of its own, far above the low ones that servers searching for a free
  // number try first: a game started beside such a search could not always connect.
  void StartServer() {
    const QString display = ":" + QString::number(QRandomGenerator::global()->bounded(1000, 30000));
    xvfb_.start("Xvfb", {display, "-displayfd", "1", "-screen", "0",
                         QString("%1x%2x24").arg(kScreen.width()).arg(kScreen.height()),
                         "-nolisten", "tcp"});
    if (!xvfb_.waitForStarted(kPatienceMs)) return;
    // It writes its number once it takes connections, or ends when the number is taken.
    QDeadlineTimer patience(kPatienceMs);
    while (!xvfb_.canReadLine() && xvfb_.state() == QProcess::Running && !patience.hasExpired())
      xvfb_.waitForReadyRead(100);
    if (xvfb_.canReadLine()) {
      display_ = display;
      return;
    }
    xvfb_.kill();
    xvfb_.waitForFinished(kPatienceMs);
  }

  QProcess xvfb_;
  QProcess manager_;
  QProcess game_;
  QProcessEnvironment env_;
  QString display_;
  std::unique_ptr<XView> view_;
};

// Where the formation's top row begins on the left; no rocket ever rises into its band.
std::optional<int> FormationLeft(const QImage& shot) {
  for (int x = kPlayfieldLeftPx; x < shot.width(); ++x) {
    for (int y = kTopRowTopPx; y < kTopRowTopPx + kMonsterPx && y < shot.height(); ++y) {
      if (shot.pixel(x, y) != qRgb(0, 0, 0)) return x;
    }
  }
  return std::nullopt;
}

// Where the cannon's own picture stands, whole, at the foot of the playfield.
std::optional<int> CannonLeft(const QImage& shot) {
  static const QImage cannon = assets::Load("se8").Image().convertToFormat(QImage::Format_ARGB32);
  for (int x = 0; x + cannon.width() <= shot.width(); ++x) {
    bool whole = true;
    for (int y = 0; y < cannon.height() && whole; ++y) {
      for (int cx = 0; cx < cannon.width() && whole; ++cx) {
        const QRgb pixel = cannon.pixel(cx, y);
        if (qAlpha(pixel) == 0) continue;
        whole = (shot.pixel(x + cx, kCannonTopPx + y) & RGB_MASK) == (pixel & RGB_MASK);
      }
    }
    if (whole) return x;
  }
  return std::nullopt;
}

// The shot's red and salmon bands appear in the column above the cannon; nothing else in the
// game has those colours.
bool ShotAbove(const QImage& shot, int cannonLeft) {
  static const QSet<QRgb> kShotColours{qRgb(0xFF, 0x25, 0x25), qRgb(0xDC, 0, 0),
                                       qRgb(0xFF, 0x6B, 0x6B)};
  for (int y = kPlayfieldTopPx; y < kCannonTopPx; ++y) {
    for (int x = cannonLeft; x < cannonLeft + kCannonPx && x < shot.width(); ++x) {
      if (kShotColours.contains(shot.pixel(x, y))) return true;
    }
  }
  return false;
}

int DistinctColours(const QImage& shot) {
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3) {
    for (int x = 0; x < shot.width(); x += 3)
      colours.insert(shot.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

// Centred on the screen as the player sees the window, frame included: opposite margins differ
// by the pixel an odd size leaves at most.
testing::AssertionResult Centred(const QRect& framed) {
  const int leftOverRight = framed.left() - (kScreen.width() - 1 - framed.right());
  const int topOverBottom = framed.top() - (kScreen.height() - 1 - framed.bottom());
  if (std::abs(leftOverRight) <= 1 && std::abs(topOverBottom) <= 1)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << "the window, frame included, spans x " << framed.left() << " to " << framed.right()
         << " and y " << framed.top() << " to " << framed.bottom() << " of a " << kScreen.width()
         << "x" << kScreen.height() << " screen";
}

// The top row's band across the playfield, where only monsters ever show.
QImage TopRowBand(const QImage& shot) {
  return shot.copy(kPlayfieldLeftPx, kTopRowTopPx, shot.width() - 2 * kPlayfieldLeftPx, kMonsterPx);
}

// The formation marches, which it does only in a game: the top row's band changes step after
// step. Until Start, and once a game has ended, it stands still. The whole band is compared, not
// where the row begins: on a loaded machine the X server now and then keeps a stray pixel of an
// old step that the game has painted over, and that pixel would hold the row's beginning still.
bool Marches(Session& session, const QString& game) {
  QImage last = TopRowBand(session.Grab(game));
  int changes = 0;
  return WaitFor(
      [&] {
        QImage band = TopRowBand(session.Grab(game));
        if (band != last) ++changes;
        last = std::move(band);
        return changes == 2;
      },
      kReactionMs);
}

// How far one press of Left moved the cannon. A rocket crossing the cannon, or an explosion,
// hides its picture for a while: each try waits for it to show whole, and a spoilt try makes way
// for the next.
std::optional<int> LeftMovesTheCannonBy(Session& session, const QString& game) {
  std::optional<int> moved;
  for (int attempt = 0; attempt < 5 && !moved; ++attempt) {
    std::optional<int> before;
    if (!WaitFor([&] { return (before = CannonLeft(session.Grab(game))).has_value(); },
                 kReactionMs))
      continue;
    session.X({"key", "Left"});
    WaitFor(
        [&] {
          const std::optional<int> after = CannonLeft(session.Grab(game));
          if (after && *after != *before) moved = *after - *before;
          return moved.has_value();
        },
        kReactionMs);
  }
  return moved;
}

// Stands the cannon still under the marching formation until the game ends by itself, recording
// every loss; after a long while without a hit the cannon steps aside, in ever wider swings.
std::vector<int> RecordLossesUntilTheGameEnds(Session& session, const QString& game, QString& box) {
  Recorder recorder(session.Display());
  const QPoint client = session.View().ClientRect(game.toUInt()).topLeft();
  bool aimed = false;
  QDeadlineTimer patience(kLossPatienceMs);
  QDeadlineTimer still(kStandStillMs);
  std::size_t seen = 0;
  int swings = 0;
  while (!patience.hasExpired() && session.GameRunning() &&
         (box = session.VisibleWindow("Starveil")).isEmpty()) {
    const std::vector<int> frames = recorder.Frames();
    if (frames.size() != seen) still.setRemainingTime(kStandStillMs);
    seen = frames.size();
    const bool calm = frames.empty() || frames.back() == kCannonPicture;
    if (aimed && calm && still.hasExpired()) {
      QStringList keys{"key", "--delay", "40"};
      for (int step = 0; step < 12 * (swings + 1); ++step)
        keys << (swings % 2 == 0 ? "Left" : "Right");
      session.X(keys);
      ++swings;
      aimed = false;
      still.setRemainingTime(kStandStillMs);
    }
    if (!aimed) {
      if (const std::optional<int> cannon = CannonLeft(session.Grab(game))) {
        recorder.Aim(client + QPoint(*cannon, kCannonTopPx));
        aimed = true;
      }
    }
    QThread::msleep(200);
  }
  recorder.Stop();
  return recorder.Frames();
}

class RealDisplay : public testing::TestWithParam<Desktop> {};

TEST_P(RealDisplay, PlayedAsAPlayerWouldTheWindowsKeysMessagesAndExplosionsShowRight) {
  Session session;
  ASSERT_TRUE(session.OpenDisplay(GetParam()))
      << "Xvfb or openbox did not start; tools/setup.sh installs them";
  ASSERT_TRUE(session.StartGame());

  // The borderless splash, centred, shows its picture and goes by itself.
  QString splash;
  ASSERT_TRUE(WaitFor([&] { return !(splash = session.VisibleWindow("Form1")).isEmpty(); }))
      << session.GameOutput().toStdString();
  const QRect card = session.View().FramedRect(splash.toUInt());
  EXPECT_EQ(card.size(), QSize(559, 425));
  EXPECT_TRUE(Centred(card));
  EXPECT_TRUE(WaitFor([&] { return DistinctColours(session.Grab(splash)) > 16; }))
      << "the splash shows no picture";
  ASSERT_TRUE(WaitFor([&] { return !session.View().Shown(splash.toUInt()); }));

  // The game window, frame and all, is centred and takes the focus.
  QString game;
  ASSERT_TRUE(
      WaitFor([&] { return !(game = session.VisibleWindow("Starveil by Pellamy")).isEmpty(); }));
  EXPECT_EQ(session.View().ClientRect(game.toUInt()).width(), 358);
  EXPECT_TRUE(Centred(session.View().FramedRect(game.toUInt())));
  ASSERT_TRUE(session.Focused(game));

  // Until Start the formation stands still, whatever the arrow keys do; then Space on the Start
  // button, which has the focus, starts the game.
  std::optional<int> waiting;
  ASSERT_TRUE(WaitFor([&] { return (waiting = FormationLeft(session.Grab(game))).has_value(); }));
  session.X({"key", "Right", "Left", "Up"});
  EXPECT_EQ(FormationLeft(session.Grab(game)), waiting);
  session.X({"key", "space"});
  if (!Marches(session, game)) {
    ADD_FAILURE() << "Space on the Start button did not start the game after the arrow keys";
    session.Click(game, kStartButton);
    ASSERT_TRUE(Marches(session, game)) << "Start did not start the game";
  }

  // The cannon moves and fires.
  EXPECT_EQ(LeftMovesTheCannonBy(session, game), -kCannonStepPx);
  bool shotSeen = false;
  for (int attempt = 0; attempt < 5 && !shotSeen; ++attempt) {
    const std::optional<int> cannon = CannonLeft(session.Grab(game));
    if (!cannon) continue;
    session.X({"key", "space"});
    QDeadlineTimer flight(kReactionMs);
    while (!shotSeen && !flight.hasExpired())
      shotSeen = ShotAbove(session.Grab(game), *cannon);
  }
  EXPECT_TRUE(shotSeen);

  // Every loss plays the explosion frame by frame. A busy machine may miss a frame now and then,
  // but never shows them out of order, and one loss at least is seen whole.
  QString box;
  const std::vector<std::vector<int>> losses =
      Losses(RecordLossesUntilTheGameEnds(session, game, box));
  ASSERT_FALSE(box.isEmpty()) << "the game did not end; losses seen:" << Describe(losses);
  std::cout << "explosion frames seen in each loss:" << Describe(losses) << "\n";
  const std::vector<int> whole{0, 1, 2, 3, 4, 5, 6, 7};
  bool seenWhole = false;
  for (const std::vector<int>& loss : losses) {
    EXPECT_TRUE(std::adjacent_find(loss.begin(), loss.end(), std::greater_equal<>()) == loss.end())
        << "frames out of order in a loss; losses seen:" << Describe(losses);
    seenWhole = seenWhole || loss == whole;
  }
  EXPECT_TRUE(seenWhole) << "no loss showed all " << kExplosionFrames
                         << " frames; losses seen:" << Describe(losses);

  // Return answers the message, and the game plays on: Start, then the keys.
  ASSERT_TRUE(session.Focused(box));
  session.X({"key", "Return"});
  ASSERT_TRUE(WaitFor([&] { return !session.View().Shown(box.toUInt()); }));
  session.Click(game, kStartButton);
  EXPECT_TRUE(Marches(session, game)) << "Start did not start a new game";
  EXPECT_EQ(LeftMovesTheCannonBy(session, game), -kCannonStepPx);
  EXPECT_TRUE(session.GameRunning()) << session.GameOutput().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Desktops, RealDisplay, testing::Values(Desktop::kBare, Desktop::kOpenbox),
                         [](const testing::TestParamInfo<Desktop>& info) {
                           return info.param == Desktop::kBare ? "NoWindowManager" : "Openbox";
                         });

}  // namespace
}  // namespace starveil::display
