#pragma once

#include "platform/caption_and_borders.h"
#include "platform/twips.h"

// The game's sizes, places, steps and picture indices, which the window, the rules, the tests and
// the measuring tools all go by; it pulls in no window.
namespace starveil::game {

inline constexpr float kCannonStep = 60;    // twips per key-down
inline constexpr float kSmallSprite = 240;  // twips: a monster, a rocket or the shot, each way
inline constexpr float kCannonSize = 480;   // twips each way, the cannon and its explosion frames

// The explosion is SE(0) to SE(7); SE(8) is the whole cannon.
inline constexpr int kExplosionFrames = 8;
inline constexpr int kCannonPicture = 8;

// The formation turns where a monster would pass these, in from the playfield's edges.
inline constexpr float kLeftTurn = 200;   // twips
inline constexpr float kRightTurn = 400;  // twips

// Twips between the playfield's top and row 0, plus one monster.
inline constexpr float kFirstRowGap = 300;
// Twips between the playfield's left edge and column 0, plus two monsters.
inline constexpr int kColumnInset = 45;
inline constexpr int kColumnGap = 60;  // twips between neighbouring monsters of a row
inline constexpr int kRowGap = 15;     // twips between the rows of the formation

// Twips sideways per march step; the monsters destroyed add a bonus to it.
inline constexpr int kMarchStep = 30;
inline constexpr int kRocketDrop = 15;  // twips between a monster's bottom and its new rocket
// The ceiling of a monster's launch draw at a full formation; it falls as the wave thins out.
inline constexpr int kLaunchOdds = 255;
inline constexpr int kShotTopMargin = 30;  // twips below the playfield's top where a shot ends

inline constexpr float kSplashWidth = 8385;   // twips, the splash's client area
inline constexpr float kSplashHeight = 6375;  // twips

// The game window's width and its playfield's place once loaded, in twips. The client area ends
// just below the playfield, so the sprites stored beneath it stay unseen.
inline constexpr float kClientWidth = 5370;
inline constexpr platform::TwipRect kPlayfield{60, 1200, 5295, 4155};
// The "Points" caption's place, the window's first text.
inline constexpr platform::TwipRect kPointsCaption{1320, 120, 675, 255};
// Of outer height under the playfield's bottom edge.
inline constexpr float kBelowPlayfield = 440;
inline constexpr float kLoadedClientHeight =
    kPlayfield.top + kPlayfield.height + kBelowPlayfield - platform::kCaptionAndBordersTwips;
// Twips from the window's left, measured from the playfield's width alone, so the cannon starts a
// little left of centre.
inline constexpr float kCannonStart = kPlayfield.width / 2 - kCannonSize / 2;

// The same in the window's pixels, as tests and tools see the game.
inline constexpr int kCannonStepPx = platform::TwipsToPixels(kCannonStep);
inline constexpr int kMonsterPx = platform::TwipsToPixels(kSmallSprite);
inline constexpr int kCannonPx = platform::TwipsToPixels(kCannonSize);
inline constexpr int kSplashWidthPx = platform::TwipsToPixels(kSplashWidth);
inline constexpr int kSplashHeightPx = platform::TwipsToPixels(kSplashHeight);
inline constexpr int kMarchStepPx = platform::TwipsToPixels(kMarchStep);
inline constexpr int kRocketDropPx = platform::TwipsToPixels(kRocketDrop);
inline constexpr int kShotTopMarginPx = platform::TwipsToPixels(kShotTopMargin);

}  // namespace starveil::game
