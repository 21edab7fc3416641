// The pointer of KWin's fake input, which places it on the screen where it is told.
#pragma once

#include <wayland-client.h>

#include "pointer.h"

struct org_kde_kwin_fake_input;

namespace starveil::xdrive {

class KWinPointer : public Pointer {
 public:
  // Through a fake input bound on `display`, which it must not outlive.
  KWinPointer(wl_display* display, org_kde_kwin_fake_input* fakeInput)
      : display_(display), fakeInput_(fakeInput) {}

 protected:
  void MoveTo(QPoint at) override;
  void Button(bool pressed) override;

 private:
  void Settle();

  wl_display* display_;
  org_kde_kwin_fake_input* fakeInput_;
};

}  // namespace starveil::xdrive
