#include "damage_watch.h"

#include <poll.h>
#include <xcb/damage.h>

#include <cstdlib>

#include "platform/trace.h"

namespace starveil::perf {

DamageWatch::DamageWatch(const QString& display, xcb_window_t window)
    : x_(xcb_connect(display.toUtf8().constData(), nullptr), &xcb_disconnect) {
  xcb_connection_t* x = x_.get();
  if (xcb_connection_has_error(x)) return;
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x, &xcb_damage_id);
  if (!extension || !extension->present) return;
  firstEvent_ = extension->first_event;
  std::free(xcb_damage_query_version_reply(
      x, xcb_damage_query_version(x, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
  damage_ = xcb_generate_id(x);
  // Every rectangle as it is drawn, rather than a summary the watcher would have to clear.
  xcb_damage_create(x, damage_, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
  xcb_flush(x);
}

DamageWatch::~DamageWatch() {
  if (damage_ == 0) return;
  xcb_damage_destroy(x_.get(), damage_);
  xcb_flush(x_.get());
}

void DamageWatch::Forget() {
  Take(0);
  drawn_ = QRegion();
}

std::optional<std::int64_t> DamageWatch::CoveredNs(const QRect& box, int patienceMs) {
  const std::int64_t deadline = platform::MonotonicNs() + std::int64_t{patienceMs} * 1'000'000;
  for (;;) {
    if (QRegion(box).subtracted(drawn_).isEmpty()) return platform::MonotonicNs();
    const std::int64_t left = deadline - platform::MonotonicNs();
    if (left <= 0) return std::nullopt;
    Take(static_cast<int>(left / 1'000'000) + 1);
  }
}

void DamageWatch::Take(int waitMs) {
  xcb_connection_t* x = x_.get();
  pollfd ready{xcb_get_file_descriptor(x), POLLIN, 0};
  if (waitMs > 0) poll(&ready, 1, waitMs);
  while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
    if ((event->response_type & ~0x80) == firstEvent_ + XCB_DAMAGE_NOTIFY) {
      const auto* notify = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
      drawn_ += QRect(notify->area.x, notify->area.y, notify->area.width, notify->area.height);
    }
    std::free(event);
  }
}

}  // namespace starveil::perf
