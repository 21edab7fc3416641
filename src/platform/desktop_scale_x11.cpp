#include "platform/desktop_scale.h"

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace starveil::platform {

namespace {

// wl_output tells its scale from version 2 on.
constexpr std::uint32_t kOutputVersion = 2;
constexpr double kBaseDpi = 96;

struct Outputs {
  std::vector<wl_output*> bound;
  int largestScale = 1;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
  if (std::strcmp(interface, wl_output_interface.name) != 0 || version < kOutputVersion) return;
  auto* outputs = static_cast<Outputs*>(data);
  outputs->bound.push_back(static_cast<wl_output*>(
      wl_registry_bind(registry, name, &wl_output_interface, kOutputVersion)));
  static const wl_output_listener kListener{
      .geometry = [](void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                     std::int32_t, const char*, const char*, std::int32_t) {},
      .mode = [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
      .done = [](void*, wl_output*) {},
      .scale =
          [](void* data, wl_output*, std::int32_t scale) {
            auto* outputs = static_cast<Outputs*>(data);
            outputs->largestScale = std::max(outputs->largestScale, static_cast<int>(scale));
          },
      .name = nullptr,
      .description = nullptr,
  };
  wl_output_add_listener(outputs->bound.back(), &kListener, outputs);
}

void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

}  // namespace

int WaylandOutputScale() {
  const std::unique_ptr<wl_display, decltype(&wl_display_disconnect)> display(
      wl_display_connect(nullptr), &wl_display_disconnect);
  if (!display) return 1;
  Outputs outputs;
  static const wl_registry_listener kListener{.global = OnGlobal, .global_remove = OnGlobalRemoved};
  wl_registry* registry = wl_display_get_registry(display.get());
  wl_registry_add_listener(registry, &kListener, &outputs);
  // The first round trip announces the outputs, the second their scales.
  wl_display_roundtrip(display.get());
  wl_display_roundtrip(display.get());
  for (wl_output* output : outputs.bound)
    wl_output_destroy(output);
  wl_registry_destroy(registry);
  return outputs.largestScale;
}

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
  std::string_view text(static_cast<const char*>(xcb_get_property_value(resources.get())),
                        xcb_get_property_value_length(resources.get()));
  constexpr std::string_view kDpi = "Xft.dpi:";
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.starts_with(kDpi)) continue;
    const double dpi = std::strtod(std::string(line.substr(kDpi.size())).c_str(), nullptr);
    return dpi > 0 ? std::max(1, static_cast<int>(std::ceil(dpi / kBaseDpi))) : 1;
  }
  return 1;
}

}  // namespace starveil::platform
