#include "desktop/title_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLibraryInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "desktop/wayland_frames.h"

namespace starveil::desktop {

namespace {

const QColor kBar(235, 235, 235);
const QColor kEdge(200, 200, 200);
const QColor kTitle(46, 52, 54);
const QColor kTitleInactive(146, 149, 149);
const QColor kButtonHovered(214, 214, 214);
const QColor kButtonPressed(192, 192, 192);

// The bar is twice as tall as a line of its title; the close button a square inset in its right
// end, its cross a third of the square.
constexpr int kBarInLines = 2;
constexpr qreal kButtonInsetOfBar = 0.15;
constexpr qreal kCrossOfButton = 1.0 / 3;

class TitleBar final : public QWidget {
 public:
  explicit TitleBar(QWidget& window) : QWidget(&window), window_(window) {
    setFont(QApplication::font("QMdiSubWindowTitleBar"));
    setFixedHeight(kBarInLines * fontMetrics().height());
    setMouseTracking(true);  // the close button lights up under the pointer
    window.setContentsMargins(0, height(), 0, 0);
    window.installEventFilter(this);
    Follow();
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Resize) Follow();
    if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ActivationChange)
      update();
    return false;
  }

  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), kBar);
    painter.fillRect(0, height() - 1, width(), 1, kEdge);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF button = CloseButton();
    if (pressed_ || hovered_) {
      painter.setPen(Qt::NoPen);
      painter.setBrush(pressed_ ? kButtonPressed : kButtonHovered);
      painter.drawEllipse(button);
    }
    const QColor ink = window_.isActiveWindow() ? kTitle : kTitleInactive;
    const qreal arm = button.width() * kCrossOfButton / 2;
    const QPointF c = button.center();
    painter.setPen(QPen(ink, 1.5));
    painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
    // Centred across the bar, clear of the button on either side.
    const int room = static_cast<int>(2 * button.left()) - width();
    const QString title =
        fontMetrics().elidedText(window_.windowTitle(), Qt::ElideRight, std::max(room, 0));
    painter.drawText(rect(), Qt::AlignCenter, title);
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    if (CloseButton().contains(event->position())) {
      pressed_ = true;
      update();
    } else if (QWindow* handle = window_.windowHandle()) {
      handle->startSystemMove();
    }
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const bool hovered = CloseButton().contains(event->position());
    if (hovered == hovered_) return;
    hovered_ = hovered;
    update();
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    const bool click = pressed_ && CloseButton().contains(event->position());
    pressed_ = false;
    update();
    if (click) window_.close();
  }

  void leaveEvent(QEvent* /*event*/) override {
    hovered_ = false;
    update();
  }

 private:
  void Follow() {
    setGeometry(0, 0, window_.width(), height());
    raise();
  }

  QRectF CloseButton() const {
    const qreal inset = height() * kButtonInsetOfBar;
    const qreal side = height() - 2 * inset;
    return {width() - inset - side, inset, side, side};
  }

  QWidget& window_;
  bool hovered_ = false;
  bool pressed_ = false;
};

class FrameAround final : public QWidget {
 public:
  explicit FrameAround(QWidget& content) : QWidget(nullptr, Qt::Window), content_(content) {
    content.setParent(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(&content);
    AddTitleBar(*this);
    setWindowTitle(content.windowTitle());
    setWindowIcon(content.windowIcon());
    content.installEventFilter(this);
  }

 protected:
  // A child without an icon of its own is told of its window's, and shows that one.
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::WindowTitleChange) setWindowTitle(content_.windowTitle());
    if (event->type() == QEvent::WindowIconChange &&
        content_.windowIcon().cacheKey() != windowIcon().cacheKey())
      setWindowIcon(content_.windowIcon());
    return false;
  }

  void closeEvent(QCloseEvent* event) override { event->setAccepted(content_.close()); }

 private:
  QWidget& content_;
};

}  // namespace

bool TitleBarOfOurOwn(std::string_view platform, const QVersionNumber& qt,
                      bool compositorDrawsFrames) {
  return platform == "wayland" && qt < QVersionNumber(6, 8) && !compositorDrawsFrames;
}

bool TitleBarOfOurOwn() {
  static const bool ours = TitleBarOfOurOwn(QGuiApplication::platformName().toStdString(),
                                            QLibraryInfo::version(), CompositorDrawsFrames());
  return ours;
}

void AddTitleBar(QWidget& window) {
  window.setWindowFlag(Qt::FramelessWindowHint);
  new TitleBar(window);  // the window owns it
}

std::unique_ptr<QWidget> FrameWithTitleBar(QWidget& content) {
  return std::make_unique<FrameAround>(content);
}

}  // namespace starveil::desktop
