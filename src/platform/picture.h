#pragma once

#include <memory>

class QImage;
class QPixmap;

namespace starveil::platform {

// A picture held by a shared handle. Handing a picture on shares that very picture, and two
// pictures compare equal only when they are one and the same, never because their pixels agree.
class Picture {
 public:
  Picture() = default;  // no picture at all
  explicit Picture(const QImage& image);

  bool IsNone() const { return !data_; }
  int PixelWidth() const;
  int PixelHeight() const;

  const QImage& Image() const;
  const QPixmap& Pixmap() const;  // only for a picture that is not none

  // A separate picture with the same pixels.
  Picture Copy() const;

  friend bool operator==(const Picture&, const Picture&) = default;

 private:
  struct Data;
  std::shared_ptr<Data> data_;
};

}  // namespace starveil::platform
