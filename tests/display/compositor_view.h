// The game as a Wayland compositor shows it, read from a picture of the whole screen: where the
// game runs natively no program may read another's window, and the compositor's picture is all
// that tells what reaches the player.
#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <optional>

#include "game/facts.h"

namespace starveil::display {

// The desktop's own scale, in per cent, where the row scales the screen as its display settings
// would (CMakeLists.txt beside names it); the test then judges the game as the compositor shows it.
int DesktopScale();

// The game window's light grey, without alpha.
inline constexpr QRgb kFace =
    qRgb(game::kWindowGrey.red, game::kWindowGrey.green, game::kWindowGrey.blue) & RGB_MASK;

// The playfield in a picture of the whole screen at `scale`: rows of black nearly as wide as the
// playfield, with the window's light grey face a pixel or two to their left, however smoothed. On
// the right the face may round to nothing, and a black desktop go on from there. Rows the
// formation or the cannon cross are not whole, so it may end above the cannon.
std::optional<QRect> Playfield(const QImage& screen, double scale);

// The game window's client area in a picture of the whole screen, read back at the window's own
// pixels: each is taken from the middle of the block the scale makes of it. At whole scales that
// is the pixel the game drew; at fractional ones, where the compositor blends, the nearest.
struct ClientView {
  QImage pixels;   // in the window's own pixels, as an X server would give them
  QRect onScreen;  // where the client area lies on the screen, in the screen's pixels
};
std::optional<ClientView> ReadClient(const QImage& screen, double scale);

// How many life markers a client area shows lit, judged against the game window's own paint of
// each marker lit and out: the nearer wins, so a blended picture reads as well as an exact one.
class MarkerReader {
 public:
  MarkerReader();
  int Lit(const QImage& client) const;

 private:
  struct Marker {
    QRect box;
    QImage lit;
    QImage out;
  };
  std::array<Marker, 3> markers_;
};

// Whether another window shows beside the game or over its playfield, against a picture of the
// screen taken when only the game window was up: the box that ends a game, wherever the
// compositor put it. Over the playfield it breaks a row of black wider than any sprite.
struct BoxSeen {
  bool shown = false;
  bool overThePlayfield = false;
};
BoxSeen BoxShown(const QImage& screen, const QImage& before, const ClientView& client);

}  // namespace starveil::display
