#pragma once

#include <QMarginsF>

class QWidget;

namespace starveil::platform {

// The frame a window manager will draw around a top-level window that has not been shown yet:
// its left, top, right and bottom extents in the window's own units, which a scaled screen makes
// larger than the manager's pixels. Zero where nothing frames the window, where no manager runs,
// and on platforms that do not say (offscreen, Wayland).
QMarginsF ExpectedFrame(QWidget& window);

}  // namespace starveil::platform
