#include "platform/widgets.h"

#include <QKeyEvent>
#include <QPainter>

#include "platform/keys.h"
#include "platform/qt_forms.h"

namespace starveil::platform {

void PlaceWidget(QWidget& widget, const TwipRect& place) {
  widget.setGeometry(PixelRect(place));
}

void SetWidgetFont(QWidget& widget, const Font& font) {
  widget.setFont(ToQFont(font));
}

CommandButton::CommandButton(QWidget& parent) : QPushButton(&parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::OnClick(std::function<void()> handler) {
  connect(this, &QPushButton::clicked, std::move(handler));
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  const std::int16_t key = VirtualKeyCode(*event);
  if (keyDown_) keyDown_(key, ShiftState(*event));
  // A push button would move the focus on with an arrow key, and the game's keys would then go
  // somewhere else; only Tab moves the focus.
  if (IsArrowKey(key)) {
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

TextBox::TextBox(QWidget& parent) : QLineEdit(&parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (keyDown_) keyDown_(VirtualKeyCode(*event), ShiftState(*event));
  QLineEdit::keyPressEvent(event);
  // Whatever the line edit left alone has had its key-down already; it goes no further.
  event->accept();
}

PictureBox::PictureBox(QWidget& parent) : QFrame(&parent) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
}

void PictureBox::SetPicture(Picture picture) {
  picture_ = std::move(picture);
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!picture_.IsNone()) painter.drawPixmap(contentsRect().topLeft(), picture_.Pixmap());
  }
  QFrame::paintEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event) {
  event->accept();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  event->accept();
}

Frame::Frame(QWidget& parent) : Surface(&parent) {}

// An etched single line around the frame; its controls are drawn over it.
void Frame::PaintBackground(QPainter& painter, const QRect& area) {
  Surface::PaintBackground(painter, area);
  const QRect edge = rect();
  DrawSingleBorder(painter, edge.adjusted(0, 0, -1, -1), palette().color(QPalette::Mid));
  DrawSingleBorder(painter, edge.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));
}

void Frame::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void Frame::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
}

}  // namespace starveil::platform
