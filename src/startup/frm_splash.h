#pragma once

#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/widgets.h"
#include "platform/window.h"

namespace starveil {

// The borderless picture card shown at start. It goes by itself after five seconds, or at once
// on a click on its bare edge strips.
class frmSplash final : public platform::Window {
 public:
  frmSplash();

  platform::Frame Frame1;
  platform::Sprite Image1;  // lies on Frame1
  platform::Timer Timer1;

  void Timer1_Timer();

 protected:
  void Form_Click() override;
  void Form_Unload() override;
};

}  // namespace starveil
