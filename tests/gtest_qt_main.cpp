// GoogleTest entry for the widget tests: one QApplication for the whole run,
// with the program's fonts, under whatever platform the environment names
// (offscreen in ctest).
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/fonts.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  noboria::install_fonts();
  return RUN_ALL_TESTS();
}
