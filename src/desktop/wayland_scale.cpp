#include <wayland-client.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "desktop/desktop_scale.h"

namespace starveil::desktop {

namespace {

// wl_output tells its scale from version 2 on.
constexpr std::uint32_t kOutputVersion = 2;

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

}  // namespace starveil::desktop
