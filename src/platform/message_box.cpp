#include "platform/message_box.h"

#include <QMessageBox>

#include "platform/window.h"

namespace starveil::platform {

void WindowMessageBox::Show(const std::string& text) {
  if (owner_.IsUnloaded()) return;
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle),
                  QString::fromStdString(text), QMessageBox::Ok, &owner_);
  box.exec();
  // A window manager hands the focus back to the window when the box goes; with none, nothing
  // does, and the player's next keys would go nowhere.
  if (owner_.isVisible()) owner_.activateWindow();
}

}  // namespace starveil::platform
