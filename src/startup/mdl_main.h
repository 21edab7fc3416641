#pragma once

#include <memory>

#include "startup/frm_splash.h"
#include "window/frm_main.h"

namespace starveil {

// Start-up: the splash card first, the game window once it has gone.
class mdlMain {
 public:
  mdlMain();
  ~mdlMain();

  // Shows the splash window modally, then the game window, and returns; the program then runs
  // for as long as the game window is open.
  void Main();

  frmSplash* Splash() const { return splash_.get(); }
  frmMain* Game() const { return game_.get(); }

 private:
  std::unique_ptr<frmSplash> splash_;
  std::unique_ptr<frmMain> game_;
};

}  // namespace starveil
