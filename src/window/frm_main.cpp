#include "window/frm_main.h"

#include "game/facts.h"
#include "game/flicker.h"
#include "game/input.h"
#include "game/march.h"
#include "game/rest.h"
#include "game/shot.h"

namespace starveil {

namespace {

template <class T, class Real>
std::unique_ptr<T> OrReal(std::unique_ptr<T> given) {
  return given ? std::move(given) : std::make_unique<Real>();
}

}  // namespace

frmMain::frmMain(Seams seams)
    : Image1(*this),
      lblPoints(*this),
      lblLevel(*this),
      Label2(*this),
      Shape1(*this),
      SH(*this),
      Pellamy(*this),
      cmdStart(*this),
      Text1(*this),
      tmrMonster(*this, 50, false, "tmrMonster"),
      tmrBulletsMove(*this, game::kShotIntervalMs, true, "tmrBulletsMove"),
      TmrRk(*this, game::kFlickerIntervalMs, true, "TmrRk"),
      seams_{OrReal<platform::Clock, platform::SystemClock>(std::move(seams.clock)),
             OrReal<platform::Random, platform::StandardRandom>(std::move(seams.random)),
             seams.msgBox ? std::move(seams.msgBox)
                          : std::make_unique<platform::WindowMessageBox>(*this),
             std::move(seams.screenReader)},
      game_{.window = *this,
            .SH = SH,
            .Shape1 = Shape1,
            .M = M,
            .K = K,
            .R = R,
            .MI = MI,
            .SE = SE,
            .Lives = Lives,
            .A = A,
            .B = B,
            .C = C,
            .D = D,
            .lblPoints = lblPoints,
            .lblLevel = lblLevel,
            .Text1 = Text1,
            .tmrMonster = tmrMonster,
            .tmrBulletsMove = tmrBulletsMove,
            .TmrRk = TmrRk,
            .clock = *seams_.clock,
            .random = *seams_.random,
            .msgBox = *seams_.msgBox,
            .news = [this](const std::string& news) { platform::Announce(*this, news); }} {
  platform::MakeAccessible(*this, seams_.screenReader);
  LayOut();
  WireEvents();
}

frmMain::~frmMain() = default;

void frmMain::WireEvents() {
  cmdStart.OnClick([this] { game::cmdStart_Click(game_); });
  cmdStart.OnKeyDown(
      [this](std::int16_t key, std::int16_t shift) { game::cmdStart_KeyDown(game_, key, shift); });
  Text1.OnKeyDown(
      [this](std::int16_t key, std::int16_t shift) { game::Text1_KeyDown(game_, key, shift); });
  tmrMonster.OnTick([this] { game::tmrMonster_Timer(game_); });
  tmrBulletsMove.OnTick([this] { game::tmrBulletsMove_Timer(game_); });
  TmrRk.OnTick([this] { game::TmrRk_Timer(game_); });
  RestWhile(*seams_.clock, [this] { return game::AtRest(game_); });
}

void frmMain::Form_KeyDown(std::int16_t keyCode, std::int16_t shift) {
  game::Form_KeyDown(game_, keyCode, shift);
}

}  // namespace starveil
