#include "desktop/last_frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <utility>

namespace starveil::desktop {

namespace {

// A compositor that shows the window nowhere, minimised say, may never answer: the window goes
// anyway after this long.
constexpr std::chrono::milliseconds kAnswerAtMost{500};

// Qt delivers a window's update request only once no answer to a frame is due; with the window's
// painting stopped, none is asked for after it.
class LastFrameWatch : public QObject {
 public:
  LastFrameWatch(QWidget& widget, QWindow& window, std::function<void()> then)
      : QObject(&widget), window_(window), then_(std::move(then)) {
    window_.installEventFilter(this);
    QTimer::singleShot(kAnswerAtMost, this, [this] { Answered(); });
    window_.requestUpdate();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &window_ || event->type() != QEvent::UpdateRequest) return false;
    Answered();
    return true;
  }

 private:
  // Once the window's own event is done: `then` may hide the window.
  void Answered() {
    if (!then_) return;
    window_.removeEventFilter(this);
    QMetaObject::invokeMethod(parent(), std::exchange(then_, nullptr), Qt::QueuedConnection);
    deleteLater();
  }

  QWindow& window_;
  std::function<void()> then_;
};

}  // namespace

bool LastFrameMayBeDue(const QWidget& window) {
  return QGuiApplication::platformName() == "wayland" && window.windowHandle() &&
         window.isVisible();
}

void AfterTheLastFrame(QWidget& window, std::function<void()> then) {
  window.setUpdatesEnabled(false);
  new LastFrameWatch(window, *window.windowHandle(), std::move(then));
}

}  // namespace starveil::desktop
