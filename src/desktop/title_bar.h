#pragma once

#include <QVersionNumber>
#include <memory>
#include <string_view>

class QWidget;

namespace starveil::desktop {

// Whether the game draws its windows' title bars itself: natively on Wayland where the compositor
// draws no frames, as mutter and weston do not, and Qt's own title bar, before Qt 6.8, shows
// minimise and maximise buttons whatever a window asks.
bool TitleBarOfOurOwn(std::string_view platform, const QVersionNumber& qt,
                      bool compositorDrawsFrames);
// The same for the session the game runs in.
bool TitleBarOfOurOwn();

// Makes a top-level window frameless and gives it a title bar of our own along its top: its title
// and a close button, and dragging it moves the window. The window's top contents margin leaves it
// room, so a window laid out by a layout keeps its whole content below the bar.
void AddTitleBar(QWidget& window);

// A frameless top-level window with a title bar of our own, around `content`, a window of fixed
// size made its child. The frame takes content's title and icon, and closes only once content has
// accepted its close.
std::unique_ptr<QWidget> FrameWithTitleBar(QWidget& content);

}  // namespace starveil::desktop
