#include "desktop_session.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <iostream>

#include "compositor_screen.h"
#include "compositor_view.h"
#include "random_input.h"
#include "wait_for.h"

namespace starveil::display {

using xdrive::WaitFor;

Session::Session() {
  env_ = GameEnvironment();
  display_ = env_.value("DISPLAY");
  if (!display_.isEmpty()) x_ = std::make_unique<xdrive::XDesktop>(display_);
}

Session::~Session() {
  screenReader_.terminate();
  if (!screenReader_.waitForFinished(5000)) screenReader_.kill();
  screenReader_.waitForFinished(5000);
}

double Session::Scale() const {
  return std::max({1.0, env_.value("QT_SCALE_FACTOR").toDouble(), DesktopScale() / 100.0});
}

bool Session::StartGame() {
  game_ = std::make_unique<xdrive::Launch>(STARVEIL_GAME, env_, watch_.filePath("said"),
                                           watch_.filePath("errors"));
  return game_->Started();
}

QString Session::GameOutput() {
  const QString said = Errors();
  return GameRunning() ? said : "the game has ended: " + said;
}

QString Session::GameErrors() {
  game_->End();
  return Errors();
}

std::vector<int> Session::MarkersLit() {
  static const QByteArray kChecked = "screen checked, lives shown: ";
  QFile said(watch_.filePath("said"));
  said.open(QIODevice::ReadOnly);
  std::vector<int> lit;
  for (const QByteArray& line : said.readAll().split('\n')) {
    if (line.startsWith(kChecked)) lit.push_back(line.mid(kChecked.size()).toInt());
  }
  return lit;
}

int Session::LastMarkersLit() {
  const std::vector<int> lit = MarkersLit();
  return lit.empty() ? -1 : lit.back();
}

bool Session::StartScreenReader() {
  screenReader_.setProcessEnvironment(env_);
  screenReader_.start("orca", {"--replace"});
  return screenReader_.waitForStarted(static_cast<int>(kPatience.count()));
}

testing::AssertionResult Session::Says(const QString& pattern,
                                       std::chrono::milliseconds patience) const {
  const QRegularExpression expected(pattern);
  QString spoken;
  const auto said = [&] {
    QFile file(env_.value("SPOKEN_TEXT"));
    spoken = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).remove('\n') : "";
    return expected.match(spoken).hasMatch();
  };
  const bool found = WaitFor(patience, said);
  std::cout << "Orca said: " << spoken.toStdString() << "\n";
  return found ? testing::AssertionSuccess()
               : testing::AssertionFailure() << "not " << pattern.toStdString();
}

bool Session::Focused(xcb_window_t window) {
  return WaitFor(kPatience, [&] { return x_->Focus() == window; });
}

QImage Session::Screenshot() {
  QTemporaryDir dir;
  QProcess shooter;
  shooter.setProcessEnvironment(env_);
  shooter.setWorkingDirectory(dir.path());
  shooter.start("weston-screenshooter", {});
  shooter.waitForFinished(static_cast<int>(kPatience.count()));
  QImage picture;
  for (const QString& name : QDir(dir.path()).entryList({"wayland-screenshot*.png"}, QDir::Files))
    picture.load(QDir(dir.path()).filePath(name));
  return picture;
}

std::optional<QImage> Session::CompositorScreen() {
  return xdrive::CompositorScreen(env_);
}

xdrive::Keyboard* Session::CompositorKeyboard() {
  if (!compositorKeys_) compositorKeys_ = xdrive::SessionKeyboard(env_, nullptr);
  return compositorKeys_.get();
}

QString Session::Errors() {
  QFile errors(watch_.filePath("errors"));
  errors.open(QIODevice::ReadOnly);
  return QString::fromUtf8(errors.readAll());
}

}  // namespace starveil::display
