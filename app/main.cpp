// Noboria: one main window, its About window and a day timer. The program
// reads no files and takes no command line; Qt's own options still apply.
#include <QApplication>

#include "sim/random_source.h"
#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"

namespace {

// On Wayland a program cannot place its windows, so the About window would
// not open beside the main window, and Qt 6.4 draws plain title bars of its
// own. Where XWayland offers an X display, run there instead, unless the
// user has chosen a platform.
void prefer_x11_under_wayland() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int main(int argc, char** argv) {
  prefer_x11_under_wayland();
  QApplication app(argc, argv);
  noboria::install_fonts();
  noboria::install_accessibility();

  noboria::MersenneRandom random;
  noboria::DesktopServices services;
  noboria::MainWindow window(random, services);
  window.load();
  window.show();
  return app.exec();
}
