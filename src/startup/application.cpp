#include "startup/application.h"

#include "desktop/display_choice.h"
#include "desktop/qt_noise.h"
#include "platform/accessibility.h"

namespace starveil {

Application::Application(int& argc, char** argv) {
  // Each must come before Qt starts.
  desktop::ChooseDisplayPlatform();
  desktop::LeaveOutQtNoise();
  platform::OpenToScreenReaders();
  app_ = std::make_unique<QApplication>(argc, argv);
  // Lets the desktop match the window to the installed menu entry and its icon.
  QApplication::setDesktopFileName("io.github.starveil.Starveil");
}

Application::~Application() = default;

frmMain& Application::Start() {
  program_.Main();
  return *program_.Game();
}

int Application::Run() {
  return QApplication::exec();
}

}  // namespace starveil
