#include "game/state.h"

#include "game/facts.h"
#include "game/formation.h"
#include "game/game.h"
#include "platform/sprite.h"
#include "platform/timer.h"
#include "platform/widgets.h"

namespace starveil::game {

void NewGame(Game& g) {
  GameState& s = g.state;
  s.Points = 0;
  s.Level = 1;
  g.SH.SetPicture(g.SE[kCannonPicture].Picture());
  for (int i = 0; i <= 2; ++i)
    g.Lives[i].SetVisible(true);
  s.GameOver = false;
  LevelSetting(g);
  for (const MonsterRow& row : s.MonsterRows) {
    const int count = row.Count();
    for (int position = 1; position <= count; ++position) {
      platform::Sprite& monster = *row.Item(position);
      monster.SetVisible(true);
      monster.SetTag(kAlive);
    }
  }
}

void cmdStart_Click(Game& g) {
  // Keys go to the hidden text box from now on, so Space no longer presses Start.
  g.Text1.SetFocus();
  NewGame(g);
  BuildFormation(g);
  g.tmrMonster.SetEnabled(true);
}

void AnnounceWithScore(Game& g, const std::string& news) {
  if (g.news) g.news(news + ". Score: " + std::to_string(g.state.Points) + ".");
}

}  // namespace starveil::game
