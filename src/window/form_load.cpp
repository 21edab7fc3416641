#include "game/facts.h"
#include "game/formation.h"
#include "game/rockets.h"
#include "platform/numbers.h"
#include "window/frm_main.h"

namespace starveil {

using game::kBelowPlayfield;
using game::kCannonStart;
using game::kLeftTurn;
using game::kPlayfield;
using game::kRightTurn;
using platform::RoundToInt16;

void frmMain::Form_Load() {
  game::GameState& s = game_.state;
  s.ShotInFlight = false;
  Shape1.SetLeft(kPlayfield.left);
  SetHeight(Shape1.Top() + Shape1.Height() + kBelowPlayfield);

  for (int row = 0; row < game::kRows; ++row) {
    for (int column = 0; column < game::kColumns; ++column)
      M.Load(M.UBound() + 1);
  }
  for (int k = 1; k <= game::kLastRocket; ++k) {
    K.Load(k);
    K[k].SetVisible(false);
    K[k].SetPicture(MI[0].Picture());
  }
  SendToBack(Shape1);

  s.RightLimit = RoundToInt16(Shape1.Width() + Shape1.Left() - kRightTurn);
  s.LeftLimit = RoundToInt16(Shape1.Left() + kLeftTurn);
  SH.SetTop(Shape1.Top() + Shape1.Height() - SH.Height());
  SH.SetLeft(kCannonStart);

  game::BuildFormation(game_);
  game::NewGame(game_);
}

}  // namespace starveil
