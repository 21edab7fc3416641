#include <QApplication>

#include "startup/mdl_main.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  starveil::mdlMain program;
  program.Main();
  return QApplication::exec();
}
