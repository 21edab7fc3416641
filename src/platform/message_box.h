#pragma once

#include <string>
#include <string_view>

class QMessageBox;

namespace starveil::platform {

class Window;

inline constexpr std::string_view kApplicationTitle = "Starveil";

// A modal message with an OK button only. Show returns once it has been answered; while it is
// open the event loop, and with it every timer that is on, keeps running.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(const std::string& text) = 0;
};

// The real box, over its window. A window that has been unloaded shows no more messages.
class WindowMessageBox final : public MessageBox {
 public:
  explicit WindowMessageBox(Window& owner) : owner_(owner) {}
  void Show(const std::string& text) override;

 private:
  Window& owner_;
  QMessageBox* answered_ = nullptr;  // the window owns it
};

}  // namespace starveil::platform
