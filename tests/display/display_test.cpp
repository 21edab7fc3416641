#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QThread>
#include <functional>
#include <optional>

#include "assets/pictures.h"
#include "platform/picture.h"

// The built game under its own X server, driven by real X events and read back from screenshots.
namespace starveil::display {
namespace {

constexpr int kPatienceMs = 60'000;  // generous: the machine may be busy with other builds
constexpr int kReactionMs = 10'000;  // for the game to show what a key or a click did
constexpr int kPlayfieldLeftPx = 4;
constexpr int kPlayfieldTopPx = 80;
constexpr int kTopRowTopPx = 116;  // the first row's top in a fresh formation
constexpr int kMonsterPx = 16;
constexpr int kCannonTopPx = 325;
constexpr int kCannonStepPx = 4;  // 60 twips
const QPoint kStartButton{324, 20};

// One program run to its end, its output kept.
QString RunTool(const QProcessEnvironment& env, const QString& program, const QStringList& args,
                QByteArray* bytes = nullptr) {
  QProcess process;
  process.setProcessEnvironment(env);
  process.start(program, args);
  if (!process.waitForFinished(kPatienceMs)) return {};
  const QByteArray out = process.readAllStandardOutput();
  if (bytes) *bytes = out;
  return QString::fromUtf8(out).trimmed();
}

bool WaitFor(const std::function<bool()>& condition, int ms = kPatienceMs) {
  QDeadlineTimer patience(ms);
  while (!patience.hasExpired()) {
    if (condition()) return true;
    QThread::msleep(50);
  }
  return condition();
}

// An X server of its own on a free display, and the game started on it.
class Session {
 public:
  ~Session() {
    for (QProcess* process : {&game_, &xvfb_}) {
      process->terminate();
      if (!process->waitForFinished(5000)) process->kill();
      process->waitForFinished(5000);
    }
  }

  bool OpenDisplay() {
    xvfb_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!xvfb_.waitForStarted(kPatienceMs)) return false;
    QDeadlineTimer patience(kPatienceMs);
    while (!xvfb_.canReadLine() && !patience.hasExpired())
      xvfb_.waitForReadyRead(100);
    const QString number = QString::fromUtf8(xvfb_.readLine()).trimmed();
    if (number.isEmpty()) return false;
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("DISPLAY", ":" + number);
    env_.remove("QT_QPA_PLATFORM");  // the game must reach the X server, not stay offscreen
    return true;
  }

  bool StartGame() {
    game_.setProcessEnvironment(env_);
    game_.setProcessChannelMode(QProcess::MergedChannels);
    game_.start(STARVEIL_GAME, {});
    return game_.waitForStarted(kPatienceMs);
  }

  bool GameRunning() { return game_.state() == QProcess::Running; }
  QString GameOutput() { return QString::fromUtf8(game_.readAll()); }

  QString X(const QStringList& args) { return RunTool(env_, "xdotool", args); }

  QString VisibleWindow(const QString& title) {
    return X({"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
  }

  QSize Size(const QString& window) {
    QSize size;
    for (const QString& line : X({"getwindowgeometry", "--shell", window}).split('\n')) {
      if (line.startsWith("WIDTH=")) size.setWidth(line.mid(6).toInt());
      if (line.startsWith("HEIGHT=")) size.setHeight(line.mid(7).toInt());
    }
    return size;
  }

  QImage Grab(const QString& window) {
    QByteArray png;
    RunTool(env_, "import", {"-window", window, "png:-"}, &png);
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
  }

 private:
  QProcess xvfb_;
  QProcess game_;
  QProcessEnvironment env_;
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
    for (int x = cannonLeft; x < cannonLeft + 32 && x < shot.width(); ++x) {
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

TEST(RealDisplay, SplashGoesByItselfThenStartLeftAndSpaceWorkThroughRealXEvents) {
  Session session;
  ASSERT_TRUE(session.OpenDisplay()) << "Xvfb did not start; tools/setup.sh installs it";
  ASSERT_TRUE(session.StartGame());

  QString splash;
  ASSERT_TRUE(WaitFor([&] { return !(splash = session.VisibleWindow("Form1")).isEmpty(); }));
  EXPECT_EQ(session.Size(splash), QSize(559, 425));
  EXPECT_TRUE(WaitFor([&] { return DistinctColours(session.Grab(splash)) > 16; }))
      << "the splash shows no picture";
  ASSERT_TRUE(WaitFor([&] { return session.VisibleWindow("Form1").isEmpty(); }));

  QString game;
  ASSERT_TRUE(
      WaitFor([&] { return !(game = session.VisibleWindow("Starveil by Pellamy")).isEmpty(); }));
  EXPECT_EQ(session.Size(game).width(), 358);

  // Until Start the formation stands still; after it, it marches right step after step.
  std::optional<int> waiting;
  ASSERT_TRUE(WaitFor([&] { return (waiting = FormationLeft(session.Grab(game))).has_value(); }));
  EXPECT_EQ(FormationLeft(session.Grab(game)), waiting);
  session.X({"mousemove", "--window", game, QString::number(kStartButton.x()),
             QString::number(kStartButton.y()), "click", "1"});
  std::optional<int> place = waiting;
  for (int step = 0; step < 2; ++step) {
    const std::optional<int> before = place;
    ASSERT_TRUE(WaitFor(
        [&] {
          place = FormationLeft(session.Grab(game));
          return place != before;
        },
        kReactionMs));
    EXPECT_GT(place.value_or(0), *before);
  }

  // A rocket crossing the cannon, or an explosion, hides its picture: then the next try counts.
  std::optional<int> moved;
  for (int attempt = 0; attempt < 5 && !moved; ++attempt) {
    const std::optional<int> before = CannonLeft(session.Grab(game));
    if (!before) continue;
    session.X({"key", "--window", game, "Left"});
    WaitFor(
        [&] {
          const std::optional<int> after = CannonLeft(session.Grab(game));
          if (after && *after != *before) moved = *after - *before;
          return moved.has_value();
        },
        kReactionMs);
  }
  ASSERT_EQ(moved, -kCannonStepPx);

  bool shotSeen = false;
  for (int attempt = 0; attempt < 5 && !shotSeen; ++attempt) {
    const std::optional<int> cannon = CannonLeft(session.Grab(game));
    if (!cannon) continue;
    session.X({"key", "--window", game, "space"});
    QDeadlineTimer flight(kReactionMs);
    while (!shotSeen && !flight.hasExpired())
      shotSeen = ShotAbove(session.Grab(game), *cannon);
  }
  EXPECT_TRUE(shotSeen);
  EXPECT_TRUE(session.GameRunning()) << session.GameOutput().toStdString();
}

}  // namespace
}  // namespace starveil::display
