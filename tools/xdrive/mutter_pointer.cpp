#include "mutter_pointer.h"

#include <linux/input-event-codes.h>

#include <QDBusMessage>
#include <stdexcept>

namespace starveil::xdrive {

namespace {

// Farther than any screen is wide: mutter holds the pointer at the screen's edge.
constexpr double kBeyondAnyScreen = -100'000;

}  // namespace

void MutterPointer::Call(const QString& method, const QVariant& first, const QVariant& second) {
  const QDBusMessage answer = session_.call(method, first, second);
  if (answer.type() == QDBusMessage::ErrorMessage)
    throw std::runtime_error("mutter took no pointer event: " +
                             answer.errorMessage().toStdString());
}

void MutterPointer::MoveTo(QPoint at) {
  Call("NotifyPointerMotionRelative", kBeyondAnyScreen, kBeyondAnyScreen);
  Call("NotifyPointerMotionRelative", static_cast<double>(at.x()), static_cast<double>(at.y()));
}

void MutterPointer::Button(bool pressed) {
  Call("NotifyPointerButton", BTN_LEFT, pressed);
}

}  // namespace starveil::xdrive
