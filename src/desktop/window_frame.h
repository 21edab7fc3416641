#pragma once

#include <QMarginsF>
#include <optional>

class QWidget;

namespace starveil::desktop {

// The frame a window manager will draw around a top-level window that has not been shown yet:
// its left, top, right and bottom extents in the window's own units, which a scaled screen makes
// larger than the manager's pixels. Zero where nothing frames the window, where no manager runs,
// and on platforms that do not say (offscreen, Wayland). Empty where a manager will draw a frame
// but does not tell its size before the window shows.
std::optional<QMarginsF> ExpectedFrame(QWidget& window);

// Shows a top-level window whose manager tells the frame only once it has framed the window. The
// manager is asked to centre the frame on where the client area was placed; the frame comes back
// as soon as it is known, before the window has painted, for the caller to finish the placement
// where a manager did not.
std::optional<QMarginsF> ShowCentredOnClient(QWidget& window);

// The frame a window manager has drawn around a shown top-level window, measured on the screen, in
// the window's own units. A manager may draw another frame than the one it told of before, or tell
// of it in other units. Empty where no manager runs, where the frame is not drawn in X's windows,
// and where the platform does not say.
std::optional<QMarginsF> DrawnFrame(QWidget& window);

// Whether the window manager is still making the frame of a shown top-level window: KWin sizes its
// frame window a moment after the window maps, which may come after the window's first paint.
bool FrameBeingMade(QWidget& window);

}  // namespace starveil::desktop
