#pragma once

#include <string_view>

// What the session tells programs of the screen's scale, read before Qt starts.
namespace starveil::desktop {

// The largest whole scale the Wayland compositor that WAYLAND_DISPLAY names gives its outputs; 1
// where none answers.
int WaylandOutputScale();

// The whole scale X11 programs are told to draw at on the X display that DISPLAY names: Xft.dpi
// over 96, rounded up, as a program scaling itself would draw; 1 where nothing says.
int XClientScale();

// The whole scale the X resource database's text tells X11 programs: Xft.dpi over 96, rounded up;
// 1 where it says nothing that reads as a scale.
int XClientScaleOf(std::string_view resources);

}  // namespace starveil::desktop
