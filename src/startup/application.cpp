#include "startup/application.h"

#include <QApplication>

#include "desktop/display_choice.h"
#include "desktop/qt_noise.h"
#include "platform/accessibility.h"
#include "startup/mdl_main.h"

namespace starveil {

int RunStarveil(int& argc, char** argv, const std::function<void(frmMain&)>& shown) {
  desktop::ChooseDisplayPlatform();
  desktop::LeaveOutQtNoise();
  platform::OpenToScreenReaders();
  QApplication app(argc, argv);
  // Lets the desktop match the window to the installed menu entry and its icon.
  QApplication::setDesktopFileName("io.github.starveil.Starveil");
  mdlMain program;
  program.Main();
  if (shown && program.Game()) shown(*program.Game());
  return QApplication::exec();
}

}  // namespace starveil
