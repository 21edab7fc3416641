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

// The same in the window's pixels, as tests and tools see the game.
inline constexpr int kCannonStepPx = platform::TwipsToPixels(kCannonStep);
inline constexpr int kMonsterPx = platform::TwipsToPixels(kSmallSprite);
inline constexpr int kCannonPx = platform::TwipsToPixels(kCannonSize);
inline constexpr int kSplashWidthPx = platform::TwipsToPixels(kSplashWidth);
inline constexpr int kSplashHeightPx = platform::TwipsToPixels(kSplashHeight);

}  // namespace starveil::game
