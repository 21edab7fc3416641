// The matched yardstick's windows: the game's splash and game window shown by plain Qt Widgets, the
// formation, cannon, shot and rockets moving at the game's timer ticks and keys, and one message
// box, with no rules behind them. Each marks its first paint in the trace, and the game window
// every shot tick.
#pragma once

#include <QWidget>
#include <memory>

namespace starveil::perf {

// Shows the splash until it goes by itself, or at a click.
void RunMatchedSplash();
// The game window's match, as it stands before Start.
std::unique_ptr<QWidget> MatchedWindow();
// Centred on the screen as the window's client area, and active.
void ShowCentred(QWidget& window);

}  // namespace starveil::perf
