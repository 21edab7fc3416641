#include "platform/window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/rest.h"
#include "platform/timer.h"
#include "platform/trace.h"
#include "platform/window_frame.h"

namespace starveil::platform {

namespace {

// A frame still being made is looked at again, for two seconds at most.
constexpr auto kFrameLookEvery = std::chrono::milliseconds(50);
constexpr int kFrameLooks = 40;

// Where to put a window's client area along one side of the screen, in the window's units, for a
// frame `frameBefore` units deep on that side. On a scaled screen a place may fall between two of
// the window's units, and the frame between two of the screen's pixels; the nearest place is
// within a pixel. A compositor that enlarges the screen by a fraction (KWin at 1.5, X11 programs
// scaling themselves) draws a frame crisp only where its corner lies on a whole pixel both of the
// screen and of its own units (every third pixel at 1.5): of the places within a pixel of the
// exact one, the nearest such place is taken where there is one.
int ClientPlace(qreal exact, qreal frameBefore, qreal scale) {
  const auto pixels = [scale](int place) { return std::round(place * scale); };  // as Qt places
  const auto whole = [](qreal value) { return std::abs(value - std::round(value)) < 1e-3; };
  const auto offCentre = [&](int place) { return std::abs(pixels(place) - exact * scale); };
  const auto crisp = [&](int place) {
    const qreal corner = pixels(place) - frameBefore * scale;
    return whole(corner) && whole(corner / scale);
  };
  const int nearest = qRound(exact);
  std::optional<int> best;
  for (const int place : {nearest, nearest - 1, nearest + 1}) {
    if (offCentre(place) <= 1 && crisp(place) && (!best || offCentre(place) < offCentre(*best)))
      best = place;
  }
  return best.value_or(nearest);
}

}  // namespace

Window::Window() : Surface(nullptr) {}

Window::~Window() = default;

void Window::Load() {
  if (state_ != State::kCreated) return;
  Form_Load();
  state_ = State::kLoaded;
  SyncTimers();
}

void Window::Show() {
  Load();
  if (!IsLoaded()) return;
  Present();
}

void Window::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  Show();
  if (!IsLoaded()) return;
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec();
  modalLoop_ = nullptr;
  // An unloaded window never shows again: its native window and backing store can go. Only here,
  // once the event that unloaded it has been handled, is that safe.
  destroy();
}

void Window::Unload() {
  if (IsUnloaded()) return;
  Form_Unload();
  state_ = State::kUnloaded;
  SyncTimers();
  hide();
  if (modalLoop_) modalLoop_->quit();
}

void Window::RestWhile(Clock& clock, std::function<bool()> atRest) {
  rest_ = std::make_unique<Rest>(timers_, clock, std::move(atRest));
}

float Window::Width() const {
  return PixelsToTwips(width());
}

float Window::Height() const {
  return PixelsToTwips(height()) + kCaptionAndBordersTwips;
}

void Window::SetClientSize(float widthTwips, float heightTwips) {
  setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
}

void Window::SetHeight(float outerTwips) {
  setFixedHeight(std::max(0, TwipsToPixels(outerTwips - kCaptionAndBordersTwips)));
}

void Window::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void Window::SetIcon(const Picture& picture) {
  if (!picture.IsNone()) setWindowIcon(QIcon(picture.Pixmap()));
}

void Window::SetBorder(Border border) {
  if (border == Border::kNone) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  } else {
    // A fixed frame with a close button only: no resizing, minimising or maximising.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
  }
}

void Window::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
  // Qt takes a closed window's surface away but not its backing store, which a late paint uses.
  destroy();
}

void Window::keyPressEvent(QKeyEvent* event) {
  event->accept();
  // Keys reach the window itself only while none of its controls holds the focus; a key that a
  // focused control passed on has been handled there already.
  QWidget* focus = focusWidget();
  if (focus && focus != this) return;
  Form_KeyDown(VirtualKeyCode(*event), ShiftState(*event));
}

void Window::mousePressEvent(QMouseEvent* event) {
  clickStarted_ = event->button() == Qt::LeftButton;
}

void Window::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = clickStarted_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  clickStarted_ = false;
  if (click) Form_Click();
}

void Window::paintEvent(QPaintEvent* event) {
  Surface::paintEvent(event);
  if (painted_) return;
  painted_ = true;
  TraceEvent("first-paint", windowTitle().toStdString());
  // Once this paint is done: moving a window while it paints would leave its contents behind.
  if (centred_)
    QMetaObject::invokeMethod(
        this, [this] { CentreOnDrawnFrame(kFrameLooks); }, Qt::QueuedConnection);
}

void Window::Adopt(Timer& timer) {
  timers_.push_back(&timer);
}

void Window::Release(Timer& timer) {
  std::erase(timers_, &timer);
}

void Window::SyncTimers() {
  for (Timer* timer : timers_)
    timer->Sync();
}

void Window::AfterTick() {
  if (rest_) rest_->AfterTick();
}

// Centred as the player sees the window: with the frame a window manager draws around it.
void Window::ShowCentred() {
  const bool framed = !windowFlags().testFlag(Qt::FramelessWindowHint);
  const std::optional<QMarginsF> frame = framed ? ExpectedFrame(*this) : QMarginsF();
  if (frame) {
    Centre(*frame);
    show();
    return;
  }
  // A manager that tells the frame only once it draws it: the client area goes to the centre,
  // and the frame is centred on it by the manager or, once its size is known, here.
  Centre(QMarginsF());
  if (const std::optional<QMarginsF> drawn = ShowCentredOnClient(*this)) Centre(*drawn);
}

// A manager may draw another frame than the one it told of before: mutter answers a taller title
// bar than it draws on a scaled screen, and KWin tells its frame in other units where X11
// programs scale themselves. Measured once drawn, it centres the window again, by a pixel at least.
void Window::CentreOnDrawnFrame(int looksLeft) {
  const std::optional<QMarginsF> drawn = DrawnFrame(*this);
  if (!drawn) {
    if (looksLeft > 1 && FrameBeingMade(*this))
      QTimer::singleShot(kFrameLookEvery, this,
                         [this, looksLeft] { CentreOnDrawnFrame(looksLeft - 1); });
    return;
  }
  const QMarginsF change = (*drawn - centredOn_) * devicePixelRatioF();
  const auto moved = [](qreal side) { return std::abs(side) >= 1; };
  if (moved(change.left()) || moved(change.top()) || moved(change.right()) ||
      moved(change.bottom()))
    Centre(*drawn);
}

// Placed before the window first shows, so that it opens in its place.
void Window::Centre(const QMarginsF& frame) {
  centredOn_ = frame;
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QSizeF framed = QSizeF(size()).grownBy(frame);
  const QRectF area = screen->availableGeometry();
  const QPointF frameCorner(area.x() + (area.width() - framed.width()) / 2,
                            area.y() + (area.height() - framed.height()) / 2);
  // Placing the client area itself leaves the manager nothing to adjust.
  const QPointF client = frameCorner + QPointF(frame.left(), frame.top());
  const qreal scale = devicePixelRatioF();
  setGeometry(QRect(QPoint(ClientPlace(client.x(), frame.left(), scale),
                           ClientPlace(client.y(), frame.top(), scale)),
                    size()));
}

void Window::Present() {
  if (centred_) {
    show();
  } else {
    centred_ = true;
    ShowCentred();
  }
  raise();
  // With no window manager nothing activates a window, and the focus rules need an active one.
  activateWindow();
}

}  // namespace starveil::platform
