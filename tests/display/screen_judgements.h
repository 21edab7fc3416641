// What a picture of the game shows, judged from its pixels alone: where the formation and the
// cannon stand, whether the shot flies, whether the game window shows, and how crisp its sprites
// are drawn.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <optional>

#include "game/facts.h"
#include "platform/twips.h"

namespace starveil::display {

inline constexpr int kPlayfieldLeftPx = platform::TwipsToPixels(game::kPlayfield.left);
inline constexpr int kPlayfieldTopPx = platform::TwipsToPixels(game::kPlayfield.top);

// The least share of the playfield's lit pixels that must show a sprite's own colour: 1 where
// nothing may be smoothed, as where the game draws an X11 window at the scale X11 programs are
// told. Qt before 6.5 draws only whole scales natively on Wayland, which a compositor then shrinks
// to a fractional one, blending some pixels: still far sharper than the 0.18 of a smoothed X11
// window.
double LeastPaletteShare(bool onX);

// Where the formation's top row begins on the left; no rocket ever rises into its band.
std::optional<int> FormationLeft(const QImage& shot);

// Where the cannon's own picture stands whole.
std::optional<QPoint> Cannon(const QImage& shot);

// The shot's bands appear in the column above the cannon: the colours its every frame shows and no
// other sprite has.
bool ShotAbove(const QImage& shot, QPoint cannon);

int DistinctColours(const QImage& shot);

// A length in the window's pixels as the screen shows it: times the scale, and at a fractional
// scale, where it may end between two of the screen's pixels, a pixel either way.
testing::AssertionResult Scaled(int shown, int pixels, double scale);

// The game window in a picture of the whole screen: the black playfield with its outline whole,
// under a strip of the window's light grey face.
bool ShowsTheGameWindow(const QImage& screen);

// The top row's band across the playfield, where only monsters ever show.
QImage TopRowBand(const QImage& shot);

// The share of the playfield's lit pixels that show one of the sprites' own colours; smoothing
// blends them into others.
double PaletteShare(const QImage& screen, const QRect& field);

// Of the `scale` x `scale` blocks from the playfield's corner on, those not of one colour: at a
// whole scale each picture pixel must become one such block.
int MixedBlocks(const QImage& screen, const QRect& field, int scale);

}  // namespace starveil::display
