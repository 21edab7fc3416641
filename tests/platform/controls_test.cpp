#include <gtest/gtest.h>

#include <QImage>

#include "platform/picture.h"
#include "platform/sprite.h"
#include "platform/surface.h"

namespace starveil::platform {
namespace {

QImage Filled(int size, QRgb colour) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

TEST(Picture, IdentityIsSharingNotEqualPixels) {
  const Picture original(Filled(16, qRgb(1, 2, 3)));
  const Picture shared = original;  // NOLINT(performance-unnecessary-copy-initialization): tested
  const Picture twin(Filled(16, qRgb(1, 2, 3)));
  const Picture copy = original.Copy();

  EXPECT_TRUE(shared == original);
  EXPECT_FALSE(twin == original);
  EXPECT_FALSE(copy == original);
  EXPECT_EQ(copy.Image(), original.Image());
  EXPECT_TRUE(Picture() == Picture()) << "no picture is no picture";
}

// The sanitizer build turns a miscounted share into a reported use after free or leak.
TEST(Picture, LivesWhileAnyHandleSharesIt) {
  Picture kept;
  {
    Picture first(Filled(16, qRgb(4, 5, 6)));
    Picture second = first;
    Picture moved = std::move(second);
    kept = moved;
    moved = moved;  // handing a picture to itself keeps it
    EXPECT_TRUE(kept == first);
    EXPECT_TRUE(second.IsNone());  // NOLINT(bugprone-use-after-move): moving leaves no picture
  }
  ASSERT_FALSE(kept.IsNone());
  EXPECT_EQ(kept.Image().pixel(15, 15), qRgb(4, 5, 6));
  kept = Picture();
  EXPECT_TRUE(kept.IsNone());
}

TEST(Sprite, TakesItsSizeFromItsPictureUnlessStretched) {
  Surface surface;
  Sprite sprite(surface);
  sprite.Move(30, 45, 999, 999);
  sprite.SetPicture(Picture(Filled(16, qRgb(0, 0, 0))));
  EXPECT_EQ(sprite.Width(), 240);
  EXPECT_EQ(sprite.Height(), 240);
  EXPECT_EQ(sprite.Left(), 30);
  sprite.SetPicture(Picture(Filled(32, qRgb(0, 0, 0))));
  EXPECT_EQ(sprite.Width(), 480);

  Sprite marker(surface);
  marker.SetStretch(true);
  marker.Move(0, 0, 300, 300);
  marker.SetPicture(Picture(Filled(32, qRgb(0, 0, 0))));
  EXPECT_EQ(marker.Width(), 300);
  EXPECT_EQ(marker.Height(), 300);
}

TEST(Surface, ControlsJoinAtTheFrontAndCanBeRestacked) {
  Surface surface;
  Sprite back(surface);
  Sprite middle(surface);
  Sprite front(surface);
  ASSERT_EQ(surface.BackToFront(), (std::vector<Control*>{&back, &middle, &front}));

  surface.SendToBack(front);
  EXPECT_EQ(surface.BackToFront(), (std::vector<Control*>{&front, &back, &middle}));
  surface.BringToFront(back);
  EXPECT_EQ(surface.BackToFront(), (std::vector<Control*>{&front, &middle, &back}));
}

TEST(Surface, TransparentPixelsShowWhatLiesBehind) {
  Surface surface;
  surface.resize(4, 4);
  surface.SetBackColor({0, 0, 255});
  QImage half(2, 2, QImage::Format_ARGB32);
  half.fill(Qt::transparent);
  half.setPixel(0, 0, qRgb(255, 0, 0));
  Sprite sprite(surface);
  sprite.SetPicture(Picture(half));

  const QImage shot = surface.grab().toImage();
  EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shot.pixel(1, 0), qRgb(0, 0, 255));
  EXPECT_EQ(shot.pixel(3, 3), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace starveil::platform
