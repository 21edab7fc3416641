#include "desktop/window_frame.h"

#include <xcb/xcb_icccm.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "desktop/x11.h"

namespace starveil::desktop {

namespace {

// A running manager answers within a few milliseconds, and frames a window as quickly; a stuck one
// would not map the window either, so waiting longer would gain nothing.
constexpr auto kManagerPatience = std::chrono::milliseconds(2000);
constexpr auto kManagerPoll = std::chrono::milliseconds(2);

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
  bool BeingFramed() const { return x11::FrameBeingMade(x_, id_); }
  bool Supports(const char* name) const {
    return std::ranges::find(supported_, x11::Atom(x_, name)) != supported_.end();
  }

  // Managers that can tell a frame before they draw it answer a request for its extents. One that
  // draws its frames in a program of its own may not know them yet and answer zeros, which for a
  // window that asks for a title bar says nothing.
  std::optional<QMarginsF> AskForFrame() {
    x11::AskManager(x_, root_, id_, "_NET_REQUEST_FRAME_EXTENTS");
    std::optional<QMarginsF> frame = FrameOnceSet();
    if (frame && frame->isNull()) return std::nullopt;
    return frame;
  }

  // The manager sets the extents on the window, left, right, top and bottom, when it answers a
  // request for them and when it frames the window.
  std::optional<QMarginsF> FrameOnceSet() {
    const xcb_atom_t frameExtents = x11::Atom(x_, "_NET_FRAME_EXTENTS");
    const auto deadline = std::chrono::steady_clock::now() + kManagerPatience;
    for (;;) {
      const std::vector<std::uint32_t> extents =
          x11::Property(x_, id_, frameExtents, XCB_ATOM_CARDINAL);
      if (extents.size() == 4) {
        const QMarginsF pixels(extents[0], extents[2], extents[1], extents[3]);
        return pixels / window_.devicePixelRatioF();
      }
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(kManagerPoll);
    }
  }

  // The manager reads the size hints when the map reaches it, and Qt writes its own, which name
  // the client's corner as the point the position means, as it shows the window. Holding the
  // server in between makes the manager read the centre as that point instead. XWayland lets its
  // manager through such a hold, which may then read either. An earlier answer's extents go, so
  // that only those of the frame drawn count.
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
  if (!manager.Running()) return std::nullopt;
  return manager.Drawn();
}

bool FrameBeingMade(QWidget& window) {
  const Manager manager(window);
  return manager.Running() && manager.BeingFramed();
}

std::optional<QMarginsF> ExpectedFrame(QWidget& window) {
  Manager manager(window);
  if (!manager.Running()) return QMarginsF();
  if (!manager.Supports("_NET_REQUEST_FRAME_EXTENTS")) return std::nullopt;
  return manager.AskForFrame();
}

std::optional<QMarginsF> ShowCentredOnClient(QWidget& window) {
  Manager manager(window);
  if (!manager.Running()) {
    window.show();
    return std::nullopt;
  }
  manager.ShowWithCentreAsReferencePoint();
  if (!manager.Supports("_NET_FRAME_EXTENTS")) return std::nullopt;
  // Known before the window has painted: the GUI thread has not yet seen its first expose. Zeros
  // leave nothing to finish, or tell of a frame not drawn yet, which the manager centres.
  std::optional<QMarginsF> frame = manager.FrameOnceSet();
  if (frame && frame->isNull()) return std::nullopt;
  return frame;
}

}  // namespace starveil::desktop
