// Noboria: one main window, its About window and a day timer. The program
// reads no files and takes no command line; Qt's own options still apply.
#include <QApplication>

#include "sim/random_source.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  noboria::install_fonts();

  noboria::MersenneRandom random;
  noboria::DesktopServices services;
  noboria::MainWindow form1(random, services);
  form1.form_load();
  form1.show();
  return app.exec();
}
