#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QTest>
#include <algorithm>
#include <iterator>
#include <set>

#include "support/game_window.h"

// The game window on a screen scaled by a whole number (QT_SCALE_FACTOR, set by this binary's
// test environment): the pixel art grows into blocks of device pixels, never into blends.
namespace starveil::testing {
namespace {

int ScaleFactor() {
  return qEnvironmentVariableIntValue("QT_SCALE_FACTOR");
}

class Scaling : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(ScaleFactor(), 2) << "run with QT_SCALE_FACTOR set to a whole number";
    w.frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.frm.get()));
    shot = w.frm->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  // The colour of the picture's pixel under device pixel (x, y) of the window, where the
  // sprite's picture shows unscaled from `place`'s top-left corner over `background`.
  static QRgb Expected(const QImage& picture, const QRect& place, QRgb background, int x, int y) {
    const QPoint at(x / ScaleFactor() - place.left(), y / ScaleFactor() - place.top());
    if (!picture.rect().contains(at)) return background;
    const QRgb pixel = picture.pixel(at);
    return qAlpha(pixel) == 0 ? background : pixel;
  }

  GameWindow w;
  QImage shot;
};

TEST_F(Scaling, TheWindowGrabsAtExactlyTheScaleFactorTimesItsSize) {
  EXPECT_EQ(w.frm->size(), QSize(358, 359)) << "the window keeps its size in logical pixels";
  EXPECT_EQ(shot.size(), w.frm->size() * ScaleFactor());
}

struct Piece {
  const char* name;
  const platform::Sprite* sprite;
};

TEST_F(Scaling, SpritesGrowPixelForPixelWithHardEdges) {
  const QRgb black = qRgb(0, 0, 0);
  frmMain& f = *w.frm;
  for (const Piece& piece : {Piece{"cannon", &f.SH}, Piece{"monster", &f.M[f.M.LBound() + 2]}}) {
    SCOPED_TRACE(piece.name);
    const QRect place = platform::PixelRect(piece.sprite->Rect());
    const QImage picture = piece.sprite->Picture().Image().convertToFormat(QImage::Format_ARGB32);
    // The sprite and a pixel of the black playfield beside and above it; the cannon stands on the
    // playfield's floor.
    const QRect around(place.adjusted(-1, -1, 1, 0).topLeft() * ScaleFactor(),
                       place.adjusted(-1, -1, 1, 0).size() * ScaleFactor());
    int wrong = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
      for (int x = around.left(); x <= around.right(); ++x)
        wrong += shot.pixel(x, y) == Expected(picture, place, black, x, y) ? 0 : 1;
    }
    EXPECT_EQ(wrong, 0) << "device pixels that differ from the picture grown without smoothing";

    // Across the left edge of its middle row, from the playfield into the outline: two colours.
    const int row = (place.top() + place.height() / 2) * ScaleFactor();
    int edge = around.left();
    while (edge < around.right() && shot.pixel(edge, row) == black)
      ++edge;
    std::set<QRgb> colours;
    for (int x = around.left(); x < edge + ScaleFactor(); ++x)
      colours.insert(shot.pixel(x, row));
    EXPECT_EQ(colours.size(), 2u);
  }
}

TEST_F(Scaling, AStretchedLifeMarkerShowsOnlyItsPicturesColoursAndItsPanel) {
  frmMain& f = *w.frm;
  const QImage picture = f.Lives[1].Picture().Image().convertToFormat(QImage::Format_ARGB32);
  std::set<QRgb> allowed{qRgb(208, 250, 208)};  // the lives' panel behind it
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qAlpha(picture.pixel(x, y)) != 0) allowed.insert(picture.pixel(x, y));
    }
  }
  const QRect place = platform::PixelRect(f.Lives[1].Rect());
  std::set<QRgb> seen;
  for (int y = place.top() * ScaleFactor(); y < (place.bottom() + 1) * ScaleFactor(); ++y) {
    for (int x = place.left() * ScaleFactor(); x < (place.right() + 1) * ScaleFactor(); ++x)
      seen.insert(shot.pixel(x, y));
  }
  std::set<QRgb> blends;
  std::ranges::set_difference(seen, allowed, std::inserter(blends, blends.begin()));
  EXPECT_EQ(blends.size(), 0u);
  EXPECT_GT(seen.size(), 2u) << "the marker shows";
}

// The score's and the lives' boxes and the playfield are all outlined in black on a lighter
// window. The cannon stands over the playfield's bottom line, so only its spill is counted.
TEST_F(Scaling, BordersFillWholePixelsJustInsideTheirBoxes) {
  frmMain& f = *w.frm;
  struct Outlined {
    const char* name;
    const platform::Control* control;
    bool wholeBorderShows;
  };
  const Outlined outlined[] = {
      {"score", &f.lblPoints, true}, {"lives", &f.Label2, true}, {"playfield", &f.Shape1, false}};
  for (const auto& [name, control, wholeBorderShows] : outlined) {
    SCOPED_TRACE(name);
    const QRect pixels = platform::PixelRect(control->Rect());
    const QRect box(pixels.topLeft() * ScaleFactor(), pixels.size() * ScaleFactor());
    const QRegion border =
        QRegion(box) - box.adjusted(ScaleFactor(), ScaleFactor(), -ScaleFactor(), -ScaleFactor());
    const QRegion outside = QRegion(box.adjusted(-1, -1, 1, 1)) - box;
    int unfilled = 0;
    int spilled = 0;
    for (int y = box.top() - 1; y <= box.bottom() + 1; ++y) {
      for (int x = box.left() - 1; x <= box.right() + 1; ++x) {
        if (!shot.rect().contains(x, y)) continue;
        const bool black = shot.pixel(x, y) == qRgb(0, 0, 0);
        if (border.contains(QPoint(x, y)) && !black) ++unfilled;
        if (outside.contains(QPoint(x, y)) && black) ++spilled;
      }
    }
    if (wholeBorderShows) {
      EXPECT_EQ(unfilled, 0) << "device pixels of the border left unfilled";
    }
    EXPECT_EQ(spilled, 0) << "device pixels of the border drawn outside the box";
  }
}

}  // namespace
}  // namespace starveil::testing
