#include "desktop/wayland_modal.h"

#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdint>

#include "desktop/wayland_globals.h"
#include "wayland_modal-client-protocol.h"

namespace starveil::desktop {

namespace {

constexpr std::uint32_t kShellVersion = 1;

// Version 1 has no request to free either object: mutter keeps them until the game quits.
void MarkWindowModal(QWindow& window) {
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  auto* surface = static_cast<wl_surface*>(native->nativeResourceForWindow("surface", &window));
  if (!surface) return;
  const QtConnectionGlobals globals;
  auto* shell = static_cast<gtk_shell1*>(globals.Bind(gtk_shell1_interface, kShellVersion));
  if (!shell) return;
  gtk_surface1* modal = gtk_shell1_get_gtk_surface(shell, surface);
  gtk_surface1_set_modal(modal);
  gtk_surface1_destroy(modal);
  gtk_shell1_destroy(shell);
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
