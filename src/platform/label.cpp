#include "platform/label.h"

#include <QPainter>

#include "platform/surface.h"

namespace starveil::platform {

Label::Label(Surface& surface) : Control(surface) {}

void Label::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  Redraw();
  if (!AccessibleName().empty()) TellReadingChanged();
}

void Label::SetAccessibleReading(std::function<std::string()> reading) {
  reading_ = std::move(reading);
}

std::string Label::AccessibleText() const {
  return reading_ ? reading_() : caption_;
}

void Label::SetFont(Font font) {
  font_ = font;
  Redraw();
}

void Label::SetForeColor(Rgb colour) {
  fore_ = colour;
  Redraw();
}

void Label::SetBackColor(Rgb colour) {
  back_ = colour;
  Redraw();
}

void Label::SetAlignment(Alignment alignment) {
  alignment_ = alignment;
  Redraw();
}

void Label::SetBorder(bool single) {
  border_ = single;
  Redraw();
}

void Label::Paint(QPainter& painter, const QRect& pixels) const {
  if (back_) painter.fillRect(pixels, ToQColor(*back_));
  QRect text = pixels;
  if (border_) {
    DrawSingleBorder(painter, pixels, Qt::black);
    text.adjust(2, 1, -2, -1);
  }
  painter.setFont(ToQFont(font_));
  painter.setPen(ToQColor(fore_));
  const Qt::Alignment horizontal = alignment_ == Alignment::kRight ? Qt::AlignRight : Qt::AlignLeft;
  const int flags = static_cast<int>(horizontal | Qt::AlignTop | Qt::TextWordWrap);
  painter.drawText(text, flags, QString::fromStdString(caption_));
}

}  // namespace starveil::platform
