#include "platform/window_frame.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "platform/x11.h"

namespace starveil::platform {

namespace {

// A running manager answers within a few milliseconds; a stuck one would not map the window
// either, so waiting longer would gain nothing.
constexpr auto kAnswerPatience = std::chrono::milliseconds(500);
constexpr auto kAnswerPoll = std::chrono::milliseconds(2);

}  // namespace

QMarginsF ExpectedFrame(QWidget& window) {
  // Other platforms may still offer the interface, with no connection behind it.
  auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* x = native ? native->connection() : nullptr;
  if (!x || xcb_connection_has_error(x)) return {};
  // The native window exists from here on, with every hint the manager judges the frame by.
  const auto id = static_cast<xcb_window_t>(window.winId());
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
      xcb_get_geometry_reply(x, xcb_get_geometry(x, id), nullptr), &std::free);
  if (!geometry) return {};
  const xcb_window_t root = geometry->root;
  if (!x11::ManagerRunning(x, root)) return {};
  const xcb_atom_t requestFrameExtents = x11::Atom(x, "_NET_REQUEST_FRAME_EXTENTS");
  const std::vector<std::uint32_t> supported =
      x11::Property(x, root, x11::Atom(x, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
  if (std::ranges::find(supported, requestFrameExtents) == supported.end()) return {};

  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = id;
  request.type = requestFrameExtents;
  xcb_send_event(x, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(x);

  // The manager answers by setting the extents on the window: left, right, top, bottom.
  const xcb_atom_t frameExtents = x11::Atom(x, "_NET_FRAME_EXTENTS");
  const auto deadline = std::chrono::steady_clock::now() + kAnswerPatience;
  for (;;) {
    const std::vector<std::uint32_t> extents =
        x11::Property(x, id, frameExtents, XCB_ATOM_CARDINAL);
    if (extents.size() == 4) {
      const QMarginsF pixels(extents[0], extents[2], extents[1], extents[3]);
      return pixels / window.devicePixelRatioF();
    }
    if (std::chrono::steady_clock::now() >= deadline) return {};
    std::this_thread::sleep_for(kAnswerPoll);
  }
}

}  // namespace starveil::platform
