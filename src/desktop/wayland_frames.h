#pragma once

namespace starveil::desktop {

// Whether the Wayland compositor Qt runs on draws windows' frames, as KWin does; mutter and
// weston leave them to the program. False off Wayland.
bool CompositorDrawsFrames();

}  // namespace starveil::desktop
