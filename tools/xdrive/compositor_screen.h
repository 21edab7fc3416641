#pragma once

#include <QImage>
#include <QProcessEnvironment>
#include <optional>

namespace starveil::xdrive {

// The whole screen as the Wayland compositor shows it, in the screen's own pixels, scaled windows
// and all: what reaches the player, where X11 can only tell what each window drew. KWin's is
// asked through its ScreenShot2 interface, which must run with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS
// set; mutter's through a screen cast, one frame of it taken off PipeWire. Empty if the session's
// compositor offers neither (KWin 6 offers its screenshots only where it draws with OpenGL); null
// if taking it failed. `session` holds the session's bus and runtime directory.
std::optional<QImage> CompositorScreen(const QProcessEnvironment& session);

}  // namespace starveil::xdrive
