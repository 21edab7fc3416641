#include "platform/control.h"

#include "platform/surface.h"

namespace starveil::platform {

Control::Control(Surface& surface) : surface_(surface) {
  surface_.Join(*this);
}

Control::~Control() {
  surface_.Leave(*this);
}

void Control::SetLeft(float left) {
  Place({left, rect_.top, rect_.width, rect_.height});
}

void Control::SetTop(float top) {
  Place({rect_.left, top, rect_.width, rect_.height});
}

void Control::Move(float left, float top, float width, float height) {
  Place({left, top, width, height});
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  NoteChange();
  // A label may read out how many controls are shown, as the lives do.
  TellReadingChanged();
}

void Control::Place(const TwipRect& rect) {
  if (rect == rect_) return;
  rect_ = rect;
  // A hidden control shows nothing at either place.
  if (visible_) NoteChange();
}

void Control::Redraw() {
  if (visible_) NoteChange();
}

void Control::TellReadingChanged() const {
  surface_.ReadingMayHaveChanged();
}

void Control::NoteChange() {
  if (changeNoted_) return;
  changeNoted_ = surface_.NoteChange(*this);
}

}  // namespace starveil::platform
