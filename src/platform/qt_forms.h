#pragma once

#include <QColor>
#include <QRect>

#include "platform/colour.h"
#include "platform/twips.h"

// The game's places and colours as Qt takes them, for the window and for tools that have none.
namespace starveil::platform {

// The pixels a place in twips covers, each edge and size rounded on its own.
inline QRect PixelRect(const TwipRect& rect) {
  return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
          TwipsToPixels(rect.height)};
}

inline QColor ToQColor(Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}

}  // namespace starveil::platform
