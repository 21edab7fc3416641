#include <gtest/gtest.h>

#include <QMarginsF>
#include <QPoint>
#include <QRectF>
#include <QSizeF>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "desktop/desktop_scale.h"
#include "desktop/display_choice.h"
#include "desktop/placement.h"
#include "desktop/qt_noise.h"

// Places read as places in a failure, not as bytes.
void PrintTo(const QPoint& point, std::ostream* out) {
  *out << "(" << point.x() << ", " << point.y() << ")";
}

// The rules by which the game meets a desktop, fed plain values as the desktops tell them.
namespace starveil::desktop {
namespace {

TEST(Placement, CentresTheFramedWindowWithinAPixelOnTheCompositorsGrid) {
  struct Row {
    const char* what;
    QRectF area;
    QSizeF client;
    QMarginsF frame;
    qreal scale;
    QPoint place;
  };
  const std::vector<Row> rows{
      {"unframed", {0, 0, 1920, 1080}, {640, 480}, {}, 1, {640, 300}},
      {"a title bar: half a pixel rounds down the screen",
       {0, 0, 1920, 1080},
       {640, 480},
       {1, 30, 1, 1},
       1,
       {640, 315}},
      {"below a panel", {0, 32, 1920, 1048}, {640, 480}, {1, 30, 1, 1}, 1, {640, 331}},
      {"at 1.5 the nearest unit is a pixel and a quarter off: the one within a pixel",
       {0, 0, 1280, 720},
       {400, 301},
       {0, 20, 0, 2},
       1.5,
       {440, 218}},
      {"at 1.5 the frame's corner on every third pixel, over the nearer place",
       {0, 0.9, 1280, 720},
       {400, 301},
       {0, 20, 0, 2},
       1.5,
       {440, 220}},
      {"at 2 no place within a pixel is crisp: the nearest",
       {0, 0, 960, 540},
       {320, 240},
       {2, 15.5, 2, 2},
       2,
       {320, 157}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CentredClientPlace(row.area, row.client, row.frame, row.scale), row.place);
  }
}

TEST(DesktopScale, ReadsXftDpiAsTheWholeScaleAbove) {
  struct Row {
    const char* resources;
    int scale;
  };
  const std::vector<Row> rows{
      {"", 1},
      {"Xft.dpi:\t96\n", 1},
      {"Xft.dpi:\t97\n", 2},
      {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 2},
      {"Xcursor.size:\t48\nXft.dpi:\t288", 3},
      {"Xft.dpi:\t0\n", 1},
      {"Xft.dpi:\tlarge\n", 1},
      {"Xft.dpi:\tinf\n", 1},
      {"Xft.dpi:\t1e300\n", std::numeric_limits<int>::max()},
      {"Emacs.Xft.dpi:\t192\nXft.dpi:\t96\n", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.resources);
    EXPECT_EQ(XClientScaleOf(row.resources), row.scale);
  }
}

TEST(DisplayChoice, TakesWaylandOnlyWhereTheCompositorWouldEnlargeAnX11Window) {
  struct Row {
    Session session;
    int compositorScale;
    int xClientScale;
    std::string order;
  };
  const std::vector<Row> rows{
      {{"", true, true}, 1, 1, "xcb;wayland"},  {{"", true, true}, 2, 1, "wayland;xcb"},
      {{"", true, true}, 2, 2, "xcb;wayland"},  {{"", true, true}, 3, 2, "wayland;xcb"},
      {{"", true, false}, 2, 1, "xcb;wayland"}, {{"", false, true}, 2, 1, ""},
      {{"xcb", true, true}, 2, 1, ""},          {{"wayland", true, true}, 1, 1, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message()
                 << "QT_QPA_PLATFORM '" << row.session.userPlatform << "' X "
                 << row.session.xDisplay << " Wayland " << row.session.waylandDisplay << " scales "
                 << row.compositorScale << "/" << row.xClientScale);
    EXPECT_EQ(PlatformOrder(row.session, row.compositorScale, row.xClientScale), row.order);
  }
}

TEST(QtNoise, LeavesOutQtsWarningsAboutItselfAndNothingElse) {
  struct Row {
    QtMsgType type;
    const char* category;
    const char* message;
    bool noise;
  };
  const std::vector<Row> rows{
      {QtWarningMsg, "default",
       "QSpiApplication::keyEventError \"org.freedesktop.DBus.Error.NoReply\"", true},
      {QtWarningMsg, "qt.qpa.wayland",
       "The cached device pixel ratio value was stale on window expose.", true},
      {QtWarningMsg, "qt.accessibility.atspi", "Could not find accessible on path: \"/x\"", true},
      {QtWarningMsg, "qt.qpa.wayland.textinput",
       "QWaylandTextInputv3::zwp_text_input_v3_leave Got leave event for surface without "
       "corresponding enter",
       true},
      {QtCriticalMsg, "default",
       "QSpiApplication::keyEventError \"org.freedesktop.DBus.Error.NoReply\"", false},
      {QtCriticalMsg, "qt.accessibility.atspi", "Could not connect to the bus", false},
      {QtWarningMsg, "qt.qpa.wayland", "Could not create a surface for the window", false},
      {QtWarningMsg, "default", "Could not find the Qt platform plugin \"wayland\" in \"\"", false},
      {QtWarningMsg, "default", "Said: QSpiApplication::keyEventError", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.category << ": " << row.message);
    EXPECT_EQ(IsQtNoise(row.type, row.category, row.message), row.noise);
  }
}

}  // namespace
}  // namespace starveil::desktop
