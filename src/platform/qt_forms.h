#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

#include "platform/colour.h"
#include "platform/font.h"
#include "platform/twips.h"

// The game's places, colours and fonts as Qt takes them, in its window and in tools without it.
namespace starveil::platform {

// The pixels a place in twips covers, each edge and size rounded on its own.
inline QRect PixelRect(const TwipRect& rect) {
  return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
          TwipsToPixels(rect.height)};
}

inline QColor ToQColor(Rgb colour) {
  return {colour.red, colour.green, colour.blue};
}

inline QFont ToQFont(const Font& font) {
  QFont qfont(QString::fromUtf8(font.family.data(), static_cast<qsizetype>(font.family.size())));
  qfont.setPixelSize(FontPixelSize(font.points));
  qfont.setBold(font.bold);
  return qfont;
}

}  // namespace starveil::platform
