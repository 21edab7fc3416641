#include "desktop/qt_noise.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <array>

namespace starveil::desktop {

namespace {

// How each such warning begins:
// - a screen reader may take longer than the tenth of a second Qt waits for it to pass on a key;
//   Qt then delivers the key itself, and says so;
// - Qt 6.8 on Wayland tells its own developers that a window's cached scale was stale when the
//   compositor tells a fractional scale after the window's first paint; Qt then paints at the
//   scale told.
constexpr std::array kNoise{"QSpiApplication::keyEventError",
                            "The cached device pixel ratio value was stale on window"};

QtMessageHandler previousHandler = nullptr;

void LeaveOut(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (!IsQtNoise(type, message)) previousHandler(type, context, message);
}

}  // namespace

bool IsQtNoise(QtMsgType type, const QString& message) {
  const auto noise = [&](const char* start) { return message.startsWith(QLatin1String(start)); };
  return type == QtWarningMsg && std::ranges::any_of(kNoise, noise);
}

void LeaveOutQtNoise() {
  previousHandler = qInstallMessageHandler(LeaveOut);
}

}  // namespace starveil::desktop
