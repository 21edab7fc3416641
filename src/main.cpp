#include "startup/application.h"

int main(int argc, char* argv[]) {
  starveil::Application application(argc, argv);
  application.Start();
  return starveil::Application::Run();
}
