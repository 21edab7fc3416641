#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

#include "desktop/desktop_scale.h"
#include "desktop/display_choice.h"
#include "desktop/placement.h"
#include "desktop/qt_noise.h"
#include "desktop/title_bar.h"

// The rules by which the game meets a desktop, fed plain values as the desktops tell them.
namespace starveil::desktop {
namespace {

TEST(Placement, CentresTheFramedWindowWithinAPixelOnTheCompositorsGrid) {
  // A client area of 358x301 under each screen's available area, frame and scale.
  const std::tuple<const char*, QRectF, QMarginsF, qreal, QPoint> rows[] = {
      {"half a pixel rounds down", {0, 0, 1920, 1080}, {1, 30, 1, 2}, 1, {781, 404}},
      {"below a panel", {0, 32, 1920, 1048}, {1, 30, 1, 2}, 1, {781, 420}},
      {"the nearest 1.25 px off", {0, 0, 1280, 720}, {0, 20, 0, 2}, 1.5, {461, 218}},
      {"on every third pixel", {0, 0.9, 1280, 720}, {0, 20, 0, 2}, 1.5, {461, 220}},
      {"nothing crisp: the nearest", {0, 0, 960, 540}, {2, 15.5, 2, 2}, 2, {301, 126}}};
  for (const auto& [what, area, frame, scale, place] : rows) {
    const QPoint placed = CentredClientPlace(area, {358, 301}, frame, scale);
    EXPECT_EQ(std::pair(placed.x(), placed.y()), std::pair(place.x(), place.y())) << what;
  }
}

TEST(DesktopScale, ReadsXftDpiAsTheWholeScaleAbove) {
  const std::pair<const char*, int> rows[] = {
      {"", 1},
      {"Xft.dpi:\t96\n", 1},
      {"Xft.dpi:\t97\n", 2},
      {"Xft.antialias:\t1\nXft.dpi:\t144\nXft.hinting:\t1\n", 2},
      {"Xcursor.size:\t48\nXft.dpi:\t288", 3},
      {"Xft.dpi:\t0\n", 1},
      {"Xft.dpi:\tinf\n", 1},
      {"Xft.dpi:\t1e300\n", std::numeric_limits<int>::max()},
      {"Emacs.Xft.dpi:\t192\nXft.dpi:\t96\n", 1}};
  for (const auto& [resources, scale] : rows)
    EXPECT_EQ(XClientScaleOf(resources), scale) << resources;
}

TEST(DisplayChoice, TakesWaylandOnlyWhereTheCompositorWouldEnlargeAnX11Window) {
  // The user's QT_QPA_PLATFORM, an X display, a Wayland one, their scales, and the choice.
  const std::tuple<Session, int, int, const char*> rows[] = {
      {{"", true, true}, 1, 1, "xcb;wayland"},  {{"", true, true}, 2, 1, "wayland;xcb"},
      {{"", true, true}, 2, 2, "xcb;wayland"},  {{"", true, true}, 3, 2, "wayland;xcb"},
      {{"", true, false}, 2, 1, "xcb;wayland"}, {{"", false, true}, 2, 1, ""},
      {{"xcb", true, true}, 2, 1, ""},          {{"wayland", true, true}, 1, 1, ""}};
  for (const auto& row : rows) {
    const auto& [session, compositorScale, xClientScale, order] = row;
    EXPECT_EQ(PlatformOrder(session, compositorScale, xClientScale), order)
        << "row " << &row - rows;
  }
}

TEST(TitleBar, IsOursOnlyNativelyOnWaylandWhereNeitherTheCompositorNorQtDrawsTheOneAskedFor) {
  // Qt's platform, its version, whether the compositor draws frames, and whether the bar is ours.
  const std::tuple<const char*, QVersionNumber, bool, bool> rows[] = {
      {"wayland", {6, 4, 2}, false, true}, {"wayland", {6, 7, 3}, false, true},
      {"wayland", {6, 4, 2}, true, false}, {"wayland", {6, 8, 2}, false, false},
      {"xcb", {6, 4, 2}, false, false},    {"offscreen", {6, 4, 2}, false, false}};
  for (const auto& [platform, qt, compositorDrawsFrames, ours] : rows)
    EXPECT_EQ(TitleBarOfOurOwn(platform, qt, compositorDrawsFrames), ours)
        << platform << " " << qt.toString().toStdString() << " " << compositorDrawsFrames;
}

TEST(QtNoise, LeavesOutQtsWarningsAboutItselfAndNothingElse) {
  const std::tuple<QtMsgType, const char*, const char*, bool> rows[] = {
      {QtWarningMsg, "default", "QSpiApplication::keyEventError \"NoReply\"", true},
      {QtWarningMsg, "qt.qpa.wayland", "The cached device pixel ratio value was stale on window",
       true},
      {QtWarningMsg, "qt.accessibility.atspi", "Could not find accessible on path", true},
      {QtWarningMsg, "qt.qpa.wayland.textinput", "Got leave event for surface without enter", true},
      {QtCriticalMsg, "default", "QSpiApplication::keyEventError \"NoReply\"", false},
      {QtCriticalMsg, "qt.accessibility.atspi", "Could not connect to the bus", false},
      {QtWarningMsg, "qt.qpa.wayland", "Could not create a surface for the window", false},
      {QtWarningMsg, "default", "Said: QSpiApplication::keyEventError", false}};
  for (const auto& [type, category, message, noise] : rows)
    EXPECT_EQ(IsQtNoise(type, category, message), noise) << category << ": " << message;
}

}  // namespace
}  // namespace starveil::desktop
