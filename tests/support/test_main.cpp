#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Every test binary runs headless unless told otherwise: a QApplication aborts without a display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
