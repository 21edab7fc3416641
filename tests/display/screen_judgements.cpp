#include "screen_judgements.h"

#include <QSet>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "assets/pictures.h"
#include "compositor_view.h"
#include "game/facts.h"
#include "picture_finder.h"
#include "platform/picture.h"

namespace starveil::display {

namespace {

using game::kCannonPicture;
using game::kCannonPx;
using game::kMonsterPx;
using platform::TwipsToPixels;

// The first row's top in a fresh formation.
constexpr int kTopRowTopPx =
    TwipsToPixels(game::kPlayfield.top + game::kSmallSprite + game::kFirstRowGap);
const QSize kPlayfieldPx{TwipsToPixels(game::kPlayfield.width),
                         TwipsToPixels(game::kPlayfield.height)};

// The opaque colours of the game's pictures of that name.
QSet<QRgb> Colours(const std::vector<std::string>& names) {
  QSet<QRgb> colours;
  for (const std::string& name : names) {
    const QImage picture = assets::Load(name).Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (qAlpha(picture.pixel(x, y)) != 0) colours.insert(picture.pixel(x, y) & RGB_MASK);
      }
    }
  }
  return colours;
}

// Every sprite that may show on the playfield but the shot.
std::vector<std::string> SpritesButTheShot() {
  std::vector<std::string> names{"mi0", "mi1"};
  for (const char pool : {'a', 'b', 'c', 'd'}) {
    for (int frame = 0; frame <= 4; ++frame)
      names.push_back(pool + std::to_string(frame));
  }
  for (int frame = 0; frame <= kCannonPicture; ++frame)
    names.push_back("se" + std::to_string(frame));
  return names;
}

const std::vector<std::string> kShotPictures{"r0", "r1", "r3"};

}  // namespace

double LeastPaletteShare(bool onX) {
  if (onX || DesktopScale() % 100 == 0) return 1;
  return QT_VERSION >= QT_VERSION_CHECK(6, 5, 0) ? 1 : 0.35;
}

std::optional<int> FormationLeft(const QImage& shot) {
  for (int x = kPlayfieldLeftPx; x < shot.width(); ++x) {
    for (int y = kTopRowTopPx; y < kTopRowTopPx + kMonsterPx && y < shot.height(); ++y) {
      if (shot.pixel(x, y) != qRgb(0, 0, 0)) return x;
    }
  }
  return std::nullopt;
}

std::optional<QPoint> Cannon(const QImage& shot) {
  return xdrive::FindPicture(shot, xdrive::CannonPicture());
}

bool ShotAbove(const QImage& shot, QPoint cannon) {
  static const QSet<QRgb> kShotColours = [] {
    QSet<QRgb> colours = Colours({kShotPictures[0]});
    for (const std::string& frame : kShotPictures)
      colours.intersect(Colours({frame}));
    return colours.subtract(Colours(SpritesButTheShot()));
  }();
  for (int y = kPlayfieldTopPx; y < cannon.y(); ++y) {
    for (int x = cannon.x(); x < cannon.x() + kCannonPx && x < shot.width(); ++x) {
      if (kShotColours.contains(shot.pixel(x, y) & RGB_MASK)) return true;
    }
  }
  return false;
}

int DistinctColours(const QImage& shot) {
  QSet<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3) {
    for (int x = 0; x < shot.width(); x += 3)
      colours.insert(shot.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

testing::AssertionResult Scaled(int shown, int pixels, double scale) {
  const double slack = scale == std::floor(scale) ? 0 : 1;
  if (std::abs(shown - pixels * scale) <= slack) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "the screen shows " << shown << " pixels for " << pixels
                                     << " of the window's at scale " << scale;
}

bool ShowsTheGameWindow(const QImage& screen) {
  const auto all = [&](QPoint from, QPoint step, int count, QRgb colour) {
    for (QPoint at = from; count-- > 0; at += step) {
      if ((screen.pixel(at) & RGB_MASK) != colour) return false;
    }
    return true;
  };
  const int width = kPlayfieldPx.width();
  const int height = kPlayfieldPx.height();
  constexpr int kFaceAbove = 3;
  for (int y = kFaceAbove; y + height <= screen.height(); ++y) {
    for (int x = 0; x + width <= screen.width(); ++x) {
      if (all({x, y}, {1, 0}, width, 0) && all({x, y}, {0, 1}, height, 0) &&
          all({x + width - 1, y}, {0, 1}, height, 0) &&
          all({x, y - kFaceAbove}, {1, 0}, width, kFace))
        return true;
    }
  }
  return false;
}

QImage TopRowBand(const QImage& shot) {
  return shot.copy(kPlayfieldLeftPx, kTopRowTopPx, shot.width() - 2 * kPlayfieldLeftPx, kMonsterPx);
}

double PaletteShare(const QImage& screen, const QRect& field) {
  static const QSet<QRgb> kPalette = Colours(SpritesButTheShot()).unite(Colours(kShotPictures));
  int lit = 0;
  int own = 0;
  for (int y = field.top(); y <= field.bottom(); ++y) {
    for (int x = field.left(); x <= field.right(); ++x) {
      const QRgb pixel = screen.pixel(x, y) & RGB_MASK;
      if (pixel == 0) continue;
      ++lit;
      own += kPalette.contains(pixel) ? 1 : 0;
    }
  }
  return lit == 0 ? 0 : static_cast<double>(own) / lit;
}

int MixedBlocks(const QImage& screen, const QRect& field, int scale) {
  int mixed = 0;
  for (int y = field.top(); y + scale <= field.bottom() + 1; y += scale) {
    for (int x = field.left(); x + scale <= field.right() + 1; x += scale) {
      const QRgb corner = screen.pixel(x, y);
      bool same = true;
      for (int dy = 0; dy < scale && same; ++dy) {
        for (int dx = 0; dx < scale && same; ++dx)
          same = screen.pixel(x + dx, y + dy) == corner;
      }
      mixed += same ? 0 : 1;
    }
  }
  return mixed;
}

}  // namespace starveil::display
