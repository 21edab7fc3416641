#pragma once

#include "platform/caption_and_borders.h"
#include "platform/colour.h"
#include "platform/font.h"
#include "platform/twips.h"

// The game's sizes, places, steps, times, colours, fonts and picture indices, which the window, the
// rules, the tests and the measuring tools all go by; it pulls in no window.
namespace starveil::game {

inline constexpr float kCannonStep = 60;    // twips per key-down
inline constexpr float kSmallSprite = 240;  // twips: a monster, a rocket or the shot, each way
inline constexpr float kCannonSize = 480;   // twips each way, the cannon and its explosion frames

// The explosion is SE(0) to SE(7); SE(8) is the whole cannon.
inline constexpr int kExplosionFrames = 8;
inline constexpr int kCannonPicture = 8;
// A lost cannon pauses the game after each explosion frame, and once more at the end.
inline constexpr int kExplosionFramePauseMs = 100;
inline constexpr int kLossFinalPauseMs = 1000;

inline constexpr int kRows = 4;
inline constexpr int kColumns = 12;
inline constexpr int kMonsters = kRows * kColumns;
inline constexpr int kMonsterFrames = 5;  // each row's own pictures, shown 0 to 4 and back
inline constexpr int kLastRocket = 10;    // the rockets are K(0) to K(10)

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
// Twips in from each side of the shot that must lie over a monster. The shot is as wide as a
// monster, so it hits within this much either side of the monster's left edge.
inline constexpr int kShotSideMargin = 90;

// The timers' intervals, in ms.
inline constexpr int kShotIntervalMs = 30;     // the shot and the rockets move
inline constexpr int kFlickerIntervalMs = 50;  // they change picture; score and level rewritten
inline constexpr int kSplashShownMs = 5000;
// The march's interval: ten shorter at each level and one shorter for each monster destroyed.
constexpr int MarchIntervalMs(int level, int liveMonsters) {
  return (11 - level) * 10 + liveMonsters;
}
// A new level sets it as if this many monsters were alive, until its first step counts them.
inline constexpr int kLevelStartMonsters = 50;

inline constexpr float kSplashWidth = 8385;   // twips, the splash's client area
inline constexpr float kSplashHeight = 6375;  // twips
// The frame runs the card's whole height between two bare strips, which close it on a click.
inline constexpr platform::TwipRect kSplashFrame{120, 0, 8235, kSplashHeight};
inline constexpr platform::TwipRect kSplashPicture{0, 120, 8205, 6165};  // within the frame

// The game window's width and its playfield's place once loaded, in twips. The client area ends
// just below the playfield, so the sprites stored beneath it stay unseen.
inline constexpr float kClientWidth = 5370;
inline constexpr platform::TwipRect kPlayfield{60, 1200, 5295, 4155};
// Of outer height under the playfield's bottom edge.
inline constexpr float kBelowPlayfield = 440;
inline constexpr float kLoadedClientHeight =
    kPlayfield.top + kPlayfield.height + kBelowPlayfield - platform::kCaptionAndBordersTwips;
// Twips from the window's left, measured from the playfield's width alone, so the cannon starts a
// little left of centre.
inline constexpr float kCannonStart = kPlayfield.width / 2 - kCannonSize / 2;

// What the game window shows around the playfield, in twips, with the text it shows at first.
struct PlacedText {
  platform::TwipRect place;
  const char* text;
};
// A display boxes its right-aligned text in colours of its own.
struct Display {
  platform::TwipRect place;
  const char* text;
  platform::Rgb back;
  platform::Rgb fore;
};
inline constexpr platform::Rgb kWindowGrey{208, 208, 208};
inline constexpr platform::Rgb kMaroon{128, 0, 0};
inline constexpr platform::Font kCaptionFont{"Liberation Sans", 9.75f, true};  // and the displays
inline constexpr platform::Font kNoticeFont{"Liberation Sans", 8.25f, true};
inline constexpr platform::Font kButtonFont{"Liberation Sans", 8.25f, false};
inline constexpr platform::Font kFocusSinkFont{"Liberation Sans", 3.75f, false};
inline constexpr platform::TwipRect kTitlePicture{120, 120, 1155, 855};
inline constexpr PlacedText kPointsCaption{{1320, 120, 675, 255}, "Points"};  // the first text
inline constexpr Display kPointsDisplay{
    {2040, 120, 1155, 285}, "000.000.000", {192, 255, 255}, {0, 0, 128}};
inline constexpr PlacedText kLevelCaption{{3240, 120, 855, 255}, "Level"};
inline constexpr Display kLevelDisplay{{3840, 120, 435, 285}, "000", {255, 224, 192}, kMaroon};
inline constexpr PlacedText kLivesCaption{{1320, 540, 1155, 255}, "Active Lives"};
// The panel behind the life markers.
inline constexpr Display kLivesDisplay{{2520, 450, 795, 390}, "", {208, 250, 208}, kMaroon};
inline constexpr PlacedText kNoticeCaption{{1320, 840, 1515, 255}, "Free to Distribute"};
inline constexpr int kLifeMarkers = 3;
// Life marker i, each a stretched cannon overlapping the next.
constexpr platform::TwipRect LifeMarker(int i) {
  return {2520 + kSmallSprite * static_cast<float>(i), 480, 300, 300};
}
// The text box that takes the keys in play lies wholly under the Start button.
inline constexpr PlacedText kFocusSink{{5040, 240, 135, 165}, "Text1"};
inline constexpr PlacedText kStartButton{{4440, 120, 855, 375}, "Start"};
inline constexpr platform::TwipRect kLogo{3360, 600, 1935, 495};

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
