#pragma once

#include <memory>
#include <string>

#include "platform/control.h"
#include "platform/picture.h"

namespace starveil::platform {

// An image control. Unless stretched it takes its size from its picture, and its picture's
// transparent pixels show whatever lies behind it.
class Sprite final : public Control {
 public:
  explicit Sprite(Surface& surface);

  const platform::Picture& Picture() const { return picture_; }
  void SetPicture(const platform::Picture& picture);

  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag) { tag_ = std::move(tag); }

  // A stretched sprite keeps its own size and scales its picture to fit.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);

  // A new sprite on the same surface with this one's settings, hidden.
  std::unique_ptr<Sprite> HiddenCopy() const;

  void Paint(QPainter& painter, const QRect& pixels) const override;

 private:
  platform::Picture picture_;
  std::string tag_;
  bool stretch_ = false;
};

}  // namespace starveil::platform
