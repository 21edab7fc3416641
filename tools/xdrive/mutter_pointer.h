// The pointer of mutter's remote desktop: without a screen cast of its own a session moves it
// only by steps from where it is, so each move starts from the screen's top left corner.
#pragma once

#include <QDBusInterface>

#include "pointer.h"

namespace starveil::xdrive {

class MutterPointer : public Pointer {
 public:
  // Through a started remote desktop session, which it must not outlive.
  explicit MutterPointer(QDBusInterface& session) : session_(session) {}

 protected:
  void MoveTo(QPoint at) override;
  void Button(bool pressed) override;

 private:
  void Call(const QString& method, const QVariant& first, const QVariant& second);

  QDBusInterface& session_;
};

}  // namespace starveil::xdrive
