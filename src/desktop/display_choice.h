#pragma once

#include <string>

namespace starveil::desktop {

// Chooses Qt's platform before the application is created, unless the user has (QT_QPA_PLATFORM,
// or -platform, which Qt reads later and which wins).
void ChooseDisplayPlatform();

// What the environment tells of the session before Qt starts.
struct Session {
  std::string userPlatform;  // QT_QPA_PLATFORM, empty where the user chose none
  bool xDisplay = false;
  bool waylandDisplay = false;
};

// Whether the choice hangs on the desktop's scales, which take a connection to each display to
// read.
bool ScalesDecide(const Session& session);

// The platforms for Qt to try, in order, as QT_QPA_PLATFORM takes them; empty to leave the choice
// to the user or to Qt. Where the session offers an X display, the game takes it, XWayland on a
// Wayland desktop included: only there does the desktop draw the frame the window asks for, and
// only there may a program place its windows. But a compositor whose output scale is above the
// one X11 programs are told (Xft.dpi) enlarges their windows itself, and smooths the pixel art
// doing so; there the game runs natively on Wayland, drawing every pixel itself.
std::string PlatformOrder(const Session& session, int compositorScale, int xClientScale);

}  // namespace starveil::desktop
