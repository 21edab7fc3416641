#pragma once

#include <functional>

class QWidget;

namespace starveil::desktop {

// Natively on Wayland, Qt 6.4 takes the compositor's answer to a frame on a thread of its own, and
// drops it there without a lock against the window's surface going: a window hidden while an
// answer is due may have it dropped twice, and the game crashes or aborts on its way out.

// Whether an answer to a frame the window has painted may still be due: natively on Wayland, for
// a shown window.
bool LastFrameMayBeDue(const QWidget& window);

// Runs `then` once the answer to the window's last frame has come, the window's painting stopped
// from now on.
void AfterTheLastFrame(QWidget& window, std::function<void()> then);

}  // namespace starveil::desktop
