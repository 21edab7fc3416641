#pragma once

#include <QMarginsF>
#include <QPoint>
#include <QRectF>
#include <QSizeF>

// Where a window goes on the screen, from what the desktop tells of the screen and the frame.
namespace starveil::desktop {

// The place, in the window's units, of a client area of `client` size that centres it, together
// with the `frame` a window manager draws around it, in the screen's available `area`, on a
// screen whose pixels are `scale` of the window's units. On a scaled screen a place may fall
// between two of the window's units, and the frame between two of the screen's pixels; the
// nearest place is within a pixel. A compositor that enlarges the screen by a fraction (KWin at
// 1.5, X11 programs scaling themselves) draws a frame crisp only where its corner lies on a whole
// pixel both of the screen and of its own units (every third pixel at 1.5): of the places within
// a pixel of the exact one, the nearest such place is taken where there is one.
QPoint CentredClientPlace(const QRectF& area, const QSizeF& client, const QMarginsF& frame,
                          qreal scale);

// Whether a frame drawn otherwise than the one a window was centred with moves the centred window
// by a pixel at least.
bool CentreAgain(const QMarginsF& centredWith, const QMarginsF& drawn, qreal scale);

}  // namespace starveil::desktop
