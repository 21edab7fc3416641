#include "platform/window.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "platform/widgets.h"

namespace starveil::platform {
namespace {

class ProbeWindow final : public Window {
 public:
  int loads = 0;
  int unloads = 0;
  int clicks = 0;
  std::vector<std::pair<int, int>> keys;

 protected:
  void Form_Load() override { ++loads; }
  void Form_Unload() override { ++unloads; }
  void Form_Click() override { ++clicks; }
  void Form_KeyDown(std::int16_t key, std::int16_t shift) override {
    keys.emplace_back(key, shift);
  }
};

TEST(Window, LoadsOnceAndUnloadsOnce) {
  ProbeWindow window;
  window.Show();
  window.Show();
  EXPECT_EQ(window.loads, 1);
  EXPECT_TRUE(window.IsLoaded());
  window.Unload();
  window.Unload();
  EXPECT_EQ(window.unloads, 1);
  EXPECT_TRUE(window.IsUnloaded());
  EXPECT_FALSE(window.isVisible());
}

TEST(Window, AModalShowReturnsOnlyOnceTheWindowHasBeenUnloaded) {
  ProbeWindow window;
  bool returned = false;
  bool shownWhileWaiting = false;
  QTimer::singleShot(0, [&] {
    shownWhileWaiting = window.isVisible() && !returned;
    QTimer::singleShot(20, [&] { window.Unload(); });
  });
  window.ShowModal();
  returned = true;
  EXPECT_TRUE(shownWhileWaiting);
  EXPECT_TRUE(window.IsUnloaded());
}

TEST(Window, HeightIsTheOuterHeightAndTheClientGetsAllButTheAllowance) {
  Window window;
  window.SetClientSize(5370, 6360);
  EXPECT_EQ(window.width(), 358);
  EXPECT_EQ(window.Width(), 5370);
  window.SetHeight(1200 + 4155 + 440);
  const float clientBottom = PixelsToTwips(window.height());
  EXPECT_GT(clientBottom, 5355) << "the playfield's bottom edge shows";
  EXPECT_LT(clientBottom, 5520) << "the sprites stored below it do not";
  EXPECT_NEAR(window.Height(), 5795, kTwipsPerPixel);
}

TEST(Window, KeysReachTheWindowOnlyWhenNoControlHasTheFocus) {
  ProbeWindow window;
  window.Show();
  QTest::keyClick(&window, Qt::Key_Left, Qt::ShiftModifier);  // Shift goes down first
  ASSERT_EQ(window.keys.size(), 2u);
  EXPECT_EQ(window.keys[1], std::make_pair(37, 1));

  QLineEdit edit(&window);
  edit.show();
  edit.setFocus();
  ASSERT_EQ(window.focusWidget(), &edit);
  QTest::keyClick(&edit, Qt::Key_Down);  // a line edit passes Down on to its window
  EXPECT_EQ(window.keys.size(), 2u);
}

TEST(Window, AClickOnTheWindowItselfIsAClickButNotOneInsideAFrame) {
  ProbeWindow window;
  window.resize(200, 100);
  Frame frame(window);
  frame.setGeometry(100, 0, 100, 100);
  window.Show();
  QTest::mouseClick(&frame, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(window.clicks, 0);
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(10, 50));
  EXPECT_EQ(window.clicks, 1);
}

TEST(Window, ClosingUnloads) {
  ProbeWindow window;
  window.Show();
  window.close();
  EXPECT_TRUE(window.IsUnloaded());
  EXPECT_EQ(window.unloads, 1);
}

}  // namespace
}  // namespace starveil::platform
