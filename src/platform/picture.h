#pragma once

#include <utility>

class QImage;
class QPixmap;

namespace starveil::platform {

// A picture held by a shared handle. Handing a picture on shares that very picture, and two
// pictures compare equal only when they are one and the same, never because their pixels agree.
//
// The monsters change pictures at every march step, so handing one on must cost next to
// nothing. Pictures live on the window's thread alone, so their share count is a plain number
// rather than an atomic one, whose locked updates would cost more than the rest of a hand-on.
class Picture {
 public:
  Picture() = default;  // no picture at all
  explicit Picture(const QImage& image);
  Picture(const Picture& other) noexcept : data_(other.data_) {
    if (data_) ++data_->shares;
  }
  Picture(Picture&& other) noexcept : data_(std::exchange(other.data_, nullptr)) {}
  Picture& operator=(Picture other) noexcept {
    std::swap(data_, other.data_);
    return *this;
  }
  ~Picture() {
    if (data_ && --data_->shares == 0) Destroy(data_);
  }

  bool IsNone() const { return !data_; }
  int PixelWidth() const;
  int PixelHeight() const;

  const QImage& Image() const;
  const QPixmap& Pixmap() const;  // only for a picture that is not none

  // A separate picture with the same pixels.
  Picture Copy() const;

  friend bool operator==(const Picture& a, const Picture& b) { return a.data_ == b.data_; }

 private:
  struct Shared {
    int shares = 1;
  };
  struct Data;
  static void Destroy(Shared* data);
  Data& Pixels() const;

  Shared* data_ = nullptr;
};

}  // namespace starveil::platform
