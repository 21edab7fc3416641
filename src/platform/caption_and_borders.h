#pragma once

namespace starveil::platform {

// Caption and borders as a common desktop draws them, whatever frame a window manager really
// draws: a window's outer height must not hang on there being one. Kept apart from the window, so
// that a window's client height can be worked out where no window is wanted.
inline constexpr float kCaptionAndBordersTwips = 405;

}  // namespace starveil::platform
