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

// A frame still being made is looked at again, for two seconds at most.
constexpr auto kFrameLookEvery = std::chrono::milliseconds(50);
constexpr int kFrameLooks = 40;

}  // namespace

void FrameCentring::Show() {
  const bool framed = !window_.windowFlags().testFlag(Qt::FramelessWindowHint);
  const std::optional<QMarginsF> frame = framed ? ExpectedFrame(window_) : QMarginsF();
  if (frame) {
    Centre(*frame);
    window_.show();
    return;
  }
  // A manager that tells the frame only once it draws it: the client area goes to the centre,
  // and the frame is centred on it by the manager or, once its size is known, here.
  Centre(QMarginsF());
  if (const std::optional<QMarginsF> drawn = ShowCentredOnClient(window_)) Centre(*drawn);
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
