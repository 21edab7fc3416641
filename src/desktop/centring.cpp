#include "desktop/centring.h"

#include <QMetaObject>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <optional>

#include "desktop/placement.h"
#include "desktop/window_frame.h"

namespace starveil::desktop {

namespace {

// A frame still being made, or not yet told, is looked at again, ever less often: on a busy machine
// a manager may frame the window seconds after its first paint.
constexpr std::chrono::milliseconds kFirstFrameLook{50};
constexpr std::chrono::milliseconds kFrameLookAtMost{1000};
constexpr std::chrono::milliseconds kFrameLooksFor{15'000};

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
      &window_, [this] { CentreOnDrawnFrame(kFirstFrameLook, kFrameLooksFor); },
      Qt::QueuedConnection);
}

void FrameCentring::CentreOnDrawnFrame(std::chrono::milliseconds nextLook,
                                       std::chrono::milliseconds looksLeft) {
  const std::optional<QMarginsF> drawn = DrawnFrame(window_);
  if (drawn) {
    if (CentreAgain(centredOn_, *drawn, window_.devicePixelRatioF())) Centre(*drawn);
    return;
  }
  if (looksLeft <= nextLook || !FrameBeingMade(window_)) return;
  QTimer::singleShot(nextLook, &window_, [this, nextLook, looksLeft] {
    CentreOnDrawnFrame(std::min(nextLook * 3 / 2, kFrameLookAtMost), looksLeft - nextLook);
  });
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
