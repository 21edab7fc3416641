#include "mutter_keyboard.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace starveil::xdrive {

namespace {

const QString kService = "org.gnome.Mutter.RemoteDesktop";
constexpr std::chrono::milliseconds kKeyboardTakenUp(300);

// A connection of each keyboard's own: mutter keeps a session for the connection that made it.
QString NewConnectionName() {
  static std::atomic<int> made;
  return "starveil-mutter-keyboard-" + QString::number(++made);
}

}  // namespace

MutterKeyboard::MutterKeyboard(const QProcessEnvironment& session)
    : connection_(NewConnectionName()) {
  const QString address = session.value("DBUS_SESSION_BUS_ADDRESS");
  started_ = !address.isEmpty() && Start(address);
}

bool MutterKeyboard::Start(const QString& address) {
  QDBusConnection bus = QDBusConnection::connectToBus(address, connection_);
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(kService)) return false;
  QDBusInterface desktop(kService, "/org/gnome/Mutter/RemoteDesktop", kService, bus);
  const QDBusReply<QDBusObjectPath> created = desktop.call("CreateSession");
  if (!created.isValid()) return false;
  session_ = std::make_unique<QDBusInterface>(kService, created.value().path(),
                                              kService + ".Session", bus);
  if (session_->call("Start").type() == QDBusMessage::ErrorMessage) return false;
  // mutter adds its keyboard to the seat at the first key, too late for a window to take that key:
  // a key that no layout holds adds it, and the wait lets the window with the focus take it up.
  constexpr uint kNoKey = XKB_KEY_VoidSymbol;
  session_->call("NotifyKeyboardKeysym", kNoKey, true);
  session_->call("NotifyKeyboardKeysym", kNoKey, false);
  std::this_thread::sleep_for(kKeyboardTakenUp);
  return true;
}

MutterKeyboard::~MutterKeyboard() {
  if (started_) session_->call("Stop");
  session_.reset();
  QDBusConnection::disconnectFromBus(connection_);
}

void MutterKeyboard::Send(std::uint32_t keysym, bool pressed) {
  const QDBusMessage answer = session_->call("NotifyKeyboardKeysym", keysym, pressed);
  if (answer.type() == QDBusMessage::ErrorMessage)
    throw std::runtime_error("mutter took no key: " + answer.errorMessage().toStdString());
}

}  // namespace starveil::xdrive
