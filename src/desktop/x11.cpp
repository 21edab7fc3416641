#include "desktop/x11.h"

#include <cstdlib>
#include <cstring>

#include "desktop/x_reply.h"

namespace starveil::desktop::x11 {

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<std::uint32_t> Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t name,
                                    xcb_atom_t type) {
  constexpr std::uint32_t kMostValues = 1024;
  // An error, such as a window that has gone, comes back here and is freed: Qt never sees it.
  const Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(x, xcb_get_property(x, 0, window, name, type, 0, kMostValues),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

bool ManagerRunning(xcb_connection_t* x, xcb_window_t root) {
  const xcb_atom_t checkAtom = Atom(x, "_NET_SUPPORTING_WM_CHECK");
  const std::vector<std::uint32_t> check = Property(x, root, checkAtom, XCB_ATOM_WINDOW);
  return check.size() == 1 && Property(x, check[0], checkAtom, XCB_ATOM_WINDOW) == check;
}

void AskManager(xcb_connection_t* x, xcb_window_t root, xcb_window_t window, const char* request,
                std::array<std::uint32_t, 2> values) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = Atom(x, request);
  message.data.data32[0] = values[0];
  message.data.data32[1] = values[1];
  xcb_send_event(x, 0, root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(x);
}

xcb_window_t TopLevel(xcb_connection_t* x, xcb_window_t window) {
  for (xcb_window_t top = window;;) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, top), nullptr), &std::free);
    if (!tree) return XCB_WINDOW_NONE;
    if (tree->parent == tree->root) return top;
    top = tree->parent;
  }
}

namespace {

// A window and the frame window a manager put it in, as the server holds them now.
struct Framing {
  xcb_window_t top;
  Reply<xcb_get_geometry_reply_t> client;
  Reply<xcb_get_geometry_reply_t> frame;

  bool BeingMade() const { return frame->width < client->width || frame->height < client->height; }
};

std::optional<Framing> Framed(xcb_connection_t* x, xcb_window_t window) {
  const xcb_window_t top = TopLevel(x, window);
  if (top == XCB_WINDOW_NONE) return std::nullopt;
  Framing framing{top,
                  Reply<xcb_get_geometry_reply_t>(
                      xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr), &std::free),
                  Reply<xcb_get_geometry_reply_t>(
                      xcb_get_geometry_reply(x, xcb_get_geometry(x, top), nullptr), &std::free)};
  if (!framing.client || !framing.frame) return std::nullopt;
  return framing;
}

}  // namespace

bool FrameBeingMade(xcb_connection_t* x, xcb_window_t window) {
  const std::optional<Framing> framing = Framed(x, window);
  return framing && framing->BeingMade();
}

std::optional<QMargins> DrawnFrame(xcb_connection_t* x, xcb_window_t window) {
  const std::optional<Framing> framing = Framed(x, window);
  // Centring on a frame still being made would send the window to the screen's corner.
  if (!framing || framing->BeingMade()) return std::nullopt;
  const xcb_window_t top = framing->top;
  const xcb_get_geometry_reply_t& client = *framing->client;
  const xcb_get_geometry_reply_t& frame = *framing->frame;
  const Reply<xcb_translate_coordinates_reply_t> place(
      xcb_translate_coordinates_reply(x, xcb_translate_coordinates(x, window, top, 0, 0), nullptr),
      &std::free);
  if (!place) return std::nullopt;
  QMargins drawn(place->dst_x, place->dst_y, frame.width - client.width - place->dst_x,
                 frame.height - client.height - place->dst_y);
  // A frame window no larger than the window: the compositor draws the frame itself, off X.
  if (drawn.isNull()) return std::nullopt;
  const std::vector<std::uint32_t> invisible =
      Property(x, top, Atom(x, "_GTK_FRAME_EXTENTS"), XCB_ATOM_CARDINAL);
  if (invisible.size() == 4) {
    const auto side = [&](std::size_t i) { return static_cast<int>(invisible[i]); };
    drawn -= QMargins(side(0), side(2), side(1), side(3));
  }
  return drawn;
}

}  // namespace starveil::desktop::x11
