#pragma once

namespace starveil::platform {

// Runs the game on X11 wherever the session offers an X display, XWayland on a Wayland desktop
// included, unless the user has chosen Qt's platform (QT_QPA_PLATFORM, or -platform, which Qt
// reads later and which wins). Only there does the desktop draw the frame the window asks for,
// and only there may a program place its windows. Called before the application is created.
void PreferX11WhereOffered();

}  // namespace starveil::platform
