#pragma once

#include <QRect>
#include <vector>

namespace starveil::platform {

// The parts of a surface waiting to be repainted, kept as a few boxes. Asking Qt to repaint
// many small scattered rectangles one by one costs far more than painting them, so requests are
// gathered here and handed over together: boxes that touch or nearly touch become one, and past
// a handful of boxes a new request joins the box it enlarges least.
class DirtyArea {
 public:
  static constexpr std::size_t kMostBoxes = 12;
  static constexpr int kNearPixels = 4;  // gaps this narrow are cheaper to paint than to keep

  // Adds the part of `rect` that lies within `bounds`.
  void Add(const QRect& rect, const QRect& bounds);
  bool IsEmpty() const { return boxes_.empty(); }
  // The boxes to repaint; the area is empty afterwards.
  std::vector<QRect> Take();

 private:
  void Grow(std::size_t index, const QRect& rect);

  std::vector<QRect> boxes_;
  std::size_t latest_ = 0;  // the box that took the last request
};

}  // namespace starveil::platform
