#pragma once

namespace starveil::desktop {

// Chooses Qt's platform before the application is created, unless the user has (QT_QPA_PLATFORM,
// or -platform, which Qt reads later and which wins). Where the session offers an X display, the
// game takes it, XWayland on a Wayland desktop included: only there does the desktop draw the frame
// the window asks for, and only there may a program place its windows. But a compositor whose
// output scale is above the one X11 programs are told (Xft.dpi) enlarges their windows itself,
// and smooths the pixel art doing so; there the game runs natively on Wayland, drawing every
// pixel itself.
void ChooseDisplayPlatform();

}  // namespace starveil::desktop
