// The floor under the game's tick for the whole-program benchmark: the least
// a Qt Widgets window does each day at speed 1, one Japanese label changed
// every 50 ms, in the game's fonts and window size, timed as the game's
// ticks are (tick_meter.h).
//   noboria-bench-floor ticks N
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/tick_meter.h"
#include "ui/fonts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  noboria::install_fonts();
  if (argc != 3 || std::strcmp(argv[1], "ticks") != 0) {
    std::fprintf(stderr, "usage: %s ticks N\n", argv[0]);
    return 2;
  }
  QWidget window;
  window.setWindowTitle(QStringLiteral("tick floor"));
  window.setFixedSize(664, 520);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xC0));  // the game's background
  window.setPalette(palette);
  window.setAutoFillBackground(true);
  QLabel label(QStringLiteral("日数 0"), &window);
  label.setGeometry(8, 8, 160, 20);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "error: the window was never shown\n");
    return 1;
  }
  noboria::bench::TickMeter meter(std::atoi(argv[2]));
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);  // as the game's day timer
  timer.setInterval(50);
  int day = 0;
  QObject::connect(&timer, &QTimer::timeout, &label, [&] {
    label.setText(QStringLiteral("日数 %1").arg(++day));
    meter.tick();
  });
  timer.start();
  if (!meter.run()) {
    std::fprintf(stderr, "error: only %zu ticks came\n", meter.ticks_seen());
    return 1;
  }
  meter.report();
  return 0;
}
