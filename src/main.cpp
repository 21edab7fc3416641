#include "startup/application.h"

int main(int argc, char* argv[]) {
  return starveil::RunStarveil(argc, argv);
}
