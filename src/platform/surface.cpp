#include "platform/surface.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <utility>

#include "platform/control.h"

namespace starveil::platform {

// Filled, not stroked: a stroked line straddles its path, and on a screen scaled by 2 or more
// half of it would fall outside the area and a strip inside it would stay bare.
void DrawSingleBorder(QPainter& painter, const QRect& area, const QColor& colour) {
  painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), colour);
  painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), colour);
  painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), colour);
  painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), colour);
}

Surface::Surface(QWidget* parent) : QWidget(parent) {
  // The surface paints every pixel itself, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

Surface::~Surface() {
  std::erase(awaitingHandOver_, this);
}

void Surface::PaintNotedChanges() {
  for (Surface* surface : std::exchange(awaitingHandOver_, {}))
    surface->HandOverRepaints(/*paintNow=*/true);
}

void Surface::SetBackColor(Rgb colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ToQColor(colour));
  setPalette(palette);
  update();
}

void Surface::SendToBack(Control& control) {
  auto it = std::ranges::find(stack_, &control);
  if (it == stack_.end() || it == stack_.begin()) return;
  std::rotate(stack_.begin(), it, it + 1);
  control.NoteChange();
}

void Surface::BringToFront(Control& control) {
  auto it = std::ranges::find(stack_, &control);
  if (it == stack_.end() || it + 1 == stack_.end()) return;
  std::rotate(it, it + 1, stack_.end());
  control.NoteChange();
}

// Controls change many times between two turns of the event loop; each says only that it
// changed, and once per turn the surface works out where, and asks Qt to repaint a few boxes.
bool Surface::NoteChange(Control& control) {
  // Out of sight both where it was shown and where it is, as the sprites in the storage places are
  // at every flicker, a change leaves nothing to repaint and need not wake the event loop.
  const QRect now = control.Visible() ? PixelRect(control.Rect()) : QRect();
  if (!control.shownPixels_.intersects(rect()) && !now.intersects(rect())) {
    control.shownPixels_ = now;
    return false;
  }
  if (changed_.empty()) {
    const auto handOver = [this] { HandOverRepaints(); };
    QMetaObject::invokeMethod(this, handOver, Qt::QueuedConnection);
    awaitingHandOver_.push_back(this);
  }
  changed_.push_back(&control);
  return true;
}

void Surface::HandOverRepaints(bool paintNow) {
  std::erase(awaitingHandOver_, this);
  for (Control* control : changed_) {
    const QRect now = control->Visible() ? PixelRect(control->Rect()) : QRect();
    dirty_.Add(control->shownPixels_, rect());
    dirty_.Add(now, rect());
    control->shownPixels_ = now;
    control->changeNoted_ = false;
  }
  changed_.clear();
  const std::vector<QRect> boxes = dirty_.Take();
  if (!paintNow) {
    for (const QRect& box : boxes)
      update(box);
    return;
  }
  // United one by one: a region made with setRects must be given its boxes sorted and apart, and
  // painting clipped to one that is not skips some of them.
  QRegion region;
  for (const QRect& box : boxes)
    region += box;
  // Paints the window's other pending updates with it, and puts the result on the screen.
  repaint(region);
}

void Surface::paintEvent(QPaintEvent* event) {
  // Whatever comes to paint first, an expose among them, draws the changed controls where they
  // are now, so from here on that is where the surface shows them; their old places still need
  // a repaint, which Qt runs after this one.
  if (!changed_.empty()) HandOverRepaints();
  QPainter painter(this);
  PaintBackground(painter, event->rect());
  for (const Control* control : stack_) {
    if (!control->Visible()) continue;
    const QRect pixels = PixelRect(control->Rect());
    if (event->region().intersects(pixels)) control->Paint(painter, pixels);
  }
}

void Surface::PaintBackground(QPainter& painter, const QRect& area) {
  painter.fillRect(area, palette().color(QPalette::Window));
}

void Surface::Join(Control& control) {
  stack_.push_back(&control);
}

void Surface::Leave(Control& control) {
  std::erase(stack_, &control);
  std::erase(changed_, &control);
  update(control.shownPixels_);
}

}  // namespace starveil::platform
