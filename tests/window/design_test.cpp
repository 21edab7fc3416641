#include <gtest/gtest.h>

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <optional>
#include <string>
#include <vector>

#include "assets/pictures.h"
#include "support/game_window.h"
#include "window/frm_main.h"

// The game window as it stands when created, before it has loaded.
namespace starveil::testing {
namespace {

using platform::Control;
using platform::Rgb;
using platform::TwipRect;

QImage Pixels(const platform::Picture& picture) {
  return picture.Image().convertToFormat(QImage::Format_ARGB32);
}

QImage Pixels(const QIcon& icon) {
  return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

std::string Indexed(const std::string& pool, int i) {
  return pool + "(" + std::to_string(i) + ")";
}

TEST(Design, TheWindowIsAFixedGreyFrameTitledAndIconedAsDesigned) {
  frmMain frm;
  EXPECT_EQ(frm.windowTitle(), "Starveil by Pellamy");
  const Qt::WindowFlags flags = frm.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags & Qt::FramelessWindowHint);
  EXPECT_EQ(frm.minimumSize(), frm.maximumSize()) << "the user cannot resize it";
  EXPECT_EQ(frm.size(), QSize(358, 424));
  EXPECT_EQ(frm.grab().toImage().pixelColor(2, 2), QColor(208, 208, 208));
  EXPECT_EQ(Pixels(frm.windowIcon()), Pixels(assets::Load("d2")));
}

struct LabelRow {
  const platform::Label* label;
  TwipRect rect;
  const char* caption;
  float points;
  std::optional<Rgb> back;
  Rgb fore;
  bool boxed;  // right-aligned inside a single-line border
};

TEST(Design, EveryLabelHasItsPlaceCaptionFontColoursAlignmentAndBorder) {
  frmMain f;
  constexpr Rgb kBlack{0, 0, 0}, kNavy{0, 0, 128}, kMaroon{128, 0, 0};
  const LabelRow rows[] = {
      {&f.Label1[1], {1320, 120, 675, 255}, "Points", 9.75f, {}, kBlack, false},
      {&f.lblPoints, {2040, 120, 1155, 285}, "000.000.000", 9.75f, Rgb{192, 255, 255}, kNavy, true},
      {&f.Label1[0], {3240, 120, 855, 255}, "Level", 9.75f, {}, kBlack, false},
      {&f.lblLevel, {3840, 120, 435, 285}, "000", 9.75f, Rgb{255, 224, 192}, kMaroon, true},
      {&f.Label1[2], {1320, 540, 1155, 255}, "Active Lives", 9.75f, {}, kBlack, false},
      {&f.Label2, {2520, 450, 795, 390}, "", 9.75f, Rgb{208, 250, 208}, kMaroon, true},
      {&f.Label1[3], {1320, 840, 1515, 255}, "Free to Distribute", 8.25f, {}, kBlack, false},
  };
  EXPECT_EQ(f.Label1.Count(), 4);
  for (const LabelRow& row : rows) {
    SCOPED_TRACE(row.caption);
    const platform::Label& label = *row.label;
    EXPECT_EQ(label.Rect(), row.rect);
    EXPECT_EQ(label.Caption(), row.caption);
    EXPECT_EQ(label.GetFont().family, "Liberation Sans");
    EXPECT_EQ(label.GetFont().points, row.points);
    EXPECT_TRUE(label.GetFont().bold);
    if (row.back) {
      EXPECT_EQ(label.BackColor(), row.back);
    }
    EXPECT_EQ(label.ForeColor(), row.fore);
    EXPECT_EQ(label.GetAlignment() == platform::Alignment::kRight, row.boxed);
    EXPECT_EQ(label.Border(), row.boxed);
  }
}

TEST(Design, WindowedControlsAndThePlayfield) {
  frmMain f;
  struct {
    const QWidget* widget;
    QRect pixels;  // the design's twips over 15
    int fontPixels;
  } const rows[] = {
      {&f.cmdStart, {296, 8, 57, 25}, 11},  // 8.25 pt
      {&f.Text1, {336, 16, 9, 11}, 5},      // 3.75 pt
      {&f.Pellamy, {224, 40, 129, 33}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pixels.x());
    EXPECT_EQ(row.widget->geometry(), row.pixels);
    if (row.fontPixels == 0) continue;
    EXPECT_EQ(row.widget->font().family(), "Liberation Sans");
    EXPECT_EQ(row.widget->font().pixelSize(), row.fontPixels);
    EXPECT_FALSE(row.widget->font().bold());
  }
  EXPECT_EQ(f.cmdStart.text(), "Start");
  EXPECT_EQ(f.Text1.Text(), "Text1");
  EXPECT_EQ(Pixels(f.Pellamy.GetPicture()), Pixels(assets::Load("pellamy")));

  EXPECT_EQ(f.Shape1.Rect(), (TwipRect{0, 1200, 5295, 4155}));
  EXPECT_EQ(f.Shape1.FillColor(), (Rgb{0, 0, 0}));
}

struct SpriteRow {
  std::string name;
  const platform::Sprite* sprite;
  TwipRect rect;
  std::string picture;  // the built-in picture whose pixels it shows; empty for none
};

std::vector<SpriteRow> DesignedSprites(frmMain& f) {
  std::vector<SpriteRow> rows{
      {"Image1", &f.Image1, {120, 120, 1155, 855}, "title"},
      {"SH", &f.SH, {2520, 4680, 480, 480}, "se8"},
      {"M(0)", &f.M[0], {2760, 5760, 240, 240}, "d4"},
      {"M(1)", &f.M[1], {2760, 5520, 240, 240}, ""},
      {"K(0)", &f.K[0], {4080, 5760, 240, 240}, "mi1"},
      {"MI(0)", &f.MI[0], {3960, 5580, 240, 240}, "mi0"},
      {"MI(1)", &f.MI[1], {4140, 5580, 240, 240}, "mi1"},
      {"R(0)", &f.R[0], {3660, 5580, 240, 240}, "r0"},
      {"R(1)", &f.R[1], {3780, 5580, 240, 240}, "r1"},
      {"R(2)", &f.R[2], {3780, 5760, 240, 240}, "r1"},
      {"R(3)", &f.R[3], {3600, 5760, 240, 240}, "r3"},
      {"SE(8)", &f.SE[8], {6000, 1440, 480, 480}, "se8"},
  };
  struct FramePool {
    const char* name;
    const game::SpritePool& pool;
    float left, top;
  };
  for (const FramePool& frames :
       {FramePool{"A", f.A, 300, 5580}, FramePool{"B", f.B, 1560, 5580},
        FramePool{"C", f.C, 300, 5820}, FramePool{"D", f.D, 1560, 5820}}) {
    for (int i = 0; i <= 4; ++i) {
      const float left = frames.left + 240.0f * static_cast<float>(i);
      rows.push_back({Indexed(frames.name, i),
                      &frames.pool[i],
                      {left, frames.top, 240, 240},
                      QString(frames.name).toLower().toStdString() + std::to_string(i)});
    }
  }
  const float explosionTops[] = {2040, 2580, 3180, 3780, 4380, 4920, 5460, 6000};
  for (int i = 0; i < 8; ++i) {
    rows.push_back(
        {Indexed("SE", i), &f.SE[i], {6060, explosionTops[i], 480, 480}, "se" + std::to_string(i)});
  }
  for (int i = 0; i <= 2; ++i) {
    const float left = 2520 + 240.0f * static_cast<float>(i);
    rows.push_back({Indexed("Lives", i), &f.Lives[i], {left, 480, 300, 300}, "se8"});
  }
  return rows;
}

TEST(Design, EverySpriteStandsWhereDesignedWithItsPictureVisibleAndUntagged) {
  frmMain frm;
  const std::vector<SpriteRow> rows = DesignedSprites(frm);
  ASSERT_EQ(rows.size(), 43u);
  for (const SpriteRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.sprite->Rect(), row.rect);
    if (row.picture.empty()) {
      EXPECT_TRUE(row.sprite->Picture().IsNone());
    } else {
      EXPECT_EQ(Pixels(row.sprite->Picture()), Pixels(assets::Load(row.picture)));
    }
    EXPECT_TRUE(row.sprite->Visible()) << "stored out of sight by position, never hidden";
    EXPECT_EQ(row.sprite->Tag(), "");
  }
  // Only the life markers stretch their picture: 32 pixels drawn into 20.
  for (int i = 0; i <= 2; ++i) {
    EXPECT_TRUE(frm.Lives[i].Stretch());
    EXPECT_EQ(platform::PixelRect(frm.Lives[i].Rect()), QRect(168 + 16 * i, 32, 20, 20));
  }
  EXPECT_FALSE(frm.SH.Stretch());
  EXPECT_FALSE(frm.Image1.Stretch());

  struct {
    const game::SpritePool& pool;
    int last;
  } const pools[] = {{frm.M, 1}, {frm.K, 0}, {frm.MI, 1}, {frm.R, 3},  {frm.A, 4},
                     {frm.B, 4}, {frm.C, 4}, {frm.D, 4},  {frm.SE, 8}, {frm.Lives, 2}};
  for (const auto& p : pools)
    EXPECT_EQ(std::make_pair(p.pool.LBound(), p.pool.Count()), std::make_pair(0, p.last + 1));
}

TEST(Design, PicturesAreSharedOrCopiedAsTheRulesExpect) {
  frmMain frm;
  EXPECT_TRUE(frm.M[0].Picture() == frm.D[4].Picture()) << "the template shares D(4)'s picture";
  struct {
    const char* name;
    const platform::Sprite& copy;
    const platform::Sprite& original;
  } const copies[] = {
      {"R(2)", frm.R[2], frm.R[1]},
      {"K(0)", frm.K[0], frm.MI[1]},
      {"SH", frm.SH, frm.SE[8]},
      {"Lives(0)", frm.Lives[0], frm.SE[8]},
      {"Lives(1)", frm.Lives[1], frm.SE[8]},
      {"Lives(2)", frm.Lives[2], frm.SE[8]},
  };
  for (const auto& c : copies) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(c.copy.Picture() == c.original.Picture()) << "a separate picture";
    EXPECT_EQ(Pixels(c.copy.Picture()), Pixels(c.original.Picture())) << "with the same pixels";
  }
}

TEST(Design, StackingOrderFromBackToFront) {
  frmMain f;
  std::vector<Control*> expected{&f.Shape1,    &f.SH,        &f.Label1[0], &f.Label1[1],
                                 &f.Label1[2], &f.lblPoints, &f.lblLevel,  &f.Label2};
  for (game::SpritePool* pool : {&f.Lives, &f.SE, &f.A, &f.B, &f.C, &f.D}) {
    for (int i = 0; i <= pool->UBound(); ++i)
      expected.push_back(&(*pool)[i]);
  }
  expected.insert(expected.end(), {&f.M[0], &f.R[0], &f.R[1], &f.R[2], &f.M[1], &f.MI[0], &f.MI[1],
                                   &f.K[0], &f.R[3], &f.Image1, &f.Label1[3]});
  EXPECT_EQ(f.BackToFront(), expected);

  // The windowed controls lie over all of those: the logo, then the button, then the text box.
  const QObjectList& children = f.children();
  EXPECT_LT(children.indexOf(&f.Text1), children.indexOf(&f.cmdStart));
  EXPECT_LT(children.indexOf(&f.cmdStart), children.indexOf(&f.Pellamy));
  for (const QWidget* widget : {static_cast<QWidget*>(&f.Text1), static_cast<QWidget*>(&f.cmdStart),
                                static_cast<QWidget*>(&f.Pellamy)}) {
    EXPECT_TRUE(widget->isVisibleTo(&f));
  }
}

TEST(Design, TheFocusSinkIsHiddenBehindTheStartButton) {
  frmMain frm;
  const QRect sink = frm.Text1.geometry();
  EXPECT_EQ(frm.childAt(sink.center()), &frm.cmdStart);
  const QImage window = frm.grab().toImage();
  const QImage button = frm.cmdStart.grab().toImage();
  for (int x = sink.left(); x <= sink.right(); ++x) {
    for (int y = sink.top(); y <= sink.bottom(); ++y)
      ASSERT_EQ(window.pixel(x, y), button.pixel(frm.cmdStart.mapFrom(&frm, QPoint(x, y))));
  }
}

TEST(Design, FocusStartsOnStartAndTabsToTheSinkThenTheLogo) {
  GameWindow gw;
  frmMain& frm = *gw.frm;
  frm.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
  std::vector<QWidget*> focus{QApplication::focusWidget()};
  for (int press = 0; press < 3; ++press) {
    PressKey(frm, Qt::Key_Tab);
    focus.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(focus, (std::vector<QWidget*>{&frm.cmdStart, &frm.Text1, &frm.Pellamy, &frm.cmdStart}));
  frm.Unload();
}

TEST(Design, KeysPressedWhileTheLogoHasTheFocusReachNoHandler) {
  GameWindow gw;
  frmMain& frm = *gw.frm;
  frm.Show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));
  frm.cmdStart.click();
  ASSERT_EQ(QApplication::focusWidget(), &frm.Text1);
  const float start = frm.SH.Left();
  PressKey(frm, Qt::Key_Left);
  ASSERT_EQ(frm.SH.Left(), start - 60) << "the keys act while a game is played";

  PressKey(frm, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &frm.Pellamy);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Space, Qt::Key_Down})
    PressKey(frm, key);
  EXPECT_EQ(frm.SH.Left(), start - 60);
  EXPECT_FALSE(gw.state().ShotInFlight);
  EXPECT_EQ(QApplication::focusWidget(), &frm.Pellamy);
  frm.Unload();
}

}  // namespace
}  // namespace starveil::testing
