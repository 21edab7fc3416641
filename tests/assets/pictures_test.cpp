#include "assets/pictures.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "assets/picture_checks.h"

namespace starveil::assets {
namespace {

using checks::Centroid;
using checks::Mirrored;
using checks::OpaqueBounds;
using checks::OpaqueCount;
using checks::Sprite;

const char* const kRows[] = {"a", "b", "c", "d"};

std::string Frame(const char* row, int frame) {
  return row + std::to_string(frame);
}

TEST(Assets, EverySpriteHasItsSize) {
  std::vector<std::pair<std::string, int>> sizes;
  for (const char* row : kRows) {
    for (int f = 0; f < 5; ++f)
      sizes.emplace_back(Frame(row, f), 16);
  }
  for (const char* name : {"r0", "r1", "r3", "mi0", "mi1"})
    sizes.emplace_back(name, 16);
  for (int f = 0; f <= 8; ++f)
    sizes.emplace_back(Frame("se", f), 32);

  for (const auto& [name, size] : sizes) {
    const platform::Picture picture = Load(name);
    EXPECT_EQ(picture.PixelWidth(), size) << name;
    EXPECT_EQ(picture.PixelHeight(), size) << name;
    EXPECT_TRUE(picture.Image().hasAlphaChannel()) << name << " needs transparent pixels";
  }
}

TEST(Assets, LogosHaveTheirSizes) {
  const struct {
    const char* name;
    int width, height;
  } logos[] = {{"title", 77, 57}, {"pellamy", 123, 36}, {"splash", 547, 411}};
  for (const auto& logo : logos) {
    const platform::Picture picture = Load(logo.name);
    EXPECT_EQ(picture.PixelWidth(), logo.width) << logo.name;
    EXPECT_EQ(picture.PixelHeight(), logo.height) << logo.name;
  }
}

TEST(Assets, OuterMonsterFramesAreMirrorsOfEachOther) {
  for (const char* row : kRows) {
    EXPECT_EQ(Sprite(Frame(row, 0)), Mirrored(Sprite(Frame(row, 4))))
        << row << "0 and " << row << "4";
    if (row == std::string("c")) continue;  // its eyes differ, checked below
    EXPECT_EQ(Sprite(Frame(row, 1)), Mirrored(Sprite(Frame(row, 3))))
        << row << "1 and " << row << "3";
  }
}

TEST(Assets, RowTwoInnerFramesMirrorEachOtherExceptForAFewEyePixels) {
  const QImage c1 = Sprite("c1");
  const QImage c3 = Mirrored(Sprite("c3"));
  int differing = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (c1.pixel(x, y) == c3.pixel(x, y)) continue;
      ++differing;
      EXPECT_TRUE(y >= 1 && y <= 4) << "only the eyes may differ, not (" << x << ", " << y << ")";
    }
  }
  EXPECT_LE(differing, 8);
}

TEST(Assets, RocketFramesAreMirrorsOfEachOther) {
  EXPECT_EQ(Sprite("mi1"), Mirrored(Sprite("mi0")));
}

// Every monster frame differs from its neighbours in the back-and-forth playback, and the two end
// frames lean to opposite sides of the middle pose, so the monster sways.
TEST(Assets, MonstersSwayFromSideToSide) {
  for (const char* row : kRows) {
    for (int f = 0; f < 4; ++f) {
      EXPECT_NE(Sprite(Frame(row, f)), Sprite(Frame(row, f + 1)))
          << row << f << " and " << row << f + 1;
    }
    const double middle = Centroid(Sprite(Frame(row, 2)));
    const double left = Centroid(Sprite(Frame(row, 0))) - middle;
    const double right = Centroid(Sprite(Frame(row, 4))) - middle;
    EXPECT_LT(left * right, 0) << row << "0 and " << row << "4 must lean to opposite sides";
  }
}

TEST(Assets, FiguresStayInsideTheirColumnsAndRows) {
  struct Case {
    std::string name;
    QRect allowed;  // columns and rows the figure may use; everything else is transparent
  };
  std::vector<Case> cases;
  for (const char* row : kRows) {
    for (int f = 0; f < 5; ++f)
      cases.push_back({Frame(row, f), QRect(QPoint(1, 0), QPoint(14, 14))});
  }
  for (const char* shot : {"r0", "r1", "r3"})
    cases.push_back({shot, QRect(QPoint(6, 1), QPoint(9, 15))});
  for (const char* rocket : {"mi0", "mi1"})
    cases.push_back({rocket, QRect(QPoint(6, 0), QPoint(9, 15))});
  cases.push_back({"se8", QRect(QPoint(8, 2), QPoint(24, 31))});

  for (const Case& c : cases) {
    const QRect bounds = OpaqueBounds(Sprite(c.name));
    EXPECT_FALSE(bounds.isEmpty()) << c.name;
    EXPECT_TRUE(c.allowed.contains(bounds)) << c.name;
  }
}

TEST(Assets, CannonSpansItsColumnsAndStandsOnTheBottomRow) {
  EXPECT_EQ(OpaqueBounds(Sprite("se8")), QRect(QPoint(8, 2), QPoint(24, 31)));
}

TEST(Assets, ShotBodyAndExhaustKeepToTheirRows) {
  const QColor rail(37, 87, 255);
  for (const char* name : {"r0", "r1", "r3"}) {
    const QImage shot = Sprite(name);
    const QRect body = OpaqueBounds(shot.copy(0, 0, 16, 11));
    EXPECT_EQ(body.top(), 1) << name;
    EXPECT_EQ(body.bottom(), 10) << name;
    EXPECT_GT(OpaqueCount(shot.copy(0, 11, 16, 5)), 0) << name << " has an exhaust";
    for (int y = 11; y < 16; ++y) {
      for (int x = 0; x < 16; ++x)
        EXPECT_NE(shot.pixelColor(x, y), rail) << name << " rails end at row 10";
    }
  }
  // Each frame's exhaust is its own.
  const QImage r0 = Sprite("r0").copy(0, 11, 16, 5);
  const QImage r1 = Sprite("r1").copy(0, 11, 16, 5);
  const QImage r3 = Sprite("r3").copy(0, 11, 16, 5);
  EXPECT_NE(r0, r1);
  EXPECT_NE(r1, r3);
  EXPECT_NE(r0, r3);
}

TEST(Assets, RocketBoltIsTwoPixelsThickOnEveryRow) {
  for (const char* name : {"mi0", "mi1"}) {
    const QImage bolt = Sprite(name);
    for (int y = 0; y < 16; ++y) {
      const QRect row = OpaqueBounds(bolt.copy(0, y, 16, 1));
      EXPECT_EQ(OpaqueCount(bolt.copy(0, y, 16, 1)), 2) << name << " row " << y;
      EXPECT_EQ(row.width(), 2) << name << " row " << y;
    }
  }
}

TEST(Assets, ExplosionFramesHaveTheirOpaqueCounts) {
  const int counts[] = {239, 267, 340, 298, 245, 179, 54, 8};
  for (int f = 0; f < 8; ++f)
    EXPECT_EQ(OpaqueCount(Sprite(Frame("se", f))), counts[f]) << "se" << f;
}

TEST(Assets, LastEmbersLieOnTheBottomRows) {
  const QImage embers = Sprite("se7");
  EXPECT_GE(OpaqueBounds(embers).top(), 28);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (embers.pixelColor(x, y).alpha() == 0) continue;
      const QColor c = embers.pixelColor(x, y);
      EXPECT_TRUE(c == QColor(255, 72, 72) || c == QColor(255, 170, 37)) << c.name().toStdString();
    }
  }
}

TEST(Assets, FiguresWearTheirColours) {
  const struct {
    const char* name;
    std::vector<QColor> colours;
  } cases[] = {
      {"a2",
       {{0, 220, 0}, {0, 115, 0}, {220, 220, 0}, {98, 98, 98}, {110, 110, 110}, {14, 14, 14}}},
      {"b2", {{0, 220, 220}, {74, 115, 0}, {255, 212, 142}, {37, 87, 255}}},
      {"c2",
       {{220, 146, 0}, {150, 0, 49}, {206, 206, 206}, {86, 86, 86}, {0, 185, 0}, {198, 255, 107}}},
      {"d2", {{255, 72, 255}, {170, 0, 255}, {0, 220, 0}, {255, 255, 177}, {255, 255, 255}}},
      {"r0",
       {{142, 255, 142},
        {255, 107, 107},
        {255, 198, 107},
        {255, 37, 37},
        {220, 0, 0},
        {255, 255, 0}}},
      {"r1", {{37, 115, 0}, {255, 255, 142}}},
      {"r3", {{37, 115, 0}, {255, 255, 142}}},
      {"mi0", {{220, 220, 0}}},
      {"se8", {{0, 150, 150}, {107, 198, 255}, {255, 171, 142}, {72, 115, 255}, {220, 220, 0}}},
      {"se2", {{255, 255, 0}}},
      {"se3", {{255, 255, 0}, {107, 198, 255}, {0, 150, 150}}},
  };
  for (const auto& c : cases) {
    const QImage image = Sprite(c.name);
    for (const QColor& colour : c.colours) {
      EXPECT_TRUE(checks::HasColour(image, colour))
          << c.name << " lacks " << colour.name().toStdString();
    }
  }
}

TEST(Assets, OnlyTheOpenMouthedFaceHasWhiteAntennaTips) {
  for (int f = 0; f < 5; ++f) {
    EXPECT_EQ(checks::HasColour(Sprite(Frame("d", f)), Qt::white), f == 2) << "d" << f;
  }
}

TEST(Assets, TitleLogoIsASingleFrameGifWithATransparentGrey) {
  QFile file(":/title.gif");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const checks::GifLayout gif = checks::ReadGifLayout(bytes);

  EXPECT_EQ(bytes.left(6), QByteArray("GIF89a"));
  EXPECT_EQ(gif.width, 77);
  EXPECT_EQ(gif.height, 57);
  EXPECT_EQ(gif.paletteSize, 256);
  EXPECT_EQ(gif.palette255, QColor(210, 210, 210));
  EXPECT_EQ(gif.backgroundIndex, 255);
  EXPECT_EQ(gif.transparentIndex, 255);
  EXPECT_EQ(gif.images, 1);
  EXPECT_FALSE(gif.interlaced);

  const QImage logo(":/title.gif");
  const int pixels = logo.width() * logo.height();
  const double transparentShare = (pixels - OpaqueCount(logo)) / static_cast<double>(pixels);
  EXPECT_GT(transparentShare, 0.25);
  EXPECT_LT(transparentShare, 0.42);
}

TEST(Assets, TitleLogoIsBlueLetteringInALightGreyHalo) {
  const QImage logo = QImage(":/title.gif").convertToFormat(QImage::Format_ARGB32);
  int blue = 0, halo = 0;
  for (int y = 0; y < logo.height(); ++y) {
    for (int x = 0; x < logo.width(); ++x) {
      const QColor c = logo.pixelColor(x, y);
      if (c.alpha() == 0) continue;
      const bool grey = c.red() == c.green() && c.green() == c.blue();
      if (grey) {
        EXPECT_GE(c.red(), 206);
        EXPECT_LE(c.red(), 222);
        ++halo;
      } else {
        EXPECT_GT(c.blue(), c.red()) << "lettering is blue";
        if (checks::Near(c, QColor(41, 115, 181), 16)) ++blue;
      }
    }
  }
  EXPECT_GT(blue, 200);
  EXPECT_GT(halo, 1000);
}

TEST(Assets, MakerLogoIsARedNameOnWhite) {
  QFile file(":/pellamy.jpg");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("\xFF\xD8\xFF")) << "a JPEG";

  const QImage logo(":/pellamy.jpg");
  EXPECT_EQ(logo.size(), QSize(123, 36));
  EXPECT_TRUE(checks::Near(logo.pixelColor(0, 0), Qt::white, 6));
  EXPECT_GT(checks::CountNear(logo, QColor(214, 22, 30), 40), 200) << "red lettering";
}

TEST(Assets, SplashIsAnOpaqueEarthUnderBlackSpace) {
  QFile file(":/splash.png");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  ASSERT_GT(bytes.size(), 26);
  EXPECT_EQ(bytes.at(24), 8) << "eight bits per channel";
  EXPECT_EQ(bytes.at(25), 2) << "RGB without alpha";

  const QImage splash(":/splash.png");
  EXPECT_EQ(splash.size(), QSize(547, 411));
  EXPECT_FALSE(splash.hasAlphaChannel());

  const QColor space = checks::Average(splash, QRect(250, 56, 60, 8));
  EXPECT_LT(space.value(), 40) << "black space above the horizon";
  const QColor earth = checks::Average(splash, QRect(0, 140, 547, 271));
  EXPECT_GT(earth.blue(), earth.red() + 30) << "blue ocean below it";
  EXPECT_GT(checks::CountNear(splash.copy(0, 0, 250, 70), QColor(200, 25, 25), 60), 150)
      << "the title at the top left";
  EXPECT_GT(checks::CountNear(splash.copy(380, 0, 167, 70), Qt::white, 10), 1500)
      << "the maker's label at the top right";
}

}  // namespace
}  // namespace starveil::assets
