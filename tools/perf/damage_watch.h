// The measuring tool's eye on a window: what the X server reports drawn into it, and when.
#pragma once

#include <xcb/xcb.h>

#include <QRect>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace starveil::perf {

// What the X server reports drawn into a window, as it draws it (the DAMAGE extension), on a
// connection of its own so that no other request's reply holds a report back.
class DamageWatch {
 public:
  DamageWatch(const QString& display, xcb_window_t window);
  ~DamageWatch();
  DamageWatch(const DamageWatch&) = delete;
  DamageWatch& operator=(const DamageWatch&) = delete;

  bool Ok() const { return damage_ != 0; }
  // Forgets what was drawn so far.
  void Forget();
  // When what was drawn since came to cover `box` of the window, on the monotonic clock, waiting
  // for it up to `patienceMs`; nothing if it did not.
  std::optional<std::int64_t> CoveredNs(const QRect& box, int patienceMs);

 private:
  // Takes in what has been reported so far, waiting up to `waitMs` for a first report.
  void Take(int waitMs);

  std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x_;
  std::uint32_t damage_ = 0;
  std::uint8_t firstEvent_ = 0;
  QRegion drawn_;
};

}  // namespace starveil::perf
