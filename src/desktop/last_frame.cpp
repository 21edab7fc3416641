#include "desktop/last_frame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <utility>
#include <vector>

namespace starveil::desktop {

namespace {

// A compositor that shows the window nowhere, minimised say, may never answer: the window goes
// anyway after this long.
constexpr std::chrono::milliseconds kAnswerAtMost{500};

constexpr const char* kWatchName = "last-frame-watch";

// Qt delivers a window's update request only once no answer to a frame is due; with the window's
// painting stopped, none is asked for after it. The watch stays with its top-level window once
// answered.
class LastFrameWatch : public QObject {
 public:
  explicit LastFrameWatch(QWidget& topLevel)
      : QObject(&topLevel), window_(*topLevel.windowHandle()) {
    setObjectName(kWatchName);
    topLevel.setUpdatesEnabled(false);
    window_.installEventFilter(this);
    QTimer::singleShot(kAnswerAtMost, this, [this] { Heard(); });
    window_.requestUpdate();
  }

  bool Answered() const { return answered_; }

  void Then(std::function<void()> then) {
    if (answered_) {
      then();
    } else {
      waiting_.push_back(std::move(then));
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &window_ || event->type() != QEvent::UpdateRequest) return false;
    Heard();
    return true;
  }

 private:
  void Heard() {
    if (heard_) return;
    heard_ = true;
    window_.removeEventFilter(this);
    // Once the window's own event is done: what waits may hide the window.
    QMetaObject::invokeMethod(
        this,
        [this] {
          answered_ = true;
          for (auto& then : std::exchange(waiting_, {}))
            then();
        },
        Qt::QueuedConnection);
  }

  QWindow& window_;
  bool heard_ = false;
  bool answered_ = false;
  std::vector<std::function<void()>> waiting_;
};

bool NativelyOnWayland() {
  return QGuiApplication::platformName() == "wayland";
}

LastFrameWatch* WatchOf(const QWidget& window) {
  return static_cast<LastFrameWatch*>(
      window.findChild<QObject*>(kWatchName, Qt::FindDirectChildrenOnly));
}

}  // namespace

// A window in a frame of our own is shown through the frame's surface.
bool LastFrameAnswered(const QWidget& window) {
  const QWidget& topLevel = *window.window();
  if (!NativelyOnWayland() || !topLevel.windowHandle() || !topLevel.isVisible()) return true;
  const LastFrameWatch* watch = WatchOf(topLevel);
  return watch && watch->Answered();
}

void AfterTheLastFrame(QWidget& window, std::function<void()> then) {
  if (LastFrameAnswered(window)) return then();
  QWidget& topLevel = *window.window();
  LastFrameWatch* watch = WatchOf(topLevel);
  if (!watch) watch = new LastFrameWatch(topLevel);
  watch->Then(std::move(then));
}

bool NativeWindowMayGo() {
  return !NativelyOnWayland();
}

}  // namespace starveil::desktop
