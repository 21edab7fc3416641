#include "desktop/display_choice.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "desktop/desktop_scale.h"

namespace starveil::desktop {

void ChooseDisplayPlatform() {
  const Session session{qEnvironmentVariable("QT_QPA_PLATFORM").toStdString(),
                        !qEnvironmentVariableIsEmpty("DISPLAY"),
                        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")};
  const bool weigh = ScalesDecide(session);
  const std::string order =
      PlatformOrder(session, weigh ? WaylandOutputScale() : 1, weigh ? XClientScale() : 1);
  if (!order.empty()) qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(order));
}

bool ScalesDecide(const Session& session) {
  return session.userPlatform.empty() && session.xDisplay && session.waylandDisplay;
}

std::string PlatformOrder(const Session& session, int compositorScale, int xClientScale) {
  if (!session.userPlatform.empty() || !session.xDisplay) return {};
  const bool enlargedByTheCompositor = ScalesDecide(session) && compositorScale > xClientScale;
  // The other stays the way out should the first refuse the game.
  return enlargedByTheCompositor ? "wayland;xcb" : "xcb;wayland";
}

}  // namespace starveil::desktop
