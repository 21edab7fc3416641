#pragma once

#include <QImage>
#include <QRegion>
#include <functional>
#include <map>
#include <string>

class QWidget;

namespace starveil {
class frmMain;
namespace platform {
class Control;
}
}  // namespace starveil

namespace starveil::testing {

// Whether what a window shows on the screen is what its controls hold now: the shown pixels are
// compared with a fresh paint of the window, every control drawn from scratch, back to front.
// A repaint that missed a pixel leaves it stale on the screen, and only this comparison sees it.
class ScreenCheck {
 public:
  // What the screen shows of a window's client area, in device pixels (null if unreadable), and
  // the parts of it where other windows lie over it, which show theirs instead.
  struct View {
    QImage pixels;
    QRegion covered;
  };
  using Reader = std::function<View(QWidget& window)>;
  // The names that tell the player's view of the controls apart, such as "Lives(2)".
  using Names = std::map<const platform::Control*, std::string>;

  explicit ScreenCheck(Reader reader = FlushedByQt);

  // Empty when every pixel matches, or when the window is not on the screen. Otherwise what
  // differs, where and under which controls, with both pictures saved in the working folder.
  // Pending repaints are painted first.
  std::string Compare(QWidget& window, const Names& names = {});
  long Comparisons() const { return comparisons_; }
  // The last picture read from the screen, in device pixels.
  const QImage& Shown() const { return shown_; }

  // What Qt last put on the screen for the window, as the screen's grab of it reads: the window's
  // own pixels, whatever lies over it.
  static View FlushedByQt(QWidget& window);
  // Every control of the game window under its design name.
  static Names DesignNames(frmMain& frm);

 private:
  std::string Describe(QWidget& window, const QRegion& differing, const Names& names);

  Reader reader_;
  QImage shown_;
  QImage fresh_;
  long comparisons_ = 0;
  int saved_ = 0;
};

}  // namespace starveil::testing
