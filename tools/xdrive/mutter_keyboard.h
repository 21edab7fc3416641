// Keys through mutter's remote desktop, which GNOME's screen sharing presses keys through: mutter
// sends them to the window with the focus, X11 and native Wayland windows alike.
#pragma once

#include <QDBusInterface>
#include <QProcessEnvironment>
#include <QString>
#include <cstdint>
#include <memory>

#include "keyboard.h"

namespace starveil::xdrive {

class MutterKeyboard : public Keyboard {
 public:
  // On the bus that `session` names.
  explicit MutterKeyboard(const QProcessEnvironment& session);
  ~MutterKeyboard() override;

  // Whether mutter answers there and has started a remote desktop.
  bool Ok() const { return started_; }
  // The started session, which the pointer moves through too.
  QDBusInterface& Session() { return *session_; }

 protected:
  void Send(std::uint32_t keysym, bool pressed) override;
  // Each key waits for mutter's answer.
  void Settle() override {}

 private:
  bool Start(const QString& address);

  QString connection_;
  std::unique_ptr<QDBusInterface> session_;
  bool started_ = false;
};

}  // namespace starveil::xdrive
