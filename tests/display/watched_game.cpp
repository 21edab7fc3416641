// The game as a player runs it, watched from inside for the display test: whenever it is about to
// wait for events, at least four times a second and at once when a life marker changes, what the X
// server shows of the game window, or natively on Wayland the buffer the game last handed the
// compositor, is compared with a fresh paint of the window. Each comparison prints the life markers
// lit in those pixels on standard output; pixels still stale at the next comparison are told on
// standard error, which the display test wants empty.
#include <xcb/xcb.h>

#include <QAbstractEventDispatcher>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSet>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <iostream>
#include <utility>

#include "desktop/window_frame.h"
#include "startup/application.h"
#include "support/screen_check.h"
#include "window/frm_main.h"
#include "x_desktop.h"

namespace starveil::display {
namespace {

constexpr int kEveryMs = 250;

// The game window's client area as the X server holds it, read through the game's own connection,
// and where other windows lie over it.
testing::ScreenCheck::View ShownByTheXServer(QWidget& window) {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) return {};
  xcb_connection_t* x = x11->connection();
  const auto id = static_cast<xcb_window_t>(window.winId());
  const QRect box = xdrive::ReadableBox(x, id);
  // Held still between finding what lies over the window and reading it: a message box's frame
  // may go in between, the manager's doing, long after the program has closed the box.
  xcb_grab_server(x);
  testing::ScreenCheck::View view{xdrive::WindowImage(x, id, box), xdrive::WindowsOver(x, id, box)};
  xcb_ungrab_server(x);
  xcb_flush(x);
  return view;
}

// Natively on Wayland no program may read the screen; the buffer Qt painted and attached last is
// what the compositor shows of the window, below the title bar where the game draws its own.
testing::ScreenCheck::View HandedToTheCompositor(QWidget& window) {
  QBackingStore* store = window.backingStore();
  const auto* buffer = store ? dynamic_cast<const QImage*>(store->paintDevice()) : nullptr;
  if (!buffer) return {};
  const QRect client(window.mapTo(window.window(), QPoint()), window.size());
  const qreal ratio = window.devicePixelRatioF();
  return {buffer->copy(QRectF(client.topLeft().toPointF() * ratio, client.size().toSizeF() * ratio)
                           .toAlignedRect()),
          {}};
}

int MarkersHeld(const frmMain& frm) {
  int held = 0;
  for (int i = 0; i <= 2; ++i)
    held += frm.Lives[i].Visible() ? 1 : 0;
  return held;
}

// A marker is lit where its box on the screen shows the cannon's colours.
int MarkersLit(const frmMain& frm, const QImage& shown, qreal scale) {
  int lit = 0;
  for (int i = 0; i <= 2; ++i) {
    const platform::Sprite& marker = frm.Lives[i];
    QSet<QRgb> colours;
    const QImage& picture = marker.Picture().Image();
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (qAlpha(picture.pixel(x, y)) != 0) colours.insert(picture.pixel(x, y) & RGB_MASK);
      }
    }
    const QRect logical = platform::PixelRect(marker.Rect());
    const QRect box((logical.topLeft().toPointF() * scale).toPoint(),
                    (logical.size().toSizeF() * scale).toSize());
    int matching = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
      for (int x = box.left(); x <= box.right(); ++x)
        matching += shown.valid(x, y) && colours.contains(shown.pixel(x, y) & RGB_MASK) ? 1 : 0;
    }
    lit += matching * 4 >= box.width() * box.height() / 4 ? 1 : 0;
  }
  return lit;
}

// Lives as long as the game window, which owns it.
class ScreenWatch : public QObject {
 public:
  // Natively the watch compares only where Qt paints at a whole ratio: at a fractional one Qt 6.8
  // leaves the buffer, as on X11 the screen, a march step behind a fresh paint of the game in play,
  // which is yet to be understood.
  ScreenWatch(frmMain& frm, testing::ScreenCheck::Reader shown, bool wholeRatiosOnly)
      : QObject(&frm),
        frm_(frm),
        check_(std::move(shown)),
        wholeRatiosOnly_(wholeRatiosOnly),
        names_(testing::ScreenCheck::DesignNames(frm)) {
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &wake_, [this] { AboutToWait(); });
    // A game left alone may wait longer than that; the watch wakes it.
    QObject::connect(&wake_, &QTimer::timeout, [] {});
    wake_.start(kEveryMs);
    since_.start();
  }

 private:
  void AboutToWait() {
    QWindow* window = frm_.window()->windowHandle();
    if (!window || !window->isExposed()) return;
    const qreal ratio = frm_.devicePixelRatioF();
    if (wholeRatiosOnly_ && ratio != std::floor(ratio)) return;
    const int held = MarkersHeld(frm_);
    if (held == markersHeld_ && since_.elapsed() < kEveryMs && lastStale_.empty()) return;
    markersHeld_ = held;
    since_.restart();
    // A window whose frame its manager is still making is not on the screen yet either, and a
    // closing one shows its last frame while it waits to go.
    if (desktop::FrameBeingMade(frm_) || !frm_.updatesEnabled()) return;
    // Where a window over this one has just gone, the server shows nothing of the game until the
    // game has taken the exposure, which the server sent before these pixels: one more turn of
    // the event loop. Pixels stale then too were missed by the game's own repaints.
    const std::string stale = check_.Compare(frm_, names_);
    if (!stale.empty() && !lastStale_.empty())
      std::cerr << "the screen differs from the game: " << stale << std::endl;
    lastStale_ = stale;
    std::cout << "screen checked, lives shown: "
              << MarkersLit(frm_, check_.Shown(), frm_.devicePixelRatioF()) << std::endl;
  }

  frmMain& frm_;
  testing::ScreenCheck check_;
  bool wholeRatiosOnly_;
  testing::ScreenCheck::Names names_;
  QTimer wake_;
  QElapsedTimer since_;
  int markersHeld_ = -1;
  std::string lastStale_;
};

}  // namespace
}  // namespace starveil::display

int main(int argc, char* argv[]) {
  using starveil::display::ScreenWatch;
  starveil::Application application(argc, argv);
  starveil::frmMain& frm = application.Start();
  if (QGuiApplication::platformName() == "xcb")
    new ScreenWatch(frm, starveil::display::ShownByTheXServer, /*wholeRatiosOnly=*/false);
  else
    new ScreenWatch(frm, starveil::display::HandedToTheCompositor, /*wholeRatiosOnly=*/true);
  return starveil::Application::Run();
}
