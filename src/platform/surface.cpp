#include "platform/surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "platform/accessibility.h"
#include "platform/control.h"

namespace starveil::platform {

Surface::Surface(QWidget* parent) : QWidget(parent) {
  // The surface paints every pixel itself, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  InstallAccessibility();
}

void Surface::SetBackColor(Rgb colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  setPalette(palette);
  update();
}

void Surface::SendToBack(Control& control) {
  auto it = std::find(stack_.begin(), stack_.end(), &control);
  if (it == stack_.end() || it == stack_.begin()) return;
  std::rotate(stack_.begin(), it, it + 1);
  Invalidate(control.Rect());
}

void Surface::BringToFront(Control& control) {
  auto it = std::find(stack_.begin(), stack_.end(), &control);
  if (it == stack_.end() || it + 1 == stack_.end()) return;
  std::rotate(it, it + 1, stack_.end());
  Invalidate(control.Rect());
}

void Surface::Invalidate(const TwipRect& rect) {
  const QRect pixels = PixelRect(rect).intersected(this->rect());
  if (!pixels.isEmpty()) update(pixels);
}

QRect Surface::PixelRect(const TwipRect& rect) {
  return {TwipsToPixels(rect.left), TwipsToPixels(rect.top), TwipsToPixels(rect.width),
          TwipsToPixels(rect.height)};
}

void Surface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintBackground(painter, event->rect());
  for (const Control* control : stack_) {
    if (!control->Visible()) continue;
    const QRect pixels = PixelRect(control->Rect());
    if (event->region().intersects(pixels)) control->Paint(painter, pixels);
  }
}

void Surface::PaintBackground(QPainter& painter, const QRect& area) {
  painter.fillRect(area, palette().color(QPalette::Window));
}

void Surface::Join(Control& control) {
  stack_.push_back(&control);
}

void Surface::Leave(Control& control) {
  std::erase(stack_, &control);
}

}  // namespace starveil::platform
