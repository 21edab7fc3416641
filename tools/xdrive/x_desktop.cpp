#include "x_desktop.h"

#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <span>

#include "desktop/x11.h"
#include "desktop/x_reply.h"

namespace starveil::xdrive {

using desktop::x11::Reply;

XDesktop::XDesktop(const QString& display)
    : x_(xcb_connect(display.toUtf8().constData(), nullptr), &xcb_disconnect) {
  if (xcb_connection_has_error(x_.get())) return;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x_.get())).data;
  root_ = screen->root;
  screenSize_ = QSize(screen->width_in_pixels, screen->height_in_pixels);
  keyboard_ = std::make_unique<XTestKeyboard>(x_.get());
}

XDesktop::~XDesktop() = default;

xcb_window_t XDesktop::FindWindow(const QString& title, std::optional<std::int64_t> pid) {
  // Managers put a client inside frames of their own, a level or two below the root.
  const std::function<xcb_window_t(xcb_window_t, int)> search = [&](xcb_window_t parent,
                                                                    int depth) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x_.get(), xcb_query_tree(x_.get(), parent), nullptr), &std::free);
    if (!tree) return xcb_window_t{XCB_WINDOW_NONE};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
      const xcb_window_t window = children[i];
      const std::vector<std::uint32_t> owner = Property(window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
      const bool owned = !pid || (owner.size() == 1 && owner[0] == *pid);
      if (owned && Shown(window) && Title(window) == title) return window;
      if (depth < 3) {
        if (const xcb_window_t found = search(window, depth + 1)) return found;
      }
    }
    return xcb_window_t{XCB_WINDOW_NONE};
  };
  return search(root_, 1);
}

QString XDesktop::Title(xcb_window_t window) {
  const auto text = [&](xcb_atom_t name, xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x_.get(), xcb_get_property(x_.get(), 0, window, name, type, 0, 256),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 8) return QString();
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())),
                             xcb_get_property_value_length(reply.get()));
  };
  const QString title = text(desktop::x11::Atom(x_.get(), "_NET_WM_NAME"),
                             desktop::x11::Atom(x_.get(), "UTF8_STRING"));
  return title.isEmpty() ? text(XCB_ATOM_WM_NAME, XCB_ATOM_STRING) : title;
}

std::vector<std::uint32_t> XDesktop::Property(xcb_window_t window, const char* name,
                                              xcb_atom_t type) {
  return desktop::x11::Property(x_.get(), window, desktop::x11::Atom(x_.get(), name), type);
}

QRect XDesktop::ClientRect(xcb_window_t window) {
  const Reply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(x_.get(), xcb_get_geometry(x_.get(), window), nullptr), &std::free);
  const Reply<xcb_translate_coordinates_reply_t> place(
      xcb_translate_coordinates_reply(
          x_.get(), xcb_translate_coordinates(x_.get(), window, root_, 0, 0), nullptr),
      &std::free);
  if (!geometry || !place) return {};
  return {place->dst_x, place->dst_y, geometry->width, geometry->height};
}

QRect XDesktop::FramedRect(xcb_window_t window) {
  const QRect client = ClientRect(window);
  // The frame as drawn, where X holds it; a manager may tell another, or in other units.
  if (const std::optional<QMargins> drawn = desktop::x11::DrawnFrame(x_.get(), window))
    return client.marginsAdded(*drawn);
  const std::vector<std::uint32_t> frame =
      Property(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
  if (frame.size() != 4) return client;
  return client.adjusted(-static_cast<int>(frame[0]), -static_cast<int>(frame[2]),
                         static_cast<int>(frame[1]), static_cast<int>(frame[3]));
}

bool XDesktop::Shown(xcb_window_t window) {
  const Reply<xcb_get_window_attributes_reply_t> attributes(
      xcb_get_window_attributes_reply(x_.get(), xcb_get_window_attributes(x_.get(), window),
                                      nullptr),
      &std::free);
  return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

xcb_window_t XDesktop::Focus() {
  const Reply<xcb_get_input_focus_reply_t> focus(
      xcb_get_input_focus_reply(x_.get(), xcb_get_input_focus(x_.get()), nullptr), &std::free);
  return focus ? focus->focus : xcb_window_t{XCB_WINDOW_NONE};
}

void XDesktop::Activate(xcb_window_t window) {
  constexpr std::uint32_t kFromAPager = 2;
  desktop::x11::AskManager(x_.get(), root_, window, "_NET_ACTIVE_WINDOW",
                           {kFromAPager, XCB_CURRENT_TIME});
}

std::vector<QRgb> WindowPixels(xcb_connection_t* x, xcb_window_t window, const QRect& box) {
  const Reply<xcb_get_image_reply_t> image(
      xcb_get_image_reply(
          x,
          xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(box.x()),
                        static_cast<std::int16_t>(box.y()), static_cast<std::uint16_t>(box.width()),
                        static_cast<std::uint16_t>(box.height()), ~0U),
          nullptr),
      &std::free);
  const auto count = static_cast<std::size_t>(box.width()) * box.height();
  if (!image || xcb_get_image_data_length(image.get()) < static_cast<int>(4 * count)) return {};
  std::vector<QRgb> pixels(count);
  std::memcpy(pixels.data(), xcb_get_image_data(image.get()), 4 * count);
  for (QRgb& pixel : pixels)
    pixel &= RGB_MASK;
  return pixels;
}

QImage WindowImage(xcb_connection_t* x, xcb_window_t window, const QRect& box) {
  const std::vector<QRgb> pixels = WindowPixels(x, window, box);
  if (pixels.empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(pixels.data()), box.width(), box.height(),
                QImage::Format_RGB32)
      .copy();
}

QRect ReadableBox(xcb_connection_t* x, xcb_window_t window) {
  QRect readable;
  QPoint origin;  // of the window seen so far, in the coordinates of the one holding it
  for (xcb_window_t seen = window;;) {
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x, xcb_get_geometry(x, seen), nullptr), &std::free);
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, seen), nullptr), &std::free);
    if (!geometry || !tree) return {};
    const QRect area(QPoint() - origin, QSize(geometry->width, geometry->height));
    readable = seen == window ? area : readable & area;
    if (tree->parent == tree->root) return readable;
    origin += QPoint(geometry->x, geometry->y);
    seen = tree->parent;
  }
}

QRegion WindowsOver(xcb_connection_t* x, xcb_window_t window, const QRect& box) {
  const xcb_window_t topLevel = desktop::x11::TopLevel(x, window);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const Reply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr), &std::free);
  const Reply<xcb_translate_coordinates_reply_t> origin(
      xcb_translate_coordinates_reply(x, xcb_translate_coordinates(x, window, root, 0, 0), nullptr),
      &std::free);
  if (!tree || !origin) return {};
  // The root's children come bottom to top: those after the top level lie over it.
  const std::span children(xcb_query_tree_children(tree.get()),
                           static_cast<std::size_t>(xcb_query_tree_children_length(tree.get())));
  const auto above = std::ranges::find(children, topLevel);
  if (above == children.end()) return {};
  std::vector<std::pair<xcb_get_window_attributes_cookie_t, xcb_get_geometry_cookie_t>> asked;
  for (auto it = above + 1; it != children.end(); ++it)
    asked.emplace_back(xcb_get_window_attributes(x, *it), xcb_get_geometry(x, *it));
  QRegion covered;
  for (const auto& [attributesAsked, geometryAsked] : asked) {
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(x, attributesAsked, nullptr), &std::free);
    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(x, geometryAsked, nullptr), &std::free);
    if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE ||
        attributes->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
      continue;
    const int border = 2 * geometry->border_width;
    covered += QRect(geometry->x - origin->dst_x, geometry->y - origin->dst_y,
                     geometry->width + border, geometry->height + border) &
               box;
  }
  return covered;
}

std::vector<QRgb> XDesktop::Pixels(xcb_window_t window, const QRect& box) {
  return WindowPixels(x_.get(), window, box);
}

QImage XDesktop::Image(xcb_window_t window, const QRect& box) {
  return WindowImage(x_.get(), window, box);
}

QImage XDesktop::Grab(xcb_window_t window) {
  return Image(window, ReadableBox(x_.get(), window));
}

void XDesktop::MovePointer(QPoint onScreen) {
  xcb_test_fake_input(x_.get(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                      static_cast<std::int16_t>(onScreen.x()),
                      static_cast<std::int16_t>(onScreen.y()), 0);
  xcb_flush(x_.get());
}

}  // namespace starveil::xdrive
