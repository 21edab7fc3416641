#include "startup/frm_splash.h"

#include "assets/pictures.h"
#include "game/facts.h"
#include "platform/accessibility.h"

namespace starveil {

frmSplash::frmSplash()
    : Frame1(*this), Image1(Frame1), Timer1(*this, game::kSplashShownMs, true, "Timer1") {
  SetCaption("Form1");
  platform::MakeAccessible(*this);
  setAccessibleName("Starveil splash screen");
  SetBorder(Border::kNone);
  SetClientSize(game::kSplashWidth, game::kSplashHeight);
  SetIcon(assets::Load("a3"));
  platform::PlaceWidget(Frame1, game::kSplashFrame);
  Image1.Move(game::kSplashPicture);
  Image1.SetPicture(assets::Load("splash"));
  Timer1.OnTick([this] { Timer1_Timer(); });
}

void frmSplash::Timer1_Timer() {
  Unload();
}

void frmSplash::Form_Click() {
  Unload();
}

void frmSplash::Form_Unload() {
  Timer1.SetEnabled(false);
  // The picture is the card's largest part and nothing shows it again.
  Image1.SetPicture({});
}

}  // namespace starveil
