#include "game/shot.h"

#include "game/facts.h"
#include "game/formation.h"
#include "game/game.h"
#include "game/rockets.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"

namespace starveil::game {

using platform::Sprite;

namespace {

constexpr int kBottomMargin = 30;  // twips above a monster's bottom where it can no longer be hit

// The shot rises half its height a tick, and ends, hidden, once it passes the top margin.
void MoveShot(Game& g) {
  Sprite& shot = g.R[2];
  shot.SetVisible(false);
  shot.SetTop(shot.Top() - shot.Height() / 2);
  if (g.Shape1.Top() + kShotTopMargin > shot.Top()) {
    g.state.ShotInFlight = false;
    return;
  }
  shot.SetVisible(true);
}

bool ShotMeets(const Game& g, const Sprite& monster) {
  const Sprite& shot = g.R[2];
  const float size = g.A[0].Width();
  const float height = g.A[0].Height();
  // Nothing is hit once the shot has risen a monster height above the first row.
  const float reach = height + shot.Top();
  if (!(static_cast<double>(reach) > static_cast<double>(g.state.FormationTop))) return false;
  const bool across = shot.Left() + kShotSideMargin >= monster.Left() &&
                      shot.Left() + shot.Width() - kShotSideMargin <= monster.Left() + size;
  const bool within =
      shot.Top() >= monster.Top() && shot.Top() <= monster.Top() + height - kBottomMargin;
  return across && within;
}

// A shot destroys at most one monster: the first it meets, row by row, column by column. A row's
// positions run in column order, as the formation added them.
void HitTest(Game& g) {
  GameState& s = g.state;
  for (int r = 0; r < kRows; ++r) {
    const MonsterRow& row = s.MonsterRows[r];
    for (int position = 1; position <= row.Count(); ++position) {
      if (!s.ShotInFlight) return;
      Sprite& monster = *row.Item(position);
      if (monster.Tag() != kAlive || !ShotMeets(g, monster)) continue;
      monster.SetTag(kDestroyed);
      monster.SetVisible(false);
      s.ShotInFlight = false;
      s.Points += RowScore(r);
      g.R[2].SetVisible(false);
    }
  }
}

}  // namespace

int RowScore(int row) {
  return (4 - row) * 15;
}

void tmrBulletsMove_Timer(Game& g) {
  // Off for the whole tick: the loss sequence lets other events run, but never this tick again.
  g.tmrBulletsMove.SetEnabled(false);
  RocketErasePass(g);
  if (g.state.ShotInFlight) MoveShot(g);
  HitTest(g);
  const std::optional<int> touching = RocketMovePass(g);
  if (touching && !g.state.GameOver) CannonLossSequence(g, *touching);
  g.tmrBulletsMove.SetEnabled(true);
}

}  // namespace starveil::game
