#include "startup/mdl_main.h"

namespace starveil {

mdlMain::mdlMain() = default;

mdlMain::~mdlMain() = default;

void mdlMain::Main() {
  if (!splash_) splash_ = std::make_unique<frmSplash>();
  splash_->ShowModal();
  if (!game_) game_ = std::make_unique<frmMain>();
  game_->Show();
}

}  // namespace starveil
