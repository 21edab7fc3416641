#include "platform/shape.h"

#include <QPainter>

#include "platform/surface.h"

namespace starveil::platform {

Shape::Shape(Surface& surface) : Control(surface) {}

void Shape::SetFillColor(Rgb colour) {
  fill_ = colour;
  Redraw();
}

void Shape::SetBorderColor(Rgb colour) {
  border_ = colour;
  Redraw();
}

void Shape::Paint(QPainter& painter, const QRect& pixels) const {
  painter.fillRect(pixels, ToQColor(fill_));
  DrawSingleBorder(painter, pixels, ToQColor(border_));
}

}  // namespace starveil::platform
