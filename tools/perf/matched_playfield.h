// The matched yardstick's playfield: the game's moving pictures at the game's amounts, no rules.
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>

#include "game/facts.h"

// The black playfield with the game's moving pictures: a formation that marches and drops
// rockets, and a cannon with its shot. Nothing is ever hit and nothing is counted.
class Playfield final : public QWidget {
 public:
  explicit Playfield(QWidget* parent);

  // Lays the formation out at its first place and marches it one step, as a new game does.
  void Restart();
  void March();
  void MoveShotAndRockets();
  void Flicker();
  void StepCannon(int dxPx);
  void Fire();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Sprite {
    QPixmap picture;
    QPoint at;
    std::size_t frame = 0;  // which of its pictures it shows
    bool moving = false;    // a shot in flight, a rocket falling
    bool shown = false;
    QRect Rect() const { return {at, picture.size()}; }
  };

  struct Formation {
    int left = 0;   // px, of the first column
    int drops = 0;  // turns taken, each a third of a monster lower
    int frame = 0;
    int frameStep = -1;
    int stepPx = 0;
  };

  static Formation FirstPlace();
  static Formation Advanced(Formation formation);

  QRect MonsterRect(int row, int column) const;
  void MarchFrom(const Formation& from);
  bool ReachesCannonLine() const;
  void UpdateFormation();
  void LaunchRockets();
  void Launch(const QRect& monster);
  void MoveShot();
  void DropRockets();
  void Repaint(const Sprite& sprite);
  void SetShown(Sprite& sprite, bool shown);
  void SetPicture(Sprite& sprite, const QPixmap& picture);

  std::array<std::array<QPixmap, starveil::game::kMonsterFrames>, starveil::game::kRows>
      monsterFrames_;
  std::array<QPixmap, 3> shotFrames_;
  std::array<QPixmap, 2> rocketFrames_;
  Formation formation_ = FirstPlace();
  Sprite cannon_;
  Sprite shot_;
  std::array<Sprite, starveil::game::kLastRocket + 1> rockets_;
};
