#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/label.h"
#include "platform/picture.h"
#include "platform/surface.h"

// Windowed controls: real widgets that lie above every lightweight control of their window.
namespace starveil::platform {

using KeyDownHandler = std::function<void(std::int16_t keyCode, std::int16_t shift)>;

// Places a child widget by twips on its parent.
void PlaceWidget(QWidget& widget, const TwipRect& place);
void SetWidgetFont(QWidget& widget, const Font& font);

class CommandButton final : public QPushButton {
 public:
  explicit CommandButton(QWidget& parent);

  void OnClick(std::function<void()> handler);
  void OnKeyDown(KeyDownHandler handler) { keyDown_ = std::move(handler); }

 protected:
  // The key-down handler sees the key first; the button then still does what a button does with
  // it (Space presses it), except that the arrow keys leave the focus where it is.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  KeyDownHandler keyDown_;
};

class TextBox final : public QLineEdit {
 public:
  explicit TextBox(QWidget& parent);

  std::string Text() const { return text().toStdString(); }
  void SetText(const std::string& text) { setText(QString::fromStdString(text)); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }

  void OnKeyDown(KeyDownHandler handler) { keyDown_ = std::move(handler); }

 protected:
  // A line edit consumes Left, Right and Space itself, so the key-down handler runs here first;
  // the text box then takes the character as usual.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  KeyDownHandler keyDown_;
};

// Shows its picture unscaled from its top-left corner. It can hold the focus, and keys pressed
// while it does go nowhere.
class PictureBox final : public QFrame {
 public:
  explicit PictureBox(QWidget& parent);

  void SetPicture(Picture picture);
  const Picture& GetPicture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  Picture picture_;
};

// A bordered container whose own lightweight controls it draws. Clicks inside it stay inside it.
class Frame final : public Surface {
 public:
  explicit Frame(QWidget& parent);

 protected:
  void PaintBackground(QPainter& painter, const QRect& area) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace starveil::platform
