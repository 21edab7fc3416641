#include "desktop/display_choice.h"

#include <QByteArray>
#include <QtGlobal>

#include "desktop/desktop_scale.h"

namespace starveil::desktop {

void ChooseDisplayPlatform() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
    return;
  const bool enlargedByTheCompositor =
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && WaylandOutputScale() > XClientScale();
  // The other stays the way out should the first refuse the game.
  qputenv("QT_QPA_PLATFORM", QByteArray(enlargedByTheCompositor ? "wayland;xcb" : "xcb;wayland"));
}

}  // namespace starveil::desktop
