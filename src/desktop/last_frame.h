#pragma once

#include <functional>

class QWidget;

namespace starveil::desktop {

// Natively on Wayland, Qt 6.4 takes the compositor's answer to a frame on a thread of its own, and
// drops it there without a lock against the window's surface going: a window hidden while an
// answer is due may have it dropped twice, and the game crashes or aborts on its way out. And that
// thread may still hold the window's lock a moment after the answer is handled.

// Whether no answer to a frame the window, or the top-level window it lies in, has painted can
// still be due: off Wayland, for a hidden window, or once AfterTheLastFrame has seen it come.
bool LastFrameAnswered(const QWidget& window);

// Runs `then` once the last frame of the window, or of the top-level window it lies in, has been
// answered: at once if it has been, otherwise once the answer comes. That window paints no more
// from now on.
void AfterTheLastFrame(QWidget& window, std::function<void()> then);

// Whether a hidden window's native window may go at once: not natively on Wayland, where it stays
// until the game ends, should Qt's thread still hold its lock.
bool NativeWindowMayGo();

}  // namespace starveil::desktop
