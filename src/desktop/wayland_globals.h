#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace starveil::desktop {

// The globals the compositor offers on Qt's own Wayland connection, listed through a queue of our
// own, so that Qt's queue and its events stay Qt's. Objects bound through it come on that queue,
// and must go before it does. Empty where Qt runs on no Wayland connection.
class QtConnectionGlobals {
 public:
  QtConnectionGlobals();

  bool Offers(const std::string& interface) const;
  // The global of that interface bound at `version`, or null where the compositor offers none.
  void* Bind(const wl_interface& interface, std::uint32_t version) const;

 private:
  struct Global {
    std::uint32_t name;
    std::string interface;
  };
  static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version);

  // Declared in the order made: each goes before what it came from.
  std::unique_ptr<wl_event_queue, decltype(&wl_event_queue_destroy)> queue_{
      nullptr, &wl_event_queue_destroy};
  std::unique_ptr<void, decltype(&wl_proxy_wrapper_destroy)> display_{nullptr,
                                                                      &wl_proxy_wrapper_destroy};
  std::unique_ptr<wl_registry, decltype(&wl_registry_destroy)> registry_{nullptr,
                                                                         &wl_registry_destroy};
  std::vector<Global> globals_;
};

}  // namespace starveil::desktop
