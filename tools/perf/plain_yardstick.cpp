// The plain yardstick: a window of the game window's client size with nothing drawn on it and no
// timers, the fewest wake-ups a Qt window at rest can have.

#include <QApplication>
#include <QWidget>

#include "game/facts.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Plain yardstick");
  window.setFixedSize(starveil::platform::TwipsToPixels(starveil::game::kClientWidth),
                      starveil::platform::TwipsToPixels(starveil::game::kLoadedClientHeight));
  window.show();
  return QApplication::exec();
}
