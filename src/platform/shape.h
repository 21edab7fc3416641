#pragma once

#include "platform/colour.h"
#include "platform/control.h"

namespace starveil::platform {

// A rectangle filled solid and outlined with a one-pixel line.
class Shape final : public Control {
 public:
  explicit Shape(Surface& surface);

  void SetFillColor(Rgb colour);
  void SetBorderColor(Rgb colour);
  Rgb FillColor() const { return fill_; }

  void Paint(QPainter& painter, const QRect& pixels) const override;

 private:
  Rgb fill_{};
  Rgb border_{};
};

}  // namespace starveil::platform
