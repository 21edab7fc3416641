#include "platform/sprite.h"

#include <QPainter>

namespace starveil::platform {

Sprite::Sprite(Surface& surface) : Control(surface) {}

void Sprite::SetPicture(const platform::Picture& picture) {
  if (picture == picture_) return;
  picture_ = picture;
  if (stretch_ || picture_.IsNone()) {
    Redraw();
    return;
  }
  const float width = PixelsToTwips(picture_.PixelWidth());
  const float height = PixelsToTwips(picture_.PixelHeight());
  if (width == Width() && height == Height()) {
    Redraw();
  } else {
    Move(Left(), Top(), width, height);
  }
}

void Sprite::SetStretch(bool stretch) {
  stretch_ = stretch;
  Redraw();
}

std::unique_ptr<Sprite> Sprite::HiddenCopy() const {
  auto copy = std::make_unique<Sprite>(Owner());
  copy->SetVisible(false);
  copy->stretch_ = stretch_;
  copy->picture_ = picture_;
  copy->tag_ = tag_;
  copy->Move(Left(), Top(), Width(), Height());
  return copy;
}

void Sprite::Paint(QPainter& painter, const QRect& pixels) const {
  if (picture_.IsNone()) return;
  // No smoothing: the pixel art stays crisp at any screen scale.
  painter.drawPixmap(pixels, picture_.Pixmap());
}

}  // namespace starveil::platform
