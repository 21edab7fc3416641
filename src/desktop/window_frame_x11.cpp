#include "desktop/window_frame.h"

#include <xcb/xcb_icccm.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "desktop/x11.h"

namespace starveil::desktop {

namespace {

// The window manager running on the window's X server, if one runs, and what it says it supports.
class Manager {
 public:
  explicit Manager(QWidget& window) : window_(window) {
    // Other platforms may still offer the interface, with no connection behind it.
    auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    x_ = native ? native->connection() : nullptr;
    if (!x_ || xcb_connection_has_error(x_)) {
      x_ = nullptr;
      return;
    }
    // The native window exists from here on, with every hint the manager judges the frame by.
    id_ = static_cast<xcb_window_t>(window.winId());
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(x_, xcb_get_geometry(x_, id_), nullptr), &std::free);
    if (!geometry || !x11::ManagerRunning(x_, geometry->root)) return;
    root_ = geometry->root;
    supported_ = x11::Property(x_, root_, x11::Atom(x_, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  }

  bool Running() const { return root_ != XCB_WINDOW_NONE; }

  std::optional<QMarginsF> Drawn() const {
    const std::optional<QMargins> pixels = x11::DrawnFrame(x_, id_);
    if (!pixels) return std::nullopt;
    return QMarginsF(*pixels) / window_.devicePixelRatioF();
  }
  // Still being made: KWin's frame window at its first size, or the extents not set yet.
  bool BeingFramed() const {
    return x11::FrameBeingMade(x_, id_) || (Supports("_NET_FRAME_EXTENTS") && !Told());
  }
  bool Supports(const char* name) const {
    return std::ranges::find(supported_, x11::Atom(x_, name)) != supported_.end();
  }

  // The manager sets the extents on the window, left, right, top and bottom, when it frames it.
  std::optional<QMarginsF> Told() const {
    const std::vector<std::uint32_t> extents =
        x11::Property(x_, id_, x11::Atom(x_, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
    if (extents.size() != 4) return std::nullopt;
    const QMarginsF pixels(extents[0], extents[2], extents[1], extents[3]);
    return pixels / window_.devicePixelRatioF();
  }

  // The manager reads the size hints when the map reaches it, and Qt writes its own, which name
  // the client's corner as the point the position means, as it shows the window. Holding the
  // server in between makes the manager read the centre as that point instead. XWayland lets its
  // manager through such a hold, which may then read either. Extents set before, in answer to a
  // request for them, go, so that only those of the frame drawn count.
  void ShowWithCentreAsReferencePoint() {
    xcb_delete_property(x_, id_, x11::Atom(x_, "_NET_FRAME_EXTENTS"));
    xcb_grab_server(x_);
    window_.show();
    xcb_size_hints_t hints{};
    if (xcb_icccm_get_wm_normal_hints_reply(x_, xcb_icccm_get_wm_normal_hints(x_, id_), &hints,
                                            nullptr)) {
      xcb_icccm_size_hints_set_win_gravity(&hints, XCB_GRAVITY_CENTER);
      xcb_icccm_set_wm_normal_hints(x_, id_, &hints);
    }
    xcb_ungrab_server(x_);
    xcb_flush(x_);
  }

 private:
  QWidget& window_;
  xcb_connection_t* x_ = nullptr;
  xcb_window_t id_ = XCB_WINDOW_NONE;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  std::vector<std::uint32_t> supported_;
};

}  // namespace

std::optional<QMarginsF> DrawnFrame(QWidget& window) {
  const Manager manager(window);
  if (!manager.Running() || manager.BeingFramed()) return std::nullopt;
  if (std::optional<QMarginsF> drawn = manager.Drawn()) return drawn;
  return manager.Told();
}

bool FrameBeingMade(QWidget& window) {
  const Manager manager(window);
  return manager.Running() && manager.BeingFramed();
}

void ShowCentredOnClient(QWidget& window) {
  Manager manager(window);
  if (manager.Running())
    manager.ShowWithCentreAsReferencePoint();
  else
    window.show();
}

}  // namespace starveil::desktop
