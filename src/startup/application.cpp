#include "startup/application.h"

#include "platform/accessibility.h"
#include "platform/display_choice.h"
#include "platform/qt_noise.h"

namespace starveil {

Application::Application(int& argc, char** argv) {
  // Each must come before Qt starts.
  platform::ChooseDisplayPlatform();
  platform::LeaveOutQtNoise();
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
