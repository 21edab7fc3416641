#include "compositor_screen.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantMap>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace starveil::xdrive {

namespace {

constexpr int kPatienceMs = 30'000;
// mutter sends a screen cast a frame only when it paints the screen anew, and the one it paints as
// the cast starts may go before the source has joined: a still screen then sends none, and a
// fresh cast is the quicker way to a frame.
constexpr int kFrameMs = 8'000;

std::optional<QImage> KWinScreen(const QDBusConnection& bus) {
  QDBusInterface shooter("org.kde.KWin.ScreenShot2", "/org/kde/KWin/ScreenShot2",
                         "org.kde.KWin.ScreenShot2", bus);
  if (!shooter.isValid()) return std::nullopt;
  std::array<int, 2> pipe{};
  if (::pipe(pipe.data()) != 0) return QImage();
  QFile reader;
  reader.open(pipe[0], QIODevice::ReadOnly, QFile::AutoCloseHandle);
  const QVariantMap options{{"native-resolution", true}, {"include-cursor", false}};
  shooter.setTimeout(kPatienceMs);
  const QDBusReply<QVariantMap> reply = shooter.call(
      "CaptureActiveScreen", options, QVariant::fromValue(QDBusUnixFileDescriptor(pipe[1])));
  ::close(pipe[1]);
  if (!reply.isValid()) return QImage();
  // The pixels follow on the pipe, raw, in the format and the layout the reply gives.
  const QVariantMap shot = reply.value();
  QImage image(shot["width"].toInt(), shot["height"].toInt(),
               static_cast<QImage::Format>(shot["format"].toInt()));
  const QByteArray data = reader.readAll();
  const qsizetype stride = shot["stride"].toInt();
  if (image.isNull() || data.size() < stride * image.height()) return QImage();
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(image.scanLine(y), data.constData() + stride * y,
                std::min<qsizetype>(stride, image.bytesPerLine()));
  return image.convertToFormat(QImage::Format_RGB32);
}

// Waits for a screen cast's stream to name its PipeWire node.
class NodeWaiter : public QObject {
  Q_OBJECT

 public:
  std::optional<std::uint32_t> Wait() {
    QTimer::singleShot(kPatienceMs, &loop_, &QEventLoop::quit);
    if (!node_) loop_.exec();
    return node_;
  }

 public slots:
  void Added(uint node) {
    node_ = node;
    loop_.quit();
  }

 private:
  QEventLoop loop_;
  std::optional<std::uint32_t> node_;
};

// One frame of the stream, as PipeWire's GStreamer source takes it.
QImage FrameOf(std::uint32_t node, const QProcessEnvironment& session) {
  const QTemporaryDir dir;
  const QString file = dir.filePath("screen.png");
  QProcess gst;
  gst.setProcessEnvironment(session);
  gst.start("gst-launch-1.0",
            {"-q", "pipewiresrc", "path=" + QString::number(node), "num-buffers=1", "!",
             "videoconvert", "!", "pngenc", "!", "filesink", "location=" + file});
  if (!gst.waitForFinished(kFrameMs)) {
    gst.kill();
    gst.waitForFinished();
    return {};
  }
  if (gst.exitCode() != 0) return {};
  return QImage(file).convertToFormat(QImage::Format_RGB32);
}

std::optional<QImage> MutterScreen(QDBusConnection& bus, const QProcessEnvironment& session) {
  const QString service = "org.gnome.Mutter.ScreenCast";
  QDBusInterface caster(service, "/org/gnome/Mutter/ScreenCast", service, bus);
  if (!caster.isValid()) return std::nullopt;
  const QDBusReply<QDBusObjectPath> sessionPath = caster.call("CreateSession", QVariantMap());
  if (!sessionPath.isValid()) return QImage();
  QDBusInterface cast(service, sessionPath.value().path(), service + ".Session", bus);
  // The primary monitor, without the pointer.
  const QDBusReply<QDBusObjectPath> streamPath =
      cast.call("RecordMonitor", QString(), QVariantMap{{"cursor-mode", 0U}});
  if (!streamPath.isValid()) return QImage();
  NodeWaiter waiter;
  bus.connect(service, streamPath.value().path(), service + ".Stream", "PipeWireStreamAdded",
              &waiter, SLOT(Added(uint)));
  QImage screen;
  if (cast.call("Start").type() != QDBusMessage::ErrorMessage) {
    if (const std::optional<std::uint32_t> node = waiter.Wait()) screen = FrameOf(*node, session);
  }
  cast.call("Stop");
  return screen;
}

}  // namespace

std::optional<QImage> CompositorScreen(const QProcessEnvironment& session) {
  QDBusConnection bus = QDBusConnection::connectToBus(session.value("DBUS_SESSION_BUS_ADDRESS"),
                                                      "starveil-compositor-screen");
  std::optional<QImage> screen = KWinScreen(bus);
  if (!screen) screen = MutterScreen(bus, session);
  QDBusConnection::disconnectFromBus("starveil-compositor-screen");
  return screen;
}

}  // namespace starveil::xdrive

#include "compositor_screen.moc"
