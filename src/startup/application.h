#pragma once

#include <QApplication>
#include <memory>

#include "startup/mdl_main.h"

namespace starveil {

// A start of the game, from the command line to the last window closed: the way to the screen
// chosen and Qt started, then the splash and the game window.
class Application {
 public:
  Application(int& argc, char** argv);
  ~Application();

  // Shows the splash modally, then the game window, and gives the game window.
  frmMain& Start();
  // Runs the game until its last window closes, and gives the program's exit status.
  static int Run();

 private:
  std::unique_ptr<QApplication> app_;
  mdlMain program_;  // its windows go before Qt does
};

}  // namespace starveil
