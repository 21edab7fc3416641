#pragma once

// What the session tells programs of the screen's scale, read before Qt starts.
namespace starveil::desktop {

// The largest whole scale the Wayland compositor that WAYLAND_DISPLAY names gives its outputs; 1
// where none answers.
int WaylandOutputScale();

// The whole scale X11 programs are told to draw at on the X display that DISPLAY names: Xft.dpi
// over 96, rounded up, as a program scaling itself would draw; 1 where nothing says.
int XClientScale();

}  // namespace starveil::desktop
