#include "desktop/desktop_scale.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace starveil::desktop {

int XClientScale() {
  const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(
      xcb_connect(nullptr, nullptr), &xcb_disconnect);
  if (xcb_connection_has_error(x.get())) return 1;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data->root;
  // The X resource database, where desktops put Xft.dpi, as text on the root window.
  const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> resources(
      xcb_get_property_reply(x.get(),
                             xcb_get_property(x.get(), 0, root, XCB_ATOM_RESOURCE_MANAGER,
                                              XCB_ATOM_STRING, 0, 1 << 16),
                             nullptr),
      &std::free);
  if (!resources || resources->format != 8) return 1;
  return XClientScaleOf(
      std::string_view(static_cast<const char*>(xcb_get_property_value(resources.get())),
                       xcb_get_property_value_length(resources.get())));
}

}  // namespace starveil::desktop
