#include <QApplication>

#include "platform/display_choice.h"
#include "startup/mdl_main.h"

int main(int argc, char* argv[]) {
  starveil::platform::PreferX11WhereOffered();
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed menu entry and its icon.
  QApplication::setDesktopFileName("io.github.starveil.Starveil");
  starveil::mdlMain program;
  program.Main();
  return QApplication::exec();
}
