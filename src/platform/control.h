#pragma once

#include <QRect>
#include <string>
#include <utility>

#include "platform/twips.h"

class QPainter;

namespace starveil::platform {

class Surface;

// A lightweight control: it has no window of its own and is drawn by the surface it lies on, in
// that surface's stacking order. Geometry is kept in single-precision twips.
class Control {
 public:
  explicit Control(Surface& surface);  // joins the surface at the front of its stacking order
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  float Left() const { return rect_.left; }
  float Top() const { return rect_.top; }
  float Width() const { return rect_.width; }
  float Height() const { return rect_.height; }
  bool Visible() const { return visible_; }
  const TwipRect& Rect() const { return rect_; }

  void SetLeft(float left);
  void SetTop(float top);
  void SetVisible(bool visible);
  void Move(float left, float top, float width, float height);
  void Move(const TwipRect& place) { Place(place); }

  Surface& Owner() const { return surface_; }

  // How assistive technology names and describes the control; one without a name stays unseen.
  const std::string& AccessibleName() const { return accessibleName_; }
  const std::string& AccessibleDescription() const { return accessibleDescription_; }
  void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
  void SetAccessibleDescription(std::string description) {
    accessibleDescription_ = std::move(description);
  }
  // What a screen reader reads out after the control's name.
  virtual std::string AccessibleText() const { return {}; }

  // Draws the control into `pixels`, its place on the surface.
  virtual void Paint(QPainter& painter, const QRect& pixels) const = 0;

 protected:
  // The control's look changed in place: redraw it where it stands.
  void Redraw();
  // What the control reads out may have changed.
  void TellReadingChanged() const;

 private:
  friend class Surface;

  void Place(const TwipRect& rect);
  // Tells the surface, once until it next repaints, that this control must be drawn afresh.
  void NoteChange();

  Surface& surface_;
  TwipRect rect_;
  bool visible_ = true;
  QRect shownPixels_;  // where the surface last showed the control; empty while hidden
  bool changeNoted_ = false;
  std::string accessibleName_;
  std::string accessibleDescription_;
};

}  // namespace starveil::platform
