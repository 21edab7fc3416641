#include "matched_playfield.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cmath>
#include <span>

#include "game/facts.h"

namespace {

namespace game = starveil::game;
using game::kColumns;
using game::kLaunchOdds;
using game::kMarchStepPx;
using game::kMonsterFrames;
using game::kMonsterPx;
using game::kRocketDropPx;
using game::kRows;
using game::kShotTopMarginPx;
using starveil::platform::TwipsToPixels;

// The smallest whole pixel that `twips` does not exceed.
constexpr int CeilingPx(float twips) {
  const int whole = static_cast<int>(twips / starveil::platform::kTwipsPerPixel);
  return starveil::platform::PixelsToTwips(whole) < twips ? whole + 1 : whole;
}

// Places and steps in the playfield's own pixels, the game's twips divided by 15.
constexpr int kWidthPx = TwipsToPixels(game::kPlayfield.width);
constexpr int kHeightPx = TwipsToPixels(game::kPlayfield.height);
constexpr int kColumnPitchPx = TwipsToPixels(game::kSmallSprite + game::kColumnGap);
constexpr int kRowPitchPx = TwipsToPixels(game::kSmallSprite + game::kRowGap);
constexpr int kFirstLeftPx = TwipsToPixels(2 * game::kSmallSprite + game::kColumnInset);
constexpr int kFirstTopPx = TwipsToPixels(game::kSmallSprite + game::kFirstRowGap);
// The game's turning limits in whole-pixel comparisons: a monster's whole-pixel place passes the
// left one below its ceiling and the right one above its floor.
constexpr int kLeftTurnPx = CeilingPx(game::kLeftTurn);
constexpr int kRightTurnPx = static_cast<int>((game::kPlayfield.width - game::kRightTurn) /
                                              starveil::platform::kTwipsPerPixel);
// The game places its cannon from the window's left edge.
constexpr int kCannonStartPx =
    TwipsToPixels(game::kCannonStart) - TwipsToPixels(game::kPlayfield.left);

QPixmap SpritePicture(const QString& name) {
  return QPixmap(":/sprites/" + name + ".xpm");
}

}  // namespace

Playfield::Playfield(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted here, so Qt need not paint the window beneath first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(kWidthPx, kHeightPx);
  const QString rowLetters = "abcd";
  for (int row = 0; row < kRows; ++row) {
    for (int frame = 0; frame < kMonsterFrames; ++frame)
      monsterFrames_[row][frame] = SpritePicture(rowLetters[row] + QString::number(frame));
  }
  shotFrames_ = {SpritePicture("r0"), SpritePicture("r1"), SpritePicture("r3")};
  rocketFrames_ = {SpritePicture("mi0"), SpritePicture("mi1")};

  cannon_.picture = SpritePicture("se8");
  cannon_.at = {kCannonStartPx, kHeightPx - cannon_.picture.height()};
  cannon_.shown = true;
  shot_.picture = shotFrames_[0];
  for (Sprite& rocket : rockets_)
    rocket.picture = rocketFrames_[0];
  Restart();
}

void Playfield::Restart() {
  MarchFrom(FirstPlace());
}

void Playfield::March() {
  MarchFrom(formation_);
}

void Playfield::MoveShotAndRockets() {
  MoveShot();
  DropRockets();
}

void Playfield::Flicker() {
  const auto showNext = [this](Sprite& sprite, std::span<const QPixmap> frames) {
    sprite.frame = (sprite.frame + 1) % frames.size();
    SetPicture(sprite, frames[sprite.frame]);
  };
  showNext(shot_, shotFrames_);
  for (Sprite& rocket : rockets_) {
    if (rocket.moving) showNext(rocket, rocketFrames_);
  }
}

void Playfield::StepCannon(int dxPx) {
  const QRect moved = cannon_.Rect().translated(dxPx, 0);
  // The cannon may rest exactly on either edge of the field, but not pass it.
  if (!rect().contains(moved)) return;
  Repaint(cannon_);
  cannon_.at = moved.topLeft();
  Repaint(cannon_);
}

// Set on top of the cannon, centred; the next shot tick moves it and shows it.
void Playfield::Fire() {
  if (shot_.moving) return;
  const int centredPx = (cannon_.picture.width() - shot_.picture.width()) / 2;
  shot_.at = {cannon_.at.x() + centredPx, cannon_.at.y() - shot_.picture.height()};
  shot_.moving = true;
}

void Playfield::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::black);
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const QRegion& area = event->region();
  const auto draw = [&](const Sprite& sprite) {
    if (sprite.shown && area.intersects(sprite.Rect()))
      painter.drawPixmap(sprite.at, sprite.picture);
  };
  draw(cannon_);
  for (int row = 0; row < kRows; ++row) {
    const QPixmap& picture = monsterFrames_[row][formation_.frame];
    for (int column = 0; column < kColumns; ++column) {
      const QRect monster = MonsterRect(row, column);
      if (area.intersects(monster)) painter.drawPixmap(monster.topLeft(), picture);
    }
  }
  draw(shot_);
  for (const Sprite& rocket : rockets_)
    draw(rocket);
}

Playfield::Formation Playfield::FirstPlace() {
  return {.left = kFirstLeftPx, .stepPx = kMarchStepPx};
}

// The formation turns, one third of a monster lower, when its outer column would pass a limit.
Playfield::Formation Playfield::Advanced(Formation formation) {
  Formation& f = formation;
  const bool leftward = f.stepPx < 0;
  const int edge = leftward ? f.left : f.left + (kColumns - 1) * kColumnPitchPx;
  const bool turns = leftward ? edge + f.stepPx < kLeftTurnPx : edge + f.stepPx > kRightTurnPx;
  if (turns) {
    f.stepPx = -f.stepPx;
    ++f.drops;
  }
  f.left += f.stepPx;
  // Frames run 1, 2, 3, 4, 3, 2, 1, 0, 1 ...: past either end the frame bounces.
  if (f.frame + f.frameStep < 0 || f.frame + f.frameStep >= kMonsterFrames)
    f.frameStep = -f.frameStep;
  f.frame += f.frameStep;
  return formation;
}

QRect Playfield::MonsterRect(int row, int column) const {
  const int dropPx = static_cast<int>(std::lround(formation_.drops * kMonsterPx / 3.0));
  return {formation_.left + column * kColumnPitchPx, kFirstTopPx + dropPx + row * kRowPitchPx,
          kMonsterPx, kMonsterPx};
}

void Playfield::MarchFrom(const Formation& from) {
  UpdateFormation();
  formation_ = Advanced(from);
  // Where the game's formation would invade, this one starts again from the top.
  if (ReachesCannonLine()) formation_ = Advanced(FirstPlace());
  UpdateFormation();
  LaunchRockets();
}

bool Playfield::ReachesCannonLine() const {
  return MonsterRect(kRows - 1, 0).top() > cannon_.at.y() - kMonsterPx;
}

void Playfield::UpdateFormation() {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column)
      update(MonsterRect(row, column));
  }
}

void Playfield::LaunchRockets() {
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      if (QRandomGenerator::global()->bounded(kLaunchOdds) == 0) Launch(MonsterRect(row, column));
    }
  }
}

// A new rocket hangs unseen under its monster until the next shot tick moves it.
void Playfield::Launch(const QRect& monster) {
  const auto free = std::ranges::find_if(rockets_, [](const Sprite& r) { return !r.moving; });
  if (free == rockets_.end()) return;
  free->at = {monster.left(), monster.top() + monster.height() + kRocketDropPx};
  free->moving = true;
}

// The shot rises half its height a tick, and its flight ends just below the field's top.
void Playfield::MoveShot() {
  if (!shot_.moving) return;
  SetShown(shot_, false);
  shot_.at.ry() -= shot_.picture.height() / 2;
  shot_.moving = shot_.at.y() >= kShotTopMarginPx;
  SetShown(shot_, shot_.moving);
}

// Rockets fall a quarter of their height a tick, until their top reaches the field's bottom.
void Playfield::DropRockets() {
  for (Sprite& rocket : rockets_) {
    if (!rocket.moving) continue;
    SetShown(rocket, false);
    rocket.at.ry() += rocket.picture.height() / 4;
    rocket.moving = rocket.at.y() < height();
    SetShown(rocket, rocket.moving);
  }
}

void Playfield::Repaint(const Sprite& sprite) {
  if (sprite.shown) update(sprite.Rect());
}

void Playfield::SetShown(Sprite& sprite, bool shown) {
  if (sprite.shown == shown) return;
  sprite.shown = shown;
  update(sprite.Rect());
}

void Playfield::SetPicture(Sprite& sprite, const QPixmap& picture) {
  sprite.picture = picture;
  Repaint(sprite);
}
