#include "desktop/wayland_globals.h"

#include <qpa/qplatformnativeinterface.h>

#include <QGuiApplication>
#include <algorithm>

#include "desktop/wayland_frames.h"

namespace starveil::desktop {

QtConnectionGlobals::QtConnectionGlobals() {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  if (!native) return;
  auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
  if (!display) return;
  queue_.reset(wl_display_create_queue(display));
  display_.reset(wl_proxy_create_wrapper(display));
  wl_proxy_set_queue(static_cast<wl_proxy*>(display_.get()), queue_.get());
  registry_.reset(wl_display_get_registry(static_cast<wl_display*>(display_.get())));
  static const wl_registry_listener kListener{
      .global = OnGlobal, .global_remove = [](void*, wl_registry*, std::uint32_t) {}};
  wl_registry_add_listener(registry_.get(), &kListener, &globals_);
  wl_display_roundtrip_queue(display, queue_.get());
}

void QtConnectionGlobals::OnGlobal(void* data, wl_registry* /*registry*/, std::uint32_t name,
                                   const char* interface, std::uint32_t /*version*/) {
  static_cast<std::vector<Global>*>(data)->push_back({name, interface});
}

bool QtConnectionGlobals::Offers(const std::string& interface) const {
  return std::ranges::any_of(globals_,
                             [&](const Global& global) { return global.interface == interface; });
}

void* QtConnectionGlobals::Bind(const wl_interface& interface, std::uint32_t version) const {
  const auto global = std::ranges::find(globals_, std::string(interface.name), &Global::interface);
  if (global == globals_.end()) return nullptr;
  return wl_registry_bind(registry_.get(), global->name, &interface, version);
}

// A compositor that draws frames says so by offering xdg-decoration, through which Qt asks it to.
bool CompositorDrawsFrames() {
  return QtConnectionGlobals().Offers("zxdg_decoration_manager_v1");
}

}  // namespace starveil::desktop
