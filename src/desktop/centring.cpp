#include "desktop/centring.h"

#include <QMetaObject>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <optional>

#include "desktop/placement.h"
#include "desktop/window_frame.h"

namespace starveil::desktop {

namespace {

// A frame still being made, or not yet told, is looked at again, for two seconds at most.
constexpr auto kFrameLookEvery = std::chrono::milliseconds(50);
constexpr int kFrameLooks = 40;

}  // namespace

// The client area goes to the centre, and the frame is centred on it by the manager or, once it has
// been drawn and measured, here: nothing waits on the manager.
void FrameCentring::Show() {
  Centre(QMarginsF());
  if (window_.windowFlags().testFlag(Qt::FramelessWindowHint))
    window_.show();
  else
    ShowCentredOnClient(window_);
}

void FrameCentring::FirstPainted() {
  // Once this paint is done: moving a window while it paints would leave its contents behind.
  QMetaObject::invokeMethod(
      &window_, [this] { CentreOnDrawnFrame(kFrameLooks); }, Qt::QueuedConnection);
}

void FrameCentring::CentreOnDrawnFrame(int looksLeft) {
  const std::optional<QMarginsF> drawn = DrawnFrame(window_);
  if (!drawn) {
    if (looksLeft > 1 && FrameBeingMade(window_))
      QTimer::singleShot(kFrameLookEvery, &window_,
                         [this, looksLeft] { CentreOnDrawnFrame(looksLeft - 1); });
    return;
  }
  if (CentreAgain(centredOn_, *drawn, window_.devicePixelRatioF())) Centre(*drawn);
}

// Placed before the window first shows, so that it opens in its place.
void FrameCentring::Centre(const QMarginsF& frame) {
  centredOn_ = frame;
  const QScreen* screen = window_.screen();
  if (!screen) return;
  const QPoint client = CentredClientPlace(screen->availableGeometry(), window_.size(), frame,
                                           window_.devicePixelRatioF());
  window_.setGeometry(QRect(client, window_.size()));
}

}  // namespace starveil::desktop
