#include "game/formation.h"

#include <array>
#include <cstdio>

#include "game/facts.h"
#include "game/game.h"
#include "game/march.h"
#include "platform/numbers.h"
#include "platform/shape.h"
#include "platform/sprite.h"
#include "platform/timer.h"

namespace starveil::game {

using platform::RoundToInt16;
using platform::RoundToInt32;

std::string MonsterKey(int column) {
  std::array<char, 8> key{};
  std::snprintf(key.data(), key.size(), "M%02d", column % 100);  // the column's last two digits
  return key.data();
}

void BuildFormation(Game& g) {
  const platform::Sprite& frame = g.A[0];
  std::int16_t y = RoundToInt16(frame.Height() + g.Shape1.Top() + kFirstRowGap);
  int n = kFirstMonster;
  for (MonsterRow& row : g.state.MonsterRows) {
    std::int16_t x = RoundToInt16(2 * frame.Width() + g.Shape1.Left() + kColumnInset);
    row = MonsterRow{};
    for (int column = 0; column < kColumns; ++column) {
      platform::Sprite& monster = g.M[n];
      monster.SetVisible(true);
      monster.SetTop(y);
      monster.SetLeft(x);
      monster.SetTag(kAlive);
      row.Add(&monster, MonsterKey(column));
      x = RoundToInt16(x + frame.Width() + kColumnGap);
      ++n;
    }
    y = RoundToInt16(y + frame.Height() + kRowGap);
  }
  GameState& s = g.state;
  s.AnimFrame = 0;
  s.AnimStep = -1;
  s.MarchStep = kMarchStep;
  s.FormationTop = RoundToInt32(frame.Height() + g.Shape1.Top() + kFirstRowGap);
  MarchFormation(g);
}

void LevelSetting(Game& g) {
  GameState& s = g.state;
  s.MonsterInterval = RoundToInt16(MarchIntervalMs(s.Level, kLevelStartMonsters));
  g.tmrMonster.SetInterval(s.MonsterInterval);
}

}  // namespace starveil::game
