#include "platform/dirty_area.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace starveil::platform {
namespace {

// QRect's own set operations are library calls; these few run for every sprite that changes, so
// they are worked out here from its inline corners.

bool Contains(const QRect& outer, const QRect& inner) {
  return outer.left() <= inner.left() && outer.top() <= inner.top() &&
         outer.right() >= inner.right() && outer.bottom() >= inner.bottom();
}

// Overlapping, or apart by no more than the near gap.
bool Near(const QRect& a, const QRect& b) {
  const int gap = DirtyArea::kNearPixels;
  return a.left() - gap <= b.right() && b.left() <= a.right() + gap &&
         a.top() - gap <= b.bottom() && b.top() <= a.bottom() + gap;
}

QRect Union(const QRect& a, const QRect& b) {
  return {QPoint(std::min(a.left(), b.left()), std::min(a.top(), b.top())),
          QPoint(std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom()))};
}

QRect Intersection(const QRect& a, const QRect& b) {
  return {QPoint(std::max(a.left(), b.left()), std::max(a.top(), b.top())),
          QPoint(std::min(a.right(), b.right()), std::min(a.bottom(), b.bottom()))};
}

long long Area(const QRect& rect) {
  return static_cast<long long>(rect.width()) * rect.height();
}

}  // namespace

void DirtyArea::Add(const QRect& rect, const QRect& bounds) {
  const QRect visible = Intersection(rect, bounds);
  if (visible.isEmpty()) return;
  // Neighbours tend to change one after another, so the box that took the last request is the
  // likeliest to take this one too.
  if (latest_ < boxes_.size() && Near(boxes_[latest_], visible)) {
    Grow(latest_, visible);
    return;
  }
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    if (Near(boxes_[i], visible)) {
      Grow(i, visible);
      return;
    }
  }
  if (boxes_.size() < kMostBoxes) {
    boxes_.push_back(visible);
    latest_ = boxes_.size() - 1;
    return;
  }
  std::size_t cheapest = 0;
  long long leastGrowth = std::numeric_limits<long long>::max();
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const long long growth = Area(Union(boxes_[i], visible)) - Area(boxes_[i]);
    if (growth < leastGrowth) {
      leastGrowth = growth;
      cheapest = i;
    }
  }
  Grow(cheapest, visible);
}

std::vector<QRect> DirtyArea::Take() {
  latest_ = 0;
  return std::exchange(boxes_, {});
}

// A box that grew may now reach others; it swallows them until none is near.
void DirtyArea::Grow(std::size_t index, const QRect& rect) {
  latest_ = index;
  if (Contains(boxes_[index], rect)) return;
  boxes_[index] = Union(boxes_[index], rect);
  for (std::size_t i = 0; i < boxes_.size();) {
    if (i != latest_ && Near(boxes_[latest_], boxes_[i])) {
      boxes_[latest_] = Union(boxes_[latest_], boxes_[i]);
      boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(i));
      if (i < latest_) --latest_;
      i = 0;
    } else {
      ++i;
    }
  }
}

}  // namespace starveil::platform
