#include "desktop/wayland_modal.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <cstring>
#include <memory>

#include "wayland_modal-client-protocol.h"

namespace starveil::desktop {

namespace {

constexpr std::uint32_t kShellVersion = 1;

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t /*version*/) {
  if (std::strcmp(interface, gtk_shell1_interface.name) != 0) return;
  *static_cast<gtk_shell1**>(data) = static_cast<gtk_shell1*>(
      wl_registry_bind(registry, name, &gtk_shell1_interface, kShellVersion));
}

void OnGlobalRemoved(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

// On Qt's connection, through a queue of our own, so that Qt's queue and its events stay Qt's.
void MarkSurfaceModal(wl_display* display, wl_surface* surface) {
  const std::unique_ptr<wl_event_queue, decltype(&wl_event_queue_destroy)> queue(
      wl_display_create_queue(display), &wl_event_queue_destroy);
  const std::unique_ptr<void, decltype(&wl_proxy_wrapper_destroy)> wrapped(
      wl_proxy_create_wrapper(display), &wl_proxy_wrapper_destroy);
  wl_proxy_set_queue(static_cast<wl_proxy*>(wrapped.get()), queue.get());
  const std::unique_ptr<wl_registry, decltype(&wl_registry_destroy)> registry(
      wl_display_get_registry(static_cast<wl_display*>(wrapped.get())), &wl_registry_destroy);
  gtk_shell1* shell = nullptr;
  static const wl_registry_listener kListener{.global = OnGlobal, .global_remove = OnGlobalRemoved};
  wl_registry_add_listener(registry.get(), &kListener, &shell);
  wl_display_roundtrip_queue(display, queue.get());
  if (!shell) return;
  gtk_surface1* modal = gtk_shell1_get_gtk_surface(shell, surface);
  gtk_surface1_set_modal(modal);
  // Version 1 has no request to free either object: mutter keeps them until the game quits.
  gtk_surface1_destroy(modal);
  gtk_shell1_destroy(shell);
}

void MarkWindowModal(QWindow& window) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  auto* display = static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
  auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window));
  if (display && surface) MarkSurfaceModal(display, surface);
}

// Mutter only has a window for the box once Qt has made its surface a toplevel, and places that
// window at its first picture: the first exposure, before the box paints, falls in between.
class AtFirstExposure final : public QObject {
 public:
  explicit AtFirstExposure(QWidget& box) : QObject(&box), box_(box) {
    box.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Qt makes the box's window just before it tells the box it shows.
    if (watched == &box_ && event->type() == QEvent::Show) {
      box_.removeEventFilter(this);
      box_.windowHandle()->installEventFilter(this);
    } else if (watched != &box_ && event->type() == QEvent::Expose) {
      watched->removeEventFilter(this);
      MarkWindowModal(*box_.windowHandle());
    }
    return false;
  }

 private:
  QWidget& box_;
};

}  // namespace

void MarkModalOnWayland(QWidget& box) {
  if (QGuiApplication::platformName() != "wayland") return;
  new AtFirstExposure(box);  // the box owns it
}

}  // namespace starveil::desktop
