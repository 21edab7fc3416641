#include "platform/display_choice.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "platform/desktop_scale.h"

namespace starveil::platform {

namespace {

QtMessageHandler previousHandler = nullptr;

void LeaveOutStaleScaleWarnings(QtMsgType type, const QMessageLogContext& context,
                                const QString& message) {
  if (type == QtWarningMsg &&
      message.startsWith("The cached device pixel ratio value was stale on window"))
    return;
  previousHandler(type, context, message);
}

}  // namespace

void QuietStaleScaleWarnings() {
  previousHandler = qInstallMessageHandler(LeaveOutStaleScaleWarnings);
}

void ChooseDisplayPlatform() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
    return;
  const bool enlargedByTheCompositor =
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && WaylandOutputScale() > XClientScale();
  // The other stays the way out should the first refuse the game.
  qputenv("QT_QPA_PLATFORM", QByteArray(enlargedByTheCompositor ? "wayland;xcb" : "xcb;wayland"));
}

}  // namespace starveil::platform
