#pragma once

#include <QMarginsF>
#include <optional>

class QWidget;

namespace starveil::desktop {

// Shows a top-level window that a window manager will frame, the manager asked to centre the
// frame on where the client area was placed. The frame is known only once the manager has drawn
// it: DrawnFrame tells it then, for the caller to finish the placement where a manager did not.
void ShowCentredOnClient(QWidget& window);

// The frame a window manager has drawn around a shown top-level window, in the window's own units:
// measured on the screen, or, where the manager draws it off X's windows (KWin 6), as the manager
// tells it. A manager may draw another frame than the one it told of before, or tell of it in
// other units. Empty where no manager runs, while the frame is being made, where the window has
// gone, and where the platform does not say.
std::optional<QMarginsF> DrawnFrame(QWidget& window);

// Whether the window manager is still making the frame of a shown top-level window: KWin sizes its
// frame window a moment after the window maps, and a manager tells the frame once it has framed
// the window; either may come after the window's first paint.
bool FrameBeingMade(QWidget& window);

}  // namespace starveil::desktop
