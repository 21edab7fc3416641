#include "platform/window_frame.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace starveil::platform {

namespace {

// A running manager answers within a few milliseconds; a stuck one would not map the window
// either, so waiting longer would gain nothing.
constexpr auto kAnswerPatience = std::chrono::milliseconds(500);
constexpr auto kAnswerPoll = std::chrono::milliseconds(2);

enum Atom { kSupportingWmCheck, kSupported, kRequestFrameExtents, kFrameExtents, kAtoms };

std::array<xcb_atom_t, kAtoms> InternAtoms(xcb_connection_t* x) {
  static constexpr std::array<const char*, kAtoms> kNames{
      "_NET_SUPPORTING_WM_CHECK", "_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS",
      "_NET_FRAME_EXTENTS"};
  std::array<xcb_intern_atom_cookie_t, kAtoms> cookies{};
  for (int i = 0; i < kAtoms; ++i)
    cookies[i] = xcb_intern_atom(x, 0, std::strlen(kNames[i]), kNames[i]);
  std::array<xcb_atom_t, kAtoms> atoms{};
  for (int i = 0; i < kAtoms; ++i) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(x, cookies[i], nullptr), &std::free);
    atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  return atoms;
}

// A property of 32-bit values; empty when the window or the property is missing.
std::vector<std::uint32_t> Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name,
                                    xcb_atom_t type) {
  constexpr std::uint32_t kMostValues = 1024;
  // An error, such as a window that has gone, comes back here and is freed: Qt never sees it.
  std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
      xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, kMostValues),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// A manager runs when the root names a check window that names itself; a manager that has died
// may leave the root's properties behind, but not its window.
bool ManagerOffers(xcb_connection_t* x, xcb_window_t root,
                   const std::array<xcb_atom_t, kAtoms>& atom) {
  const std::vector<std::uint32_t> check =
      Property(x, root, atom[kSupportingWmCheck], XCB_ATOM_WINDOW);
  if (check.size() != 1 ||
      Property(x, check[0], atom[kSupportingWmCheck], XCB_ATOM_WINDOW) != check)
    return false;
  const std::vector<std::uint32_t> supported = Property(x, root, atom[kSupported], XCB_ATOM_ATOM);
  return std::find(supported.begin(), supported.end(), atom[kRequestFrameExtents]) !=
         supported.end();
}

}  // namespace

QMargins ExpectedFrame(QWidget& window) {
  // Other platforms may still offer the interface, with no connection behind it.
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* x = x11 ? x11->connection() : nullptr;
  if (!x || xcb_connection_has_error(x)) return {};
  // The native window exists from here on, with every hint the manager judges the frame by.
  const auto id = static_cast<xcb_window_t>(window.winId());
  std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
      xcb_get_geometry_reply(x, xcb_get_geometry(x, id), nullptr), &std::free);
  if (!geometry) return {};
  const xcb_window_t root = geometry->root;
  const std::array<xcb_atom_t, kAtoms> atom = InternAtoms(x);
  if (!ManagerOffers(x, root, atom)) return {};

  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = id;
  request.type = atom[kRequestFrameExtents];
  xcb_send_event(x, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(x);

  // The manager answers by setting the extents on the window: left, right, top, bottom.
  const auto deadline = std::chrono::steady_clock::now() + kAnswerPatience;
  for (;;) {
    const std::vector<std::uint32_t> extents =
        Property(x, id, atom[kFrameExtents], XCB_ATOM_CARDINAL);
    if (extents.size() == 4) {
      return QMargins(static_cast<int>(extents[0]), static_cast<int>(extents[2]),
                      static_cast<int>(extents[1]), static_cast<int>(extents[3]));
    }
    if (std::chrono::steady_clock::now() >= deadline) return {};
    std::this_thread::sleep_for(kAnswerPoll);
  }
}

}  // namespace starveil::platform
