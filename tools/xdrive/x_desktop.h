// The driver's connection to a desktop's X server: finds, reads and plays windows from outside.
#pragma once

#include <xcb/xcb.h>

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "xtest_keyboard.h"

namespace starveil::xdrive {

// What `window` shows in `box` of its client area, as 0xRRGGBB pixels row by row, read through
// any connection to its X server: from the window itself, which a compositing desktop draws the
// screen from. Empty if it cannot be read.
std::vector<QRgb> WindowPixels(xcb_connection_t* x, xcb_window_t window, const QRect& box);
QImage WindowImage(xcb_connection_t* x, xcb_window_t window, const QRect& box);
// The part of `window`'s client area that the windows holding it leave on the screen, which is
// all the X server will read: a manager's frame may cut a client short. KWin, with X11 programs
// scaling themselves to 1.5, rounds its frame to its own units and cuts the game window's last
// row of pixels.
QRect ReadableBox(xcb_connection_t* x, xcb_window_t window);
// The parts of `box`, in `window`'s client area, over which the X server shows other windows: those
// mapped above the window's top level, its frame where a manager draws one.
QRegion WindowsOver(xcb_connection_t* x, xcb_window_t window, const QRect& box);

// A connection of our own to a desktop's X server, through which the built game is read and played
// from outside as a player would: windows are found by their titles and read back from what they
// show, and keys and clicks go in as a keyboard and a mouse would send them (XTEST), to the window
// that has the focus.
class XDesktop {
 public:
  explicit XDesktop(const QString& display);
  ~XDesktop();
  XDesktop(const XDesktop&) = delete;
  XDesktop& operator=(const XDesktop&) = delete;

  bool Ok() const { return root_ != XCB_WINDOW_NONE; }
  QSize ScreenSize() const { return screenSize_; }

  // The shown window of that exact title that belongs to the process, or to any if none is named;
  // none if there is none. A desktop that draws frames in a program of its own may give a frame its
  // client's title.
  xcb_window_t FindWindow(const QString& title, std::optional<std::int64_t> pid);
  std::vector<std::uint32_t> Property(xcb_window_t window, const char* name, xcb_atom_t type);
  // The client area on the screen.
  QRect ClientRect(xcb_window_t window);
  // The window as the player sees it: the client area and whatever frame the manager drew.
  QRect FramedRect(xcb_window_t window);
  // Mapped, and so on the screen unless covered; a window that has gone is not.
  bool Shown(xcb_window_t window);
  xcb_window_t Focus();
  // Asks the window manager to bring the window to the front with the focus, as a task bar does.
  void Activate(xcb_window_t window);

  // What `window` shows in `box` of its client area, as WindowPixels reads it.
  std::vector<QRgb> Pixels(xcb_window_t window, const QRect& box);
  QImage Image(xcb_window_t window, const QRect& box);
  // The whole client area.
  QImage Grab(xcb_window_t window);

  xcb_connection_t* Connection() const { return x_.get(); }
  // Keys through XTEST, as Keyboard sends them.
  void Key(std::string_view combination) { keyboard_->Key(combination); }
  void Keys(std::initializer_list<std::string_view> combinations,
            std::chrono::milliseconds apart = std::chrono::milliseconds(12)) {
    keyboard_->Keys(combinations, apart);
  }
  void Press(std::string_view key) { keyboard_->Press(key); }
  void Release(std::string_view key) { keyboard_->Release(key); }
  void MovePointer(QPoint onScreen);

 private:
  QString Title(xcb_window_t window);

  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x_;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  QSize screenSize_;
  std::unique_ptr<XTestKeyboard> keyboard_;
};

}  // namespace starveil::xdrive
