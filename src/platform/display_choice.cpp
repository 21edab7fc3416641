#include "platform/display_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace starveil::platform {

void PreferX11WhereOffered() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
    return;
  // Wayland stays the way out should the X display refuse the game.
  qputenv("QT_QPA_PLATFORM", QByteArray("xcb;wayland"));
}

}  // namespace starveil::platform
