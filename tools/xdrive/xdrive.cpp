// The driver from the shell, on the X display that DISPLAY names, for the package check and
// scripts:
//   xdrive window <title> <seconds>  waits for a shown window of that exact title, and prints its
//                                    id and its process's
//   xdrive shown <title>             succeeds while a window of that title is shown
//   xdrive colours <id>              prints how many colours the window's client area shows
//   xdrive key [--wayland] <key>     presses and releases a key, "Left", "shift+Tab" or "alt+F4",
//                                    for the window with the focus; through the Wayland compositor
//                                    where told so or where there is no DISPLAY
//   xdrive screen <file>             saves the whole screen as the Wayland compositor shows it

#include <QCoreApplication>
#include <QImage>
#include <QProcessEnvironment>
#include <QSet>
#include <QString>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string_view>

#include "compositor_screen.h"
#include "keyboard.h"
#include "wait_for.h"
#include "x_desktop.h"

namespace starveil::xdrive {
namespace {

int FindShown(XDesktop& x, const QString& title, int seconds) {
  xcb_window_t window = XCB_WINDOW_NONE;
  if (!WaitFor(std::chrono::seconds(seconds),
               [&] { return (window = x.FindWindow(title, std::nullopt)) != XCB_WINDOW_NONE; }))
    return 1;
  const std::vector<std::uint32_t> pid = x.Property(window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
  std::printf("%u %u\n", window, pid.empty() ? 0 : pid[0]);
  return 0;
}

int Colours(XDesktop& x, xcb_window_t window) {
  const QImage shown = x.Grab(window);
  QSet<QRgb> colours;
  for (int y = 0; y < shown.height(); ++y) {
    for (int column = 0; column < shown.width(); ++column)
      colours.insert(shown.pixel(column, y));
  }
  std::printf("%lld\n", static_cast<long long>(colours.size()));
  return shown.isNull() ? 1 : 0;
}

int PressKey(std::string_view key, bool wayland) {
  const QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
  std::unique_ptr<XDesktop> x;
  if (!wayland && session.contains("DISPLAY"))
    x = std::make_unique<XDesktop>(session.value("DISPLAY"));
  const std::unique_ptr<Keyboard> keyboard = SessionKeyboard(session, x.get());
  if (!keyboard) {
    std::fprintf(stderr, "xdrive: this desktop takes no keys from a program\n");
    return 1;
  }
  try {
    keyboard->Key(key);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xdrive: %s\n", error.what());
    return 1;
  }
  return 0;
}

int SaveScreen(std::string_view file) {
  const std::optional<QImage> screen = CompositorScreen(QProcessEnvironment::systemEnvironment());
  if (!screen || screen->isNull()) {
    std::fprintf(stderr, "xdrive: the compositor shows no picture to a program\n");
    return 1;
  }
  return screen->save(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()))) ? 0 : 1;
}

int Drive(const std::vector<std::string_view>& words) {
  if (words[0] == "screen" && words.size() == 2) return SaveScreen(words[1]);
  if (words[0] == "key" && words.size() == 2) return PressKey(words[1], false);
  if (words[0] == "key" && words.size() == 3 && words[1] == "--wayland")
    return PressKey(words[2], true);
  XDesktop x(qEnvironmentVariable("DISPLAY"));
  if (!x.Ok()) {
    std::fprintf(stderr, "xdrive: no X display\n");
    return 1;
  }
  const QString argument =
      QString::fromUtf8(words[1].data(), static_cast<qsizetype>(words[1].size()));
  if (words[0] == "window" && words.size() == 3)
    return FindShown(x, argument, std::stoi(std::string(words[2])));
  if (words[0] == "shown" && words.size() == 2) return x.FindWindow(argument, std::nullopt) ? 0 : 1;
  if (words[0] == "colours" && words.size() == 2) return Colours(x, argument.toUInt());
  std::fprintf(stderr,
               "usage: xdrive window <title> <seconds> | shown <title> | colours <id> |\n"
               "       key [--wayland] <key> | screen <file>\n");
  return 2;
}

}  // namespace
}  // namespace starveil::xdrive

int main(int argc, char* argv[]) {
  // The session bus, through which mutter takes keys, wants an application.
  const QCoreApplication application(argc, argv);
  const std::vector<std::string_view> words(argv + 1, argv + argc);
  if (words.size() < 2) return starveil::xdrive::Drive({"help", ""});
  return starveil::xdrive::Drive(words);
}
