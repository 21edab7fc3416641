#include <QApplication>

#include "startup/mdl_main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed menu entry and its icon.
  QApplication::setDesktopFileName("io.github.starveil.Starveil");
  starveil::mdlMain program;
  program.Main();
  return QApplication::exec();
}
