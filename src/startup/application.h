#pragma once

#include <functional>

namespace starveil {

class frmMain;

// A start of the game, from the command line to the last window closed: the way to the screen
// chosen, the splash, then the game window. `shown` runs once the game window is up.
int RunStarveil(int& argc, char** argv, const std::function<void(frmMain&)>& shown = {});

}  // namespace starveil
