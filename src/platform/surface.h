#pragma once

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "platform/colour.h"
#include "platform/dirty_area.h"
#include "platform/qt_forms.h"
#include "platform/twips.h"

namespace starveil::platform {

class Control;

// A line one pixel wide just inside the edge of `area`, whole pixels at any screen scale.
void DrawSingleBorder(QPainter& painter, const QRect& area, const QColor& colour);

// A widget that draws its lightweight controls over its background colour, back to front.
// Windowed controls are child widgets and so always lie above the lightweight ones.
class Surface : public QWidget {
 public:
  explicit Surface(QWidget* parent = nullptr);
  ~Surface() override;

  // Paints at once, on every surface, what its controls changed since it last handed its repaints
  // to Qt, rather than at the event loop's next turn.
  static void PaintNotedChanges();

  void SetBackColor(Rgb colour);
  void SendToBack(Control& control);
  void BringToFront(Control& control);

  const std::vector<Control*>& BackToFront() const { return stack_; }

  // Calls `listener` whenever a control on the surface may read differently: a label's caption
  // changed, or a control was shown or hidden, which a label may count. Assistive technology
  // listens.
  void OnReadingChange(std::function<void()> listener) { readingChanged_ = std::move(listener); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  // What lies behind every lightweight control: the background colour, unless a surface adds more.
  virtual void PaintBackground(QPainter& painter, const QRect& area);

 private:
  friend class Control;

  void Join(Control& control);
  void Leave(Control& control);
  // Whether the change was noted for the next hand-over.
  bool NoteChange(Control& control);
  // Asks Qt to repaint where the changed controls were and are: soon, or at once when `paintNow`.
  void HandOverRepaints(bool paintNow = false);
  void ReadingMayHaveChanged() const {
    if (readingChanged_) readingChanged_();
  }

  std::vector<Control*> stack_;    // back to front
  std::vector<Control*> changed_;  // since the last hand-over, each once
  DirtyArea dirty_;
  std::function<void()> readingChanged_;

  static inline std::vector<Surface*> awaitingHandOver_;
};

}  // namespace starveil::platform
