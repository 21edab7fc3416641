#include "platform/window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "desktop/last_frame.h"
#include "desktop/title_bar.h"
#include "platform/caption_and_borders.h"
#include "platform/keys.h"
#include "platform/picture.h"
#include "platform/rest.h"
#include "platform/timer.h"
#include "platform/trace.h"

namespace starveil::platform {

Window::Window() : Surface(nullptr) {}

// A framed window leaves its frame first, which would otherwise take it along.
Window::~Window() {
  if (frame_) setParent(nullptr);
}

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
  if (desktop::NativeWindowMayGo()) destroy();
}

void Window::Unload() {
  if (IsUnloaded()) return;
  Form_Unload();
  state_ = State::kUnloaded;
  SyncTimers();
  desktop::AfterTheLastFrame(*this, [this] {
    window()->hide();
    if (modalLoop_) modalLoop_->quit();
  });
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
  } else if (desktop::TitleBarOfOurOwn()) {
    frame_ = desktop::FrameWithTitleBar(*this);
  } else {
    // A fixed frame with a close button only: no resizing, minimising or maximising.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
  }
}

void Window::closeEvent(QCloseEvent* event) {
  // Natively on Wayland the window closes only once its last frame has been answered.
  if (!desktop::LastFrameAnswered(*this)) {
    event->ignore();
    desktop::AfterTheLastFrame(*this, [this] { window()->close(); });
    return;
  }
  Unload();
  event->accept();
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
  if (centred_) centring_.FirstPainted();
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

void Window::Present() {
  if (frame_) {
    // A compositor that leaves the frame to the program places the window itself.
    frame_->show();
  } else if (centred_) {
    show();
  } else {
    centred_ = true;
    centring_.Show();
  }
  window()->raise();
  // With no window manager nothing activates a window, and the focus rules need an active one.
  activateWindow();
}

}  // namespace starveil::platform
