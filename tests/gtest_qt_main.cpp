// GoogleTest entry for the widget tests: one QApplication for the whole run,
// with the program's fonts and readers' roles, under whatever platform the environment names
// (offscreen in ctest).
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/accessibility.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // The golden window images hold Fusion at one device pixel a pixel and 96
  // DPI fonts: nothing from the environment may change that.
  for (const char* name : {"QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
    qunsetenv(name);
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication app(argc, argv);
  noboria::install_fonts();
  noboria::install_accessibility();
  return RUN_ALL_TESTS();
}
