#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/colour.h"
#include "platform/control.h"
#include "platform/font.h"

class QColor;

namespace starveil::platform {

enum class Alignment { kLeft, kRight };

// A caption drawn by its window, optionally on its own background and inside a single-line border.
class Label final : public Control {
 public:
  explicit Label(Surface& surface);

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  // A label reads out its caption, unless it shows its state in pictures rather than words and is
  // given a reading that puts it into words.
  void SetAccessibleReading(std::function<std::string()> reading);
  std::string AccessibleText() const override;

  void SetFont(Font font);
  void SetForeColor(Rgb colour);
  void SetBackColor(Rgb colour);  // an opaque background; without one the window shows through
  void SetAlignment(Alignment alignment);
  void SetBorder(bool single);

  const Font& GetFont() const { return font_; }
  Rgb ForeColor() const { return fore_; }
  std::optional<Rgb> BackColor() const { return back_; }
  Alignment GetAlignment() const { return alignment_; }
  bool Border() const { return border_; }

  void Paint(QPainter& painter, const QRect& pixels) const override;

 private:
  std::string caption_;
  std::function<std::string()> reading_;
  Font font_;
  Rgb fore_{};
  std::optional<Rgb> back_;
  Alignment alignment_ = Alignment::kLeft;
  bool border_ = false;
};

}  // namespace starveil::platform
