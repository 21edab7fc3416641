#include "platform/shape.h"

#include <QPainter>

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
  painter.fillRect(pixels, QColor(fill_.red, fill_.green, fill_.blue));
  painter.setPen(QColor(border_.red, border_.green, border_.blue));
  painter.drawRect(pixels.adjusted(0, 0, -1, -1));
}

}  // namespace starveil::platform
