#include "desktop/qt_noise.h"

#include <QtGlobal>
#include <algorithm>
#include <array>

namespace starveil::desktop {

namespace {

// A warning of Qt's is noise when it comes in this category, any where none is named, and begins
// so, however it goes on where nothing is named.
struct Noise {
  std::string_view category;
  const char* start;
};

// - a screen reader may take longer than the tenth of a second Qt waits for it to pass on a key;
//   Qt then delivers the key itself, and says so;
// - Qt 6.8 on Wayland tells its own developers that a window's cached scale was stale when the
//   compositor tells a fractional scale after the window's first paint; Qt then paints at the
//   scale told;
// - Qt's accessibility bridge warns of every event it has no way to pass on, such as the keys'
//   text box filling up;
// - Qt 6.8 on Wayland warns of a keyboard's text input leaving a surface it never entered.
constexpr std::array kNoise{
    Noise{{}, "QSpiApplication::keyEventError"},
    Noise{{}, "The cached device pixel ratio value was stale on window"},
    Noise{"qt.accessibility.atspi", ""},
    Noise{"qt.qpa.wayland.textinput", ""},
};

QtMessageHandler previousHandler = nullptr;

void LeaveOut(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  const std::string_view category = context.category ? context.category : "";
  if (!IsQtNoise(type, category, message)) previousHandler(type, context, message);
}

}  // namespace

bool IsQtNoise(QtMsgType type, std::string_view category, const QString& message) {
  const auto noise = [&](const Noise& noise) {
    return (noise.category.empty() || noise.category == category) &&
           message.startsWith(QLatin1String(noise.start));
  };
  return type == QtWarningMsg && std::ranges::any_of(kNoise, noise);
}

void LeaveOutQtNoise() {
  previousHandler = qInstallMessageHandler(LeaveOut);
}

}  // namespace starveil::desktop
