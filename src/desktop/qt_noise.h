#pragma once

namespace starveil::desktop {

// Leaves out of the game's output the warnings Qt writes about its own workings, which tell a
// player nothing, and passes every other line on. Call it before the application object is made.
void LeaveOutQtNoise();

}  // namespace starveil::desktop
